#include "metafiles.hpp"

#include <vector>

#include "file_bytes.hpp"
#include "placeable_metafile.hpp"

namespace wl {

HDC CREATEENHMETAFILE(HDC hDCRef, const std::string& cFile, const std::string& cDescription) {
    // The frame is the printer's page in hundredths of a millimetre.
    const RECT frame{0, 0, GetDeviceCaps(hDCRef, HORZSIZE) * 100, GetDeviceCaps(hDCRef, VERTSIZE) * 100};
    // The description is the document name, ended by two zero bytes.
    std::string description = cDescription;
    description.push_back('\0');
    HDC dc = CreateEnhMetaFileA(hDCRef, cFile.c_str(), &frame, description.c_str());
    if (!dc) {
        const std::string text = "Error (" + std::to_string(GetLastError()) + ") creating enhanced metafile";
        MessageBoxA(nullptr, text.c_str(), cFile.c_str(), MB_OK | MB_ICONSTOP);
    }
    return dc;
}

HENHMETAFILE CLOSEENHMETAFILE(HDC hDC) { return CloseEnhMetaFile(hDC); }

bool DELETEENHMETAFILE(HENHMETAFILE hEMF, const std::string& cCaption) {
    if (DeleteEnhMetaFile(hEMF)) return true;
    const std::string text =
        "Error (" + std::to_string(GetLastError()) + ") deleting enhanced metafile\n\nError description";
    MessageBoxA(nullptr, text.c_str(), cCaption.c_str(), MB_OK | MB_ICONWARNING);
    return false;
}

HENHMETAFILE GETENHMETAFILE(const std::string& cFile) { return GetEnhMetaFileA(cFile.c_str()); }

bool PLAYENHMETAFILE(HDC hDC, HENHMETAFILE hEMF, HWND hWnd, bool lDevice, int nExtraX, int nExtraY) {
    RECT r{};
    if (lDevice) {
        r = {0, 0, GetDeviceCaps(hDC, HORZRES) + nExtraX, GetDeviceCaps(hDC, VERTRES) + nExtraY};
    } else {
        GetClientRect(hWnd, &r);
    }
    return PlayEnhMetaFile(hDC, hEMF, &r) != 0;
}

bool XPLAYENHMETAFILE(HDC hDC, HENHMETAFILE hEMF, int nTop, int nLeft, int nBottom, int nRight) {
    const RECT r{nLeft, nTop, nRight, nBottom};
    return PlayEnhMetaFile(hDC, hEMF, &r) != 0;
}

HMETAFILE GETMETAFILE(const std::string& cFile) {
    // Win16 metafile files load through their bits (GetMetaFile is gone
    // from modern systems).
    const FileBytes bytes = readWholeFile(cFile);
    if (!bytes.ok() || bytes.size() == 0) return nullptr;
    return SetMetaFileBitsEx(static_cast<UINT>(bytes.size()), reinterpret_cast<const BYTE*>(bytes.data()));
}

bool PLAYMETAFILE(HDC hDC, HMETAFILE hMF) { return PlayMetaFile(hDC, hMF) != 0; }

bool DELETEMETAFILE(HMETAFILE hMF) { return DeleteMetaFile(hMF) != 0; }

HMETAFILE GETPMETAFILE(const std::string& cFile, std::array<int, 5>* aInfo) {
    const FileBytes bytes = readWholeFile(cFile);
    if (!bytes.ok()) return nullptr;
    const std::optional<PlaceableMetafile> m = parsePlaceableMetafile(bytes.view());
    if (!m) return nullptr;
    if (aInfo) *aInfo = {m->top, m->left, m->bottom, m->right, m->unitsPerInch};
    return SetMetaFileBitsEx(static_cast<UINT>(m->bits.size()), reinterpret_cast<const BYTE*>(m->bits.data()));
}

}  // namespace wl
