// Mouse cursors and icons: the system cursors by name, the library's six
// built-in monochrome cursors, cursors made from a bitmap by colour rules,
// and icon loading, drawing and focus drawing.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "colors.hpp"

namespace wl {

HCURSOR CURSORARROW();
void CURSORWAIT();
HCURSOR CURSORIBEAM();
HCURSOR CURSORWE();
HCURSOR CURSORNS();
HCURSOR CURSORNO();
HCURSOR CURSORSIZEALL();

void CURSORHAND();
HCURSOR GETCURSORHAND();
void CURSORCATCH();
HCURSOR CURSOROPENHAND();
HCURSOR GETCURSORSTOP();
HCURSOR GETCURSORSEARCH();
HCURSOR GETCURSORDRAG();
HCURSOR getCursorCatch();
void CURSORSTOP();
void CURSORSEARCH();
void CURSORDRAG();
// The library's own hand, made even where the system has one.
HCURSOR builtInHandCursor();

HCURSOR LOADCURSOR(HINSTANCE instance, const char* nameOrId);
HCURSOR WSETCURSOR(HCURSOR cursor);
bool DESTROYCURSOR(HCURSOR cursor);
// {row, column}: y first, screen coordinates.
std::array<int, 2> GETCURSORPOS();
void SETCURSORPOS(int x, int y);
int SHOWCURSOR(bool show);
// The cursor loaded from the program's resources; true when one was set before.
bool SETRESCURSOR(const char* nameOrId);

// Colour rules of a bitmap cursor: up to 16 colours each. With ranges the
// lists are pairs (low, high); without, colours match when equal.
struct BmpCursorColors {
    std::vector<Color> black, white, transparent, inverted;
};
HCURSOR CREATEBMPCURSOR(HBITMAP bitmap, HPALETTE palette, int hotRow, int hotCol, bool ranges,
                        const BmpCursorColors& colors);
// Whether a colour is in a list (the matching rule of CREATEBMPCURSOR).
bool cursorColorMatches(const std::vector<Color>& list, Color c, bool ranges);

HICON LOADICON(HINSTANCE instance, const char* nameOrId);
HICON EXTRACTICON(const std::string& file, int index);
int ICONCOUNT(const std::string& file);
bool DRAWICON(HDC hDC, int row, int col, HICON icon);
bool DESTROYICON(HICON icon);
bool DRAWICONFOCUS(HDC hDC, int row, int col, HICON icon);
HICON FILEICON(const std::string& path);
HBITMAP ICONTOBITMAP(HICON icon);

}  // namespace wl
