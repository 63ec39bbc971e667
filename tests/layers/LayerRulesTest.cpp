// The dependency rule of the source tree: platform → receiver/link → receiver → receiver/
// external → ui/kit → app/shell, ui/status, ui/config, ui/link → app, ctl. A file includes
// headers of its own folder and of the folders below it, never of one above it or of a
// sibling; src/platform and src/receiver include no Qt at all, src/app/shell and src/ctl Qt
// Core only.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kSrc = fs::path(QUORREL_SOURCE_DIR) / "src";

struct Layer {
    const char* folder;  // under src/
    int rank;
};

// The longest matching folder names a file's layer; equal ranks are siblings.
constexpr Layer kLayers[] = {
    {"platform", 0}, {"receiver/link", 1}, {"receiver", 2},  {"receiver/external", 3},
    {"ui/kit", 4},   {"app/shell", 5},     {"ui/status", 5}, {"ui/config", 5},
    {"ui/link", 5},  {"app", 6},           {"ctl", 6},
};

const Layer* layerOf(const std::string& path) {
    const Layer* best = nullptr;
    for (const Layer& layer : kLayers) {
        const std::string folder = std::string(layer.folder) + "/";
        if (path.rfind(folder, 0) == 0 &&
            (!best || std::string(layer.folder).size() > std::string(best->folder).size()))
            best = &layer;
    }
    return best;
}

struct Include {
    std::string file;  // relative to src/
    std::string target;
    bool quoted;
};

std::vector<Include> includesOf(const fs::path& file) {
    static const std::regex kInclude(R"(^\s*#\s*include\s*([<"])([^">]+)[">])");
    std::vector<Include> found;
    std::ifstream in(file);
    std::string line;
    std::smatch match;
    const std::string relative = fs::relative(file, kSrc).generic_string();
    while (std::getline(in, line))
        if (std::regex_search(line, match, kInclude))
            found.push_back({relative, match[2].str(), match[1].str() == "\""});
    return found;
}

std::vector<Include> allIncludes() {
    std::vector<Include> all;
    for (const auto& entry : fs::recursive_directory_iterator(kSrc)) {
        const std::string ext = entry.path().extension().string();
        if (entry.is_regular_file() && (ext == ".h" || ext == ".cpp")) {
            std::vector<Include> own = includesOf(entry.path());
            all.insert(all.end(), own.begin(), own.end());
        }
    }
    return all;
}

bool isQt(const Include& include) {
    return !include.quoted && include.target.size() > 1 && include.target[0] == 'Q' &&
           (std::isupper(static_cast<unsigned char>(include.target[1])) ||
            include.target.rfind("Qt", 0) == 0);
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

}  // namespace

TEST(LayerRules, EveryIncludePointsDownOrWithinItsFolder) {
    const std::vector<Include> includes = allIncludes();
    ASSERT_GT(includes.size(), 100u);
    for (const Include& include : includes) {
        if (!include.quoted) continue;
        const Layer* from = layerOf(include.file);
        const Layer* to = layerOf(include.target);
        ASSERT_NE(from, nullptr) << include.file << " is in no layer";
        if (!to) continue;  // a header beside the file, or generated
        const bool sameFolder = std::string(from->folder) == to->folder;
        EXPECT_TRUE(sameFolder || to->rank < from->rank)
            << include.file << " (" << from->folder << ") includes " << include.target << " ("
            << to->folder << ")";
    }
}

TEST(LayerRules, PlatformAndReceiverIncludeNoQt) {
    for (const Include& include : allIncludes()) {
        if (startsWith(include.file, "platform/") || startsWith(include.file, "receiver/")) {
            EXPECT_FALSE(isQt(include)) << include.file << " includes <" << include.target << ">";
        }
    }
}

// The command-line companion sits beside the application on the shell: no screen and
// nothing of the application above the shell.
TEST(LayerRules, CompanionTakesNoScreens) {
    for (const Include& include : allIncludes()) {
        if (!startsWith(include.file, "ctl/") || !include.quoted) continue;
        const bool screen =
            startsWith(include.target, "ui/") && !startsWith(include.target, "ui/kit/");
        const bool application =
            startsWith(include.target, "app/") && !startsWith(include.target, "app/shell/");
        EXPECT_FALSE(screen || application) << include.file << " includes " << include.target;
    }
}

// The shell and the command-line companion, and every kit header they take, get by with Qt
// Core: the companion links them without a display.
TEST(LayerRules, ShellAndCompanionNeedQtCoreOnly) {
    const fs::path qtCore = QUORREL_QT_CORE_DIR;
    if (qtCore.empty()) GTEST_SKIP() << "built without Qt";
    const std::vector<Include> includes = allIncludes();
    std::vector<std::string> files;
    const auto take = [&files](const std::string& file) {
        if (std::find(files.begin(), files.end(), file) == files.end()) files.push_back(file);
    };
    for (const Include& include : includes)
        if (startsWith(include.file, "app/shell/") || startsWith(include.file, "ctl/"))
            take(include.file);
    for (std::size_t i = 0; i < files.size(); ++i) {
        for (const Include& include : includes) {
            if (include.file != files[i]) continue;
            if (isQt(include)) {
                EXPECT_TRUE(fs::exists(qtCore / include.target))
                    << include.file << " includes <" << include.target << ">, not Qt Core";
            } else if (include.quoted && startsWith(include.target, "ui/kit/")) {
                take(include.target);
            }
        }
    }
}
