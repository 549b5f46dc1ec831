// The rule checker over a small [X12CHECK] section: each message kind,
// the check table's "%" values, stopping, unmentioned segments, the summary
// and a rule list longer than its 1,000 slots.
#include "rule_checker.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "claim_index.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;

struct Outcome {
    std::vector<std::string> warnings, unexpected, summary;
};

using CheckRun = void (*)(const CheckTable&, const SegmentTable&, std::size_t, const std::string&,
                          const std::vector<std::string>&, const std::string&);

Outcome check(const std::string& rules, const CheckTable& checks = {}, std::vector<bool> answers = {},
              CheckRun run837 = CTL39400K) {
    zrtest::TempDir dir;
    if (!rules.empty()) dir.write("zr.ini", "[X12CHECK]\r\n" + rules + "COMMAND=0\r\n");
    const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("837p_two_claims.x12"));
    zrtest::PromptRecorder prompts(true);
    for (bool a : answers) prompts.answerNext(a);
    run837(checks, t, t.size(), "*", CTL39400AC(), dir.path());
    Outcome run;
    for (const wl::Prompt& p : prompts.prompts()) {
        if (p.isQuestion()) {
            EXPECT_EQ(p.caption, " WARNING.");
            run.warnings.push_back(p.text);
        } else if (p.text.rfind("Found unexpected segment in ", 0) == 0) {
            run.unexpected.push_back(p.text);
        } else {
            run.summary.push_back(p.text);
        }
    }
    return run;
}

std::string summary(std::size_t rules) {
    const std::size_t rows = zrtest::loadX12(zrtest::x12Fixture("837p_two_claims.x12")).size();
    return "\r\nCHECK COMPLETE\r\n" + std::to_string(rules) + " configured items have been checked\r\naginst " +
           std::to_string(rows) + " claim file segments.";
}

TEST(RuleChecker, EachRuleKindGivesItsMessage) {
    const std::size_t rows = zrtest::loadX12(zrtest::x12Fixture("837p_two_claims.x12")).size();
    CheckTable places{};
    places[0] = {"PLACE", "150"};
    struct Case {
        std::string rule;
        CheckTable checks;
        std::vector<std::string> warnings;
    };
    const std::vector<Case> cases = {
        {"LOOP2300,CLM,2,150", {}, {}},
        {"LOOP2300,CLM,2,999", {},
         {"In line 19 Data Element 2 in the CLM Segment in Loop2300 the value 999 was expected and 150 was found.\r"
          "Continue?"}},
        {"LOOP2300,CLM,2,%PLACE", places, {}},
        {"LOOP2300,CLM,2,%PLACE", {},
         {"In line 19 Data Element 2 in the CLM Segment in Loop2300 the value in a table was expected and 150 was "
          "found.\rContinue?"}},
        {"LOOP2300,NTE,1", {},
         {"In line " + std::to_string(rows - 1) + " NTE Segment not found in Loop2300\rContinue?"}},
        {"LOOP2300", {}, {}},
        {"CONTROL,CLM,1", {}, {}},
    };
    for (const Case& c : cases) {
        const Outcome run = check(c.rule + "\r\n", c.checks);
        EXPECT_EQ(run.warnings, c.warnings) << c.rule;
        EXPECT_EQ(run.summary, std::vector<std::string>{summary(1)}) << c.rule;
    }
}

TEST(RuleChecker, NoStopsTheTestsButNotTheReport) {
    const Outcome run = check("LOOP2300,CLM,2,999\r\nLOOP2300,CLM,2,998\r\n", {}, {false});
    EXPECT_EQ(run.warnings.size(), 1u);
    EXPECT_FALSE(run.unexpected.empty());
    EXPECT_EQ(run.summary, std::vector<std::string>{summary(1)});
}

TEST(RuleChecker, UnmentionedSegmentsAreNamedWithLineAndLoop) {
    const Outcome run = check("LOOP2300,CLM,2,150\r\n");
    const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("837p_two_claims.x12"));
    std::size_t clms = 0;
    for (std::size_t r = 1; r <= t.size(); ++r) clms += t.id(r) == "CLM";
    EXPECT_EQ(run.unexpected.size(), t.size() - clms);
    ASSERT_GE(run.unexpected.size(), 3u);
    EXPECT_EQ(run.unexpected[0], "Found unexpected segment in  Segment=ISA");
    EXPECT_EQ(run.unexpected[2], "Found unexpected segment in  line 1 Segment=ST");
    EXPECT_NE(std::find(run.unexpected.begin(), run.unexpected.end(),
                        "Found unexpected segment in  line 20 Segment=HI Loop=2300"),
              run.unexpected.end());
}

TEST(RuleChecker, SummaryWithoutConfigurationAndPastTheRuleSlots) {
    EXPECT_EQ(check("").summary, std::vector<std::string>{summary(0)});
    // Rules past the 1,000th are ignored: the failing last rule is never tested.
    std::string many;
    for (int i = 0; i < 1005; ++i) many += "CONTROL,CLM,1\r\n";
    const Outcome run = check(many + "LOOP2300,CLM,2,999\r\n");
    EXPECT_TRUE(run.warnings.empty());
    EXPECT_EQ(run.summary, std::vector<std::string>{summary(1000)});
}

// The 837 family's checker counts a rule's element from the id: its number
// for an element is one higher, and 1 names the id itself.
TEST(RuleChecker, EightThirtySevenFamilyCountsElementsFromTheId) {
    struct Case {
        std::string rule;
        std::vector<std::string> warnings;
    };
    const std::vector<Case> cases = {
        {"LOOP2300,CLM,3,150", {}},
        {"LOOP2300,CLM,1,CLM", {}},
        {"LOOP2300,CLM,3,999",
         {"In line 19 Data Element 3 in the CLM Segment in Loop2300 the value 999 was expected and 150 was found.\r"
          "Continue?"}},
        {"LOOP2300,CLM,2,150",
         {"In line 19 Data Element 2 in the CLM Segment in Loop2300 the value 150 was expected and PAT001 was "
          "found.\rContinue?"}},
    };
    for (const Case& c : cases) {
        const Outcome run = check(c.rule + "\r\n", {}, {}, CTL39406K);
        EXPECT_EQ(run.warnings, c.warnings) << c.rule;
        EXPECT_EQ(run.summary, std::vector<std::string>{summary(1)}) << c.rule;
        EXPECT_EQ(run.unexpected, check(c.rule + "\r\n").unexpected) << c.rule;
    }
    // Number 0 names nothing when counted from the id: the walk goes as for
    // an element the segment does not have.
    const Outcome none = check("LOOP2300,CLM,0,X\r\n", {}, {}, CTL39406K);
    const Outcome absent = check("LOOP2300,CLM,99,X\r\n");
    ASSERT_EQ(none.warnings.size(), 1u);
    ASSERT_EQ(absent.warnings.size(), 1u);
    std::string expected = absent.warnings[0];
    if (const auto at = expected.find("Element 99 "); at != std::string::npos) expected.replace(at, 11, "Element 0 ");
    EXPECT_EQ(none.warnings[0], expected);

    const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("837p_two_claims.x12"));
    zrtest::PromptRecorder prompts(true);
    EXPECT_EQ(CTL39406S({}, t, t.size(), "LOOP2300,CLM,3,150", CTL39400AC(), 13, "*"), 0);
    EXPECT_EQ(CTL39400S({}, t, t.size(), "LOOP2300,CLM,2,150", CTL39400AC(), 13, "*"), 0);
    EXPECT_TRUE(prompts.prompts().empty());
}

// Each screen family's copy of the checker reports, stops and summarises
// exactly as the checker does.
TEST(RuleChecker, FamilyCopiesGiveWhatTheCheckerGives) {
    using KFn = void (*)(const CheckTable&, const SegmentTable&, std::size_t, const std::string&,
                         const std::vector<std::string>&, const std::string&);
    using SFn = int (*)(const CheckTable&, const SegmentTable&, std::size_t, const std::string&,
                        const std::vector<std::string>&, std::size_t, const std::string&);
    using UFn = void (*)(const CheckTable&, const SegmentTable&, std::size_t, const std::vector<std::string>&,
                         const std::vector<std::string>&, std::size_t, const std::string&);
    struct Copy {
        const char* family;
        KFn k;
        SFn s;
        UFn u;
    };
    const std::vector<Copy> copies = {
        {"05", CTL39405K, CTL39405S, CTL39405U},
        {"07", CTL39407K, CTL39407S, CTL39407U},
        {"08", CTL39408K, CTL39408S, CTL39408U},
        {"09", CTL39409K, CTL39409S, CTL39409U},
        {"10", CTL39410K, CTL39410S, CTL39410U},
        {"11", CTL39411K, CTL39411S, CTL39411U},
        {"12", CTL39412K, CTL39412S, CTL39412U},
    };
    const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("837p_two_claims.x12"));
    const std::vector<std::string> loops = CTL39400AC();
    const std::string rules = "LOOP2300,CLM,2,999\r\nLOOP2300,NTE,1\r\n";
    const std::vector<std::string> ruleList = {"LOOP2300,CLM,2,150"};
    // Every prompt text and every returned stop flag of one family's K, S and U.
    auto ruleCheckerRun = [&](KFn k, SFn s, UFn u) {
        zrtest::TempDir dir;
        dir.write("zr.ini", "[X12CHECK]\r\n" + rules + "COMMAND=0\r\n");
        zrtest::PromptRecorder prompts(true);
        k({}, t, t.size(), "*", loops, dir.path());
        std::vector<int> stops;
        for (std::size_t i = 1; i <= loops.size(); ++i) {
            prompts.answerNext(false);
            stops.push_back(s({}, t, t.size(), "LOOP2300,CLM,2,999", loops, i, "*"));
        }
        u({}, t, t.size(), ruleList, loops, ruleList.size(), "*");
        return std::make_pair(prompts.texts(), stops);
    };
    const auto original = ruleCheckerRun(CTL39400K, CTL39400S, CTL39400U);
    ASSERT_FALSE(original.first.empty());
    for (const Copy& c : copies) EXPECT_EQ(ruleCheckerRun(c.k, c.s, c.u), original) << c.family;
}

}  // namespace
