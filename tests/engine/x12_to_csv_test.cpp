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
#include "xml_entities.hpp"
#include "conversion_engine.hpp"
#include "x12_to_csv.hpp"

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::EndsWith;
using ::testing::Not;
using ::testing::StartsWith;

const char kIsa[] = "ISA*00*          *00*          *ZZ*SUBMITTER      *ZZ*RECEIVER       *261210*1253*^*00501*000000001*0*P*:~";

// A source of two claims with one and two service lines.
std::string twoClaims() {
    return std::string(kIsa) +
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

TEST_F(EngineTest, NoGsVersionInTheSourceGivesTheMissingMapReportWithAnEmptyName) {
    // A transaction without a built-in map: ST01 cannot choose one either.
    dir_.write("source.x12", std::string(kIsa) + "ST*850*0001~SE*1*0001~");
    zr::EngineRequest r = request();
    r.options.map = "";
    zr::EngineResult result = zr::CTL48400A(r);
    EXPECT_TRUE(result.failed);
    EXPECT_THAT(result.log, HasSubstr("Map File Set B to \r\n"));
    EXPECT_THAT(result.log, HasSubstr(" Mapping Error : .CFG Missing or Empty.\r\n10:20:30 - Error File  = \r\n"));
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
    std::optional<int> mode;
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
    if (GetParam().mode == 0) {
        EXPECT_EQ(events.front().text, "Loading File source.x12");
        EXPECT_EQ(events.front().caption, "Please Wait..");
        EXPECT_EQ(events.back().kind, zr::MeterEvent::Kind::Close);
        EXPECT_DOUBLE_EQ(events[events.size() - 2].value, 100.0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, EngineMeter,
    ::testing::Values(MeterCase{0, {zr::MeterEvent::Kind::Open, zr::MeterEvent::Kind::Set}, 100},
                      MeterCase{2, {zr::MeterEvent::Kind::SetAlways}, 100}, MeterCase{std::nullopt, {}, 0}));

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
    for (int i = 0; i < 3000; ++i) body += "HL*" + std::to_string(i + 2) + "*1*22*0~NM1*IL*1*N" + std::to_string(i) + "~";
    dir_.write("source.x12", std::string(kIsa) + "ST*837*1~" + body + "SE*1*1~");
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
    dir_.write("source.x12", std::string(kIsa) + "ST*837*1~" + body + "SE*1*1~");
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
                      NotClean{"two_claims.x12", "needs_subscriber_id.cfg", false, "Claims Not Collected : 2"},
                      NotClean{"cut_in_claim.x12", "claims.cfg", false, "Source Ends Inside a Transaction Set (no SE)"},
                      NotClean{"no_iea.x12", "claims.cfg", false, "Source Ends Without GE/IEA"},
                      NotClean{"isa_only.x12", "claims.cfg", true, "Source Is Not X12 (its ISA header is cut short)"},
                      NotClean{"isa_80_bytes.x12", "claims.cfg", true, "Source Is Not X12 (its ISA header is cut short)"},
                      NotClean{"no_terminators.x12", "claims.cfg", true,
                               "No Segment Terminator Found After the ISA Header (terminator \"~\")"}));

// Lines past the map's slots are reported per claim, with the way to keep them.
TEST_F(EngineTest, ServiceLinesBeyondTheMapAreReportedPerClaim) {
    dir_.write("map.cfg", std::string(kMap));  // one line slot; claim B2 has two lines
    zr::EngineResult r = zr::CTL48400A(request());
    EXPECT_FALSE(r.failed);
    ASSERT_EQ(r.problems.size(), 3u) << r.log;
    EXPECT_THAT(r.problems[0], HasSubstr("Service Lines Lost : 1 Claims"));
    EXPECT_THAT(r.problems[1], HasSubstr("Claim B2 : 2 Service Lines, Map Holds 1"));
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

// ---------------------------------------------------------------------------
// Transaction sets converted side by side

// Interchanges of one set each, with claims whose loops vary, so that parts
// cut at set ends begin in many states; every third set holds no claim.
std::string manySets(int sets) {
    std::string out;
    for (int s = 1; s <= sets; ++s) {
        const std::string n = std::to_string(s);
        out += std::string(kIsa) + "\r\nGS*HC*S*R*20261210*1253*" + n + "*X*005010X222A2~ST*837*" + n + "~";
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
                    const std::string& options, const std::string& map, unsigned threads, std::size_t partBytes) {
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

// A part converted before the parts ahead of it assumes what every set end
// leaves; where the true state differs (an occurrence counted past the last
// record of a set, a previous-segment test that looks back past the part's
// start), the part is converted again and the output stays the same.
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

// ---------------------------------------------------------------------------
// Pieces

TEST(SegmentScan, CleansSegmentsInPlaceSoThatASecondWalkSeesTheSame) {
    std::string bytes = "AB*1,2~\r\nCD*3\r\n4~~EF";
    auto walk = [&] {
        std::vector<std::string> out;
        zr::forEachSegment(bytes, '~', [&](std::string_view t, std::size_t) { out.emplace_back(t); });
        return out;
    };
    const std::vector<std::string> expected{"AB*1 2", "CD*34", ""};
    EXPECT_EQ(walk(), expected);
    EXPECT_EQ(walk(), expected);
}

TEST(SegmentScan, TerminatorsThatAreLineBreaksBlanksOrCommas) {
    struct Case {
        char terminator;
        std::string bytes;
        std::vector<std::string> segments;
    };
    const Case cases[] = {
        {'\n', "A*1\r\nB*2\n", {"A*1", "B*2"}},
        {' ', "A,B C", {"A", "B"}},  // a comma turns blank before the test
        {',', "A,B,C", {}},          // and so never ends a segment
    };
    for (Case c : cases) {
        std::vector<std::string> out;
        zr::forEachSegment(c.bytes, c.terminator, [&](std::string_view t, std::size_t) { out.emplace_back(t); });
        EXPECT_EQ(out, c.segments) << int(c.terminator);
    }
}

zr::FieldRow field(const std::string& line) {
    zr::MapFile m = zr::parseMapText("FIELD=" + line + "\r\n");
    return m.fields.at(0);
}

// Values seen in place survive the text they pointed into once owned.
TEST(FieldCollection, OwnedViewsOutliveTheirBlock) {
    zr::FieldTable t(std::vector<zr::FieldRow>{field("NAME,NM1,,,3"), field("ID,NM1,,,9")});
    std::string block = "NM1*85*2*SMITH";
    t.setValue(0, std::string_view(block).substr(9, 5));
    zr::FieldTable::Snapshot s;
    t.snapshot(s);
    t.ownViews();
    zr::FieldTable::ownViews(s);
    zr::SegmentHistory h;
    h.push(block);
    h.own();
    block.assign(block.size(), 'x');
    EXPECT_EQ(t.value(0), "SMITH");
    EXPECT_EQ(h.entry(0), "NM1*85*2*SMITH");
    t.clearAll();
    t.restore(s);
    EXPECT_EQ(t.value(0), "SMITH");
}


// Collects fields from one segment at line 0, the segment alone in the
// history. Values are views into the text: it must outlive the table (a
// string literal does).
void collect(zr::FieldTable& t, std::string_view text) {
    zr::SegmentView s;
    s.reset(text, '*');
    zr::SegmentHistory h;
    h.push(text);
    zr::CollectContext c{s, h, '*', ':', 0};
    zr::CTL48400B(t, c);
}

TEST(FieldCollection, AtLineZeroTheWalkStepsOverLineFieldsOnlyAtItsPosition) {
    // CLAIM matches nothing in an SV1; the search from it finds AMT1 (line
    // 1, no condition) and takes it although the segment is at line 0.
    zr::FieldTable t({field("CLAIM,5,CLM,,,1"), field("AMT1,5,SV1,,,2,,,,,1"), field("AMT2,5,SV1,,,2,,,,,2")});
    collect(t, "SV1*HC:1*40");
    EXPECT_EQ(t.value(1), "40");
    EXPECT_EQ(t.value(2), "");
}

TEST(FieldCollection, PreviousSegmentTestTakesTheNewestEntryOfThatId) {
    zr::FieldTable t({field("ID,5,NM1,,,9"), field("ADDR,5,N3,,,1,,ID,,,,,,,,NM1,IL,2,PAY"), field("PAY,5,XX,,,1")});
    t.setValue(0, "W1");
    std::string nm1pr = "NM1*PR*2", nm1il = "NM1*IL*1", n3 = "N3*12 OAK";
    zr::SegmentView s;
    s.reset(n3, '*');
    zr::SegmentHistory h;
    h.push(nm1il);
    h.push(nm1pr);  // the newest NM1 is the payer's: the test fails
    h.push(n3);
    zr::CollectContext c{s, h, '*', ':', 0};
    zr::CTL48400B(t, c);
    EXPECT_EQ(t.value(1), "");
    h.push(nm1il);
    h.push(n3);
    zr::CTL48400B(t, c);
    EXPECT_EQ(t.value(1), "12 OAK");
}

TEST(FieldCollection, ConditionNamingNoFieldStopsOnlyFieldsWithoutQualifier) {
    zr::FieldTable t({field("A,5,NM1,,,3,,NOSUCH"), field("B,5,NM1,IL,2,3,,NOSUCH")});
    collect(t, "NM1*IL*1*SMITH");
    EXPECT_EQ(t.value(0), "");
    EXPECT_EQ(t.value(1), "SMITH");
}

TEST(FieldCollection, SegmentIdsMatchFieldsWhoseSegmentItemBeginsWithThem) {
    zr::FieldTable t({field("A,5,NM1,,,1"), field("B,5,N,,,1,,,,,2"), field("C,5,NM,,,0")});
    auto fields = [&](std::string_view id) {
        std::vector<std::pair<int, int>> out;
        for (const zr::Candidate& k : t.candidates(id)) out.push_back({k.field, k.onlyAtLine});
        return out;
    };
    using V = std::vector<std::pair<int, int>>;
    EXPECT_EQ(fields("NM"), (V{{0, -1}, {2, 0}}));  // C takes no element: never
    EXPECT_EQ(fields("N"), (V{{0, -1}, {1, -1}, {2, 0}}));  // no condition: any line
    EXPECT_EQ(fields("NM1X"), V{});
    EXPECT_EQ(fields("SEGMENTIDLONG"), V{});
}

TEST(RecordWriter, NothingIsWrittenOrClearedWithoutAValue) {
    zr::FieldTable t({field("A,5,NM1,,,1"), field("F,5,,,,,,,,5")});
    zr::fillFileNames(t, "in.x12", "out.csv");
    t.counters[0] = 3;
    std::string out;
    EXPECT_FALSE(zr::CTL48400C(t, {}, out));
    EXPECT_EQ(out, "");
    EXPECT_EQ(t.value(1), "in.x12");
}

TEST(RecordWriter, LineRowsCountLinesHoldingAValue) {
    zr::FieldTable t({field("C,5,CLM,,,1"), field("P1,5,SV1,,,1,,,,,1"), field("P2,5,SV1,,,1,,,,,2"),
                      field("P3,5,SV1,,,1,,,,,3")});
    t.setValue(0, "X");
    EXPECT_EQ(zr::serviceLineRows(t), 1);
    t.setValue(1, "1");
    t.setValue(3, "3");
    EXPECT_EQ(zr::serviceLineRows(t), 2);
}

TEST(XmlEscape, EscapesTheThreeMarkupCharactersInValuesAndNames) {
    std::string out;
    zr::appendXmlEscaped(out, "A&B <C> D");
    EXPECT_EQ(out, "A&amp;B &lt;C&gt; D");
    zr::FieldTable t({field("R&D,5,NM1,,,1")});
    t.setValue(0, "<x>");
    out.clear();
    zr::CTL48400C(t, {true, false}, out);
    EXPECT_EQ(out, "<CLAIM>\r\n<R&amp;D>&lt;x&gt;</R&amp;D>\r\n</CLAIM>\r\n");
}

TEST(XmlEscape, ControlCharactersThatXmlForbidsAreReplaced) {
    std::string out;
    EXPECT_TRUE(zr::appendXmlEscaped(out, std::string("A\0B\x01\x1F\tC\r\nD\x7F", 11)));
    EXPECT_EQ(out, "A?B??\tC\r\nD\x7F");
    out.clear();
    EXPECT_FALSE(zr::appendXmlEscaped(out, "plain \xC4"));
}

// A UTF-8 source's text keeps its meaning in the ISO-8859-1 document as
// character references; single code-page bytes stay as they are.
TEST(XmlEscape, Utf8TextIsWrittenAsCharacterReferences) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"M\xC3\x9CLLER", "M&#220;LLER"},                   // two bytes
        {"\xE2\x82\xAC 5", "&#8364; 5"},                    // three bytes
        {"\xF0\x9F\x98\x80", "&#128512;"},                   // four bytes
        {"M\xDCLLER", "M\xDCLLER"},                          // code page 1252
        {"\xC3", "\xC3"},                                    // cut short at the end
        {"\xC0\x80 \xED\xA0\x80 \xF8\x88\x80\x80\x80", "\xC0\x80 \xED\xA0\x80 \xF8\x88\x80\x80\x80"},  // overlong, surrogate, too long
        {"\xC3\x9C&<", "&#220;&amp;&lt;"},
    };
    for (const Case& c : cases) {
        std::string out;
        EXPECT_FALSE(zr::appendXmlEscaped(out, c.in)) << c.in;
        EXPECT_EQ(out, c.out) << c.in;
    }
    // Read back, the reference is the code page's byte.
    EXPECT_EQ(zr::decodeXmlText("M&#220;LLER"), "M\xDCLLER");
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

TEST(FunctionFiles, AChangedFileIsReadAgainInTheNextRun) {
    zrtest::TempDir dir;
    const fs::path previous = fs::current_path();
    fs::current_path(dir.path());
    dir.write("fn.txt", "CSVTABLE=t.csv\r\n");
    dir.write("t.csv", "A,first\r\n");
    zr::FunctionFiles f;
    f.beginRun();
    EXPECT_EQ(f.apply("fn.txt", "AB", "SEG"), "first");
    dir.write("t.csv", "A,second,x\r\n");
    EXPECT_EQ(f.apply("fn.txt", "AB", "SEG"), "first");  // once per run
    f.beginRun();
    EXPECT_EQ(f.apply("fn.txt", "AB", "SEG"), "secondx");
    EXPECT_EQ(f.apply("userdef.dll", "AB", "SEG"), "AB");
    EXPECT_EQ(f.apply("missing.txt", "AB", "SEG"), "AB");
    fs::current_path(previous);
}

TEST(OutputFile, AFailedMergeCutsTheFileBackToWhatItHeld) {
    zrtest::TempDir dir;
    const std::string path = dir.write("out.xml", "<EXPORTDATA>\r\n<CLAIM>\r\n</CLAIM>\r\n</EXPORTDATA>\r\n");
    {
        zr::OutputFile out;
        ASSERT_EQ(out.append(path, "</EXPORTDATA>"), 0);
        out.write("<CLAIM>\r\n");
        out.abandon();
    }
    EXPECT_EQ(zrtest::readBytes(path), "<EXPORTDATA>\r\n<CLAIM>\r\n</CLAIM>\r\n</EXPORTDATA>\r\n");
    {
        zr::OutputFile out;
        ASSERT_EQ(out.append(path, "</EXPORTDATA>"), 0);
        out.write("<C2/>\r\n</EXPORTDATA>\r\n");
        EXPECT_EQ(out.commit(), 0);
    }
    EXPECT_EQ(zrtest::readBytes(path), "<EXPORTDATA>\r\n<CLAIM>\r\n</CLAIM>\r\n<C2/>\r\n</EXPORTDATA>\r\n");
}

#ifndef _WIN32
// A write that fails (a full device) is reported by its code, never taken
// for success. Appending opens the device in place: nothing is created there.
TEST(OutputFile, AFailedWriteIsReportedByItsCode) {
    if (!fs::is_character_file("/dev/full")) GTEST_SKIP() << "no /dev/full";
    zr::OutputFile out;
    ASSERT_EQ(out.append("/dev/full"), 0);
    out.write("A,B\r\n");
    EXPECT_EQ(out.commit(), 112);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}
#endif

TEST(OutputFile, ANewFileAppearsOnlyWhenComplete) {
    zrtest::TempDir dir;
    const std::string path = dir.write("out.csv", "OLD\r\n");
    {
        zr::OutputFile out;
        ASSERT_EQ(out.create(path), 0);
        out.write("NEW\r\n");
        EXPECT_EQ(zrtest::readBytes(path), "OLD\r\n");
    }  // abandoned
    EXPECT_EQ(zrtest::readBytes(path), "OLD\r\n");
    EXPECT_FALSE(fs::exists(path + ".zrtmp"));
}

TEST(TableConfig, ReadsEntriesAndNamesTheMapOfTheSourcesType) {
    zrtest::TempDir dir;
    const std::string config = dir.write("tables.cfg",
                                         "TABLE=CLAIMS\r\nTRANSACTIONTYPE=837P\r\nSERVER=srv\r\nUSER=u\r\n"
                                         "FIELD=A\r\nFIELD=B\r\n837P=my837.cfg\r\n");
    const zr::TableConfig t = zr::CTLD48400AD(config);
    ASSERT_EQ(t.entries.size(), 1u);
    EXPECT_EQ(t.entries[0].name, "CLAIMS");
    EXPECT_EQ(t.entries[0].transactionType, "837P");
    EXPECT_EQ(t.entries[0].server, "srv");
    EXPECT_EQ(t.entries[0].fields, "A\r\nB\r\n");
    const std::string source = dir.write("s.x12", std::string(kIsa) + "GS*HC~ST*837*1~SE*1*1~");
    EXPECT_EQ(zr::CTLD48400AE(config, "", source), "my837.cfg");
    EXPECT_EQ(zr::CTLD48400AE(config, "given.cfg", source), "given.cfg");
    EXPECT_EQ(zr::CTLD48400AE("", "", source), "");
}

TEST(NoCallerRoutines, PieceTestAndSegmentClear) {
    EXPECT_EQ(zr::CTL48400O("ABCDE", "CD"), "CD");
    EXPECT_EQ(zr::CTL48400O("ABCDE", "X"), "");
    zr::FieldTable t({field("A,5,NM1,,,1"), field("B,5,N3,,,1")});
    t.setValue(0, "a");
    t.setValue(1, "b");
    zr::CTL48400AC(t, "NM1");
    EXPECT_EQ(t.value(0), "");
    EXPECT_EQ(t.value(1), "b");
}

}  // namespace
