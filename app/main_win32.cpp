// The Windows program's entry: MAIN with up to four command-line words.
// With a conversion type as the first word the main window converts and
// ends; otherwise the message loop runs until the window closes.
#include <windows.h>

#include <string>
#include <vector>

#include "main_window.hpp"
#include "progress_meter_window.hpp"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::vector<std::string> words;
    for (int i = 1; i < __argc && words.size() < 4; ++i) words.emplace_back(__argv[i]);
    zr::installMeterWindow();
    return zr::MAIN(words);
}
