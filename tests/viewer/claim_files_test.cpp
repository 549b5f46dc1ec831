// The claims screen's file modes: per-claim ".837" and ".276" files, the
// combined "Claims.276", the ".hl7" file, and the modes an 837 cannot feed.
#include "claim_files.hpp"

#include <gtest/gtest.h>

#include "node_x12.hpp"
#include "paths.hpp"
#include "progress_meter.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;
namespace fs = std::filesystem;

struct ClaimFilesFixture {
    SegmentTable table;
    ClaimIndex index;
    ClaimFields fields;
    explicit ClaimFilesFixture(const std::string& path)
        : table(zrtest::loadX12(path)), index(CTL39400C(table, 1)), fields(table, index) {}
};

GeneratorContext claimFilesContext() { return {{}, {"261211", "20261211", "0930"}, ""}; }

// Three claims with the given CLM01s.
std::string claimFilesThree(const std::vector<std::string>& ids) {
    std::vector<std::string> rows = {"GS*HC*S*R*20261210*1253*1*X*005010X222A1", "ST*837*0001*005010X222A1",
                                     "BHT*0019*00*B*20261210*1253*CH", "HL*1**20*1", "NM1*85*2*CLINIC*****XX*1"};
    std::size_t hl = 1;
    for (const std::string& id : ids) {
        rows.push_back("HL*" + std::to_string(++hl) + "*1*22*0");
        rows.push_back("CLM*" + id + "*10");
    }
    rows.push_back("SE*" + std::to_string(rows.size()) + "*0001");
    rows.push_back("GE*1*1");
    rows.push_back("IEA*1*000000001");
    return zrtest::x12Text(rows);
}

ParseSpec claimFilesRequest(const std::string& source, const std::string& destination, const std::string& options) {
    ParseSpec r;
    r.sourceFile = source;
    r.destinationFolder = destination;
    r.parseOptions = options;
    return r;
}

TEST(ClaimFiles, OptionWords) {
    struct Case {
        std::string item;
        bool ic, ow;
        std::size_t claim;
    };
    for (const Case& c : std::vector<Case>{{"", false, false, 0},
                                           {"IC,OW", true, true, 0},
                                           {"ic", true, false, 0},
                                           {"ICX, ow", true, true, 0},
                                           {"CLAIM=12,IC", true, false, 12},
                                           {"CLAIM=", false, false, 0},
                                           {"XIC,FILTER=OW", false, false, 0}}) {
        const ClaimFileOptions o = claimFileOptions(c.item);
        EXPECT_EQ(o.individualClaims, c.ic) << c.item;
        EXPECT_EQ(o.overwrite, c.ow) << c.item;
        EXPECT_EQ(o.claim, c.claim) << c.item;
    }
}

TEST(ClaimFiles, EightThirtySevenPerClaimNamedByNumberWithoutIdentifier) {
    zrtest::TempDir dir;
    const ClaimFilesFixture f(dir.write("three.x12", claimFilesThree({"", "", ""})));
    const std::string old = dir.write("Claim2.837", "old");
    std::vector<MeterEvent> events;
    const MeterObserver before = setMeterObserver([&](const MeterEvent& e) { events.push_back(e); });
    const ClaimFilesResult r =
        writeClaimFiles(110, f.fields, 3, claimFilesRequest("three.x12", "", ""), dir.path(),
                        claimFilesContext());
    setMeterObserver(before);
    EXPECT_EQ(r.files.written,
              (std::vector<std::string>{dir.file("Claim1.837"), dir.file("Claim2.837"), dir.file("Claim3.837")}));
    EXPECT_EQ(zrtest::readBytes(old), CTL394CONVB(f.fields, 3, 2, claimFilesContext()) + "\r\n");
    EXPECT_EQ(r.text, CTL394CONVB(f.fields, 3, 3, claimFilesContext()) + "\r\n");
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front().kind, MeterEvent::Kind::Open);
    EXPECT_EQ(events.front().text, "Creating 837 files ");
    EXPECT_EQ(events.front().caption, "Please Stand By..");
    EXPECT_EQ(events.back().kind, MeterEvent::Kind::Close);
    std::vector<double> values;
    for (const MeterEvent& e : events)
        if (e.kind == MeterEvent::Kind::Set) values.push_back(e.value);
    ASSERT_EQ(values.size(), 3u);
    EXPECT_DOUBLE_EQ(values[2], 100.0);
}

TEST(ClaimFiles, RequestsPerClaimKeepEveryClaimInItsOwnFile) {
    zrtest::TempDir dir;
    const ClaimFilesFixture f(dir.write("three.x12", claimFilesThree({"SAME", "SAME", "C:/x"})));
    fs::create_directory(dir.file("out"));
    const ClaimFilesResult r = writeClaimFiles(111, f.fields, 3, claimFilesRequest("", " " + dir.file("out") + " ", "IC"),
                                               dir.path(), claimFilesContext());
    const std::string out = dir.file("out");
    EXPECT_EQ(r.files.written, (std::vector<std::string>{wl::joinPath(out, "SAME.276"), wl::joinPath(out, "SAME_2.276"),
                                                         wl::joinPath(out, "C__x.276")}));
    EXPECT_EQ(zrtest::readBytes(wl::joinPath(out, "SAME_2.276")), CTL394CONVA(f.fields, 3, 2, claimFilesContext()));
}

TEST(ClaimFiles, CombinedRequestsGetTheirOwnControlNumbers) {
    zrtest::TempDir dir;
    const ClaimFilesFixture f(dir.write("three.x12", claimFilesThree({"A", "B", "C"})));
    const ClaimFilesResult r =
        writeClaimFiles(111, f.fields, 3, claimFilesRequest("", "", ""), dir.path(), claimFilesContext());
    EXPECT_EQ(r.files.written, std::vector<std::string>{dir.file("Claims.276")});
    const std::string text = zrtest::readBytes(dir.file("Claims.276"));
    EXPECT_EQ(text, r.text);
    std::vector<std::string> controls;
    for (std::size_t at = 0; (at = text.find("IEA*1*", at)) != std::string::npos; at += 6)
        controls.push_back(text.substr(at + 6, 12));
    EXPECT_EQ(controls, (std::vector<std::string>{"000000001~\r\n", "000000002~\r\n", "000000003~\r\n"}));
    EXPECT_NE(text.find("*00501*000000002*"), std::string::npos);
#ifndef _WIN32
    // Another reader takes the file as three whole interchanges.
    ASSERT_NE(zrtest::nodeX12Modules(), "") << "node-x12 is not installed (scripts/setup installs it)";
    const auto read = zrtest::nodeX12Read({dir.file("Claims.276")});
    ASSERT_EQ(read.count(dir.file("Claims.276")), 1u);
    const zrtest::NodeX12File& file = read.at(dir.file("Claims.276"));
    EXPECT_EQ(file.error, "");
    ASSERT_EQ(file.interchanges.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(file.interchanges[i].isa13, std::to_string(i + 1));
        EXPECT_EQ(file.interchanges[i].iea02, std::to_string(i + 1));
        ASSERT_EQ(file.interchanges[i].groups.size(), 1u);
        EXPECT_EQ(file.interchanges[i].groups[0].gs01, "HR");
    }
#endif
}

TEST(ClaimFiles, HealthLevelSevenFileHoldsItsHeaderOnceAndEachClaimOnce) {
    zrtest::TempDir dir;
    const ClaimFilesFixture f(dir.write("three.x12", claimFilesThree({"A", "B", "C"})));
    const ParseSpec request = claimFilesRequest(dir.file("three.x12"), "", "");
    const ClaimFilesResult r = writeClaimFiles(114, f.fields, 3, request, dir.path(), claimFilesContext());
    EXPECT_EQ(r.files.written, std::vector<std::string>{dir.file("three.hl7")});
    EXPECT_EQ(zrtest::readBytes(dir.file("three.hl7")), "MSH~*:\r\nPID*1\r\n~PID*2\r\n~PID*3\r\n~");
    // An existing file is replaced only with "OW".
    dir.write("three.hl7", "kept");
    EXPECT_EQ(writeClaimFiles(114, f.fields, 3, request, dir.path(), claimFilesContext()).files.skipped,
              std::vector<std::string>{dir.file("three.hl7")});
    EXPECT_EQ(zrtest::readBytes(dir.file("three.hl7")), "kept");
    const ParseSpec overwrite = claimFilesRequest(dir.file("three.x12"), dir.file("named.hl7"), "OW");
    EXPECT_EQ(writeClaimFiles(114, f.fields, 3, overwrite, dir.path(), claimFilesContext()).files.written,
              std::vector<std::string>{dir.file("named.hl7")});
}

TEST(ClaimFiles, ModesAnEightThirtySevenCannotFeedWriteNothingAndSaySo) {
    zrtest::TempDir dir;
    const ClaimFilesFixture f(dir.write("three.x12", claimFilesThree({"A", "B", "C"})));
    for (int mode : {112, 113, 99999}) {
        const ClaimFilesResult r = writeClaimFiles(mode, f.fields, 3, claimFilesRequest("three.x12", "", "IC,OW"),
                                                   dir.path(), claimFilesContext());
        EXPECT_TRUE(r.files.written.empty()) << mode;
        EXPECT_FALSE(r.notice.empty()) << mode;
        EXPECT_EQ(r.text, r.notice);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    EXPECT_EQ(claimFilesMeterText(99999), "Creating 997 files ");
    EXPECT_EQ(claimFilesMeterText(113), "Creating 835 files ");
}

}  // namespace
