// Mail through Wine's mapi32 and its provider "winemapi", which turns the
// message into a mailto: address for the desktop's mail program
// (xdg-email): the test command puts a recording xdg-email first on the
// PATH (tests/fixtures/mail), which keeps its arguments in ZR_MAIL_RECORD.
// This Wine's provider drops attachments ("Ignoring n attachments"), so
// the tests check what reaches the mail program: recipients, copies,
// subject and text.
#include "mail.hpp"

#include <gtest/gtest.h>

#include "unix_tools.hpp"

namespace {

std::string recordDir() {
    const char* record = std::getenv("ZR_MAIL_RECORD");
    return record ? zrtest::windowsPath(record) : std::string();
}

// Waits for the mail program's recording.
std::string awaitArgs(const std::string& dir) {
    for (int i = 0; i < 600; ++i) {
        const std::string args = zrtest::readBytes(dir + "\\args.txt");
        if (!args.empty() && args.back() == '\n') return args;
        Sleep(50);
    }
    return {};
}

TEST(TMail, HandsRecipientsSubjectAndTextToTheMailProgram) {
    const std::string record = recordDir();
    ASSERT_FALSE(record.empty());
    std::error_code ec;
    std::filesystem::remove_all(record, ec);
    zrtest::ScratchDir dir("mail");
    const std::string file = dir.file("claims.txt");
    std::ofstream(file, std::ios::binary) << "attached";
    const std::string before = std::filesystem::current_path().string();
    wl::TMail mail;
    mail.cSubject = "Claim list";
    mail.cNoteText = "See the list.";
    mail.lFromUser = false;
    mail.aRecipients = {{"Billing", "billing@example.com"}, {"Office", "office@example.com"}};
    mail.aFiles = {{file, "claims.txt"}};
    zrtest::PromptRecorder prompts;
    mail.Activate();
    EXPECT_EQ(mail.nRetCode, 0);
    EXPECT_TRUE(prompts.prompts().empty());
    EXPECT_EQ(std::filesystem::current_path().string(), before);
    // The first recipient is the main one, the second a copy.
    EXPECT_EQ(awaitArgs(record),
              "mailto:billing@example.com?subject=Claim%20list&cc=office@example.com&bcc=&body=See%20the%20list.\n");
}

TEST(TMail, MoreThanTenRecipientsAndAttachmentsAllGoIntoTheMessage) {
    const std::string record = recordDir();
    ASSERT_FALSE(record.empty());
    std::error_code ec;
    std::filesystem::remove_all(record, ec);
    zrtest::ScratchDir dir("mail-many");
    wl::TMail mail;
    mail.cSubject = "Many";
    mail.lFromUser = false;
    for (int i = 1; i <= 12; ++i) {
        mail.aRecipients.push_back({"R" + std::to_string(i), "r" + std::to_string(i) + "@example.com"});
        const std::string f = dir.file("f" + std::to_string(i) + ".txt");
        std::ofstream(f, std::ios::binary) << i;
        mail.aFiles.push_back({f, "f" + std::to_string(i) + ".txt"});
    }
    mail.Activate();
    EXPECT_EQ(mail.nRetCode, 0);
    const std::string args = awaitArgs(record);
    EXPECT_EQ(args.rfind("mailto:r1@example.com?subject=Many&cc=r2@example.com,", 0), 0u) << args;
    EXPECT_NE(args.find(",r12@example.com&bcc="), std::string::npos) << args;
}

}  // namespace
