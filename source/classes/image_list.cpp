#include "image_list.hpp"

#include <shellapi.h>

#include "common_controls.hpp"

namespace wl {

TImageList::TImageList(int width, int height) : nWidth(width), nHeight(height) {
    hImageList = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 0, 4);
}

int TImageList::Add(std::shared_ptr<TBitmap> bmp, std::shared_ptr<TBitmap> mask) {
    if (!hImageList || !bmp || !bmp->hBitmap) return -1;
    const int index = ILADD(hImageList, bmp->hBitmap, mask ? mask->hBitmap : nullptr);
    if (index >= 0) {
        aBitmaps.push_back(std::move(bmp));
        if (mask) aBitmaps.push_back(std::move(mask));
    }
    return index;
}

int TImageList::AddMasked(std::shared_ptr<TBitmap> bmp, COLORREF maskColour) {
    if (!hImageList || !bmp || !bmp->hBitmap) return -1;
    // ImageList_AddMasked blackens the masked pixels of the bitmap it is
    // given: the caller's picture is left alone by working on a copy.
    HBITMAP copy = static_cast<HBITMAP>(CopyImage(bmp->hBitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    const int index = ILADDMASKED(hImageList, copy ? copy : bmp->hBitmap, maskColour);
    if (copy) DeleteObject(copy);
    if (index >= 0) aBitmaps.push_back(std::move(bmp));
    return index;
}

int TImageList::AddIcon(HICON icon) {
    if (!hImageList || !icon) return -1;
    return ILADDICON(hImageList, icon);
}

int TImageList::AddIcon(const std::string& fileOrResource) {
    HICON icon = nullptr;
    bool own = false;
    if (GetFileAttributesA(fileOrResource.c_str()) != INVALID_FILE_ATTRIBUTES) {
        icon = ExtractIconA(GetModuleHandleA(nullptr), fileOrResource.c_str(), 0);
        if (reinterpret_cast<UINT_PTR>(icon) <= 1) icon = nullptr;
        own = true;
    } else {
        icon = LoadIconA(GetModuleHandleA(nullptr), fileOrResource.c_str());
    }
    const int index = AddIcon(icon);  // the list keeps its own copy
    if (own && icon) DestroyIcon(icon);
    return index;
}

void TImageList::SetBkColor(COLORREF colour) {
    if (hImageList) ILSETBKCOLOR(hImageList, colour);
}

bool TImageList::ReadBitmap(const std::string& file, int width, UINT flags, COLORREF maskColour) {
    if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    HIMAGELIST loaded = ImageList_LoadImageA(nullptr, file.c_str(), width, 0, maskColour, IMAGE_BITMAP,
                                             LR_LOADFROMFILE | LR_CREATEDIBSECTION | flags);
    if (!loaded) return false;
    End();
    hImageList = loaded;
    nWidth = width;
    int w = 0, h = 0;
    if (ImageList_GetIconSize(loaded, &w, &h)) nHeight = h;
    return true;
}

int TImageList::Count() const { return hImageList ? ImageList_GetImageCount(hImageList) : 0; }

void TImageList::End() {
    ILDESTROY(hImageList);
    hImageList = nullptr;
    aBitmaps.clear();
}

}  // namespace wl
