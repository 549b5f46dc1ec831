#include "tree_bitmaps.hpp"

namespace wl {

namespace {

constexpr int kTreeCell = 16, kTreeMid = 8;

// Dotted: every other pixel of the line.
void treeDots(HDC dc, int x0, int y0, int x1, int y1) {
    for (int x = x0, y = y0;; x += (x1 > x0), y += (y1 > y0)) {
        if (((x + y) & 1) == 0) SetPixel(dc, x, y, RGB(0, 0, 0));
        if (x >= x1 && y >= y1) break;
    }
}

HBITMAP treeLinePicture(int code) {
    HBITMAP bmp = CreateBitmap(kTreeCell, kTreeCell, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    PatBlt(dc, 0, 0, kTreeCell, kTreeCell, WHITENESS);
    const bool toBottom = code == 1 || code == 2 || code == 4 || code == 5;
    treeDots(dc, kTreeMid, 0, kTreeMid, toBottom ? kTreeCell - 1 : kTreeMid);
    if (code >= 2) treeDots(dc, kTreeMid, kTreeMid, kTreeCell - 1, kTreeMid);
    if (code >= 4) {
        // The box, blank inside, with its minus (and the plus's upright).
        HGDIOBJ pen = SelectObject(dc, GetStockObject(BLACK_PEN));
        HGDIOBJ brush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
        Rectangle(dc, 4, 4, 13, 13);
        MoveToEx(dc, 6, kTreeMid, nullptr);
        LineTo(dc, 11, kTreeMid);
        if (code == 4 || code == 6) {
            MoveToEx(dc, kTreeMid, 6, nullptr);
            LineTo(dc, kTreeMid, 11);
        }
        SelectObject(dc, brush);
        SelectObject(dc, pen);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return bmp;
}

TreePicture treeHandle(HANDLE h) { return reinterpret_cast<TreePicture>(h); }

}  // namespace

void installTreeBitmaps() {
    TreePictureHooks hooks;
    hooks.loadLines = [] {
        TreeLinePictures lines{};
        for (int code = 1; code <= 7; ++code) lines[size_t(code)] = treeHandle(treeLinePicture(code));
        return lines;
    };
    hooks.loadResource = [](const std::string& name) {
        return treeHandle(LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, 0));
    };
    hooks.loadFile = [](const std::string& file) {
        return treeHandle(LoadImageA(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    };
    hooks.release = [](TreePicture p) { DeleteObject(reinterpret_cast<HGDIOBJ>(p)); };
    setTreePictureHooks(std::move(hooks));
}

void drawTreePicture(HDC dc, TreePicture picture, int x, int y) {
    if (!picture) return;
    HBITMAP bmp = reinterpret_cast<HBITMAP>(picture);
    BITMAP info{};
    if (!GetObjectA(bmp, sizeof info, &info)) return;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, bmp);
    if (info.bmBitsPixel == 1) {
        // White stays what is under it, black lines stay black.
        const COLORREF text = SetTextColor(dc, RGB(0, 0, 0)), back = SetBkColor(dc, RGB(255, 255, 255));
        BitBlt(dc, x, y, info.bmWidth, info.bmHeight, mem, 0, 0, SRCAND);
        SetTextColor(dc, text);
        SetBkColor(dc, back);
    } else {
        BitBlt(dc, x, y, info.bmWidth, info.bmHeight, mem, 0, 0, SRCCOPY);
    }
    SelectObject(mem, old);
    DeleteDC(mem);
}

}  // namespace wl
