// TImageList: a common-control image list (for toolbars and tree views)
// and the bitmap objects handed to it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "bitmap.hpp"

namespace wl {

class TImageList {
public:
    explicit TImageList(int width = 16, int height = 16);
    ~TImageList() { End(); }
    TImageList(const TImageList&) = delete;
    TImageList& operator=(const TImageList&) = delete;

    // Each answers the new image's index, -1 on failure.
    int Add(std::shared_ptr<TBitmap> bmp, std::shared_ptr<TBitmap> mask = nullptr);
    int AddMasked(std::shared_ptr<TBitmap> bmp, COLORREF maskColour);
    int AddIcon(HICON icon);
    // The first icon of an existing file, else the icon resource of that name.
    int AddIcon(const std::string& fileOrResource);
    void SetBkColor(COLORREF colour);
    // Replaces the list by one loaded from an existing bitmap file.
    bool ReadBitmap(const std::string& file, int width = 16, UINT flags = 0, COLORREF maskColour = 16711935);
    int Count() const;
    void End();

    HIMAGELIST hImageList = nullptr;
    std::vector<std::shared_ptr<TBitmap>> aBitmaps;
    int nWidth = 16, nHeight = 16;
};

}  // namespace wl
