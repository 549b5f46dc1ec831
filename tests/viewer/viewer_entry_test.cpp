// The viewer's entry, its passes run against a recording set of screens:
// which questions come, which pickers and screens open on which tables.
#include "viewer_entry.hpp"

#include <gtest/gtest.h>

#include <deque>

#include "module_state.hpp"
#include "segment_list.hpp"
#include "set_pickers.hpp"
#include "table_rewriters.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;
using zrtest::x12Fixture;

// Records every screen the entry reaches and answers the pickers from a script.
struct RecordingScreens : ViewerScreens {
    std::vector<std::string> calls;
    std::vector<std::string> versions;  // the X12 version each screen was given
    std::vector<ViewerState> statesAtScreens;  // the viewer state each screen opened in
    std::deque<std::optional<std::size_t>> interchangeAnswers, setAnswers;  // number picked, none for Exit
    bool hasNotepad = true;

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
        statesAtScreens.push_back(moduleState().viewerState);
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

TEST(ViewerEntry, DebugModeShowsItsTwoMessagesAndDialog) {
    zrtest::PromptRecorder prompts;
    RecordingScreens screens;
    EXPECT_EQ(viewFile(x12Fixture("837p_two_claims.x12"), screens, 11), "");
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{"in", "now here here"}));
    EXPECT_EQ(screens.calls, std::vector<std::string>{"X12 dialog"});
}

}  // namespace
