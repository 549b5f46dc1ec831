#include "window_text.hpp"

#include <vector>

namespace wl {

std::string GETWINDOWTEXT(HWND hWnd) {
    if (!IsWindow(hWnd)) return "";
    int length = GetWindowTextLengthA(hWnd);
    if (length <= 0) return "";
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    int got = GetWindowTextA(hWnd, buffer.data(), length + 1);
    return std::string(buffer.data(), static_cast<std::size_t>(got > 0 ? got : 0));
}

void SETWINDOWTEXT(HWND hWnd, const std::string& cText) {
    if (IsWindow(hWnd)) SetWindowTextA(hWnd, cText.c_str());
}

void SETWINDOWTEXT(HWND hWnd) { SETWINDOWTEXT(hWnd, std::string()); }

int GETWINTXTLENGHT(HWND hWnd) { return GetWindowTextLengthA(hWnd); }

std::string MGETLINE(HWND hEdit, int nLine) {
    char buffer[256] = {};
    *reinterpret_cast<WORD*>(buffer) = 255;  // EM_GETLINE reads the buffer size from its first word
    LRESULT got = SendMessageA(hEdit, EM_GETLINE, static_cast<WPARAM>(nLine - 1), reinterpret_cast<LPARAM>(buffer));
    if (got <= 0) return "";
    return std::string(buffer, static_cast<std::size_t>(got > 255 ? 255 : got));
}

LRESULT MGETREPLACE(HWND hEdit, const std::string& cText) {
    return SendMessageA(hEdit, EM_REPLACESEL, 1, reinterpret_cast<LPARAM>(cText.c_str()));
}

void MOVEGET(HWND hEdit) {
    RECT r{};
    GetClientRect(hEdit, &r);
    SendMessageA(hEdit, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

}  // namespace wl
