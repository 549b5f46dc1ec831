// The program's help file and topic, the F1 key inside open menus, and the
// control named by a help request.
#pragma once

#include <windows.h>

#include <string>

namespace wl {

// "" when no help file is set.
std::string GETHELPFILE();
std::string GETHELPTOPIC();
// The numeric topic (0 when a text topic or none is set).
int helpTopicNumber();
// A text topic (at most 99 characters kept) clears the numeric one; a
// number clears the text; no argument clears both.
void SETHELPTOPIC(const std::string& cTopic);
void SETHELPTOPIC(int nTopic);
void SETHELPTOPIC();
// Sets the help file and installs, once, the hook that turns F1 in an open
// menu into LM_HELPF1 posted to the active window.
void SETHELPFILE(const std::string& cFile);
void SETHELPFILE2(const std::string& cFile);
// Removes that hook; SETHELPFILE installs it again.
void removeHelpKeyHook();
bool helpKeyHookInstalled();
// Places the help window when a help file is set.
void HELPSETWINPOS(int nX, int nY, int nWidth, int nHeight, int nShow);
// The control of a WM_HELP request (its HELPINFO's hItemHandle); 0 for no record.
HANDLE HELPCTRLHWND(LPARAM pHelpInfo);

}  // namespace wl
