// The Windows program's entry: MAIN with up to four command-line words.
// With a conversion type as the first word the main window converts and
// ends; otherwise the message loop runs until the window closes.
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "file_io.hpp"
#include "main_window.hpp"
#include "progress_meter_window.hpp"

namespace {
constexpr char kTitle[] = "X12 Parser";
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) try {
    std::vector<std::string> words;
    for (int i = 1; i < __argc && words.size() < 4; ++i) words.emplace_back(__argv[i]);
    zr::installMeterWindow();
    // A run stopped from its console leaves no temporary output behind.
    wl::removeTemporaryFilesOnStop();
    return zr::MAIN(words);
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
