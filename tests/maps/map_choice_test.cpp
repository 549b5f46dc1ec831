#include <gtest/gtest.h>

#include <filesystem>

#include "map_choice.hpp"
#include "paths.hpp"
#include "test_support.hpp"

namespace {

using Strings = std::vector<std::string>;

std::string isaHeader() {
    return "ISA*00*          *00*          *ZZ*SUBMITTER      *ZZ*RECEIVER       *261210*1253*^*00501*000000001*0*P*:~";
}

std::string sourceWithGs08(const std::string& gs08, const std::string& st01 = "837") {
    return isaHeader() + "GS*HC*S*R*20261210*1253*1*X*" + gs08 + "~ST*" + st01 + "*0001*" + gs08 +
           "~BHT*0019*00*1~SE*3*0001~GE*1*1~IEA*1*000000001~";
}

Strings lines(const std::string& log) {
    Strings out;
    for (std::size_t p = 0, q; (q = log.find("\r\n", p)) != std::string::npos; p = q + 2) out.push_back(log.substr(p, q - p));
    return out;
}

// Runs in a fresh current folder, where default maps are found and written.
struct InFolder {
    zrtest::TempDir dir;
    std::filesystem::path old = std::filesystem::current_path();
    InFolder() { std::filesystem::current_path(dir.path()); }
    ~InFolder() { std::filesystem::current_path(old); }
};

TEST(MapChoice, VersionDetectionAndNames) {
    InFolder f;
    const std::string src = f.dir.write("a.x12", sourceWithGs08("005010X222A2"));
    EXPECT_EQ(zr::DetectVersion(src, false), "005010X222A2");
    EXPECT_EQ(zr::NameForVersion("005010X222A2"), "837p.cfg");
    EXPECT_EQ(zr::NameForVersion("004010X091A1"), "835.cfg");
    EXPECT_EQ(zr::NameForVersion("005010X222A1"), "");
    EXPECT_EQ(zr::NameForVersion("005010x222a2"), "");  // case matters
    // A GS that ends past offset 1000 is not found.
    std::string late = isaHeader() + std::string(900, ' ') + "~GS*HC*S*R*20261210*1253*1*X*005010X222A2~";
    EXPECT_EQ(zr::DetectVersion(f.dir.write("late.x12", late), true), "");
    EXPECT_NE(zrtest::readBytes("tdebug.log").find(" Exit 1000 "), std::string::npos);
    auto id = zr::identifySource(f.dir.write("b.x12", sourceWithGs08("005010X212", "277")));
    EXPECT_EQ(id.gs08, "005010X212");
    EXPECT_EQ(id.st01, "277");
    EXPECT_EQ(id.bht02, "00");
}

TEST(MapChoice, BranchesAndTheirLogLines) {
    InFolder f;
    zr::RunLog log([] { return std::string("t"); });
    const std::string src = f.dir.write("a.x12", sourceWithGs08("005010X222A2"));

    // A: the map option as given, no extension added.
    EXPECT_EQ(zr::ChooseMap("my837", "", "", src, log), "my837");
    EXPECT_EQ(lines(log.text()), (Strings{"t - Map File Set A to my837", "t - X12 Version/Transaction NOT Detected  "}));
    log.clear();
    EXPECT_EQ(zr::ChooseMap("x.cfg", "C:\\maps", "D:\\m", src, log), wl::joinPath("D:\\m", "x.cfg"));
    log.clear();

    // C, D: a derived name in the map folder (one extension).
    f.dir.write("837p.cfg", "KEYFIELD=HL,,,22\r\n");
    std::string prefix;
    EXPECT_EQ(zr::ChooseMap("", "", "", src, log, &prefix), "837p.cfg");
    EXPECT_EQ(prefix, "837p.cfg_");
    Strings got = lines(log.text());
    ASSERT_EQ(got.size(), 6u);
    EXPECT_EQ(got[0], "t - Map File Set C to 837p.cfg");
    EXPECT_EQ(got[1], "t - X12 Version/Transaction Detected  ");
    EXPECT_EQ(got[2].substr(0, 23), "   Current Directory : ");
    EXPECT_EQ(got[4], "   Map File : 837p.cfg");
    EXPECT_EQ(got[5], "t - Map File Set G to 837p.cfg");
    log.clear();
    const std::string inFolder = zr::ChooseMap("", f.dir.path(), "", src, log);
    EXPECT_EQ(inFolder, wl::joinPath(f.dir.path(), "837p.cfg"));
    EXPECT_EQ(lines(log.text())[1], "t - Map File Set D to " + inFolder);
}

TEST(MapChoice, DefaultMapsAreFoundOrCreatedFromGs08) {
    InFolder f;
    zrtest::PromptRecorder rec;
    zr::RunLog log([] { return std::string("t"); });
    // GS08 not in the table: the default map of its version is created ...
    const std::string real = f.dir.write("a.x12", sourceWithGs08("005010X222A1"));
    EXPECT_EQ(zr::ChooseMap("", "", "", real, log), "005010X222A2.cfg");
    EXPECT_EQ(lines(log.text()), (Strings{"t - Map File Set B to ", "t - Source file =" + real,
                                           "t - Created and Used Map file 005010X222A2.cfg"}));
    log.clear();
    // ... and found the next time.
    EXPECT_EQ(zr::ChooseMap("", "", "", real, log), "005010X222A2.cfg");
    EXPECT_EQ(lines(log.text()).back(), "t - Used Map file 005010X222A2.cfg");
    log.clear();
    // A name in the table whose file is missing: the default map of the version.
    const std::string named = f.dir.write("b.x12", sourceWithGs08("005010X221", "835"));
    EXPECT_EQ(zr::ChooseMap("", "", "", named, log), "005010X221.cfg");
    Strings got = lines(log.text());
    EXPECT_EQ(got[5], "t - X12 Detected Map File NOT Present 835.cfg");
    EXPECT_EQ(got.back(), "t - Created and Used Map file 005010X221.cfg");
    log.clear();
    // 276 and 277 share GS08: the first set's ST01 decides.
    const std::string status = f.dir.write("c.x12", sourceWithGs08("005010X212", "277"));
    EXPECT_EQ(zr::ChooseMap("", "", "", status, log), "005010X212B.cfg");
    // No GS at all: no map.
    log.clear();
    EXPECT_EQ(zr::ChooseMap("", "", "", f.dir.write("d.x12", isaHeader()), log), "");
    EXPECT_TRUE(rec.prompts().empty());
}

// Mended: a GS08 that names no map (de-identified, short, another guide of
// a known transaction) ended in the missing-map report although ST01 names
// a transaction with a built-in map; 837 dental and 820 never got theirs.
struct ByTransaction {
    const char* gs08;
    const char* st01;
    const char* st03;
    const char* body;  // segments after ST
    const char* isa12;
    const char* map;   // the default map created
};

class MapFromTransaction : public ::testing::TestWithParam<ByTransaction> {};

TEST_P(MapFromTransaction, St01AndTheVersionChooseTheDefaultMap) {
    const ByTransaction& c = GetParam();
    InFolder f;
    zrtest::PromptRecorder rec;
    std::string isa = isaHeader();
    isa.replace(isa.find("00501"), 5, c.isa12);
    const std::string src = f.dir.write("a.x12", isa + "GS*HC*S*R*20261210*1253*1*X*" + c.gs08 + "~ST*" + c.st01 +
                                                     "*0001" + (*c.st03 ? std::string("*") + c.st03 : "") + "~" +
                                                     c.body + "SE*3*0001~GE*1*1~IEA*1*000000001~");
    zr::RunLog log([] { return std::string("t"); });
    EXPECT_EQ(zr::ChooseMap("", "", "", src, log), c.map) << log.text();
    EXPECT_NE(log.text().find("ST01 " + std::string(c.st01) + " Chooses "), std::string::npos) << log.text();
    EXPECT_NE(log.text().find("Created and Used Map file " + std::string(c.map)), std::string::npos);
    EXPECT_TRUE(rec.prompts().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Sources, MapFromTransaction,
    ::testing::Values(ByTransaction{"999999X999X9", "835", "", "BPR*I*1~", "00501", "005010X221.cfg"},
                      ByTransaction{"00501", "837", "", "BHT*0019~CLM*A*1~SV1*HC:1*1~", "00501", "005010X222A2.cfg"},
                      ByTransaction{"005010", "837", "", "BHT*0019~CLM*A*1~SV2*0300*1~", "00501", "005010X223A2.cfg"},
                      ByTransaction{"005010", "837", "005010X224A2", "BHT*0019~", "00501", "005010X224A2.cfg"},
                      ByTransaction{"005010X298", "837", "", "BHT*0019~CLM*A*1~SV1*HC:1*1~", "00501", "005010X222A2.cfg"},
                      ByTransaction{"005010X214", "277", "", "BHT*0085*08~", "00501", "005010X212B.cfg"},
                      ByTransaction{"005010X307", "834", "", "BGN*00~", "00501", "005010X220.cfg"},
                      ByTransaction{"X", "820", "", "BPR*C*1~", "00401", "004010X061A1.cfg"},
                      // De-identified: neither GS08 nor ISA12 names a version; the content does.
                      ByTransaction{"999999X999X9", "837", "", "BHT*0019~CLM*A*1~HI*ABK:J20~SV1*HC:1*1~", "99999",
                                    "005010X222A2.cfg"},
                      ByTransaction{"999999X999X9", "837", "", "BHT*0019~CLM*A*1~HI*BK:4660~SV1*HC:1*1~", "99999",
                                    "004010X098A1.cfg"},
                      ByTransaction{"999999X999X9", "835", "", "BPR*I*1~", "99999", "005010X221.cfg"}));

// The inferred version is said in the log; the clues in their order.
TEST(MapChoice, AVersionTakenFromTheContentIsSaid) {
    struct Case {
        const char* hi;
        const char* isa11;
        int scheme;
    };
    const Case cases[] = {{"ABK", "^", 2}, {"ABF", "U", 2}, {"BK", "^", 1}, {"BF", "U", 1},
                          {"", "^", 2},    {"", "|", 2},    {"", "U", 1},   {"", "X", 0}};
    for (const Case& c : cases) {
        zr::SourceIdentity id;
        id.hiQualifier = c.hi;
        id.isa11 = c.isa11;
        EXPECT_EQ(zr::inferredScheme(id), c.scheme) << c.hi << " " << c.isa11;
    }
    InFolder f;
    zrtest::PromptRecorder rec;
    std::string isa = isaHeader();
    isa.replace(isa.find("00501"), 5, "99999");
    const std::string src = f.dir.write("a.x12", isa + "GS*HC*S*R*20261210*1253*1*X*999999X999X9~ST*837*0001~"
                                                       "BHT*0019~CLM*A*1~HI*ABK:J20~SV1*HC:1*1~SE*3*0001~GE*1*1~IEA*1*000000001~");
    zr::RunLog log([] { return std::string("t"); });
    EXPECT_EQ(zr::ChooseMap("", "", "", src, log), "005010X222A2.cfg");
    EXPECT_NE(log.text().find("t - Version Inferred From the Content (HI qualifier ABK) : GS08 '999999X999X9', ISA12 '99999'"),
              std::string::npos)
        << log.text();
    // A version the envelope names is no inference.
    const std::string named = f.dir.write("b.x12", sourceWithGs08("005010X222A1"));
    zr::RunLog quiet([] { return std::string("t"); });
    zr::ChooseMap("", "", "", named, quiet);
    EXPECT_EQ(quiet.text().find("Inferred"), std::string::npos) << quiet.text();
}

TEST(MapChoice, ATransactionWithoutABuiltInMapSaysWhatItLookedFor) {
    InFolder f;
    zr::RunLog log([] { return std::string("t"); });
    const std::string src = f.dir.write("a.x12", sourceWithGs08("004010", "850"));
    EXPECT_EQ(zr::ChooseMap("", "", "", src, log), "");
    EXPECT_NE(log.text().find("t - No Map Known for GS08 '004010' and ST01 '850'"), std::string::npos) << log.text();
}


TEST(MapChoice, Gs08IsNeverAPathOutsideTheMapFolder) {
    InFolder f;
    zrtest::PromptRecorder rec;
    namespace fs = std::filesystem;
    fs::create_directories("work");
    fs::current_path("work");
    const std::string planted = (fs::path(f.dir.path()) / "elsewhere" / "deep").string();
    fs::create_directories(planted);
    // A map planted where such a GS08 points is never used either.
    f.dir.write("elsewhere/deep/005010X222A2.cfg", "KEYFIELD=HL,,,22\r\n");
    struct Case {
        std::string gs08;
    };
    const Case cases[] = {
        {"../elsewhere/deep/005010X222A1"},
        {"..\\elsewhere\\deep\\005010X222A1"},
        {planted + "/005010X222A1"},  // an absolute path
        {"C:005010X222A1"},           // a drive
        {"005010X222\x01" "A1"},      // a control character
    };
    for (const Case& c : cases) {
        zr::RunLog log([] { return std::string("t"); });
        const std::string src = f.dir.write("work/a.x12", sourceWithGs08(c.gs08));
        // An unknown version: ST01 chooses the default map, in the current
        // folder, never the one planted where GS08 points.
        EXPECT_EQ(zr::ChooseMap("", "", "", src, log), "005010X222A2.cfg") << c.gs08;
        const Strings got = lines(log.text());
        ASSERT_GE(got.size(), 3u) << c.gs08;
        EXPECT_EQ(Strings(got.begin(), got.begin() + 3),
                  (Strings{"t - Map File Set B to ", "t - Source file =" + src,
                           "t - GS08 '' Names No Map; ST01 837 Chooses 837p.cfg (005010X222A2)"}))
            << c.gs08;
    }
    EXPECT_FALSE(fs::exists(fs::path(planted) / "005010X222A1.cfg"));
    EXPECT_EQ(std::distance(fs::directory_iterator(planted), fs::directory_iterator()), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 2);  // a.x12 and the default map
    EXPECT_TRUE(rec.prompts().empty());
}

}  // namespace
