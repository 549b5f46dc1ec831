// The system's dialogs: message boxes, the file and folder choosers, the
// colour and font choosers and the modeless find dialog. Each is owned by
// the active window at the moment of the call. The message seam's Windows
// half (platformMessageBox, platformFileDialog) runs through these.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "messages.hpp"

namespace wl {

// A system message box owned by the active window; the button chosen.
int SYSMSGBOX(const std::string& text, const std::string& caption, UINT style);
bool MSGRETRYCANCEL(const std::string& text, const std::string& caption = "Select an option");
int MSGYESNOCANCEL(const std::string& text, const std::string& caption = "Select an option");
void MSGABOUT(const std::string& app = {}, const std::string& other = "About");
void SHELLABOUT(const std::string& app, const std::string& other, HICON icon);

// The file dialog of CGETFILE's Windows half; the path ("" on Cancel).
// Paths of any length fit.
std::string FILEDIALOG(const FileDialogRequest& request);
// The filter selected when the last file dialog closed (0 while one is open).
int LASTFILEFILTER();

// The folder browser: the chosen folder, "" on Cancel. cCaption titles the
// window, cPrompt stands above the tree.
std::string CGETDIR(const std::string& caption = {}, const std::string& initialFolder = {}, int rootFolder = 0,
                    const std::string& prompt = {}, UINT flags = 0);
// The browser's flags: nFlags when given, else 0 under a root folder and
// 83 (file-system folders, edit box, new style) without one.
UINT folderBrowserFlags(int rootFolder, UINT flags);

// The colour dialog: the chosen colour, the initial one on Cancel.
COLORREF CHOOSECOLOR(std::optional<COLORREF> color = std::nullopt, std::optional<DWORD> flags = std::nullopt);

// The font dialog: the chosen logical font, none on Cancel; the chosen
// colour goes to *color when given.
std::optional<LOGFONTA> CHOOSEFONT(const std::optional<LOGFONTA>& start = std::nullopt, COLORREF* color = nullptr,
                                   HDC printer = nullptr, DWORD flags = 0);

// Opens the modeless find dialog and answers its window. The search text
// lives in a buffer the library owns for the dialog's life; *message gets
// the find dialog's registered message number on every call.
HWND FINDTEXT(const std::string& find, HWND owner = nullptr, UINT* message = nullptr);
// The text in the find dialog's buffer.
std::string findTextBuffer();

}  // namespace wl
