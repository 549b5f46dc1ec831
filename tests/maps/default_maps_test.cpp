// Finding and writing default maps: the version-based names a source's GS08
// leads to, the transactions that share a version identifier, the replace
// question, and the transaction-based set.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "default_maps.hpp"
#include "map_names.hpp"
#include "map_text.hpp"
#include "paths.hpp"
#include "test_support.hpp"

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

// Runs the test inside a fresh folder, as the creator works in the current one.
class InFreshFolder : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        fs::current_path(dir_.path());
    }
    void TearDown() override { fs::current_path(previous_); }

    zrtest::TempDir dir_;
    fs::path previous_;
};

// ------------------------------------------------------------ CTLD48600Q

struct Found {
    const char* given;  // GS08 + ".cfg", as the map chooser hands it over
    const char* st01;
    const char* bht02;
    const char* written;
    int index;
    int scheme;
};

class DefaultMapForVersion : public InFreshFolder, public ::testing::WithParamInterface<Found> {};

TEST_P(DefaultMapForVersion, Mode2WritesTheBuiltInTextUnderTheTableName) {
    const Found& f = GetParam();
    zrtest::PromptRecorder prompts;
    EXPECT_EQ(zr::CTLD48600Q(f.given, 2, {f.st01, f.bht02}), f.written);
    EXPECT_EQ(zrtest::readBytes(f.written), zr::builtInMapText(f.index, f.scheme));
    EXPECT_TRUE(prompts.prompts().empty());
    EXPECT_EQ(zr::CTLD48600Q(f.given, 1, {f.st01, f.bht02}), f.written) << "mode 1 now finds it";
}

// Real GS08 values carry addenda suffixes the table names do not.
INSTANTIATE_TEST_SUITE_P(
    RealVersionIdentifiers, DefaultMapForVersion,
    ::testing::Values(Found{"005010X222A1.cfg", "837", "", "005010X222A2.cfg", 10, 2},
                      Found{"004010X098A1.cfg", "837", "", "004010X098A1.cfg", 10, 1},
                      Found{"005010X223A2.cfg", "837", "", "005010X223A2.cfg", 1, 2},
                      Found{"004010X091A1.cfg", "835", "", "004010X091A1.cfg", 2, 1},
                      Found{"005010X221A1.cfg", "835", "", "005010X221.cfg", 2, 2},
                      Found{"005010X212.cfg", "277", "08", "005010X212B.cfg", 4, 2},
                      Found{"005010X212.cfg", "276", "13", "005010X212A.cfg", 3, 2},
                      Found{"004010X093A1.cfg", "277", "", "004010X093A1B.cfg", 4, 1},
                      Found{"005010X279A1.cfg", "271", "11", "005010X279B.cfg", 6, 2},
                      Found{"005010X279A1.cfg", "270", "13", "005010X279A.cfg", 5, 2},
                      Found{"004010X092A1.cfg", "271", "", "004010X092A1B.cfg", 6, 1},
                      Found{"005010X217.cfg", "278", "13", "005010X217A.cfg", 7, 2},
                      Found{"005010X217.cfg", "278", "11", "005010X217B.cfg", 8, 2},
                      Found{"005010X220A1.cfg", "834", "", "005010X220.cfg", 9, 2},
                      Found{"004010X096A1.cfg", "837", "", "004010X096A1.cfg", 1, 1},
                      Found{"004010X095A1.cfg", "834", "", "004010X095A1.cfg", 9, 1},
                      Found{"004010X094A1.cfg", "278", "11", "004010X094A1B.cfg", 8, 1},
                      Found{"004010X092A1.cfg", "270", "13", "004010X092A1A.cfg", 5, 1},
                      // Dental claims and premium payments have built-in texts too.
                      Found{"005010X224A2.cfg", "837", "", "005010X224A2.cfg", 11, 2},
                      Found{"004010X097A1.cfg", "837", "", "004010X097A1.cfg", 11, 1},
                      Found{"005010X218.cfg", "820", "", "005010X218.cfg", 12, 2},
                      Found{"004010X061A1.cfg", "820", "", "004010X061A1.cfg", 12, 1},
                      // Without a hint the first row of the shared identifier.
                      Found{"005010X212.cfg", "", "", "005010X212A.cfg", 3, 2},
                      Found{"005010X279A1.cfg", "", "", "005010X279A.cfg", 5, 2}));

TEST_F(InFreshFolder, Mode1AnswersOnlyAnExistingMap) {
    EXPECT_EQ(zr::CTLD48600Q("005010X222A1.cfg", 1), "");
    EXPECT_FALSE(fs::exists("005010X222A2.cfg")) << "mode 1 never writes";
    dir_.write("005010X222A2.cfg", "mine");
    EXPECT_EQ(zr::CTLD48600Q("005010X222A1.cfg", 1), "005010X222A2.cfg");
    EXPECT_EQ(zrtest::readBytes("005010X222A2.cfg"), "mine");
}

TEST_F(InFreshFolder, NamesThatMatchNoVersionedRowGiveNothing) {
    zrtest::PromptRecorder prompts;
    for (const char* name : {"837p.cfg", "005010X22", "", "005010X999.cfg"})
        for (int mode : {1, 2}) EXPECT_EQ(zr::CTLD48600Q(name, mode), "") << name << " mode " << mode;
    EXPECT_TRUE(fs::is_empty(dir_.path()));
    EXPECT_TRUE(prompts.prompts().empty());
    EXPECT_EQ(zr::CTLD48600Q("005010X222", 2), "005010X222A2.cfg") << "ten characters are enough";
}

TEST_F(InFreshFolder, AFolderInFrontOfTheNameIsWhereTheMapGoes) {
    fs::create_directory("maps");
    const std::string written = zr::CTLD48600Q(wl::joinPath("maps", "005010X222A1.cfg"), 2);
    EXPECT_EQ(written, wl::joinPath("maps", "005010X222A2.cfg"));
    EXPECT_TRUE(fs::exists(fs::path("maps") / "005010X222A2.cfg"));
}

TEST_F(InFreshFolder, ReplacingAnExistingMapAsksFirst) {
    dir_.write("004010X098A1.cfg", "old");
    {
        zrtest::PromptRecorder prompts;
        prompts.answerNext(false);
        EXPECT_EQ(zr::CTLD48600Q("004010X098A1.cfg", 2), "004010X098A1.cfg") << "the name even on No";
        ASSERT_EQ(prompts.prompts().size(), 1u);
        EXPECT_EQ(prompts.prompts()[0].function, "MSGYESNO");
        EXPECT_EQ(prompts.prompts()[0].text, "Replace 004010X098A1.cfg ?");
        EXPECT_EQ(prompts.prompts()[0].caption, "OVERWRITE?");
        EXPECT_EQ(zrtest::readBytes("004010X098A1.cfg"), "old");
    }
    zrtest::PromptRecorder prompts;
    prompts.answerNext(true);
    EXPECT_EQ(zr::CTLD48600Q("004010X098A1.cfg", 2), "004010X098A1.cfg");
    EXPECT_EQ(zrtest::readBytes("004010X098A1.cfg"), zr::builtInMapText(10, 1));
}

TEST_F(InFreshFolder, WritingTrimsTheName) {
    zrtest::PromptRecorder prompts;
    EXPECT_EQ(zr::CTLD48600I("  my.cfg ", "A\r\n"), "my.cfg");
    EXPECT_EQ(zrtest::readBytes("my.cfg"), "A\r\n");
    EXPECT_TRUE(prompts.prompts().empty());
}

// A map that cannot be written is said (a box, or the log of an unattended
// run) and its text handed back, so that the run can use it from memory.
TEST_F(InFreshFolder, AMapThatCannotBeWrittenHandsBackItsText) {
    zrtest::PromptRecorder prompts;
    dir_.write("blocker", "a file, so nothing can be written below it");
    std::string unsaved;
    EXPECT_EQ(zr::CTLD48600Q(wl::joinPath("blocker", "005010X222A2.cfg"), 2, {"837", ""}, &unsaved),
              wl::joinPath("blocker", "005010X222A2.cfg"));
    EXPECT_EQ(unsaved, zr::builtInMapText(10, 2));
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].caption, "Save Map");
    // Written: nothing handed back.
    std::string none;
    EXPECT_EQ(zr::CTLD48600I("ok.cfg", "A\r\n", &none), "ok.cfg");
    EXPECT_TRUE(none.empty());
}

// ------------------------------------------------------ CTLD48600S and R

TEST_F(InFreshFolder, TheTransactionBasedSetIsCompleteWithItsFirstElevenMaps) {
    EXPECT_FALSE(zr::CTLD48600S("Y", "X12N"));
    for (int index = 1; index <= 10; ++index) dir_.write(zr::mapName(index, 3), "x");
    EXPECT_FALSE(zr::CTLD48600S("Y", "X12N"));
    dir_.write("837d.cfg", "x");
    EXPECT_TRUE(zr::CTLD48600S("Y", "X12N")) << "820.cfg is not needed";
}

TEST_F(InFreshFolder, OtherIndustryMapsAreAnyCfgFile) {
    EXPECT_FALSE(zr::CTLD48600S("Y", "X12M"));
    dir_.write("notes.txt", "x");
    EXPECT_FALSE(zr::CTLD48600S("Y", "X12M"));
    dir_.write("any.CFG", "x");
    EXPECT_TRUE(zr::CTLD48600S("Y", "X12M"));
}

TEST_F(InFreshFolder, GeneratingTheDefaultMapsOnYes) {
    zrtest::PromptRecorder prompts;
    prompts.answerNext(true);
    zr::CTLD48600R("Y", "X12N");
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].text, "Maps are needed to parse files. Generate Default Maps?");
    EXPECT_EQ(prompts.prompts()[0].caption, "Generate Maps");
    for (int index = 1; index <= 11; ++index)
        EXPECT_EQ(zrtest::readBytes(zr::mapName(index, 3)), zr::builtInMapText(index, 3)) << index;
    EXPECT_FALSE(fs::exists("820.cfg"));
    EXPECT_TRUE(zr::CTLD48600S("Y", "X12N"));
    zr::CTLD48600R("Y", "X12N");
    EXPECT_EQ(prompts.prompts().size(), 1u) << "nothing is asked once the set is complete";
}

TEST_F(InFreshFolder, GeneratingAsksAboutEachMapThatAlreadyExists) {
    dir_.write("835.cfg", "mine");
    zrtest::PromptRecorder prompts(true);
    prompts.answerNext(true);   // generate
    prompts.answerNext(false);  // keep 835.cfg
    zr::CTLD48600R("Y", "X12N");
    EXPECT_THAT(prompts.texts(),
                ElementsAre("Maps are needed to parse files. Generate Default Maps?", "Replace 835.cfg ?"));
    EXPECT_EQ(zrtest::readBytes("835.cfg"), "mine");
    EXPECT_TRUE(fs::exists("837I.cfg"));
}

TEST_F(InFreshFolder, NothingIsGeneratedOnNoOrWithoutTheFlag) {
    zrtest::PromptRecorder prompts(false);
    zr::CTLD48600R("Y", "X12N");
    EXPECT_EQ(prompts.prompts().size(), 1u);
    zr::CTLD48600R("N", "X12N");
    zr::CTLD48600R("y", "X12N");
    EXPECT_EQ(prompts.prompts().size(), 1u);
    EXPECT_TRUE(fs::is_empty(dir_.path()));
}

// Another industry's map: offered only when the folder has no map, asked
// through the mapping tool's dialogs, saved with the creator's header.
TEST_F(InFreshFolder, OtherIndustryMapIsThe832BehindTheCreatorsHeader) {
    std::vector<std::string> asked;
    std::string savedName, savedText;
    zr::OtherIndustryDialogs dialogs;
    dialogs.otherIndustry = [&](const std::string& flag, const std::string& kind) {
        asked.push_back(flag + " " + kind);
        return std::pair<int, std::string>{1, "005050.cfg"};
    };
    dialogs.count = [&](const std::string& question, const std::string& def) {
        asked.push_back(question + " " + def);
        return def;
    };
    dialogs.saveMap = [&](const std::string& name, const std::string& text) {
        savedName = name;
        savedText = text;
        return name;
    };
    dialogs.clock = [] { return std::pair<std::string, std::string>{"12/11/26", "10:20:30"}; };
    {
        zrtest::PromptRecorder prompts(false);
        zr::CTLD48600R("Y", "X12M", dialogs);
        EXPECT_EQ(prompts.texts(), (std::vector<std::string>{"Maps are needed to parse files. Generate Default Maps?"}));
        EXPECT_TRUE(asked.empty());
    }
    zrtest::PromptRecorder prompts(true);
    zr::CTLD48600R("Y", "X12M", dialogs);
    EXPECT_EQ(asked, (std::vector<std::string>{"Y X12M", "Number of Service Lines 10"}));
    EXPECT_EQ(savedName, "005050.cfg");
    EXPECT_EQ(savedText, "********** Zarn Software Parser Map\r\n********** Generated :12/11/26 10:20:30\r\n"
                         "********** A starting map for the 832 Price/Sales Catalog; lines beginning with * are comments\r\n"
                         "************************** 832 Price/Sales Catalog\r\n" +
                             std::string(50, '*') + "\r\n********* File Name : 005050.cfg\r\n\r\n" +
                             zr::priceCatalogMapBody());
    // A folder holding any map is not offered one; without the dialogs nothing is asked further.
    dir_.write("any.cfg", "x");
    asked.clear();
    zr::CTLD48600R("Y", "X12M", dialogs);
    EXPECT_TRUE(asked.empty());
}

}  // namespace
