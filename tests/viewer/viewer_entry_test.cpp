// The viewer's entry, its passes run against a recording set of screens:
// which questions come, which pickers and screens open on which tables.
#include "viewer_entry.hpp"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "acknowledgement_screen.hpp"
#include "claim_getters.hpp"
#include "claim_status_listing.hpp"
#include "claims_listing.hpp"
#include "eligibility_listing.hpp"
#include "message_screen.hpp"
#include "module_state.hpp"
#include "output_joins.hpp"
#include "paths.hpp"
#include "remittance_listing.hpp"
#include "segment_list.hpp"
#include "set_pickers.hpp"
#include "table_rewriters.hpp"
#include "text.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;
using zrtest::x12Fixture;

// Records every screen the entry reaches and answers the pickers from a script.
struct RecordingScreens : ViewerScreens {
    std::vector<std::string> calls;
    std::vector<std::string> versions;  // the X12 version each screen was given
    std::vector<ViewerState> statesAtScreens;  // the viewer state each screen opened in
    std::vector<std::string> options;  // the request's option item each screen was given
    std::deque<std::optional<std::size_t>> interchangeAnswers, setAnswers;  // number picked, none for Exit
    bool hasNotepad = true;
    std::vector<Application*> apps;  // the application each screen was handed

    std::optional<SegmentTable> pickInterchange(const ScreenCall& whole) override {
        calls.push_back("interchanges");
        if (interchangeAnswers.empty() || !interchangeAnswers.front()) return std::nullopt;
        const std::size_t k = *interchangeAnswers.front();
        interchangeAnswers.pop_front();
        return CTL39405A(k, *whole.table);
    }
    std::optional<SegmentTable> pickSet(const ScreenCall& call) override {
        calls.push_back("sets of " + std::to_string(call.rowCount()));
        if (setAnswers.empty() || !setAnswers.front()) return std::nullopt;
        const std::size_t k = *setAnswers.front();
        setAnswers.pop_front();
        return CTL39424A(k, *call.table);
    }
    std::string openScreen(ScreenKind kind, const ScreenCall& call) override {
        versions.push_back(call.version);
        calls.push_back("screen " + std::to_string(static_cast<int>(kind)) + " " + call.setId + " rows " +
                        std::to_string(call.rowCount()) + " claims " + std::to_string(call.claims.size()));
        statesAtScreens.push_back(call.app->module.viewerState);
        apps.push_back(call.app);
        options.push_back(call.request.parseOptions);
        if (kind == ScreenKind::SegmentList) return segmentListReport(*call.table, call.mode).value_or("");
        return "";
    }
    bool startNotepad(const std::string& file) override {
        calls.push_back("notepad " + file);
        return hasNotepad;
    }
    void debugDialog() override { calls.push_back("X12 dialog"); }
};


std::string viewFile(const std::string& file, RecordingScreens& screens, int mode = 1,
                     std::optional<ParseSpec> request = std::nullopt) {
    ViewerRequest r;
    r.modelCode = "ZRK7W315";
    r.fileName = file;
    r.mode = mode;
    r.request = request;
    return CTLD39400(r, screens);
}

const std::string k837 = std::to_string(static_cast<int>(ScreenKind::Claims837));
const std::string kList = std::to_string(static_cast<int>(ScreenKind::SegmentList));

std::string file276(const zrtest::TempDir& dir) {
    return dir.write("status.x12", zrtest::x12Text({"GS*HR*A*B*20261210*1253*1*X*005010X212", "ST*276*0001*005010X212",
                                                    "BHT*0010*13*REQ1*20261210", "SE*3*0001", "GE*1*1", "IEA*1*000000001"}));
}

TEST(ViewerEntry, SingleSetOpensItsScreenWithoutQuestions) {
    zrtest::PromptRecorder prompts;
    RecordingScreens screens;
    EXPECT_EQ(viewFile(x12Fixture("837p_two_claims.x12"), screens), "");
    ASSERT_EQ(screens.calls.size(), 1u);
    EXPECT_EQ(screens.calls[0].rfind("screen " + k837 + " 837 rows ", 0), 0u) << screens.calls[0];
    // The version is the interchange's ISA12, which stands before the ST.
    EXPECT_EQ(screens.versions, std::vector<std::string>{"5010"});
    EXPECT_TRUE(prompts.prompts().empty());
    EXPECT_EQ(moduleState().viewerState, ViewerState::Interactive);
}

TEST(ViewerEntry, TheStateLivesInTheApplicationHandedDown) {
    zrtest::PromptRecorder prompts;
    prompts.answerNext(false);
    RecordingScreens screens;
    Application own;
    own.module.viewerState = ViewerState::Request;
    moduleState().viewerState = ViewerState::Request;
    ViewerRequest r;
    r.modelCode = "ZRK7W315";
    r.fileName = x12Fixture("837p_two_sets.x12");
    r.app = &own;
    CTLD39400(r, screens);
    ASSERT_EQ(screens.apps.size(), 1u);
    EXPECT_EQ(screens.apps[0], &own);
    // The two sets were asked about: the answer set the handed-down state.
    EXPECT_EQ(prompts.texts().size(), 1u);
    EXPECT_EQ(own.module.viewerState, ViewerState::Interactive);
    EXPECT_EQ(moduleState().viewerState, ViewerState::Request);  // the process's own was left alone
    moduleState().viewerState = ViewerState::Interactive;
}

TEST(ViewerEntry, TwoSetsAnsweredNoOpenOneScreenOverTheMergedTable) {
    zrtest::PromptRecorder prompts;
    prompts.answerNext(false);
    RecordingScreens screens;
    const SegmentTable whole = zrtest::loadX12(x12Fixture("837p_two_sets.x12"));
    viewFile(x12Fixture("837p_two_sets.x12"), screens);
    ASSERT_EQ(prompts.texts(), std::vector<std::string>{"Would you like to see the individual batchs?"});
    EXPECT_EQ(prompts.prompts()[0].caption, " Multiple Set Batch File.");
    const std::size_t merged = CTL39400AH(whole, 2).size();
    ASSERT_LT(merged, whole.size());  // the second ST is left out
    EXPECT_EQ(screens.calls, std::vector<std::string>{"screen " + k837 + " 837 rows " + std::to_string(merged) +
                                                      " claims " + std::to_string(CTL39400C(CTL39400AH(whole, 2), 1).size())});
    EXPECT_EQ(moduleState().viewerState, ViewerState::Interactive);
}

// A non-837 file of two sets answered No: the generic list of the merged
// table opens attended (it shows nothing in the unattended state), while a
// request's No keeps it unattended.
TEST(ViewerEntry, TwoOtherSetsAnsweredNoShowTheGenericList) {
    zrtest::TempDir dir;
    const std::string file = dir.write(
        "two276.x12", zrtest::x12Text({"GS*HR*A*B*20261210*1253*1*X*005010X212", "ST*276*0001*005010X212",
                                       "BHT*0010*13*REQ1*20261210", "SE*3*0001", "ST*276*0002*005010X212",
                                       "BHT*0010*13*REQ2*20261210", "SE*3*0002", "GE*2*1", "IEA*1*000000001"}));
    zrtest::PromptRecorder prompts;
    prompts.answerNext(false);
    RecordingScreens screens;
    viewFile(file, screens);
    ASSERT_EQ(prompts.texts(), std::vector<std::string>{"Would you like to see the individual batchs?"});
    ASSERT_EQ(screens.calls.size(), 1u);
    EXPECT_EQ(screens.calls[0].rfind("screen " + kList + " 276 ", 0), 0u) << screens.calls[0];
    EXPECT_EQ(screens.statesAtScreens, std::vector<ViewerState>{ViewerState::Interactive});
    EXPECT_EQ(moduleState().viewerState, ViewerState::Interactive);

    RecordingScreens requested;
    viewFile(file, requested, 1, ParseSpec{});
    EXPECT_EQ(requested.statesAtScreens, std::vector<ViewerState>{ViewerState::Unattended});
}

TEST(ViewerEntry, TwoSetsAnsweredYesShowTheSetPickerPerSet) {
    zrtest::PromptRecorder prompts;
    prompts.answerNext(true);
    RecordingScreens screens;
    screens.setAnswers = {2, std::nullopt};
    const std::size_t rows = zrtest::loadX12(x12Fixture("837p_two_sets.x12")).size();
    viewFile(x12Fixture("837p_two_sets.x12"), screens);
    ASSERT_EQ(screens.calls.size(), 3u);
    EXPECT_EQ(screens.calls[0], "sets of " + std::to_string(rows));
    EXPECT_EQ(screens.calls[1].rfind("screen " + k837 + " 837", 0), 0u);
    EXPECT_EQ(screens.calls[2], "sets of " + std::to_string(rows));  // Exit ends the viewer
}

TEST(ViewerEntry, TwoInterchangesAskAtMostTwiceAndExitEndsAtOnce) {
    {
        zrtest::PromptRecorder prompts;
        RecordingScreens screens;
        screens.interchangeAnswers = {1, 2};
        viewFile(x12Fixture("two_interchanges.x12"), screens);
        ASSERT_EQ(screens.calls.size(), 4u);
        EXPECT_EQ(screens.calls[0], "interchanges");
        EXPECT_EQ(screens.calls[1].rfind("screen " + k837 + " 837", 0), 0u);
        EXPECT_EQ(screens.calls[2], "interchanges");
        EXPECT_EQ(screens.calls[3].rfind("screen " + std::to_string(static_cast<int>(ScreenKind::Remittance835)) + " 835", 0), 0u);
    }
    RecordingScreens screens;
    screens.interchangeAnswers = {std::nullopt};
    viewFile(x12Fixture("two_interchanges.x12"), screens);
    EXPECT_EQ(screens.calls, std::vector<std::string>{"interchanges"});
}

TEST(ViewerEntry, TextBeforeTheIsaIsAskedAboutEachWay) {
    zrtest::TempDir dir;
    const std::string file =
        dir.write("with junk.x12", "JUNK LINE\r\n" + zrtest::x12Text({"GS*HR*A*B*20261210*1253*1*X*005010X212",
                                                                     "ST*276*0001*005010X212", "SE*2*0001", "GE*1*1",
                                                                     "IEA*1*000000001"}));
    const std::string message = file + " ISA segment is unreadable. This may not be a standard X12 file.";
    struct Case {
        std::vector<bool> answers;
        bool hasNotepad;
        std::string result;
        std::vector<std::string> calls;
    };
    const std::vector<Case> cases = {
        {{false}, true, message, {}},                       // No: not read
        {{true, true}, true, message, {"notepad " + file}},  // Notepad takes it
        {{true, true}, false, "", {"notepad " + file, "screen " + kList + " 276 rows 6 claims 1"}},  // no Notepad: read
        {{true, false}, true, "", {"screen " + kList + " 276 rows 6 claims 1"}},  // read from the ISA on
    };
    for (const Case& c : cases) {
        zrtest::PromptRecorder prompts;
        for (bool a : c.answers) prompts.answerNext(a);
        RecordingScreens screens;
        screens.hasNotepad = c.hasNotepad;
        EXPECT_EQ(viewFile(file, screens), c.result);
        EXPECT_EQ(screens.calls, c.calls);
        ASSERT_GE(prompts.texts().size(), 2u);
        EXPECT_EQ(prompts.texts()[0], message);
        EXPECT_EQ(prompts.prompts()[1].caption, " WARNING : This may not be a standard X12 file.");
    }
}

TEST(ViewerEntry, FilesThatCannotBeShownAreNamedInAMessage) {
    zrtest::TempDir dir;
    const std::string header =
        "ISA*00*          *00*          *ZZ*SUBMITTER      *ZZ*RECEIVER       *261210*1253*^*00501*000000001*0*P*:";
    struct Case {
        std::string name, bytes;
        std::vector<bool> answers;
        std::string said;  // a part of the last message
    };
    const std::vector<Case> cases = {
        {"empty.x12", "", {}, "is empty"},
        {"one.x12", "X", {true, false}, "holds no ISA segment"},
        {"short.x12", header.substr(0, 60), {}, "ISA segment is cut short"},
        {"unended.x12", header, {}, "ISA segment is cut short"},
    };
    for (const Case& c : cases) {
        zrtest::PromptRecorder prompts;
        for (bool a : c.answers) prompts.answerNext(a);
        RecordingScreens screens;
        viewFile(dir.write(c.name, c.bytes), screens);
        EXPECT_TRUE(screens.calls.empty()) << c.name;
        ASSERT_FALSE(prompts.texts().empty()) << c.name;
        EXPECT_NE(prompts.texts().back().find(c.said), std::string::npos) << c.name << ": " << prompts.texts().back();
    }
    // A folder given as the file.
    zrtest::PromptRecorder prompts;
    RecordingScreens screens;
    EXPECT_EQ(viewFile(dir.path(), screens), "");
    ASSERT_EQ(prompts.texts().size(), 1u);
    EXPECT_EQ(prompts.texts()[0], dir.path() + " is a folder, not a file. Choose an X12 file.");
    EXPECT_EQ(moduleState().viewerState, ViewerState::Interactive);
}

TEST(ViewerEntry, NoFileGivenAsksWithTheMaskAndTitle) {
    zrtest::TempDir dir;
    const std::string file = file276(dir);
    zrtest::PromptRecorder prompts;
    prompts.answerFile(file);
    RecordingScreens screens;
    ViewerRequest r;
    r.startFolder = dir.path();
    r.currentFolder = dir.path();
    CTLD39400(r, screens);
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].kind, wl::PromptKind::File);
    EXPECT_EQ(prompts.prompts()[0].caption.empty() ? prompts.prompts()[0].text : prompts.prompts()[0].caption,
              "Select X12 File");
    EXPECT_EQ(screens.calls, std::vector<std::string>{"screen " + kList + " 276 rows 7 claims 1"});
    // Cancel: nothing opens.
    RecordingScreens none;
    CTLD39400(r, none);
    EXPECT_TRUE(none.calls.empty());
}

TEST(ViewerEntry, IcOptionSkipsTheGenericListAndReportsJoinItsText) {
    zrtest::TempDir dir;
    const std::string file = file276(dir);
    zrtest::PromptRecorder prompts;
    RecordingScreens screens;
    ParseSpec ic;
    ic.parseOptions = "OW,IC";
    EXPECT_EQ(viewFile(file, screens, 1, ic), "");
    EXPECT_TRUE(screens.calls.empty());

    RecordingScreens report;
    const std::string text = viewFile(file, report, 100);
    EXPECT_EQ(text, *segmentListReport(zrtest::loadX12(file), 100));
    EXPECT_EQ(report.calls.size(), 1u);
}

TEST(ViewerEntry, ScreensByTransactionSet) {
    const std::vector<std::pair<std::string, ScreenKind>> cases = {
        {"837", ScreenKind::Claims837},     {"835", ScreenKind::Remittance835}, {"997", ScreenKind::Acknowledgement},
        {"999", ScreenKind::Acknowledgement}, {"864", ScreenKind::Message},     {"275", ScreenKind::Message},
        {"277", ScreenKind::ClaimStatus},   {"270", ScreenKind::Eligibility},   {"271", ScreenKind::Eligibility},
        {"276", ScreenKind::SegmentList},   {"", ScreenKind::SegmentList},
    };
    for (const auto& [st01, kind] : cases) EXPECT_EQ(screenForSet(st01), kind) << st01;
    EXPECT_EQ(screenForSet("276", "OW, IC"), ScreenKind::None);
    EXPECT_EQ(screenForSet("837", "IC"), ScreenKind::Claims837);
}

TEST(ViewerEntry, NotepadGetsTheFileNameInQuotes) {
    EXPECT_EQ(notepadCommandLine("C:\\windows", "C:\\My Files\\a b.x12"),
              "C:\\windows\\notepad.exe \"C:\\My Files\\a b.x12\"");
}

}  // namespace

namespace {

TEST(ViewerEntry, ARequestTakesNoWithoutAskingAndKeepsTheSets) {
    zrtest::PromptRecorder prompts;
    RecordingScreens screens;
    const std::size_t rows = zrtest::loadX12(x12Fixture("837p_two_sets.x12")).size();
    viewFile(x12Fixture("837p_two_sets.x12"), screens, 1, ParseSpec{});
    EXPECT_TRUE(prompts.prompts().empty());
    ASSERT_EQ(screens.calls.size(), 1u);
    EXPECT_EQ(screens.calls[0].rfind("screen " + k837 + " 837 rows " + std::to_string(rows) + " ", 0), 0u)
        << screens.calls[0];
    EXPECT_EQ(moduleState().viewerState, ViewerState::Interactive);
}

// Each screen writes its pass's CSV file, as the export does in mode 109.
struct EntryWritingScreens : RecordingScreens {
    std::vector<std::string> written;
    std::string openScreen(ScreenKind kind, const ScreenCall& call) override {
        RecordingScreens::openScreen(kind, call);
        const std::string file = joinFilePath(call.request, JoinKind::Csv);
        written.push_back(wl::fileNamePart(file));
        std::ofstream(file, std::ios::binary) << "ID,PASS\r\n" << call.setId << "," << written.size() << "\r\n";
        return "";
    }
};

TEST(ViewerEntry, ExportPassesOverInterchangesAndSetsJoinIntoTheRequestsFile) {
    zrtest::TempDir dir;
    // Three interchanges: two 837 sets, one 837, one 835.
    const std::string file = dir.write("three.x12", zrtest::readBytes(x12Fixture("837p_two_sets.x12")) +
                                                        zrtest::readBytes(x12Fixture("two_interchanges.x12")));
    zrtest::PromptRecorder prompts;
    EntryWritingScreens screens;
    viewFile(file, screens, 109, ParseSpec{"CSV", file, dir.path(), "", "joined", ""});
    EXPECT_TRUE(prompts.prompts().empty());
    EXPECT_EQ(screens.written,
              (std::vector<std::string>{"joined_ST1.csv", "joined_ST2.csv", "joined_ISA2.csv", "joined_ISA3.csv"}));
    // The sets' texts join whole; each later interchange's loses its header.
    EXPECT_EQ(zrtest::readBytes(dir.file("joined.csv")),
              "ID,PASS\r\n837,1\r\nID,PASS\r\n837,2\r\n837,3\r\n835,4\r\n");
    for (const std::string& pass : screens.written) EXPECT_FALSE(wl::fileExists(dir.file(pass))) << pass;

    // One pass over one set writes the request's own file: nothing to join.
    EntryWritingScreens one;
    viewFile(x12Fixture("837p_two_claims.x12"), one, 109, ParseSpec{"CSV", file, dir.path(), "", "single", ""});
    EXPECT_EQ(one.written, std::vector<std::string>{"single.csv"});
}

TEST(ViewerEntry, DebugModeShowsItsTwoMessagesAndDialog) {
    zrtest::PromptRecorder prompts;
    RecordingScreens screens;
    EXPECT_EQ(viewFile(x12Fixture("837p_two_claims.x12"), screens, 11), "");
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{"in", "now here here"}));
    EXPECT_EQ(screens.calls, std::vector<std::string>{"X12 dialog"});
}

}  // namespace

namespace {

// ST01 of every shared sample, by its README ("" when it holds no set).
const std::map<std::string, std::string>& entrySampleSets() {
    static const std::map<std::string, std::string> sets = {
        {"pyx12/834_ls_le_ls.txt", "834"}, {"pyx12/multiple_st_loops.txt", "834"},
        {"pyx12/example834_5010.txt", "834"}, {"pyx12/834_lui_id_5010.999.txt", "999"},
        {"pyx12/fail_no_IEA.txt", "837"}, {"pyx12/trailer_errors.txt", "837"}, {"pyx12/bad_elements.txt", "837"},
        {"pyx12/bad_header_looping.txt", "835"}, {"pyx12/trailing_terms.txt", "837"},
        {"pyx12/simple_837i.txt", "837"}, {"pyx12/835_simple.txt", "835"}, {"pyx12/820.loops.txt", "820"},
        {"pyx12/834_lui_id.txt", "834"}, {"pyx12/repeat_init_seg.txt", "270"},
        {"imsweb-x12-parser/x12_multiple_isa.txt", "837"}, {"imsweb-x12-parser/x12_multiple_st.txt", "837"},
        {"imsweb-x12-parser/x12_valid_different_separators.txt", "837"},
        {"imsweb-x12-parser/x12_bad_first_line.txt", "837"},
        {"imsweb-x12-parser/x12_bad_segment_identifier.txt", "837"},
        {"imsweb-x12-parser/x12_missing_elements.txt", "837"},
        {"imsweb-x12-parser/x12_segments_out_of_order.txt", "837"},
        {"imsweb-x12-parser/x12_many_claims.txt", "837"}, {"imsweb-x12-parser/x12_multiple_transactions.txt", "837"},
        {"imsweb-x12-parser/x12_277CA_rejected.txt", "277"}, {"imsweb-x12-parser/x12_999_rejected.txt", "999"},
        {"staedi/simple997-multiple-interchanges.edi", "997"}, {"staedi/empty997.edi", "997"},
        {"staedi/invalid997.edi", "997"}, {"staedi/invalid999.edi", "999"}, {"staedi/extraDelimiter997.edi", "997"},
        {"staedi/x12_interchange_ack.txt", ""}, {"staedi/ts214_ellipses_segterm.edi", "214"},
        {"staedi/ts210_80char.edi", "210"}, {"staedi/sample837-original.edi", "837"},
        {"staedi/sample837-HL-nested.edi", "837"}, {"staedi/837-header-ref-only.edi", "837"},
        {"staedi/simple_with_binary_segment.edi", "000"}, {"lexilla/x.x12", "850"}, {"lexilla/empty.x12", ""},
        {"node-x12/271.edi", "271"}, {"stupidedi/X221-case1-plus-elements.edi", "835"},
        {"stupidedi/X221A1-multiple-claims-single-check.edi", "835"},
        {"stupidedi/X222-case1-prose-header.edi", "837"}, {"stupidedi/X223A2-ppo-repriced-claim.edi", "837"},
        {"stupidedi/X224A2-multiple-tooth-numbers.edi", "837"}, {"stupidedi/X298-pacdr-professional.edi", "837"},
        {"stupidedi/X212-HR277-1.era", "277"}, {"stupidedi/X212-HR276-claim-request.edi", "276"},
        {"stupidedi/X217-request-for-non-emergency-transportation.edi", "278"},
        {"stupidedi/X218-list-bill.edi", "820"}, {"stupidedi/X306-different-types-of-payment.edi", "820"},
        {"stupidedi/X307-shop-enrollment.edi", "834"}, {"stupidedi/X091A1-835-case1.edi", "835"},
        {"stupidedi/FA997-4010.edi", "997"}, {"stupidedi/SS862-fail.edi", "862"}, {"stupidedi/SH856-fail2.edi", "856"},
        {"tastypackets-x12-parser/profee-multiple.edi", "835"},
        {"tastypackets-x12-parser/multi-line-not-delimited.edi", "835"},
        {"LinuxForHealth-x12/demo.drug.example10.3.837", "837"},
        {"LinuxForHealth-x12/two-claims-single-provider.837i", "837"},
        {"LinuxForHealth-x12/coordination-of-benefits.837", "837"},
        {"LinuxForHealth-x12/claim-level-status.277", "277"},
        {"LinuxForHealth-x12/subscriber-health-benefit-check-error.271", "271"},
        {"LinuxForHealth-x12/demo-single-line.270", "270"},
        {"edi-835-parser/united_healthcare_legacy_sample.txt", "835"}, {"EdiEngine/ControlNumbersMismatch.edi", "940"},
        {"EdiEngine/WrongGroupsAndTranCount.edi", "940"}, {"badX12/segment_terminator.edi", ""},
        {"badX12/unknown_segment_error.edi", "270"}, {"badX12/error_validation.edi", "835"},
        {"vscode-edi-x12-support/odd-separator.edi", "837"}, {"vscode-edi-x12-support/bad-header.edi", "837"},
    };
    return sets;
}

// What a screen of that kind would list for the call: its lines, as the
// windows build them.
std::vector<std::string> entrySampleScreenLines(ScreenKind kind, const ScreenCall& call) {
    const SegmentTable& t = *call.table;
    switch (kind) {
    case ScreenKind::Claims837: {
        const ClaimFields fields(t, call.claims);
        ClaimsListing listing = CTL39406B(fields, call.fields);
        if (listing.claims == 0) return {};
        return listing.rows;
    }
    case ScreenKind::Remittance835: return remittanceListing(t).lines();
    case ScreenKind::Acknowledgement: return acknowledgementHeaderLines(t);
    case ScreenKind::Message: return {messageTitleLine(t)};
    case ScreenKind::ClaimStatus: return claimStatusListing(ClaimStatusReader(t), ViewerFieldLists{});
    case ScreenKind::Eligibility: return eligibilityListing(EligibilityReader(t), call.setId);
    case ScreenKind::SegmentList: {
        std::vector<std::string> lines;
        const SegmentListModel model(t);
        for (std::size_t row = 1; row <= t.size(); ++row)
            if (!wl::alltrim(model.line(row)).empty()) lines.push_back(model.line(row));
        return lines;
    }
    case ScreenKind::None: break;
    }
    return {};
}

// Takes every interchange and every set in turn, and notes each screen.
struct SampleScreens : ViewerScreens {
    struct Opened {
        std::string setId;
        ScreenKind kind;
        std::size_t lines;
    };
    std::vector<Opened> opened;
    std::size_t nextInterchange = 1, nextSet = 1;

    std::optional<SegmentTable> pickInterchange(const ScreenCall& whole) override {
        nextSet = 1;
        return CTL39405A(nextInterchange++, *whole.table);
    }
    std::optional<SegmentTable> pickSet(const ScreenCall& call) override {
        if (nextSet > CTL39400AA("ST", *call.table)) return std::nullopt;
        return CTL39424A(nextSet++, *call.table);
    }
    std::string openScreen(ScreenKind kind, const ScreenCall& call) override {
        opened.push_back({call.setId, kind, entrySampleScreenLines(kind, call).size()});
        return "";
    }
    bool startNotepad(const std::string&) override { return false; }
    void debugDialog() override {}
};

// Every shared sample opens through the entry on the screen of its ST01,
// and that screen lists something. Questions are answered Yes (read a file
// with text before its ISA, see the sets one by one); Notepad is absent.
TEST(ViewerEntry, EverySharedSampleOpensOnItsScreen) {
    ZR_REQUIRE_SAMPLES();
    // Sets whose screen lists nothing, rightly: no claim in the file.
    const std::set<std::string> noClaims = {"pyx12/fail_no_IEA.txt", "staedi/837-header-ref-only.edi"};
    std::size_t walked = 0;
    for (const auto& [name, st01] : entrySampleSets()) {
        SCOPED_TRACE(name);
        const std::string file = std::string(ZR_SAMPLES) + "/" + name;
        ASSERT_TRUE(std::filesystem::exists(file));
        zrtest::PromptRecorder prompts(true);
        SampleScreens screens;
        ViewerRequest r;
        r.fileName = file;
        CTLD39400(r, screens);
        ++walked;
        ASSERT_FALSE(screens.opened.empty()) << "no screen; said: "
                                             << (prompts.texts().empty() ? "" : prompts.texts().back());
        for (const auto& o : screens.opened) {
            EXPECT_EQ(o.setId.substr(0, st01.size()), st01) << "set read as " << o.setId;
            EXPECT_EQ(o.kind, screenForSet(st01)) << o.setId;
            if (!noClaims.count(name)) EXPECT_GT(o.lines, 0u) << o.setId;
        }
    }
    EXPECT_EQ(walked, 72u);
}

TEST(ViewerEntry, CsvReportOverSeveralInterchangesKeepsItsJoinOptions) {
    const std::vector<std::pair<std::string, std::string>> words = {
        {"OW,XX,FL, PO ,DS,SO,MF,IC", "OW,FL,PO,SO,MF,IC"}, {"DS,ST", ""}, {"", ""}, {"OWX,ow", ""}};
    for (const auto& [given, kept] : words) EXPECT_EQ(reportOptions(given), kept) << given;

    struct Case {
        std::string file, type, options;
    };
    const std::vector<Case> cases = {
        {"two_interchanges.x12", "CSV", "OW,FL,PO"},
        {"two_interchanges.x12", "XML", "OW,XX,FL,DS,PO"},
        {"837p_two_claims.x12", "CSV", "OW,XX,FL,DS,PO"},
    };
    for (const Case& c : cases) {
        zrtest::PromptRecorder prompts;
        RecordingScreens screens;
        ParseSpec request;
        request.parseType = c.type;
        request.parseOptions = "OW,XX,FL,DS,PO";
        viewFile(x12Fixture(c.file), screens, 100, request);
        ASSERT_FALSE(screens.options.empty()) << c.file;
        for (const std::string& o : screens.options) EXPECT_EQ(o, c.options) << c.file << " " << c.type;
    }
}

}  // namespace
