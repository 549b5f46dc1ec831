#include "common_controls.hpp"

#include "messages.hpp"

namespace wl {
namespace {

// The image-list entry points of comctl32, looked up once.
struct ImageListApi {
    using Create = HIMAGELIST(WINAPI*)(int, int, UINT, int, int);
    using Destroy = BOOL(WINAPI*)(HIMAGELIST);
    using Add = int(WINAPI*)(HIMAGELIST, HBITMAP, HBITMAP);
    using ReplaceIcon = int(WINAPI*)(HIMAGELIST, int, HICON);
    using SetBkColor = COLORREF(WINAPI*)(HIMAGELIST, COLORREF);
    using LoadImage = HIMAGELIST(WINAPI*)(HINSTANCE, LPCSTR, int, int, COLORREF, UINT, UINT);

    Create create = nullptr;
    Destroy destroy = nullptr;
    Add add = nullptr;
    ReplaceIcon replaceIcon = nullptr;
    SetBkColor setBkColor = nullptr;
    LoadImage loadImage = nullptr;

    ImageListApi() {
        // Kept loaded for the run: image lists live as long as the program.
        HMODULE lib = LoadLibraryA("comctl32.dll");
        if (!lib) return;
        auto find = [lib](const char* name) { return reinterpret_cast<void*>(GetProcAddress(lib, name)); };
        create = reinterpret_cast<Create>(find("ImageList_Create"));
        destroy = reinterpret_cast<Destroy>(find("ImageList_Destroy"));
        add = reinterpret_cast<Add>(find("ImageList_Add"));
        replaceIcon = reinterpret_cast<ReplaceIcon>(find("ImageList_ReplaceIcon"));
        setBkColor = reinterpret_cast<SetBkColor>(find("ImageList_SetBkColor"));
        loadImage = reinterpret_cast<LoadImage>(find("ImageList_LoadImageA"));
    }
};

const ImageListApi& imageLists() {
    static const ImageListApi api;
    return api;
}

}  // namespace

void INITCOMMONCONTROLS() {
    static const bool done = (InitCommonControls(), true);
    (void)done;
}

bool INITCOMMONCONTROLSEX(DWORD nClasses) {
    ::INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof icc;
    icc.dwICC = nClasses;
    return InitCommonControlsEx(&icc) != FALSE;
}

void INITCOMMON() {
    if (!INITCOMMONCONTROLSEX(ICC_DATE_CLASSES)) NMSGBOX("can't load Common controls extended", Value("Date picker"));
}

HIMAGELIST ILCREATE(int nWidth, int nHeight) {
    const auto& api = imageLists();
    return api.create ? api.create(nWidth, nHeight, ILC_COLOR24 | ILC_MASK, 0, 50) : nullptr;
}

bool ILDESTROY(HIMAGELIST hImageList) {
    const auto& api = imageLists();
    return api.destroy && hImageList && api.destroy(hImageList);
}

int ILADD(HIMAGELIST hImageList, HBITMAP hBitmap, HBITMAP hMask) {
    const auto& api = imageLists();
    return api.add ? api.add(hImageList, hBitmap, hMask) : -1;
}

int ILADDMASKED(HIMAGELIST hImageList, HBITMAP hBitmap, COLORREF nMaskColor) {
    return ImageList_AddMasked(hImageList, hBitmap, nMaskColor);
}

int ILADDICON(HIMAGELIST hImageList, HICON hIcon) {
    const auto& api = imageLists();
    return api.replaceIcon ? api.replaceIcon(hImageList, -1, hIcon) : -1;
}

COLORREF ILSETBKCOLOR(HIMAGELIST hImageList, COLORREF nColor) {
    const auto& api = imageLists();
    return api.setBkColor ? api.setBkColor(hImageList, nColor) : CLR_NONE;
}

HIMAGELIST ILLOADIMAGE(const std::string& cFile, int nWidth, int nGrow, COLORREF nMaskColor) {
    const auto& api = imageLists();
    if (!api.loadImage) return nullptr;
    return api.loadImage(nullptr, cFile.c_str(), nWidth, nGrow, nMaskColor, IMAGE_BITMAP,
                         LR_LOADFROMFILE | LR_CREATEDIBSECTION);
}

std::string LBXGETITEM(HWND hListBox, int nItem) {
    const WPARAM index = static_cast<WPARAM>(nItem - 1);
    const LRESULT length = nItem < 1 ? LB_ERR : SendMessageA(hListBox, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR || length < 0) return {};
    // Sized from the item's own length: a long item cannot overrun.
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT got = SendMessageA(hListBox, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    if (got == LB_ERR || got < 0) return {};
    text.resize(static_cast<std::size_t>(got));
    return text;
}

std::vector<int> LBXGETSELITEMS(HWND hListBox) {
    const LRESULT count = SendMessageA(hListBox, LB_GETSELCOUNT, 0, 0);
    if (count <= 0) return {};
    std::vector<int> items(static_cast<std::size_t>(count));
    const LRESULT got = SendMessageA(hListBox, LB_GETSELITEMS, static_cast<WPARAM>(count),
                                     reinterpret_cast<LPARAM>(items.data()));
    items.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    for (int& n : items) ++n;
    return items;
}

}  // namespace wl
