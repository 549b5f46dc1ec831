// Real windows for the wrapper tests: a class whose procedure records the
// messages it receives, and a window that is destroyed with the object.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace wltest {

struct Received {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

inline std::vector<Received>& received() {
    static std::vector<Received> list;
    return list;
}

inline int countOf(HWND hwnd, UINT msg) {
    int n = 0;
    for (const auto& r : received())
        if (r.hwnd == hwnd && r.msg == msg) ++n;
    return n;
}

// The creation data of the last window made with the recording class,
// read as a text ("" for none).
inline std::string& lastCreateText() {
    static std::string text;
    return text;
}

inline LRESULT CALLBACK recordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    received().push_back({hwnd, msg, wParam, lParam});
    if (msg == WM_CREATE) {
        auto* data = static_cast<const char*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        lastCreateText() = data ? data : "";
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

inline const char* recordingClass() {
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = recordingProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "WlRecordingWindow";
        RegisterClassA(&wc);
        return "WlRecordingWindow";
    }();
    return name;
}

class TestWindow {
public:
    explicit TestWindow(DWORD style = WS_OVERLAPPEDWINDOW, HWND parent = nullptr, int x = 50, int y = 40,
                        int width = 400, int height = 300, const char* className = nullptr) {
        hwnd_ = CreateWindowExA(0, className ? className : recordingClass(), "Test", style, x, y, width, height,
                                parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~TestWindow() {
        if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND hwnd() const { return hwnd_; }
    operator HWND() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

// Runs what is waiting in the queue.
inline void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace wltest
