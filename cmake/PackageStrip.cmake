# Run by CPack on the staged files before it packs them: strip leaves the compiler's .comment
# and the .note section in the programs, which Debian's own packaging removes as well.
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/${CPACK_PACKAGING_INSTALL_PREFIX}/bin/*")
if(NOT programs)
  message(FATAL_ERROR "no programs staged under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
foreach(program IN LISTS programs)
  execute_process(
      COMMAND ${CPACK_QUORREL_OBJCOPY} --remove-section=.comment --remove-section=.note ${program}
      COMMAND_ERROR_IS_FATAL ANY)
endforeach()
