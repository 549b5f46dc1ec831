// The Windows program's entry. With a conversion type as the first word it
// converts and ends; otherwise it opens the main window and runs the message
// loop until the window closes.
#include <windows.h>

#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "command_line.hpp"
#include "conversion_driver.hpp"
#include "progress_meter_window.hpp"
#include "system_info.hpp"

namespace {

constexpr char kClassName[] = "ZRK7W315";
constexpr char kTitle[] = "X12 Parser";

LRESULT CALLBACK mainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

int runMainWindow(HINSTANCE instance, int show) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = mainWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc)) return 1;

    // 30 text rows of 16 pixels by 100 columns of 8.
    HWND hwnd = CreateWindowExA(0, kClassName, kTitle,
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                                CW_USEDEFAULT, CW_USEDEFAULT, 800, 480, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);

    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return static_cast<int>(m.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) try {
    std::vector<std::string> words;
    for (int i = 1; i < __argc && words.size() < 4; ++i) words.emplace_back(__argv[i]);
    const zr::CommandLine line = zr::settleCommandLine(words, wl::currentFolder());
    zr::installMeterWindow();
    if (!line.batch) return runMainWindow(instance, show);

    const zr::DriverResult result = zr::CTLD48403(zr::batchRequest(line));
    // Data lost in a conversion fails an unattended run as a failure does.
    return result.failed == 0 && result.lostData == 0 ? 0 : 1;
}
// Nothing thrown leaves the program unexplained: the reason is shown.
catch (const std::exception& e) {
    const std::string text = std::string("The program stopped: ") + e.what();
    MessageBoxA(nullptr, text.c_str(), kTitle, MB_OK | MB_ICONERROR);
    return 1;
} catch (...) {
    MessageBoxA(nullptr, "The program stopped on an unknown error.", kTitle, MB_OK | MB_ICONERROR);
    return 1;
}
