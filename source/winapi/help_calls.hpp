// Help through classic Windows Help or HTML Help (a file whose name holds
// ".chm") for the program's help file (SETHELPFILE). The HTML Help engine is
// loaded by name on first use.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "help_files.hpp"
#include "value.hpp"

namespace wl {

// Shows a topic of the program's help file: for HTML Help a text topic gets
// ".htm" added before any "#"; for Windows Help a number is a context and a
// text a keyword (the current topic, without ".htm", when none is given).
void HELPTOPIC(const Value& topic = Value());
void HELPINDEX();
void HELPSEARCH(const std::string& text = "");
void HELPPOPUP(const Value& topic, std::optional<int> row = std::nullopt, std::optional<int> col = std::nullopt,
               HWND hwnd = nullptr);
// Calls Windows Help unless the file is HTML Help; false then or on failure.
bool WINHELP(const std::string& file, UINT command = 3, ULONG_PTR data = 0);

// A numbered topic of the pop-up file shown as an HTML Help pop-up.
void CHMHELPPOPUP(long long topic, HWND hwnd = nullptr);

// The HTML Help engine ("hhctrl.ocx", "HtmlHelpA"); nullptr when it cannot
// be loaded. FREEHTMLDLL frees it.
HWND HTML_HELP(HWND hwnd, const std::string& file, UINT command, DWORD_PTR data);
void FREEHTMLDLL();
// A text pop-up at (row, col), or 20 pixels above the mouse when not given,
// in the font "Tahoma, 8, , ".
HWND HTMLPOP(HWND hwnd, const std::string& file, UINT command, const std::string& text,
             std::optional<int> row = std::nullopt, std::optional<int> col = std::nullopt, long long clrFore = -1,
             long long clrBack = -1);
// A full-text search for the query.
HWND HTMLSEARCH(HWND hwnd, const std::string& file, UINT command, const std::string& query);

}  // namespace wl
