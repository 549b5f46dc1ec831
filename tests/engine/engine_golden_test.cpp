// Golden files of the X12-to-CSV/XML engine. Each folder under
// tests/fixtures/engine is one case:
//   source.x12              the input
//   map.cfg                 the map
//   case.txt                optional: "OPTIONS=..." (the option words), "MERGE=1",
//                           "DEFAULTMAP=1": no map is named, so the engine takes the
//                           built-in default map for the source's GS08 (written into
//                           the working folder on the way);
//                           "BUILTINMAP=index,scheme,name": with DEFAULTMAP, the built-in
//                           map text of that transaction and naming scheme is first
//                           written as that file (for the maps the default-map creator
//                           does not reach);
//                           "PROBLEM=text": the run reports data it could not keep, one
//                           problem holding that text (without it, none is expected)
//   expected.csv/.xml       the exact output of "X12,CSV" / "X12,XML" (one run each)
//   existing.csv/.xml       optional: the output file as it was before the run
//   anything else           copied to the working folder (function files, tables)
// The engine runs in a fresh working folder holding copies of the files, with
// the output "out.csv" or "out.xml". On a mismatch the output is written as
// expected.<ext>.new beside the expected file, for a person to review.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "map_text.hpp"
#include "test_support.hpp"
#include "text.hpp"
#include "conversion_engine.hpp"
#include "x12_to_csv.hpp"

namespace {

namespace fs = std::filesystem;

struct CaseSettings {
    std::string options;
    bool merge = false;
    bool defaultMap = false;
    int builtInIndex = 0, builtInScheme = 0;
    std::string builtInName;
    std::string problem;
};

CaseSettings readSettings(const fs::path& folder) {
    CaseSettings s;
    std::ifstream in(folder / "case.txt");
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (wl::prefixMatch(line, "OPTIONS=")) s.options = line.substr(8);
        if (line == "MERGE=1") s.merge = true;
        if (wl::prefixMatch(line, "PROBLEM=")) s.problem = line.substr(8);
        if (line == "DEFAULTMAP=1") s.defaultMap = true;
        if (wl::prefixMatch(line, "BUILTINMAP=")) {
            std::istringstream items(line.substr(11));
            char comma;
            items >> s.builtInIndex >> comma >> s.builtInScheme >> comma >> s.builtInName;
        }
    }
    return s;
}

// Runs the folder's case once for the type; answers the output's bytes.
std::string runCase(const fs::path& folder, const std::string& extension, const CaseSettings& settings) {
    zrtest::TempDir work;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (wl::prefixMatch(name, "expected.") || wl::prefixMatch(name, "existing.")) continue;
        fs::copy_file(entry.path(), fs::path(work.path()) / name);
    }
    const std::string output = "out." + extension;
    if (fs::exists(folder / ("existing." + extension)))
        fs::copy_file(folder / ("existing." + extension), fs::path(work.path()) / output);

    if (!settings.builtInName.empty())
        work.write(settings.builtInName, zr::builtInMapText(settings.builtInIndex, settings.builtInScheme));
    const fs::path previous = fs::current_path();
    fs::current_path(work.path());
    zrtest::PromptRecorder prompts;
    zr::EngineRequest r;
    r.spec.parseType = extension == "xml" ? "X12,XML" : "X12,CSV";
    r.type = zr::conversionTypeOf(r.spec.parseType);
    r.spec.sourceFile = "source.x12";
    r.spec.parseOptions = settings.options;
    r.options = zr::parseOptions(r.spec.parseOptions);
    r.spec.destinationFile = output;
    r.options.map = settings.defaultMap ? "" : "map.cfg";
    r.options.merge = settings.merge;
    const zr::EngineResult result = zr::CTL48400A(r);
    EXPECT_FALSE(result.failed) << folder.filename().string() << "\n" << result.log;
    if (settings.problem.empty()) {
        EXPECT_TRUE(result.problems.empty()) << folder.filename().string() << "\n" << result.log;
    } else {
        bool found = false;
        for (const std::string& p : result.problems) found = found || p.find(settings.problem) != std::string::npos;
        EXPECT_TRUE(found) << folder.filename().string() << ": no problem holds " << settings.problem << "\n"
                           << result.log;
    }
    std::string bytes = zrtest::readBytes(output);
    fs::current_path(previous);
    return bytes;
}

TEST(EngineGolden, EveryCaseGivesItsExpectedOutput) {
    const fs::path root = fs::path(ZR_FIXTURES) / "engine";
    int cases = 0;
    for (const auto& entry : fs::directory_iterator(root)) {
        if (!entry.is_directory()) continue;
        const CaseSettings settings = readSettings(entry.path());
        for (const std::string extension : {"csv", "xml"}) {
            const fs::path expectedPath = entry.path() / ("expected." + extension);
            const fs::path newPath = entry.path() / ("expected." + extension + ".new");
            if (!fs::exists(expectedPath) && !fs::exists(newPath)) continue;
            ++cases;
            const std::string actual = runCase(entry.path(), extension, settings);
            const std::string expected = zrtest::readBytes(expectedPath.string());
            std::error_code ec;
            if (actual == expected) {
                fs::remove(newPath, ec);
                continue;
            }
            std::ofstream(newPath, std::ios::binary) << actual;
            ADD_FAILURE() << entry.path().filename().string() << " (" << extension << "): output differs; see "
                          << newPath.string();
        }
    }
    EXPECT_GT(cases, 0);
}

}  // namespace
