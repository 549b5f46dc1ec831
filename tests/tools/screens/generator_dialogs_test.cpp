// The map generator's dialogs under Wine: a whole generation answered as a
// user would, each choice dialog's buttons, the other-industry and Save Map
// dialogs.
#include "generator_dialogs.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "dialog_acts.hpp"
#include "map_file.hpp"
#include "test_support.hpp"
#include "user_script.hpp"
#include "viewer_dialog.hpp"

namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

class GeneratorDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        fs::current_path(dir.path());
    }
    void TearDown() override { fs::current_path(previous_); }
    zrtest::TempDir dir;

private:
    fs::path previous_;
};

HWND generatorEdit(HWND dialog, int n = 0) { return zrtest::childOf(dialog, "Edit", nullptr, n); }

TEST_F(GeneratorDialogs, AProfessionalMapOfFiveLinesIsGeneratedAndSaved) {
    zrtest::PromptRecorder prompts(true);
    prompts.answerNext(true);   // Generate New Map?
    prompts.answerNext(false);  // no service-line include file
    Texts transactions, schemes;
    std::string presence;
    zrtest::UserScript script({
        {"Generate X12N Configuration",
         [&](HWND w) {
             transactions = zrtest::childTexts(w, "Button");
             zr::pressButton(w, "837 Professional Claim");
         }},
        {"Select x12 Version Mapping Option",
         [&](HWND w) {
             schemes = zrtest::childTexts(w, "Button");
             zr::pressButton(w, "Transaction Based");
         }},
        {"Number of Service Lines",
         [](HWND w) {
             zrtest::retypeInto(generatorEdit(w), "5");
             zr::pressButton(w, "Continue");
         }},
        {"Save Map",
         [&](HWND w) {
             presence = zrtest::childTexts(w, "Static").front();
             zr::pressButton(w, "Continue");
         }},
    });
    EXPECT_EQ(zr::CTL48600B("", "", "X12N"), "837p.cfg");
    EXPECT_TRUE(zrtest::UserScript::done());
    EXPECT_EQ(transactions, (Texts{"270 Eligibility Inquiry", "271 Eligibility Response", "276 Claim Status",
                                   "277 Status Response", "278 Review Request", "278 Review Response",
                                   "837 Institutional Claim", "837 Professional Claim", "837 Dental Claim",
                                   "835 Remittance Advice", "834 Enrollment", "820 Payment Order", "Exit"}));
    EXPECT_EQ(schemes, (Texts{"Transaction Based", "Version Specific 5010", "Version Secific 4010"}));
    EXPECT_EQ(presence, "File Not Present ");
    const std::string text = zrtest::readBytes(dir.file("837p.cfg"));
    EXPECT_EQ(text.rfind("********** Zarn Software   Parser Map\r\n", 0), 0u);
    const zr::MapFile map = zr::parseMapText(text);
    EXPECT_EQ(map.version, "");
    int highest = 0;
    for (const zr::FieldRow& f : map.fields) highest = std::max(highest, zr::mapNumber(f.serviceLine));
    EXPECT_EQ(highest, 5);
}

TEST_F(GeneratorDialogs, ExitAndTheCloseBoxChooseNothing) {
    zrtest::UserScript script({
        {"Generate X12N Configuration", [](HWND w) { zr::pressButton(w, "Exit"); }},
        {"Select x12 Version Mapping Option", [](HWND w) { PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Set Industry Type", [](HWND w) { zr::pressButton(w, "X12M Supply Chain"); }},
        {"Set Industry Type", [](HWND w) { zr::pressButton(w, "Exit"); }},
    });
    EXPECT_EQ(zr::CTL48600C(), 0);
    EXPECT_EQ(zr::CTL48600E(), 0);
    EXPECT_EQ(zr::CTL48600T(), "X12M");
    EXPECT_EQ(zr::CTL48600T(), "");
    EXPECT_TRUE(zrtest::UserScript::done());
}

TEST_F(GeneratorDialogs, TheOtherIndustryDialogNamesThe832Map) {
    Texts supplyButtons, insuranceButtons;
    zrtest::UserScript script({
        {"Generate X12M Map",
         [&](HWND w) {
             supplyButtons = zrtest::childTexts(w, "Button");
             zrtest::retypeInto(generatorEdit(w, 2), "123456");
             zr::pressButton(w, "832 Price/Sales Catalog");
         }},
        {"Generate X12N Map",
         [&](HWND w) {
             insuranceButtons = zrtest::childTexts(w, "Button");
             zr::pressButton(w, "Exit");
         }},
    });
    EXPECT_EQ(zr::CTL48600U("", "X12M"), (std::pair<int, std::string>{1, "005050123456.cfg"}));
    EXPECT_EQ(zr::CTL48600U("", "X12N"), (std::pair<int, std::string>{0, ""}));
    EXPECT_TRUE(zrtest::UserScript::done());
    EXPECT_EQ(supplyButtons, (Texts{"Exit", "832 Price/Sales Catalog"}));
    EXPECT_EQ(insuranceButtons, (Texts{"Exit"}));
}

TEST_F(GeneratorDialogs, SaveMapCancelledWritesNothing) {
    dir.write("old.cfg", "old\r\n");
    std::string presence;
    zrtest::UserScript script({
        {"Save Map",
         [&](HWND w) {
             presence = zrtest::childTexts(w, "Static").front();
             zrtest::retypeInto(generatorEdit(w), "new.cfg");
             zr::pressButton(w, "Cancel");
         }},
    });
    EXPECT_EQ(zr::CTLD48600H("old.cfg", "text\r\n"), "new.cfg");
    EXPECT_TRUE(zrtest::UserScript::done());
    EXPECT_EQ(presence, "File Present ");
    EXPECT_FALSE(fs::exists(dir.file("new.cfg")));
    EXPECT_EQ(zrtest::readBytes(dir.file("old.cfg")), "old\r\n");
}

TEST_F(GeneratorDialogs, TheDefaultCreatorsOtherIndustryMapIsAskedThroughTheDialogs) {
    zrtest::PromptRecorder prompts(true);  // Generate Default Maps?
    zrtest::UserScript script({
        {"Generate X12M Map", [](HWND w) { zr::pressButton(w, "832 Price/Sales Catalog"); }},
        {"Number of Service Lines", [](HWND w) { zr::pressButton(w, "Continue"); }},
        {"Save Map", [](HWND w) { zr::pressButton(w, "Continue"); }},
    });
    zr::CTLD48600R("Y", "X12M", zr::otherIndustryDialogs());
    EXPECT_TRUE(zrtest::UserScript::done());
    const std::string text = zrtest::readBytes(dir.file("005050.cfg"));
    EXPECT_EQ(text.rfind("********** Zarn Software Parser Map\r\n", 0), 0u);
    EXPECT_NE(text.find("\r\nX12TRANSACTIONTYPE=832\r\n"), std::string::npos);
}

}  // namespace
