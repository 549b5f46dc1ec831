#include "dropped_files.hpp"

namespace wl {

void DRAGACCEPTFILES(HWND hWnd, bool lAccept) { DragAcceptFiles(hWnd, lAccept); }

std::vector<std::string> DRAGQUERYFILES(HDROP hDrop) {
    std::vector<std::string> files;
    UINT count = DragQueryFileA(hDrop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = DragQueryFileA(hDrop, i, nullptr, 0);
        std::string name(length + 1, '\0');
        UINT got = DragQueryFileA(hDrop, i, name.data(), length + 1);
        name.resize(got);
        files.push_back(std::move(name));
    }
    return files;
}

bool DRAGQUERYPOINT(HDROP hDrop, POINT& aPoint) { return DragQueryPoint(hDrop, &aPoint) != 0; }

void DRAGFINISH(HDROP hDrop) {
    if (hDrop) DragFinish(hDrop);
}

}  // namespace wl
