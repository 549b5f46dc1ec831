// TMail: hands a message with attachments to the user's mail program
// through Simple MAPI (mapi32.dll, loaded when first needed).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace wl {

struct MailAddress {
    std::string name, address;
};
struct MailFile {
    std::string path, name;  // the file, and the name the mail shows
};

class TMail {
public:
    TMail();
    ~TMail() { End(); }
    TMail(const TMail&) = delete;
    TMail& operator=(const TMail&) = delete;

    std::string cSubject, cNoteText;
    std::optional<std::string> cMsgType;
    std::string cConversationID;
    std::string dDate;  // YYYYMMDD
    std::string cTime;  // HH:MM:SS
    bool lReceipt = false;
    bool lFromUser = true;
    std::optional<MailAddress> aOrigin;
    std::vector<MailAddress> aRecipients;  // the first is the main one, the others copies
    std::vector<MailFile> aFiles;
    long nRetCode = 0;  // the last send's MAPI code; -1: no mail library

    // Sends the message; a missing mail library or a failure other than the
    // user's cancel is told at once. The current folder is kept.
    void Activate();
    void End();
};

// Builds the message and calls MAPISendMail: the MAPI code (0 success),
// -1 when mapi32.dll cannot be loaded.
long MAPISENDMAIL(const std::string& cSubject, const std::string& cNoteText, const std::optional<std::string>& cMsgType,
                  const std::string& cDateReceived, const std::string& cConversationID, bool lReceipt, bool lFromUser,
                  const std::optional<MailAddress>& aOrigin, const std::vector<MailAddress>& aRecipients,
                  const std::vector<MailFile>& aFiles);
bool MAPILOGOFF();

}  // namespace wl
