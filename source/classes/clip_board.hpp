// TClipBoard: the Windows clipboard for text (format 1), bitmaps (2) and
// enhanced metafiles (14), opened by a window of the program.
#pragma once

#include <windows.h>

#include <string>

#include "value.hpp"

namespace wl {

class TWindow;

class TClipBoard {
public:
    // The window defaults to the main window, else the default window.
    explicit TClipBoard(int format = CF_TEXT, TWindow* wnd = nullptr);
    ~TClipBoard() { End(); }

    bool Open();
    bool Empty();
    bool Close();
    // Opens, empties and closes.
    void Clear();
    void End();

    // Each opens, empties, puts a copy of the data and closes; true only when
    // the data was taken and the clipboard closed.
    bool SetText(const std::string& text);
    bool SetBitmap(HBITMAP bitmap);
    bool SetMetaFile(HENHMETAFILE metafile);
    // "" when the clipboard cannot be opened or holds no text.
    std::string GetText();
    // Copies that the caller owns; nullptr when there is none.
    HBITMAP GetBitmap();
    HENHMETAFILE GetMetaFile();
    // By nFormat: text as text, handles as numbers.
    bool SetData(const Value& x);
    Value GetData();
    // No data of nFormat (a clipboard that cannot be opened counts as empty).
    bool IsEmpty();

    int nFormat = CF_TEXT;
    TWindow* oWnd = nullptr;

private:
    HWND owner() const;
    bool open_ = false;
};

}  // namespace wl
