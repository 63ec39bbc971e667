#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace quorrel {

// Where raw data files may go. The program takes the system's places; tests use temporary
// folders and a fixed date.
struct RawDataPlaces {
    // Folders whose first writable subfolder is a mounted removable medium.
    std::vector<std::string> removableParents;
    std::string documentsFolder;
    // Today's local date; empty: the system clock.
    std::function<std::tm()> today;
};

// /media/$USER and /run/media/$USER; the XDG documents folder.
RawDataPlaces systemRawDataPlaces();

// XDG_DOCUMENTS_DIR from `userDirsFile` ("$HOME/…" or an absolute path), else home/Documents.
std::string documentsFolderFrom(const std::string& userDirsFile, const std::string& home);

// "<storage>/GPS Raw Data": removable storage for choice 1, else the documents folder.
// Empty when choice 1 finds no writable removable medium.
std::string rawDataFolder(const RawDataPlaces& places, int storageChoice);

// The last four characters of the device identifier ("XXXX" when it has fewer), then the
// date as yymmdd: "A1B2" + "100531". Characters that cannot stand in a file name become "_".
std::string rawDataBaseName(const std::u16string& deviceIdentifier, const std::tm& date);

// "<folder>/<base>NN.grw" for the first sequence number 00 … 9999 whose file does not exist;
// empty when every number is taken.
std::string firstFreeRawDataFile(const std::string& folder, const std::string& base);

// The date `places` tells, or the local date.
std::tm rawDataDate(const RawDataPlaces& places);

}  // namespace quorrel
