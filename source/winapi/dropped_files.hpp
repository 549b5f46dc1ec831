// Files dropped on a window from the shell.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace wl {

void DRAGACCEPTFILES(HWND hWnd, bool lAccept);
// Every file name of the drop, each whole however long.
std::vector<std::string> DRAGQUERYFILES(HDROP hDrop);
// The drop point: aPoint.x and aPoint.y receive it; true in the client area.
bool DRAGQUERYPOINT(HDROP hDrop, POINT& aPoint);
// Releases the drop's memory; the handle is gone afterwards.
void DRAGFINISH(HDROP hDrop);

}  // namespace wl
