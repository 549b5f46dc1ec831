#include <gtest/gtest.h>

#include "parse_options.hpp"

namespace {

TEST(ParseOptions, WordsValuesAndLogLines) {
    zr::RunLog log([] { return std::string("t"); });
    auto o = zr::parseOptions("MAP=My837.cfg,MAPLOG,MAPPATH=C:\\maps, OW,DEFAULTMAPPATH= D:\\m ,x", log);
    EXPECT_EQ(o.map, "My837.cfg");
    EXPECT_TRUE(o.mapLog);
    EXPECT_EQ(o.mapPath, "C:\\maps");
    EXPECT_FALSE(o.overwrite);  // a word with a leading blank is not recognised
    EXPECT_EQ(o.defaultMapPath, "D:\\m");
    // Unknown words are named, so a mistyped option does not pass unseen.
    EXPECT_EQ(log.text(), "t - Map = \r\nt - Map Log ON.\r\nt - MapPath = \r\nt - Unknown option :  OW\r\n"
                          "t - DefaultMapPath = \r\nt - Unknown option : x\r\n");
}

// The engine's words are parsed with the others, by prefix and in any
// case, and log nothing.
TEST(ParseOptions, EngineWordsAreFlags) {
    struct Case {
        const char* words;
        bool header, multiLine, lineMode;
    };
    const Case cases[] = {
        {"ow,ho", true, false, false},
        {"MLX", false, true, false},
        {"sl", false, false, true},
        {"OW, HO", false, false, false},  // no trimming
        {"MAPLOG,ML", false, true, false},  // "MAPLOG" is not "ML"
    };
    for (const Case& c : cases) {
        zr::RunLog log([] { return std::string("t"); });
        const zr::ParseOptions o = zr::parseOptions(c.words, log);
        EXPECT_EQ(o.header, c.header) << c.words;
        EXPECT_EQ(o.multiLine, c.multiLine) << c.words;
        EXPECT_EQ(o.lineMode, c.lineMode) << c.words;
        EXPECT_EQ(log.text().find("ML"), std::string::npos) << c.words;
    }
}

TEST(ParseOptions, ParseLogNamesItsFile) {
    zr::RunLog log([] { return std::string("t"); });
    EXPECT_EQ(zr::parseOptions("parselog= run.log ", log).parseLog, "run.log");
    EXPECT_EQ(log.text(), "t - Parselog = \r\nt - Parse Log Set to : run.log\r\n");
}

// A comma cuts a path the run writes to: the cut is kept for the driver to
// refuse the run; a known option after the path is no cut.
TEST(ParseOptions, ACommaInsideAnOutputPathIsNoticed) {
    struct Case {
        const char* words;
        const char* cut;
    };
    const Case cases[] = {
        {"OW,OUTFILE=out/a,b.csv", "OUTFILE=out/a,b.csv"},
        {"PARSELOG=logs/run,1.log,OW", "PARSELOG=logs/run,1.log"},
        {"OUTFILE=out/a.csv,OW,x", ""},
        {"MAP=a,b.cfg", ""},  // a cut map path finds no map: the run fails anyway
        {"OUTFILE=out/a.csv", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(zr::parseOptions(c.words).cutValue, c.cut) << c.words;
}

}  // namespace
