#include <gtest/gtest.h>

#include <filesystem>

#include "claim_index.hpp"
#include "progress_meter.hpp"
#include "segment_table.hpp"
#include "x12_fixtures.hpp"

namespace {

using zrtest::columnOf;
using zrtest::loadX12;
using zrtest::x12Fixture;
using zrtest::x12Text;
using Strings = std::vector<std::string>;

// Columns 1, 3 and 4 of every row of the two-claim 837P.
struct RowWant {
    const char* id;
    const char* level;
    const char* loop;
};
const RowWant k837pRows[] = {
    {"ISA", "1", ""},       {"GS", "2", ""},           {"ST", "3", ""},           {"BHT", "4", ""},
    {"NM1", "4", "1000A"},  {"PER", "4", "1000A"},     {"NM1", "4", "1000B"},     {"HL", "4", "---------"},
    {"PRV", "4", "1000B"},  {"NM1", "4", "2010AA"},    {"N3", "4", "2010AA"},     {"N4", "4", "2010AA"},
    {"REF", "4", ""},       {"HL", "4", "2000B"},      {"SBR", "6", "2000B"},     {"NM1", "6", "2010BA"},
    {"N3", "6", "2010BA"},  {"N4", "6", "2010BA"},     {"DMG", "6", "2010BA"},    {"NM1", "6", "2010BB"},
    {"CLM", "8", "2300"},   {"HI", "8", "2300"},       {"LX", "9", "2400"},       {"SV1", "9", "2400"},
    {"DTP", "9", "2400"},   {"LX", "9", "2400"},       {"SV1", "9", "2400"},      {"DTP", "9", "2400"},
    {"HL", "9", "2000B"},   {"SBR", "6", "2000B"},     {"NM1", "6", "2010BA"},    {"N3", "6", "2010BA"},
    {"N4", "6", "2010BA"},  {"DMG", "6", "2010BA"},    {"NM1", "6", "2010BB"},    {"CLM", "8", "2300"},
    {"HI", "8", "2300"},    {"LX", "9", "2400"},       {"SV1", "9", "2400"},      {"DTP", "9", "2400"},
    {"SE", "3", ""},        {"GE", "2", ""},           {"IEA", "1", ""},
};

void expect837pRows(const zr::SegmentTable& t, const std::string& what) {
    ASSERT_EQ(t.size(), std::size(k837pRows)) << what;
    for (std::size_t r = 1; r <= t.size(); ++r) {
        const RowWant& w = k837pRows[r - 1];
        EXPECT_EQ(t.column(r, 1), w.id) << what << " row " << r;
        EXPECT_EQ(t.column(r, 3), w.level) << what << " row " << r;
        EXPECT_EQ(t.column(r, 4), w.loop) << what << " row " << r;
        EXPECT_EQ(t.column(r, 7), "") << what;
        EXPECT_EQ(t.segmentNotes(r), Strings{""});
    }
}

// Where the HL and CLP ids stand in the file, 1-based.
Strings idPositions(const std::string& bytes, const zr::SegmentTable& t) {
    Strings out;
    std::size_t from = 0;
    for (std::size_t r = 1; r <= t.size(); ++r) {
        std::string id(t.id(r));
        std::size_t at = bytes.find(id, from);
        out.push_back(id == "HL" || id == "CLP" ? std::to_string(at + 1) : "");
        from = bytes.find('~', at) + 1;
    }
    return out;
}

TEST(SegmentTableLoader, LevelsLoopsAndTextOf837p) {
    const std::string path = x12Fixture("837p_two_claims.x12");
    auto t = loadX12(path);
    expect837pRows(t, "plain");
    EXPECT_EQ(t.column(1, 2).size(), 105u);
    EXPECT_EQ(t.column(43, 2), "IEA*1*000000001");  // the file ends with IEA's terminator
    EXPECT_EQ(t.column(32, 2), "N3*45 ELM ST  APT 2");  // a comma becomes a blank
    EXPECT_EQ(t.column(1, 13), "~*:");
    EXPECT_EQ(columnOf(t, 9), idPositions(zrtest::readBytes(path), t));
}

TEST(SegmentTableLoader, LineBreaksAfterTerminatorsStayAtTheTextStart) {
    const std::string path = x12Fixture("837p_two_claims_crlf.x12");
    auto t = loadX12(path);
    expect837pRows(t, "crlf");
    EXPECT_EQ(t.column(1, 2).substr(0, 3), "ISA");
    for (std::size_t r = 2; r <= t.size(); ++r) EXPECT_EQ(t.column(r, 2).substr(0, 2), "\r\n") << r;
    EXPECT_EQ(columnOf(t, 9), idPositions(zrtest::readBytes(path), t));
}

TEST(SegmentTableLoader, ClaimNumbersOf837p) {
    auto t = loadX12(x12Fixture("837p_two_claims.x12"));
    for (std::size_t r = 1; r <= t.size(); ++r) {
        std::string want = r < 14 ? "" : r < 29 ? "1" : "2";
        EXPECT_EQ(t.column(r, 8), want) << r;
        EXPECT_EQ(t.column(r, 10), want) << r;
        EXPECT_EQ(t.column(r, 11), want) << r;
        EXPECT_EQ(t.column(r, 12), r < 8 ? "0" : "1") << r;
    }
    EXPECT_EQ(zr::CTL39400C(t, 1), (zr::ClaimIndex{14, 29}));
}

TEST(SegmentTableLoader, EdgesOfTheByteWalk) {
    zrtest::TempDir dir;
    zrtest::PromptRecorder rec;
    // A last segment without a terminator is not stored.
    auto t = loadX12(dir.write("tail.x12", x12Text({"GS*HC"}) + "IEA*1"));
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t.column(2, 1), "GS");
    // A comma as element separator: the ids never complete.
    std::string comma = x12Text({"GS,HC", "ST,837"});
    comma[103] = ',';
    t = loadX12(dir.write("comma.x12", comma));
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(columnOf(t, 1), (Strings{"", "", ""}));
    EXPECT_EQ(columnOf(t, 3), (Strings{"", "", ""}));
    // Ids are trimmed on both sides, texts are not.
    t = loadX12(dir.write("blanks.x12", x12Text({"\t GS  *HC"})));
    EXPECT_EQ(t.column(2, 1), "GS");
    EXPECT_EQ(t.column(2, 2), "\t GS  *HC");
    EXPECT_EQ(t.column(2, 3), "2");
    // A prefix test: a 277 STC takes the level of ST.
    t = loadX12(dir.write("stc.x12", x12Text({"BHT*0010", "STC*A1:20"})));
    EXPECT_EQ(columnOf(t, 3), (Strings{"1", "4", "3"}));
    // A terminator of several bytes (one UTF-8 character): all of them end
    // the segment, none begins the next.
    zr::X12Delimiters ellipsis;
    ellipsis.terminator = "\xE2\x80\xA6";
    t = zr::loadSegmentTable(dir.write("ellipsis.x12", "GS*HC\xE2\x80\xA6\nST*214\xE2\x80\xA6\xE2\x80"), ellipsis);
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(columnOf(t, 1), (Strings{"GS", "ST", ""}));
    EXPECT_EQ(t.column(2, 2), "\nST*214");
    // An empty file has no buffer to walk: no rows, whatever the delimiters.
    for (const char* terminator : {"~", ""}) {
        zr::X12Delimiters delimiters;
        delimiters.terminator = terminator;
        t = zr::loadSegmentTable(dir.write("empty.x12", ""), delimiters);
        EXPECT_EQ(t.size(), 0u);
    }
    EXPECT_TRUE(rec.prompts().empty());
}

TEST(SegmentTableLoader, MissingFileKeepsItsRowsAndSaysSo) {
    zrtest::TempDir dir;
    zrtest::PromptRecorder rec;
    const std::string path = dir.file("gone.x12");
    auto t = zr::CTL39400B(path, 3, zr::X12Delimiters{});
    EXPECT_EQ(t.size(), 3u);
    EXPECT_EQ(columnOf(t, 2), (Strings{"", "", ""}));
    EXPECT_EQ(t.column(3, 13), "~*>");
    ASSERT_EQ(rec.texts().size(), 1u);
    EXPECT_EQ(rec.texts()[0], "\r\n" + path + " File Not Found (1)");
    EXPECT_EQ(zr::CTL39400I(path, 0, ">", "*", "~"), 0u);
    EXPECT_EQ(zr::CTL39400C(t, 1), (zr::ClaimIndex{1}));
}

// A source cut short by another program after it was loaded (a transfer
// restarted, a log rotated) leaves the loaded rows whole: the file is read,
// not mapped, so touching its text never ends the process.
TEST(SegmentTableLoader, ASourceCutAfterTheLoadKeepsTheLoadedText) {
    zrtest::TempDir dir;
    std::string text = "ISA*00~GS*HC~ST*837*1~";
    while (text.size() < (1u << 20)) text += "NM1*IL*1*SMITH*JOHN~";
    text += "SE*3*1~GE*1~IEA*1~";
    const std::string path = dir.write("cut.x12", text);
    const zr::SegmentTable t = zr::loadSegmentTable(path, zr::X12Delimiters{});
    ASSERT_GT(t.size(), 3u);
    // Windows refuses to cut a file it has mapped; elsewhere the cut is made.
    std::error_code cut;
    std::filesystem::resize_file(path, 0, cut);
#ifndef _WIN32
    ASSERT_FALSE(cut) << cut.message();
#endif
    std::size_t bytes = 0;
    for (std::size_t r = 1; r <= t.size(); ++r) bytes += t.text(r).size();
    EXPECT_GT(bytes, 900000u);  // every row read, terminators aside
    EXPECT_EQ(t.text(t.size() - 2).substr(0, 6), "SE*3*1");
}

// The model's load says nothing itself: it hands back what went wrong and
// reports its progress to whoever asks.
TEST(SegmentTableLoader, ModelLoadReturnsItsFailuresAndProgress) {
    zrtest::TempDir dir;
    zrtest::PromptRecorder rec;
    std::vector<zr::MeterEvent> events;
    auto old = zr::setMeterObserver([&](const zr::MeterEvent& e) { events.push_back(e); });
    const zr::TableLoad gone = zr::readSegmentTable(dir.file("gone.x12"), 2, zr::X12Delimiters{});
    EXPECT_TRUE(gone.missing);
    EXPECT_EQ(gone.table.size(), 2u);
    std::vector<double> seen;
    const zr::TableLoad read = zr::readSegmentTable(x12Fixture("837p_two_claims.x12"), std::nullopt,
                                                    zr::X12Delimiters{}, 0, [&](double p) { seen.push_back(p); });
    zr::setMeterObserver(old);
    EXPECT_FALSE(read.missing);
    EXPECT_EQ(read.readError, 0);
    expect837pRows(read.table, "model load");
    ASSERT_FALSE(seen.empty());
    EXPECT_DOUBLE_EQ(seen.back(), 100.0);
    EXPECT_TRUE(rec.texts().empty());
    EXPECT_TRUE(events.empty());
}

TEST(SegmentTableLoader, MeterShowsLoadingAndCloses) {
    std::vector<zr::MeterEvent> events;
    auto old = zr::setMeterObserver([&](const zr::MeterEvent& e) { events.push_back(e); });
    const std::string path = x12Fixture("837p_two_claims.x12");
    loadX12(path);
    zr::setMeterObserver(old);
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events.front().kind, zr::MeterEvent::Kind::Open);
    EXPECT_EQ(events.front().text, "Loading File " + path);
    EXPECT_EQ(events.front().caption, "Please Wait..");
    EXPECT_EQ(events.back().kind, zr::MeterEvent::Kind::Close);
    double last = 0;
    for (std::size_t i = 1; i + 1 < events.size(); ++i) {
        EXPECT_EQ(events[i].kind, zr::MeterEvent::Kind::Set);
        EXPECT_GT(events[i].value, last);
        last = events[i].value;
    }
    EXPECT_DOUBLE_EQ(last, 100.0);
    EXPECT_LE(events.size(), 102u);  // at most one set per whole percent
}

// Claim numbering per transaction type: the rows that start claims.
TEST(SegmentTableLoader, ClaimStartsPerTransactionType) {
    struct Case {
        const char* name;
        Strings segments;
        zr::ClaimIndex index;  // mode 1
    };
    const Case cases[] = {
        {"837 one provider, three subscribers",
         {"GS*HC", "ST*837*1", "HL*1**20*1", "HL*2*1*22*0", "HL*3*1*22*0", "HL*4*1*22*0", "SE*6*1"},
         {5, 6, 7}},
        {"837 two providers, two subscribers: the providers are the claims",
         {"GS*HC", "ST*837*1", "HL*1**20*1", "HL*2*1*22*0", "HL*3**20*1", "HL*4*3*22*0", "SE*6*1"},
         {4, 6}},
        {"837 two providers, three subscribers",
         {"GS*HC", "ST*837*1", "HL*1**20*1", "HL*2*1*22*0", "HL*3*1*22*0", "HL*4**20*1", "HL*5*4*22*0",
          "SE*7*1"},
         {5, 6, 8}},
        {"837 without a provider", {"GS*HC", "ST*837*1", "HL*2*1*22*0", "SE*3*1"}, {1}},
        {"271", {"GS*HB", "ST*271*1", "HL*1**20*1", "HL*2*1*21*1", "HL*3*2*22*0", "SE*5*1"}, {6}},
        {"997", {"GS*FA", "ST*997*1", "AK1*HC*1", "AK2*837*1", "AK3*NM1*8**8", "AK4*2*66*1", "SE*6*1"}, {6, 7}},
        {"999", {"GS*FA", "ST*999*1", "AK1*HC*1", "IK3*NM1*8**8", "IK4*2*66*1", "SE*5*1"}, {5, 6}},
        {"864", {"GS*TX", "ST*864*1", "BMG*00", "MIT*1", "MSG*HELLO", "MSG*WORLD", "SE*6*1"}, {6, 7}},
        {"other sets number nothing", {"GS*PO", "ST*850*1", "HL*1**22", "SE*3*1"}, {1}},
        {"STC is no ST", {"GS*HN", "ST*277*1", "HL*1**22*1", "STC*A1", "HL*2**22*1", "SE*5*1"}, {4, 6}},
    };
    zrtest::TempDir dir;
    for (const auto& c : cases) {
        auto t = loadX12(dir.write("case.x12", x12Text(c.segments)));
        EXPECT_EQ(zr::CTL39400C(t, 1), c.index) << c.name;
    }
}

TEST(SegmentTableLoader, RemittanceNumbersRestartPerSet) {
    auto t = loadX12(x12Fixture("835_two_sets.x12"));
    Strings inSet, inFile;
    for (std::size_t r = 1; r <= t.size(); ++r)
        if (t.id(r) == "CLP") {
            inSet.push_back(t.column(r, 8));
            inFile.push_back(t.column(r, 10));
        }
    EXPECT_EQ(inSet, (Strings{"1", "2", "1"}));
    EXPECT_EQ(inFile, (Strings{"1", "2", "3"}));
    // Numbers are cleared on the next set's ST row.
    for (std::size_t r = 1; r <= t.size(); ++r) {
        if (t.id(r) == "ST") {
            EXPECT_EQ(t.column(r, 8), "") << r;
        }
    }
    // The claim index of the first set's mode-2 keys: a later set restarting
    // at 1 adds nothing.
    auto byFile = zr::CTL39400C(t, 1);
    auto bySet = zr::CTL39400C(t, 2);
    ASSERT_EQ(byFile.size(), 3u);
    EXPECT_EQ(bySet, (zr::ClaimIndex{byFile[0], byFile[1]}));
    EXPECT_EQ(zr::CTL39400AN(t, 1), 0u);
}

TEST(SegmentTableLoader, InterchangeNumbersRestartPerInterchange) {
    auto t = loadX12(x12Fixture("two_interchanges.x12"));
    Strings inFile, inInterchange;
    for (std::size_t r = 1; r <= t.size(); ++r)
        if (t.id(r) == "HL" || t.id(r) == "CLP") {
            if (t.column(r, 8).empty()) continue;
            inFile.push_back(t.column(r, 10));
            inInterchange.push_back(t.column(r, 11));
        }
    EXPECT_EQ(inFile, (Strings{"1", "2", "3"}));
    EXPECT_EQ(inInterchange, (Strings{"1", "1", "2"}));
    EXPECT_EQ(zr::CTL39400C(t, 3).size(), 2u);
}

TEST(SegmentTableLoader, HlFollowedByPatOrPrvPt) {
    zrtest::TempDir dir;
    auto t = loadX12(dir.write("pat.x12", x12Text({"HL*1**20*1", "PRV*PT*PXC*1", "HL*3*2*23*0", "PAT*19",
                                                     "HL*4*2*23*0", "NM1*QC*1*X"})));
    EXPECT_EQ(columnOf(t, 4), (Strings{"", "2000A", "2000A", "2000B", "2000B", "---------", ""}));
}

// Every shared sample loads; its row count is the README's segment count
// wherever the file's header and terminators are regular.
TEST(SegmentTableLoader, SharedSamplesLoad) {
    ZR_REQUIRE_SAMPLES();
    zrtest::PromptRecorder rec;
    std::ifstream in(std::string(ZR_SAMPLES) + "/README.md", std::ios::binary);
    std::string line;
    int loaded = 0, counted = 0;
    while (std::getline(in, line)) {
        if (line.rfind("| `", 0) != 0) continue;
        std::string file = line.substr(3, line.find('`', 3) - 3);
        // Cells: 8th is ISA/GS/ST/seg; 12th the envelope check.
        Strings cells;
        std::size_t p = 0;
        for (int i = 0; i < 13; ++i) {
            std::size_t q = line.find(" | ", p);
            cells.push_back(line.substr(p, q - p));
            p = q + 3;
        }
        const std::string path = std::string(ZR_SAMPLES) + "/" + file;
        auto base = zr::CTL39400AJ(path);
        ASSERT_TRUE(base) << file;
        zr::X12Delimiters d = zr::readDelimiters(path, *base + 1);
        std::size_t n = zr::CTL39400I(path, 0, d.component, d.element, d.terminator);
        auto t = zr::CTL39400B(path, n, d, *base + 1 == 0 ? 0 : *base + 1);
        zr::CTL39400C(t, 1);
        ++loaded;
        const std::string counts = cells[7];
        const std::string segs = counts.substr(counts.rfind('/') + 1);
        const std::string& check = cells[11];
        bool regular = file.find("binary") == std::string::npos;
        if (!regular) continue;
        // Terminators in prose before the ISA count as rows that stay empty
        // at the end of the table.
        std::size_t filled = t.size();
        while (filled > 0 && t.text(filled).empty()) --filled;
        EXPECT_EQ(std::to_string(filled), segs) << file;
        ++counted;
    }
    EXPECT_EQ(loaded, 72);
    EXPECT_EQ(counted, 71);
}

}  // namespace

#include "module_state.hpp"

namespace {

TEST(ProgressMeter, SilentMeterShowsNothingButTheUnconditionalSetter) {
    std::vector<zr::MeterEvent> events;
    zr::CTL394MTRB(zr::CTL394MTRA({}, "first", "meter"));  // a meter was opened in this process
    auto old = zr::setMeterObserver([&](const zr::MeterEvent& e) { events.push_back(e); });
    zr::moduleState().silentMeter = 1;
    zr::MeterWindow none{};
    EXPECT_EQ(zr::CTL394MTRA(none, "Loading File x", "Please Wait.."), none);
    zr::CTL394MTRC(50);
    zr::CTL394MTRD("second");
    zr::CTL394MTRB(none);
    zr::CTL394MTRE(60);
    zr::moduleState().silentMeter = 0;
    zr::setMeterObserver(old);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, zr::MeterEvent::Kind::SetAlways);
    EXPECT_EQ(events[0].value, 60);
}

}  // namespace
