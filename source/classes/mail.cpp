#include "mail.hpp"

#include <mapi.h>

#include <ctime>
#include <filesystem>

#include "messages.hpp"

namespace wl {

namespace {

// mapi32.dll while a call needs it.
class MapiLibrary {
public:
    MapiLibrary() : h_(LoadLibraryA("mapi32.dll")) {}
    ~MapiLibrary() {
        if (h_) FreeLibrary(h_);
    }
    MapiLibrary(const MapiLibrary&) = delete;
    MapiLibrary& operator=(const MapiLibrary&) = delete;
    template <class F>
    F get(const char* name) const {
        return h_ ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(h_, name))) : nullptr;
    }

private:
    HMODULE h_;
};

char* text(const std::string& s) { return const_cast<char*>(s.c_str()); }

std::string today(const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, format, &local);
    return buffer;
}

}  // namespace

long MAPISENDMAIL(const std::string& cSubject, const std::string& cNoteText, const std::optional<std::string>& cMsgType,
                  const std::string& cDateReceived, const std::string& cConversationID, bool lReceipt, bool lFromUser,
                  const std::optional<MailAddress>& aOrigin, const std::vector<MailAddress>& aRecipients,
                  const std::vector<MailFile>& aFiles) {
    MapiLibrary mapi;
    const auto send = mapi.get<LPMAPISENDMAIL>("MAPISendMail");
    if (!send) return -1;
    // As many recipients and attachments as the message has.
    std::vector<MapiRecipDesc> recipients(aRecipients.size());
    for (std::size_t i = 0; i < aRecipients.size(); ++i) {
        recipients[i].ulRecipClass = i == 0 ? MAPI_TO : MAPI_CC;
        recipients[i].lpszName = text(aRecipients[i].name);
        recipients[i].lpszAddress = text(aRecipients[i].address);
    }
    std::vector<MapiFileDesc> files(aFiles.size());
    for (std::size_t i = 0; i < aFiles.size(); ++i) {
        files[i].nPosition = static_cast<ULONG>(-1);
        files[i].lpszPathName = text(aFiles[i].path);
        files[i].lpszFileName = text(aFiles[i].name);
    }
    MapiRecipDesc origin{};
    MapiMessage message{};
    message.lpszSubject = text(cSubject);
    message.lpszNoteText = text(cNoteText);
    message.lpszMessageType = cMsgType ? text(*cMsgType) : nullptr;
    message.lpszDateReceived = text(cDateReceived);
    message.lpszConversationID = text(cConversationID);
    message.flFlags = lReceipt ? MAPI_RECEIPT_REQUESTED : 0;
    if (aOrigin) {
        origin.ulRecipClass = MAPI_ORIG;
        origin.lpszName = text(aOrigin->name);
        origin.lpszAddress = text(aOrigin->address);
        message.lpOriginator = &origin;
    }
    message.nRecipCount = static_cast<ULONG>(recipients.size());
    message.lpRecips = recipients.empty() ? nullptr : recipients.data();
    message.nFileCount = static_cast<ULONG>(files.size());
    message.lpFiles = files.empty() ? nullptr : files.data();
    // No session is kept: the mail program asks for its log-on itself.
    const FLAGS flags = (lFromUser ? MAPI_DIALOG : 0) | MAPI_LOGON_UI;
    return static_cast<long>(send(0, reinterpret_cast<ULONG_PTR>(GetActiveWindow()), &message, flags, 0));
}

bool MAPILOGOFF() {
    // Sessions are never kept open, so there is none to end.
    return true;
}

TMail::TMail() : dDate(today("%Y%m%d")), cTime(today("%H:%M:%S")) {}

void TMail::Activate() {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::current_path(ec);
    nRetCode = MAPISENDMAIL(cSubject, cNoteText, cMsgType, dDate + " " + cTime, cConversationID, lReceipt, lFromUser,
                            aOrigin, aRecipients, aFiles);
    // The mail program may change the current folder.
    if (!folder.empty()) std::filesystem::current_path(folder, ec);
    if (nRetCode == -1) {
        MSGSTOP("Error initializing mail");
    } else if (nRetCode != SUCCESS_SUCCESS && nRetCode != MAPI_E_USER_ABORT) {
        MSGSTOP("Error sending mail (MAPI code " + std::to_string(nRetCode) + ")");
    }
}

void TMail::End() { MAPILOGOFF(); }

}  // namespace wl
