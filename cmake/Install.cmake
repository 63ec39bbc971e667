# Desktop integration, manual pages, the English language pack and the package documents, in
# the places a Linux user expects them (GNUInstallDirs). The programs install themselves.
set(dist ${PROJECT_SOURCE_DIR}/dist)
set(doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/gnss-quorrel)

# Manual pages and the changelog, compressed without a time stamp so that two builds of the
# same sources give the same package.
function(quorrel_install_gzipped source destination)
  get_filename_component(name ${source} NAME)
  set(out ${CMAKE_BINARY_DIR}/dist/${name})
  add_custom_command(
      OUTPUT ${out}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/dist
      COMMAND ${CMAKE_COMMAND} -E copy ${source} ${out}
      COMMAND gzip -9nf ${out}
      DEPENDS ${source}
      VERBATIM)
  string(MAKE_C_IDENTIFIER "quorrel_gz_${name}" target)
  add_custom_target(${target} ALL DEPENDS ${out}.gz)
  install(FILES ${out}.gz DESTINATION ${destination})
endfunction()

foreach(program gnss-quorrel quorrelctl quorrel-boardsim quorrel-modulesim)
  if(TARGET ${program})
    quorrel_install_gzipped(${dist}/man/${program}.1 ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endforeach()
quorrel_install_gzipped(${dist}/changelog ${doc_dir})
install(FILES ${dist}/copyright DESTINATION ${doc_dir})

if(TARGET gnss-quorrel)
  install(FILES ${dist}/gnss-quorrel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${dist}/icons/gnss-quorrel.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 32 48 64 128 256)
    install(FILES ${dist}/icons/hicolor/${size}x${size}/apps/gnss-quorrel.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  install(FILES ${CMAKE_BINARY_DIR}/lang/Lang.rcc ${CMAKE_BINARY_DIR}/lang/strings.txt
          DESTINATION ${CMAKE_INSTALL_DATADIR}/gnss-quorrel)
endif()
