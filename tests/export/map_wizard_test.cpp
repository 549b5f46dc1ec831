#include "map_wizard.hpp"

#include <deque>

#include <gtest/gtest.h>

#include "test_support.hpp"

namespace {

// Scripted answers: the type, the yes/no answers and the typed counts in
// order (No and the offered default once a queue is empty), with every
// question, count question and message recorded.
struct WizardScript {
    int type = 1;
    std::deque<bool> yes;
    std::deque<std::string> numbers;
    std::vector<std::string> questions, counts, messages, opened;

    zr::MapWizardAnswers answers() {
        zr::MapWizardAnswers a;
        a.pickType = [this] { return type; };
        a.askYes = [this](const std::string& text, const std::string& title) {
            questions.push_back(text + "|" + title);
            if (yes.empty()) return false;
            const bool y = yes.front();
            yes.pop_front();
            return y;
        };
        a.askNumber = [this](const std::string& offered, const std::string& question) {
            counts.push_back(question + "|" + offered);
            if (numbers.empty()) return offered;
            std::string n = numbers.front();
            numbers.pop_front();
            return n;
        };
        a.show = [this](const std::string& text) { messages.push_back(text); };
        a.openNotepad = [this](const std::string& file) { opened.push_back(file); };
        return a;
    }
};

// Answers No to the first `noes` questions of an 837I and Yes to the diagnosis one.
WizardScript wizardDiagnosisScript(std::deque<std::string> numbers) {
    WizardScript s;
    s.type = 1;
    // Submitter, receiver, billing, pay-to, subscriber, patient, payer,
    // referring, attending, operating, facility: No; diagnosis: Yes.
    s.yes = {false, false, false, false, false, false, false, false, false, false, false, true};
    s.numbers = std::move(numbers);
    return s;
}

TEST(MapWizard, DiagnosisNamesByTheSegmentAndElementCounts) {
    struct Case {
        std::deque<std::string> numbers;
        std::vector<std::string> names;
    };
    const std::vector<Case> cases{
        {{" 1", "3"}, {"ADMITDX", "PRINCIPALDX", "OTHERDX01", "OTHERDX02", "OTHERDX03"}},
        {{"2", "2"}, {"ADMITDX", "PRINCIPALDX", "OTHERDXA1", "OTHERDXA2", "OTHERDXB1", "OTHERDXB2"}},
        {{"0", "5"}, {"ADMITDX", "PRINCIPALDX"}},
    };
    for (const Case& c : cases) {
        WizardScript s = wizardDiagnosisScript(c.numbers);
        EXPECT_EQ(zr::mapWizardFields(1, s.answers()), c.names);
    }
}

TEST(MapWizard, CountsOutOfRangeAreAskedAgainAfterTheMessage) {
    WizardScript s = wizardDiagnosisScript({"30", "-1", "25", "13", "12"});
    const std::vector<std::string> names = zr::mapWizardFields(1, s.answers());
    EXPECT_EQ(s.messages, (std::vector<std::string>{"Must be 0 minimum 25 maximum.", "Must be 0 minimum 25 maximum.",
                                                    "Must be 0 minimum 12 maximum."}));
    EXPECT_EQ(s.counts.front(), "Number of Other Diagnosis Segments to include?| 1");
    EXPECT_EQ(s.counts.back(), "Number of Other Diagnosis Elements to include per Segment?| 10");
    ASSERT_EQ(names.size(), 2u + 25u * 12u);
    EXPECT_EQ(names.back(), "OTHERDXL25");
}

TEST(MapWizard, RemittanceAdjustmentsAndProviderAdjustments) {
    WizardScript s;
    s.type = 4;
    // Subscriber, patient, claim payment, claim adjustments: No; service
    // lines: Yes (1 line, 2 segments, 2 occurrences); provider: Yes (10).
    s.yes = {false, false, false, false, true, true};
    s.numbers = {"1", "2", "2", "10"};
    const std::vector<std::string> names = zr::mapWizardFields(4, s.answers());
    const auto has = [&](const std::string& n) { return std::find(names.begin(), names.end(), n) != names.end(); };
    EXPECT_TRUE(has("PROCADJGRPCODE1.2"));
    EXPECT_TRUE(has("PROCADJCODE1.2.2"));
    EXPECT_FALSE(has("PROCADJCODE1"));
    EXPECT_TRUE(has("PROVADJREFID10"));
    EXPECT_EQ(names.back(), "PROVADJAMTF10");
}

TEST(MapWizard, WritesTheMapAndOpensIt) {
    zrtest::TempDir dir;
    WizardScript s;
    s.type = 2;  // 837P: Yes to create, No to every question
    s.yes = {true};
    zr::CTL394MAPA("ignored", s.answers(), dir.path());
    EXPECT_EQ(s.questions.front(), "Do you wish to create an 837P map file?| Create a ZR837P.XML Mapping File?");
    EXPECT_EQ(zrtest::readBytes(dir.file("zr837p.xml")),
              "<?xml version=\"1.0\"  encoding=\"ISO-8859-1\"?>\r\n<CONFIGURATION>\r\n</CONFIGURATION>\r\n");
    EXPECT_EQ(s.opened, std::vector<std::string>{dir.file("zr837p.xml")});
}

TEST(MapWizard, EligibilityAlwaysHoldsTheInquiryFieldsAndSaysWhetherWritten) {
    zrtest::TempDir dir;
    WizardScript s;
    s.type = 6;
    s.yes = {true, false, false};
    s.numbers = {"1"};
    zr::CTL394MAPA("", s.answers(), dir.path());
    const std::string map = zrtest::readBytes(dir.file("zr271.xml"));
    EXPECT_NE(map.find("<FIELD>INQUIRYCODE</FIELD>\r\n"), std::string::npos);
    EXPECT_NE(map.find("<FIELD>AMOUNT1</FIELD>\r\n</CONFIGURATION>"), std::string::npos);
    EXPECT_EQ(s.messages, std::vector<std::string>{"true"});
}

TEST(MapWizard, AnExistingMapIsKeptWhenNotReplacedAndStillOpened) {
    zrtest::TempDir dir;
    dir.write("zr835.xml", "old");
    WizardScript s;
    s.type = 4;
    s.yes = {false};
    zr::CTL394MAPA("", s.answers(), dir.path());
    EXPECT_EQ(s.questions, std::vector<std::string>{"A map file already exists. Do you wish to replace the existing "
                                                    "835 map file?| Erase Existing ZR835.XML Mapping File?"});
    EXPECT_EQ(zrtest::readBytes(dir.file("zr835.xml")), "old");
    EXPECT_EQ(s.opened.size(), 1u);
    // Declining to create leaves nothing to open.
    WizardScript none;
    none.type = 8;
    zr::CTL394MAPA("", none.answers(), dir.path());
    EXPECT_TRUE(none.opened.empty());
}

TEST(MapWizard, AppendFormats) {
    EXPECT_EQ(zr::CTL394MAPD("", "A", 1), "A");
    EXPECT_EQ(zr::CTL394MAPD("A", "B", 1), "A,B");
    EXPECT_EQ(zr::CTL394MAPD("", "A", 2), "<FIELD>A</FIELD>\r\n");
}

}  // namespace
