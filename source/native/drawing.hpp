// Drawing primitives and text output: device contexts and their mapping,
// pens, brushes and objects, colours, fonts, text output and measuring,
// lines and shapes, focus marks, the linear gradient, off-screen painting
// and metafile conversion. Rectangles are {top, left, bottom, right}.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "colors.hpp"

// Printer escape numbers of the same names would hide these functions.
#undef STRETCHBLT
#undef EXTTEXTOUT

namespace wl {

// {top, left, bottom, right}
using WlRect = std::array<int, 4>;
RECT toRECT(const WlRect& r);

// Device contexts.
HDC GETDC(HWND hWnd);
bool RELEASEDC(HWND hWnd, HDC hDC);
HDC CREATEDC(const std::string& driver, const std::string& device, const std::string& output,
             const std::optional<std::string>& devMode = std::nullopt);
HDC CREATECOMPATIBLEDC(HDC hDC);
HDC CREATECOMPATIBLEDC2(HDC hDC);
bool DELETEDC(HDC hDC);
int SAVEDC(HDC hDC);
bool RESTOREDC(HDC hDC);
int SETMAPMODE(HDC hDC, int mode);
int GETMAPMODE(HDC hDC);
std::array<int, 2> SETWINDOWEXT(HDC hDC, int x, int y);
std::array<int, 2> SETVIEWPORTEXT(HDC hDC, int x, int y);
std::array<int, 2> SETVIEWORG(HDC hDC, int x, int y);
std::array<int, 2> SETWINDOWORG(HDC hDC, int x, int y);
bool GETWINDOWORG(HDC hDC, std::array<int, 2>& point);
bool GETVIEWPORTORG(HDC hDC, std::array<int, 2>& point);
bool BITBLT(HDC dest, int x, int y, int w, int h, HDC src, int xs, int ys, DWORD rop);
bool STRETCHBLT(HDC dest, int x, int y, int w, int h, HDC src, int xs, int ys, int ws, int hs, DWORD rop);
HDC GETWINDOWDC(HWND hWnd);

// Pens, brushes and objects.
HGDIOBJ SELECTOBJECT(HDC hDC, HGDIOBJ obj);
bool DELETEOBJECT(HGDIOBJ obj);
bool ISGDIOBJECT(HGDIOBJ obj);
HGDIOBJ GETSTOCKOBJECT(int index);
HPEN CREATEPEN(int style, int width, Color color);
HBRUSH CREATESOLIDBRUSH(Color color);
HBRUSH CREATEHATCHBRUSH(int style, Color color);
HBRUSH CREATEPATTERNBRUSH(HBITMAP bitmap);
bool SETBRUSHORGEX(HDC hDC, int x, int y);
HGDIOBJ SELECTBLACKPEN(HDC hDC);
HGDIOBJ SELECTWHITEPEN(HDC hDC);

// Colours.
Color SETTEXTCOLOR(HDC hDC, Color c);
Color SETBKCOLOR(HDC hDC, Color c);
int SETBKMODE(HDC hDC, int mode);
Color GETTEXTCOLOR(HDC hDC);
Color GETBKCOLOR(HDC hDC);
Color GETSYSCOLOR(int index);

// The 14 items of a logical font, in LOGFONT order.
struct LogFont {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 0;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = 0;
    int outPrecision = 0;
    int clipPrecision = 0;
    int quality = 0;
    int pitchFamily = 0;
    std::string faceName;
};
HFONT CREATEFONT(const LogFont& lf);
struct FontInfo {
    int height = 0;
    int aveCharWidth = 0;
    bool bold = false;
    std::string faceName;
};
// Measured on the active window's device context, which is put back as it
// was and released.
FontInfo GETFONTINFO(HFONT font);
std::array<int, 2> FONTHEIGHTS(HFONT font);
HFONT FONTVARIANT(HFONT font, bool bold, bool underline, bool italic, int height);
int ADDFONTRESOURCE(const std::string& file);
bool REMOVEFONTRESOURCE(const std::string& file);
std::vector<std::string> FONTNAMES(HDC hDC);

// Text output and measuring.
bool TEXTOUT(HDC hDC, int row, int col, const std::string& text);
bool EXTTEXTOUT(HDC hDC, int row, int col, const WlRect& rect, const std::string& text, UINT options = 6);
int DRAWTEXT(HDC hDC, const std::string& text, const WlRect& rect = {0, 0, 14, 0}, UINT format = 288);
int DRAWTEXTEX(HDC hDC, const std::string& text, const WlRect& rect = {0, 0, 14, 0}, UINT format = 288);
UINT SETTEXTALIGN(HDC hDC, UINT align);
UINT GETTEXTALIGN(HDC hDC);
bool SETTEXTJUSTIFY(HDC hDC, int extra, int count);
std::array<int, 2> TEXTEXTENT(HDC hDC, const std::string& text, int length);

struct SayArgs {
    Color fore = 0;
    Color back = 0xFFFFFF;
    HFONT font = nullptr;
    bool pixels = false;
    bool transparent = false;
    UINT align = 0;
};
void WSAY(HWND hWnd, HDC hDC, int row, int col, const std::string& text, const SayArgs& a = {});
void WSAYRECT(HWND hWnd, HDC hDC, int row, int col, const std::string& text, Color fore = 0, Color back = 0xFFFFFF,
              int width = 0);
int GETTEXTWIDTH(HDC hDC, const std::string& text, HFONT font = nullptr);
int GETTEXTHEIGHT(HWND hWnd, HDC hDC = nullptr);
int NWNDCHRHEIGHT(HWND hWnd, HFONT font = nullptr);
std::array<int, 2> GETLABELDIM(HWND hWnd, const std::string& text, HFONT font = nullptr);

// Lines, shapes and marks: a given pen is selected for the one call.
bool MOVETO(HDC hDC, int x, int y);
// A one-pixel solid line from (x0, y0) to (x1, y1), its pen made for the call.
void solidLine(HDC hDC, int x0, int y0, int x1, int y1, Color color);
bool LINETO(HDC hDC, int x, int y, HPEN pen = nullptr);
bool RECTANGLE(HDC hDC, int top, int left, int bottom, int right, HPEN pen = nullptr);
bool ELLIPSE(HDC hDC, int left, int top, int right, int bottom, HPEN pen = nullptr);
bool ARC(HDC hDC, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye, HPEN pen = nullptr);
bool CHORD(HDC hDC, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye, HPEN pen = nullptr);
bool PIE(HDC hDC, int top, int left, int bottom, int right, int ys, int xs, int ye, int xe, HPEN pen = nullptr);
bool ROUNDRECT(HDC hDC, int left, int top, int right, int bottom, int w, int h, HPEN pen = nullptr);
bool ROUNDBOX(HDC hDC, int left, int top, int right, int bottom, int w, int h, Color color, int penWidth = 1);
bool POLYPOLYGON(HDC hDC, const std::vector<std::vector<std::array<int, 2>>>& polygons);
// With a fill colour a solid brush of it is used for the one fill.
bool FLOODFILL(HDC hDC, int x, int y, Color border, std::optional<Color> fill = std::nullopt);
bool EXTFLOODFILL(HDC hDC, int x, int y, Color color, UINT type);
Color SETPIXEL(HDC hDC, int x, int y, Color c);
Color GETPIXEL(HDC hDC, int x, int y);
void FILLRECT(HDC hDC, const WlRect& rect, HBRUSH brush);
void INVERTRECT(HDC hDC, const WlRect& rect);
void DRAWFOCUSRECT(HDC hDC, int top, int left, int bottom, int right);
void FRAMEDOT(HDC hDC, int top, int left, int bottom, int right);
void DRAWFOCUSELLIPSE(HWND hWnd, HDC hDC, int margin, int points);
void GRADIENT(HDC hDC, const WlRect& rect, Color from, Color to, bool vertical);
int SETPOLYFILLMODE(HDC hDC, int mode);
bool DRAWSTATE(HDC hDC, HBRUSH brush, DRAWSTATEPROC proc, LPARAM lData, WPARAM wData, int x, int y, int cx, int cy,
               UINT flags);
bool BEGINPATH(HDC hDC);
bool ENDPATH(HDC hDC);
bool FILLPATH(HDC hDC);
bool STROKEPATH(HDC hDC);
bool STROKEANDFILLPATH(HDC hDC);
HRGN PATHTOREGION(HDC hDC);
bool FILLRGN(HDC hDC, HRGN rgn, HBRUSH brush);

// Off-screen painting.
struct DispInfo {
    HWND hWnd = nullptr;
    HDC target = nullptr;
    HDC memory = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ replaced = nullptr;
};
DispInfo WLDISPBEGIN(HWND hWnd, HDC hDC);
DispInfo WLDISPBEGINPARENT(HWND hWnd, HDC hDC);
HDC WLDISPEND(DispInfo& info);
void PARENTIMAGE(HWND hWnd, HDC hDC);

// Metafiles.
HENHMETAFILE WMF2EMF(HMETAFILE wmf, HDC hDC);
HMETAFILE EMF2WMF(HENHMETAFILE emf, HDC hDC);

}  // namespace wl
