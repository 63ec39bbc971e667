#include "receiver/external/RawDataLocation.h"

#include <unistd.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "receiver/external/Utf16Text.h"

namespace quorrel {
namespace fs = std::filesystem;
namespace {

constexpr const char* kFolderName = "GPS Raw Data";
constexpr int kLastSequence = 9999;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The value of `XDG_DOCUMENTS_DIR="…"`, with a leading $HOME expanded.
std::string documentsLine(const std::string& line, const std::string& home) {
    const std::string key = "XDG_DOCUMENTS_DIR=";
    std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, key.size(), key) != 0) return {};
    std::string value = line.substr(start + key.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
    return value.empty() || value.front() != '/' ? std::string() : value;
}

bool isWritableFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error) && ::access(path.c_str(), W_OK) == 0;
}

std::string firstRemovableMedium(const std::vector<std::string>& parents) {
    for (const std::string& parent : parents) {
        std::error_code error;
        std::vector<fs::path> candidates;
        for (const fs::directory_entry& entry : fs::directory_iterator(parent, error))
            candidates.push_back(entry.path());
        std::sort(candidates.begin(), candidates.end());
        for (const fs::path& candidate : candidates)
            if (isWritableFolder(candidate)) return candidate.string();
    }
    return {};
}

bool isFileNameSafe(char16_t c) {
    return c >= 0x20 && c != '/' && c != '\\' && c != 0x7F;
}

}  // namespace

RawDataPlaces systemRawDataPlaces() {
    RawDataPlaces places;
    const std::string user = environment("USER");
    if (!user.empty()) places.removableParents = {"/media/" + user, "/run/media/" + user};
    const std::string home = environment("HOME");
    std::string config = environment("XDG_CONFIG_HOME");
    if (config.empty()) config = home + "/.config";
    places.documentsFolder = documentsFolderFrom(config + "/user-dirs.dirs", home);
    return places;
}

std::string documentsFolderFrom(const std::string& userDirsFile, const std::string& home) {
    std::ifstream file(userDirsFile);
    std::string line;
    while (std::getline(file, line))
        if (std::string folder = documentsLine(line, home); !folder.empty()) return folder;
    return home + "/Documents";
}

std::string rawDataFolder(const RawDataPlaces& places, int storageChoice) {
    const std::string storage =
        storageChoice == 1 ? firstRemovableMedium(places.removableParents) : places.documentsFolder;
    if (storage.empty()) return {};
    return (fs::path(storage) / kFolderName).string();
}

std::string rawDataBaseName(const std::u16string& deviceIdentifier, const std::tm& date) {
    std::u16string four = u"XXXX";
    if (deviceIdentifier.size() >= 4) four = deviceIdentifier.substr(deviceIdentifier.size() - 4);
    for (char16_t& c : four)
        if (!isFileNameSafe(c)) c = u'_';
    char digits[16];
    // Two digits of the year: year - 2000 for this century.
    const int year = ((date.tm_year + 1900) % 100 + 100) % 100;
    std::snprintf(digits, sizeof digits, "%02d%02d%02d", year, date.tm_mon + 1, date.tm_mday);
    return utf16ToUtf8(four) + digits;
}

std::string firstFreeRawDataFile(const std::string& folder, const std::string& base) {
    for (int sequence = 0; sequence <= kLastSequence; ++sequence) {
        char tail[16];
        std::snprintf(tail, sizeof tail, "%02d.grw", sequence);
        const fs::path candidate = fs::path(folder) / (base + tail);
        std::error_code error;
        // Anything already there, even unreadable, keeps its name.
        if (!fs::exists(fs::symlink_status(candidate, error))) return candidate.string();
    }
    return {};
}

std::tm rawDataDate(const RawDataPlaces& places) {
    if (places.today) return places.today();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

}  // namespace quorrel
