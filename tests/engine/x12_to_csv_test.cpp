// The X12-to-CSV/XML engine around its outputs (the outputs themselves are
// golden files, engine_golden_test.cpp): run-log lines, the missing map,
// file errors, the meter, the debug log, renaming and deleting, and the
// pieces the engine is made of.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "debug_trace.hpp"
#include "engine_common.hpp"
#include "field_table.hpp"
#include "function_files.hpp"
#include "output_file.hpp"
#include "progress_meter.hpp"
#include "record_writer.hpp"
#include "segment_scan.hpp"
#include "segment_table.hpp"
#include "table_config.hpp"
#include "test_support.hpp"
#include "conversion_engine.hpp"
#include "x12_to_csv.hpp"

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::EndsWith;
using ::testing::Not;
using ::testing::StartsWith;

const char kCsvIsa[] = "ISA*00*          *00*          *ZZ*SUBMITTER      *ZZ*RECEIVER       *261210*1253*^*00501*000000001*0*P*:~";

// A source of two claims with one and two service lines.
std::string twoClaims() {
    return std::string(kCsvIsa) +
           "GS*HC*S*R*20261210*1253*1*X*005010X222A2~ST*837*0001~HL*1**20*1~NM1*85*2*CLINIC~"
           "HL*2*1*22*0~NM1*IL*1*SMITH~CLM*A1*100~LX*1~SV1*HC:99213*100~"
           "HL*3*1*22*0~NM1*IL*1*JONES~CLM*B2*75~LX*1~SV1*HC:99214*50~LX*2~SV1*HC:87880*25~"
           "SE*12*0001~GE*1*1~IEA*1*000000001~";
}

const char kMap[] =
    "KEYHEADERFIELD=HL,,,20\r\nKEYFIELD=HL,,,22\r\nKEYLINEFIELD=SV1\r\n"
    "FIELD=PROVIDER,20,NM1,85,2,3,,,,2\r\nFIELD=SUBNAME,20,NM1,IL,2,3\r\nFIELD=CLAIMID,20,CLM,,,1\r\n"
    "FIELD=PROC1,5,SV1,,,1,2,CLAIMID,,,1\r\n";

// A working folder as the current folder, with a source and a map.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        fs::current_path(dir_.path());
        dir_.write("source.x12", twoClaims());
        dir_.write("map.cfg", kMap);
    }
    void TearDown() override { fs::current_path(previous_); }

    zr::EngineRequest request(const std::string& type = "X12,CSV", const std::string& output = "out.csv") {
        zr::EngineRequest r;
        r.spec.parseType = type;
        r.type = zr::conversionTypeOf(r.spec.parseType);
        r.spec.sourceFile = "source.x12";
        r.spec.destinationFile = output;
        r.options.map = "map.cfg";
        r.clock = [] { return std::string("10:20:30"); };
        return r;
    }

    zrtest::TempDir dir_;
    fs::path previous_;
    zrtest::PromptRecorder prompts_;
};

TEST_F(EngineTest, CsvRunLogsSourceDestinationAndTheHighestLineNumber) {
    zr::EngineResult r = zr::CTL48400A(request());
    EXPECT_FALSE(r.failed);
    EXPECT_THAT(r.log, HasSubstr("10:20:30 - Map File Set A to map.cfg\r\n"));
    EXPECT_THAT(r.log, HasSubstr("10:20:30 - Mapping Load Complete\r\n"));
    EXPECT_THAT(r.log, HasSubstr("10:20:30 - Source : source.x12\r\n10:20:30 - Destination : out.csv\r\n"));
    EXPECT_THAT(r.log, HasSubstr("10:20:30 - Maximum Service Line Count :          2\r\n"));
    EXPECT_EQ(zrtest::readBytes("out.csv"), "CLINIC,SMITH,A1,99213\r\nCLINIC,JONES,B2,99214\r\n");
    EXPECT_FALSE(fs::exists("out.csv.zrtmp"));
}

TEST_F(EngineTest, XmlRunLogsNoSourceOrDestinationLines) {
    zr::EngineResult r = zr::CTL48400A(request("X12,XML", "out.xml"));
    EXPECT_THAT(r.log, Not(HasSubstr("Source : ")));
    EXPECT_THAT(r.log, HasSubstr("Maximum Service Line Count :          2\r\n"));
    EXPECT_THAT(zrtest::readBytes("out.xml"),
                StartsWith("<?xml version=\"1.0\"  encoding=\"ISO-8859-1\"?>\r\n<EXPORTDATA>\r\n"));
}

TEST_F(EngineTest, AMissingMapEndsTheCallBeforeAnyOutput) {
    zr::EngineRequest r = request();
    r.options.map = "nomap.cfg";
    zr::EngineResult result = zr::CTL48400A(r);
    EXPECT_TRUE(result.failed);
    EXPECT_THAT(result.log, HasSubstr("\r\n Mapping Error : .CFG Missing or Empty.\r\n10:20:30 - Error File  = nomap.cfg\r\n"));
    EXPECT_THAT(result.log, Not(HasSubstr("Maximum Service Line Count")));
    EXPECT_FALSE(fs::exists("out.csv"));
}

// Mended: the precise line was followed by the report of a missing map
// file with an empty name.
TEST_F(EngineTest, NoGsVersionInTheSourceSaysNoMapIsKnownAndNothingMore) {
    // A transaction without a built-in map: ST01 cannot choose one either.
    dir_.write("source.x12", std::string(kCsvIsa) + "ST*850*0001~SE*1*0001~");
    zr::EngineRequest r = request();
    r.options.map = "";
    zr::EngineResult result = zr::CTL48400A(r);
    EXPECT_TRUE(result.failed);
    EXPECT_THAT(result.log, HasSubstr("Map File Set B to \r\n"));
    EXPECT_THAT(result.log, HasSubstr("No Map Known for GS08 "));
    EXPECT_THAT(result.log, Not(HasSubstr("Mapping Error")));
    EXPECT_THAT(result.log, Not(HasSubstr("Error File")));
    EXPECT_THAT(result.reason, HasSubstr("No Map Known for ST01 850"));
}

// Mended: the run used to "complete" without a word when the output could
// not be created.
TEST_F(EngineTest, AnOutputThatCannotBeCreatedIsShownLoggedAndFails) {
    zr::EngineResult r = zr::CTL48400A(request("X12,CSV", "missing-folder/out.csv"));
    EXPECT_TRUE(r.failed);
    ASSERT_EQ(prompts_.prompts().size(), 1u);
    EXPECT_THAT(prompts_.prompts()[0].text, HasSubstr("Cfile <ERROR> FC-Create # 2"));
    EXPECT_THAT(r.log, HasSubstr("10:20:30 - Cfile <ERROR> FC-Create # 2 : missing-folder/out.csv\r\n"));
}

TEST_F(EngineTest, ASourceThatCannotBeOpenedIsReportedAndTheRunFails) {
    zr::EngineRequest r = request();
    r.spec.sourceFile = "nosuch.x12";
    zr::EngineResult result = zr::CTL48400A(r);
    EXPECT_TRUE(result.failed);
    EXPECT_THAT(result.log, HasSubstr("Cfile <ERROR> FC-Open # 2 : nosuch.x12"));
    ASSERT_FALSE(prompts_.prompts().empty());
    EXPECT_EQ(prompts_.prompts()[0].function, "WQOUT");
}

TEST_F(EngineTest, AFailedRunLeavesAnEarlierOutputOfThatNameUntouched) {
    dir_.write("out.csv", "EARLIER\r\n");
    zr::EngineRequest r = request();
    r.spec.sourceFile = "nosuch.x12";
    r.options.deleteSource = true;
    zr::CTL48400A(r);
    // An output replaces the earlier file only when complete; so does the
    // source stay when the run failed.
    EXPECT_EQ(zrtest::readBytes("out.csv"), "EARLIER\r\n");
}

struct MeterCase {
    zr::MeterMode mode;
    std::vector<zr::MeterEvent::Kind> first;  // the first events
    std::size_t sets;                         // Set or SetAlways events
};

class EngineMeter : public EngineTest, public ::testing::WithParamInterface<MeterCase> {};

TEST_P(EngineMeter, SetsThePercentageWheneverItsWholePartChanges) {
    std::vector<zr::MeterEvent> events;
    zr::MeterObserver old = zr::setMeterObserver([&](const zr::MeterEvent& e) { events.push_back(e); });
    zr::CTL394MTRA({}, "earlier meter", "");  // mode 2 sets the caller's meter
    events.clear();
    zr::EngineRequest r = request();
    r.meterMode = GetParam().mode;
    zr::CTL48400A(r);
    zr::setMeterObserver(old);
    std::size_t sets = 0;
    double last = 0;
    for (const auto& e : events) {
        if (e.kind != zr::MeterEvent::Kind::Set && e.kind != zr::MeterEvent::Kind::SetAlways) continue;
        ++sets;
        EXPECT_GT(e.value, last);
        last = e.value;
    }
    EXPECT_EQ(sets, GetParam().sets);
    for (std::size_t i = 0; i < GetParam().first.size(); ++i) {
        ASSERT_LT(i, events.size());
        EXPECT_EQ(events[i].kind, GetParam().first[i]);
    }
    if (GetParam().mode == zr::MeterMode::Show) {
        EXPECT_EQ(events.front().text, "Loading File source.x12");
        EXPECT_EQ(events.front().caption, "Please Wait..");
        EXPECT_EQ(events.back().kind, zr::MeterEvent::Kind::Close);
        EXPECT_DOUBLE_EQ(events[events.size() - 2].value, 100.0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, EngineMeter,
    ::testing::Values(MeterCase{zr::MeterMode::Show, {zr::MeterEvent::Kind::Open, zr::MeterEvent::Kind::Set}, 100},
                      MeterCase{zr::MeterMode::SetOnly, {zr::MeterEvent::Kind::SetAlways}, 100},
                      MeterCase{zr::MeterMode::None, {}, 0}));

TEST_F(EngineTest, DebugLogTracesTheRunAndIsWrittenAtTheEnd) {
    zr::EngineRequest r = request();
    r.options.debug = true;
    const zr::EngineResult result = zr::CTL48400A(r);
    const std::string log = zrtest::readBytes("debug.log");
    // The driver takes the text from the result, never from the file.
    EXPECT_EQ(result.debugText, log);
    EXPECT_THAT(log, StartsWith("\r\nStart Debug Log ------------------------\r\n"));
    EXPECT_THAT(log, HasSubstr("- Parse Type = X12,CSV\r\n- Source File = source.x12\r\n- SLP = 0\r\n- ST = ~\r\n"
                               "- DS = *\r\n- XS = :\r\n- TA = 4\r\n- Field1 = PROVIDER --cond \r\n"));
    EXPECT_THAT(log, HasSubstr("- Field4 = PROC1 --cond CLAIMID\r\n"));
    EXPECT_THAT(log, HasSubstr("- Segment Buffer = HL*2*1*22*0\r\n- pba[1]=HL*2*1*22*0\r\n- pba[2]=NM1*85*2*CLINIC\r\n"));
    EXPECT_THAT(log, HasSubstr("- Key Header Field Array Match A = HL\r\n"));
    EXPECT_THAT(log, HasSubstr("- Key Field Array Claim Control Set = 0 to 1\r\n"));
    EXPECT_THAT(log, HasSubstr("- Key Field Array Claim Control Set = 1 to 2\r\n"));
    EXPECT_THAT(log, HasSubstr(" Field SET SUBNAME = SMITH\r\n"));
    EXPECT_THAT(log, HasSubstr("- SE Table Clear \r\n"));
    EXPECT_THAT(log, EndsWith("\r\nEnd Debug Log ------------------------\r\n"));
}

TEST_F(EngineTest, DebugTracesStopAfterTheLimit) {
    std::string body;
    for (int i = 0; i < 3000; ++i)
        body += "HL*" + std::to_string(i + 2) + "*1*22*0~NM1*IL*1*N" + std::to_string(i) + "~CLM*C" + std::to_string(i) + "*1~";
    dir_.write("source.x12", std::string(kCsvIsa) + "ST*837*1~" + body + "SE*1*1~");
    zr::EngineRequest r = request();
    r.options.debug = true;
    zr::CTL48400A(r);
    const std::string log = zrtest::readBytes("debug.log");
    std::size_t lines = 0;
    for (char c : log) lines += c == '\n';
    EXPECT_LT(lines, 5000u + 100u);
    EXPECT_GT(lines, 5000u);
    // The output is whole all the same.
    std::size_t rows = 0;
    for (char c : zrtest::readBytes("out.csv")) rows += c == '\n';
    EXPECT_EQ(rows, 3000u);
}

TEST_F(EngineTest, RenameWithTheMapPrefixMovesTheOutputUnderTheDestination) {
    fs::create_directory("dest");
    dir_.write("837p.cfg", kMap);
    zr::EngineRequest r = request("X12,CSV", (fs::path("dest") / "out.csv").string());
    r.options.map = "";
    r.options.renameWithMap = true;
    r.spec.destinationFolder = "dest";
    zr::EngineResult result = zr::CTL48400A(r);
    EXPECT_FALSE(result.failed) << result.log;
    const std::string moved = (fs::path("dest") / "837p.cfg_out.csv").string();
    EXPECT_TRUE(fs::exists(moved));
    EXPECT_FALSE(fs::exists(fs::path("dest") / "out.csv"));
    EXPECT_THAT(result.log, HasSubstr("10:20:30 - RPMN : " + moved + "\r\n"));
}

TEST_F(EngineTest, RenameWithAGivenMapKeepsTheOutputWhereItIs) {
    zr::EngineRequest r = request();
    r.options.renameWithMap = true;
    r.spec.destinationFolder = dir_.path();
    zr::EngineResult result = zr::CTL48400A(r);
    EXPECT_TRUE(fs::exists("out.csv"));
    EXPECT_THAT(result.log, HasSubstr("RPMN : out.csv\r\n"));
}

TEST_F(EngineTest, DeleteSourceErasesItOnlyAfterACompleteConversion) {
    zr::EngineRequest r = request();
    r.options.deleteSource = true;
    r.options.multiLine = true;  // every service line kept: the conversion is whole
    zr::CTL48400A(r);
    EXPECT_FALSE(fs::exists("source.x12"));

    dir_.write("source.x12", twoClaims());
    r.spec.destinationFile = "missing-folder/out.csv";
    zr::CTL48400A(r);
    EXPECT_TRUE(fs::exists("source.x12"));
}

#ifndef _WIN32
// A write that fails (a full device, written in place) is reported, never
// taken for success.
TEST_F(EngineTest, AFailedWriteIsShownLoggedAndFails) {
    if (!fs::is_character_file("/dev/full")) GTEST_SKIP() << "no /dev/full";
    zr::EngineResult result = zr::CTL48400A(request("X12,CSV", "/dev/full"));
    EXPECT_TRUE(result.failed);
    EXPECT_THAT(result.log, HasSubstr("Cfile <ERROR> FC-Fwrite #112 : /dev/full"));
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}
#endif

TEST_F(EngineTest, AnExpansionBeyondTheFieldLimitIsRefused) {
    // A thousand line-1 fields and 101 service lines in one record.
    std::string map = "KEYFIELD=CLM\r\nKEYLINEFIELD=SV1\r\n";
    for (int i = 0; i < 1000; ++i) map += "FIELD=F" + std::to_string(i) + "1,5,SV1,,,1,,,,,1\r\n";
    dir_.write("map.cfg", map);
    std::string body = "CLM*A1~";
    for (int i = 0; i < 101; ++i) body += "SV1*X~";
    dir_.write("source.x12", std::string(kCsvIsa) + "ST*837*1~" + body + "SE*1*1~");
    zr::EngineRequest r = request();
    r.options.multiLine = true;
    zr::EngineResult result = zr::CTL48400A(r);
    EXPECT_TRUE(result.failed);
    EXPECT_THAT(result.log, HasSubstr("ML Expansion Error : 101 Service Lines Exceed 100000 Fields."));
    EXPECT_FALSE(fs::exists("out.csv"));
}

// Mended: these types wrote nothing and counted as converted.
TEST_F(EngineTest, Hl7TypesConvertNothingAndSaySo) {
    zr::EngineRequest r = request("HL7,CSV");
    r.options.deleteSource = true;
    zr::EngineResult result = zr::CTL48400A(r);
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(result.log, "10:20:30 - No Converter for HL7,CSV : Nothing Written for source.x12\r\n");
    EXPECT_TRUE(fs::exists("source.x12"));
    EXPECT_FALSE(fs::exists("out.csv"));
}

// Mended: each of these wrote an empty or partial output and counted as a
// clean conversion. A table of sources and maps (tests/fixtures/not_clean)
// and what the run must say.
struct NotClean {
    const char* source;
    const char* map;
    bool failed;       // nothing written; otherwise written, with a problem
    const char* says;  // in the log, and the reason or the first problem
};

class EngineNotClean : public EngineTest, public ::testing::WithParamInterface<NotClean> {};

TEST_P(EngineNotClean, IsSaidAndNeverCountsAsClean) {
    const NotClean& c = GetParam();
    const std::string folder = std::string(ZR_FIXTURES) + "/not_clean/";
    const std::string name = std::string(c.source) + " with " + c.map;
    dir_.write("source.x12", zrtest::readBytes(folder + c.source));
    dir_.write("map.cfg", zrtest::readBytes(folder + c.map));
    zr::EngineResult r = zr::CTL48400A(request());
    EXPECT_THAT(r.log, HasSubstr(c.says)) << name;
    EXPECT_EQ(r.failed, c.failed) << name << "\n" << r.log;
    if (c.failed) {
        EXPECT_THAT(r.reason, HasSubstr(c.says)) << name;
        EXPECT_FALSE(fs::exists("out.csv")) << name;
    } else {
        ASSERT_FALSE(r.problems.empty()) << name;
        EXPECT_THAT(r.problems.front(), HasSubstr(c.says)) << name;
        EXPECT_TRUE(fs::exists("out.csv")) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sources, EngineNotClean,
    ::testing::Values(NotClean{"not_x12.txt", "claims.cfg", true, "Source Is Not X12 (no ISA header)"},
                      NotClean{"two_claims.x12", "other_transaction.cfg", true, "No Record Extracted"},
                      NotClean{"two_claims.x12", "lf_line_ends.cfg", true, "Map Holds No Fields"},
                      NotClean{"two_claims.x12", "empty.cfg", true, "Map Holds No Fields"},
                      NotClean{"one_subscriber_id.x12", "needs_subscriber_id.cfg", false, "Claims Not Collected : 1"},
                      // Not one claim collected: the map does not fit.
                      NotClean{"two_claims.x12", "needs_subscriber_id.cfg", true, "No Record Extracted (no record holds CLAIMID"},
                      NotClean{"cut_in_claim.x12", "claims.cfg", false, "Source Ends Inside a Transaction Set (no SE)"},
                      NotClean{"no_iea.x12", "claims.cfg", false, "Source Ends Without GE/IEA"},
                      // Rows of subscribers and not one claim id (an 837 without CLM).
                      NotClean{"no_claim.x12", "claims.cfg", true, "No Record Extracted (no record holds CLAIMID"},
                      NotClean{"header_only.x12", "claims.cfg", true, "No Record Extracted"},
                      NotClean{"isa_only.x12", "claims.cfg", true, "Source Is Not X12 (its ISA header is cut short)"},
                      NotClean{"isa_80_bytes.x12", "claims.cfg", true, "Source Is Not X12 (its ISA header is cut short)"},
                      NotClean{"no_terminators.x12", "claims.cfg", true,
                               "No Segment Terminator Found After the ISA Header (terminator \"~\")"}));

// A claim not collected is named by its id and its place: de-identified
// files give every claim the same id.
TEST_F(EngineTest, AClaimNotCollectedIsNamedByIdAndPosition) {
    const std::string folder = std::string(ZR_FIXTURES) + "/not_clean/";
    dir_.write("source.x12", zrtest::readBytes(folder + "one_subscriber_id.x12"));
    dir_.write("map.cfg", zrtest::readBytes(folder + "needs_subscriber_id.cfg"));
    zr::EngineResult r = zr::CTL48400A(request());
    ASSERT_EQ(r.problems.size(), 2u) << r.log;
    EXPECT_EQ(r.problems[1], "   Claim B2 (Set 1, Segment 11)");
    EXPECT_EQ(zrtest::readBytes("out.csv"), "SMITH,W111,A1\r\nJONES,,\r\n");
}

// Lines past the map's slots are reported per claim, with the way to keep them.
TEST_F(EngineTest, ServiceLinesBeyondTheMapAreReportedPerClaim) {
    dir_.write("map.cfg", std::string(kMap));  // one line slot; claim B2 has two lines
    zr::EngineResult r = zr::CTL48400A(request());
    EXPECT_FALSE(r.failed);
    ASSERT_EQ(r.problems.size(), 3u) << r.log;
    EXPECT_THAT(r.problems[0], HasSubstr("Service Lines Lost : 1 Claims"));
    // By id and position (set, segment within it): ids of de-identified files are all alike.
    EXPECT_THAT(r.problems[1], HasSubstr("Claim B2 : 2 Service Lines, Map Holds 1 (Set 1, Segment 11)"));
    EXPECT_THAT(r.problems[2], HasSubstr("ML"));
    EXPECT_THAT(r.log, HasSubstr("10:20:30 - Service Lines Lost"));
    // The source is the only whole copy: "DS" keeps it.
    zr::EngineRequest ds = request();
    ds.options.deleteSource = true;
    EXPECT_FALSE(zr::CTL48400A(ds).problems.empty());
    EXPECT_TRUE(fs::exists("source.x12"));
    // With ML every line has its field: nothing lost.
    zr::EngineRequest ml = request();
    ml.options.multiLine = true;
    EXPECT_TRUE(zr::CTL48400A(ml).problems.empty());
}

// Mended: an IEA that ends at the end of the file (no terminator, or a line
// break instead of it) was said to be missing. Text after the last segment
// converts as before and is logged as ignored; an interchange begun and
// cut off is data lost.
TEST_F(EngineTest, TheEndOfTheSourceAfterTheLastIea) {
    struct Case {
        const char* label;
        std::string tail;  // replaces the IEA segment at the end
        bool problem;
        bool ignored;
    };
    const std::string isa = kCsvIsa;
    const Case cases[] = {
        {"IEA with its terminator", "IEA*1*000000001~", false, false},
        {"IEA without terminator", "IEA*1*000000001", false, false},
        {"IEA ended by a line feed", "IEA*1*000000001\n", false, false},
        {"IEA ended by CR LF and blanks", "IEA*1*000000001\r\n  ", false, false},
        {"NULs after the IEA", std::string("IEA*1*000000001~\0\0\0\0", 20), false, true},
        {"a line of text after the IEA", "IEA*1*000000001~\r\nEnd of batch\r\n", false, true},
        {"half an ISA after the IEA", "IEA*1*000000001~" + isa.substr(0, 40), false, true},
        {"an interchange cut off after its ISA", "IEA*1*000000001~" + isa, true, false},
        {"no IEA", "", true, false},
    };
    const std::string claims = twoClaims();
    const std::string body = claims.substr(0, claims.find("IEA*"));
    for (const Case& c : cases) {
        dir_.write("source.x12", body + c.tail);
        zr::EngineResult r = zr::CTL48400A(request());
        EXPECT_FALSE(r.failed) << c.label << "\n" << r.log;
        EXPECT_EQ(zrtest::readBytes("out.csv"), "CLINIC,SMITH,A1,99213\r\nCLINIC,JONES,B2,99214\r\n") << c.label;
        const bool lostOnlyLines = r.problems.size() == 3 && r.problems[0].find("Service Lines Lost") == 0;
        EXPECT_EQ(!lostOnlyLines, c.problem) << c.label << "\n" << r.log;
        EXPECT_EQ(r.log.find("Text After the Last Segment Ignored") != std::string::npos, c.ignored)
            << c.label << "\n" << r.log;
    }
}

// ---------------------------------------------------------------------------
// Transaction sets converted side by side

// Interchanges of one set each, with claims whose loops vary, so that parts
// cut at set ends begin in many states; every third set holds no claim.
std::string manySets(int sets) {
    std::string out;
    for (int s = 1; s <= sets; ++s) {
        const std::string n = std::to_string(s);
        out += std::string(kCsvIsa) + "\r\nGS*HC*S*R*20261210*1253*" + n + "*X*005010X222A2~ST*837*" + n + "~";
        if (s % 3 == 0) {
            out += "BHT*0019*00*" + n + "~SE*3*" + n + "~GE*1*" + n + "~IEA*1*00000000" + n + "~";
            continue;
        }
        out += "HL*1**20*1~NM1*85*2*CLINIC" + n + "~";
        for (int c = 0; c < 1 + s % 4; ++c) {
            const std::string id = n + "-" + std::to_string(c);
            out += "HL*" + std::to_string(c + 2) + "*1*22*0~NM1*IL*1*NAME" + id + "~CLM*" + id + "*1" + n + "~";
            for (int l = 1; l <= 1 + (s + c) % 3; ++l) out += "LX*" + std::to_string(l) + "~SV1*HC:9921" + std::to_string(l) + "*1~";
        }
        out += "SE*9*" + n + "~\r\nGE*1*" + n + "~IEA*1*00000000" + n + "~\r\n";
    }
    return out;
}

struct Converted {
    std::string output, log;
    bool failed = false;
    bool operator==(const Converted&) const = default;
};

Converted convertIn(const zrtest::TempDir& dir, const std::string& source, const std::string& type,
                    const std::string& options, const std::string& map, unsigned threads, std::size_t partBytes,
                    std::size_t partsBudget = 0) {
    zr::EngineRequest r;
    r.spec.parseType = type;
    r.type = zr::conversionTypeOf(r.spec.parseType);
    r.spec.sourceFile = source;
    r.spec.destinationFile = dir.file("out");
    r.spec.parseOptions = options;
    r.options = zr::parseOptions(options);
    r.options.map = map;
    r.clock = [] { return std::string("10:20:30"); };
    r.threads = threads;
    r.partBytes = partBytes;
    r.partsBudget = partsBudget;
    const zr::EngineResult result = zr::CTL48400A(r);
    Converted c{zrtest::readBytes(dir.file("out")), result.log, result.failed};
    fs::remove(dir.file("out"));
    return c;
}

// Whatever the threads and the size of the parts, the output and the log
// are those of one thread reading the whole source.
void expectSameWithParts(const zrtest::TempDir& dir, const std::string& source, const std::string& map,
                         const std::string& label, const std::vector<std::string>& optionSets = {"HO", "SL"},
                         const std::vector<std::size_t>& parts = {64, 700, 5000}) {
    for (const char* type : {"X12,CSV", "X12,XML"})
        for (const std::string& options : optionSets) {
            const Converted alone = convertIn(dir, source, type, options, map, 1, 0);
            for (std::size_t part : parts)
                EXPECT_EQ(convertIn(dir, source, type, options, map, 3, part), alone)
                    << label << " " << type << " " << options << " in parts of " << part;
        }
}

TEST(SetsSideBySide, GiveTheOutputOfOneThread) {
    zrtest::PromptRecorder prompts;
    zrtest::TempDir dir;
    dir.write("sets.x12", manySets(40));
    dir.write("map.cfg", kMap);
    expectSameWithParts(dir, dir.file("sets.x12"), dir.file("map.cfg"), "sets");
}

// The parts alive are bounded by the bytes they hold, input and output (a
// source of large sets makes large parts): however few fit, the output is
// that of one thread.
TEST(SetsSideBySide, PartsBoundedByTheirBytesGiveTheOutputOfOneThread) {
    zrtest::PromptRecorder prompts;
    zrtest::TempDir dir;
    dir.write("sets.x12", manySets(40));
    dir.write("map.cfg", kMap);
    for (const char* type : {"X12,CSV", "X12,XML"}) {
        const Converted alone = convertIn(dir, dir.file("sets.x12"), type, "HO", dir.file("map.cfg"), 1, 0);
        for (std::size_t budget : {std::size_t{1}, std::size_t{3000}, std::size_t{20000}})
            EXPECT_EQ(convertIn(dir, dir.file("sets.x12"), type, "HO", dir.file("map.cfg"), 3, 700, budget), alone)
                << type << " within " << budget << " bytes";
    }
}

// A part converted before the parts ahead of it assumes what every set end
// leaves; where the true state differs (an occurrence counted past the last
// record of a set, a previous-segment test that looks back past the part's
// start), the part is converted again and the output stays the same.
// Interchanges with delimiters of their own (another terminator, element
// or component separator) read side by side as they read alone.
TEST(SetsSideBySide, InterchangesWithTheirOwnDelimiters) {
    zrtest::PromptRecorder prompts;
    zrtest::TempDir dir;
    const std::string folder = std::string(ZR_FIXTURES) + "/engine/interchange_delimiters/";
    std::string source;
    for (int k = 0; k < 20; ++k) source += zrtest::readBytes(folder + "source.x12") + "\r\n" + manySets(3);
    source += "End of batch\r\n";  // logged once as ignored, however the source is read
    dir.write("mixed.x12", source);
    dir.write("map.cfg", zrtest::readBytes(folder + "map.cfg"));
    const Converted alone = convertIn(dir, dir.file("mixed.x12"), "X12,CSV", "", dir.file("map.cfg"), 1, 0);
    EXPECT_NE(alone.output.find("CLINIC,JONES,,B2,50,99214,50"), std::string::npos) << alone.output;
    EXPECT_NE(alone.output.find("CLINIC,BROWN,,C3,25,87880,25"), std::string::npos) << alone.output;
    EXPECT_NE(alone.log.find("Text After the Last Segment Ignored : 12 Bytes"), std::string::npos) << alone.log;
    expectSameWithParts(dir, dir.file("mixed.x12"), dir.file("map.cfg"), "mixed", {"HO", "ML"});
}

TEST(SetsSideBySide, StateCarriedPastASetEndIsHonoured) {
    zrtest::PromptRecorder prompts;
    zrtest::TempDir dir;
    dir.write("sets.x12", manySets(30));
    const std::string carried[] = {
        // Every second GE since the last record: sets without claims leave
        // the count running past their end.
        "FIELD=SECONDGE,10,GE,,,2,,,2\r\n",
        // ST after an SE within the last eight segments.
        "FIELD=SOURCENAME,200,ISA,,,1,,,,5\r\nFIELD=AFTERSE,10,ST,,,2,,SOURCENAME,,,,,,,,SE\r\n",
    };
    for (const std::string& fields : carried) {
        dir.write("map.cfg", std::string(kMap) + fields);
        // The last column takes values in some records, not in all.
        const Converted alone = convertIn(dir, dir.file("sets.x12"), "X12,CSV", "", dir.file("map.cfg"), 1, 0);
        int filled = 0, rows = 0;
        for (std::size_t at = 0; at < alone.output.size(); ++rows) {
            const std::size_t end = alone.output.find("\r\n", at);
            filled += alone.output[end - 1] != ',';
            at = end + 2;
        }
        EXPECT_GT(filled, 2) << fields;
        EXPECT_LT(filled, rows) << fields;
        expectSameWithParts(dir, dir.file("sets.x12"), dir.file("map.cfg"), fields);
    }
}

// Function files are read once per run and shared by its threads: a map
// that calls them converts in parts to the bytes of one thread.
TEST(SetsSideBySide, FunctionFilesGiveTheOutputOfOneThread) {
    zrtest::PromptRecorder prompts;
    zrtest::TempDir dir;
    dir.write("sets.x12", manySets(40));
    dir.write("claims.csv", "1,one\r\n2,two,2\r\n3,three\r\n");
    dir.write("lookup.txt", "CALLDLL=ignored\r\nCSVTABLE=" + dir.file("claims.csv") + "\r\n");
    dir.write("whole.txt", "RETURNSEGMENT\r\n");
    dir.write("map.cfg", std::string(kMap) + "FIELD=LOOKED,20,CLM,,,1,,,,,,,,," + dir.file("lookup.txt") +
                             "\r\nFIELD=SEGMENT,40,NM1,IL,2,3,,,,,,,,," + dir.file("whole.txt") + "\r\n");
    const Converted alone = convertIn(dir, dir.file("sets.x12"), "X12,CSV", "", dir.file("map.cfg"), 1, 0);
    // The files were applied: looked-up values and whole segments are there.
    EXPECT_THAT(alone.output, HasSubstr("two2"));
    EXPECT_THAT(alone.output, HasSubstr("NM1*IL*1*NAME"));
    expectSameWithParts(dir, dir.file("sets.x12"), dir.file("map.cfg"), "function files");
}

TEST(SetsSideBySide, EverySharedSampleGivesTheOutputOfOneThread) {
    ZR_REQUIRE_SAMPLES();
    zrtest::PromptRecorder prompts;
    const std::string samples = ZR_SAMPLES;
    std::ifstream in(samples + "/README.md", std::ios::binary);
    int compared = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("| `", 0) != 0) continue;
        const std::string file = line.substr(3, line.find('`', 3) - 3);
        // Samples of one set have no set end to cut at before the last.
        const zr::SegmentTable t = zr::loadSegmentTable(
            samples + "/" + file, zr::locateDelimiters(samples + "/" + file).value_or(zr::X12Delimiters{}));
        std::size_t sets = 0;
        for (std::size_t r = 1; r <= t.size(); ++r) sets += t.id(r) == "SE";
        if (sets < 2) continue;
        zrtest::TempDir dir;
        const fs::path previous = fs::current_path();
        fs::current_path(dir.path());
        // The default map, chosen and written here by a first run.
        convertIn(dir, samples + "/" + file, "X12,CSV", "HO", "", 1, 0);
        std::string map;
        for (const auto& e : fs::directory_iterator(dir.path()))
            if (e.path().extension() == ".cfg") map = e.path().string();
        fs::current_path(previous);
        if (map.empty()) continue;
        // Parts of a few hundred bytes cut most samples at every set end.
        expectSameWithParts(dir, samples + "/" + file, map, file, {"HO"}, {300, 4000});
        ++compared;
    }
    EXPECT_GE(compared, 6);
}

TEST_F(EngineTest, XmlOutputOfControlCharactersIsWellFormedAndLogged) {
    std::string source = twoClaims();
    source.replace(source.find("SMITH"), 5, std::string("SM\0T\x02", 5));
    source.replace(source.find("JONES"), 5, "JO\x1B" "ES");
    dir_.write("source.x12", source);
    zr::EngineResult result = zr::CTL48400A(request("X12,XML", "out.xml"));
    EXPECT_FALSE(result.failed);
    const std::string xml = zrtest::readBytes("out.xml");
    EXPECT_THAT(xml, HasSubstr("<SUBNAME>SM?T?</SUBNAME>"));
    EXPECT_THAT(xml, HasSubstr("<SUBNAME>JO?ES</SUBNAME>"));
    for (char c : xml) EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 || c == '\r' || c == '\n' || c == '\t');
    // The first occurrence is logged, once.
    const std::string line = "10:20:30 - XML Control Character Replaced : Field SUBNAME\r\n";
    EXPECT_THAT(result.log, HasSubstr(line));
    EXPECT_EQ(result.log.find(line), result.log.rfind(line));
}

#ifdef __linux__
TEST_F(EngineTest, ADeleteOfTheSourceThatFailsIsLogged) {
    // A kernel file can be read but never deleted, not even by root.
    if (!fs::is_regular_file("/proc/version")) GTEST_SKIP() << "no /proc/version";
    // (It is no X12, so the end of a conversion is called directly.)
    zr::EngineRequest r = request();
    r.spec.sourceFile = "/proc/version";
    r.options.deleteSource = true;
    dir_.write("out.csv", "A1\r\n");
    zr::RunLog log(r.clock);
    zr::DebugTrace trace(false);
    zr::finishConversion(r, "out.csv", "", true, log, trace);
    EXPECT_THAT(log.text(), HasSubstr("10:20:30 - DS : Source Not Deleted : /proc/version\r\n"));
    ASSERT_EQ(prompts_.texts().size(), 1u);
    EXPECT_EQ(prompts_.texts()[0], "\r\nDS : Source Not Deleted : /proc/version");
}
#endif

}  // namespace
