// The printing tests check their PDFs with tools that are not ours (qpdf,
// pdfinfo, pdfimages, pdftoppm): Linux programs, which Wine starts like any
// other when asked by their Unix path. Windows builds only.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "png_decoder.hpp"
#include "test_support.hpp"

namespace zrtest {

// A Windows path of the Unix root ("Z:\tmp\x") as the Unix path.
inline std::string unixPath(std::string path) {
    if (path.size() >= 2 && (path[0] == 'Z' || path[0] == 'z') && path[1] == ':') path = path.substr(2);
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

inline std::string windowsPath(const std::string& unix) {
    std::string p = "Z:" + unix;
    for (char& c : p)
        if (c == '/') c = '\\';
    return p;
}

struct ToolRun {
    int exitCode = -1;
    std::string output;  // stdout and stderr
};

// Runs a shell command line through /bin/sh in `dir` (a Windows path) and
// waits for it; its output goes through a file of that folder. Wine does
// not follow a Unix program to its end, so the script leaves its exit code
// in a file last, and that file is awaited.
inline ToolRun runUnix(const std::string& dir, const std::string& command) {
    ToolRun run;
    // Only folders under the Unix root (Z:) have a Unix path: any other
    // folder would leave the script unfound and the wait below to its end.
    if (dir.size() < 2 || (dir[0] != 'Z' && dir[0] != 'z') || dir[1] != ':') {
        run.output = "not under Z:, so no Unix path: " + dir;
        return run;
    }
    const std::string out = dir + "\\tool-output.txt";
    const std::string done = dir + "\\tool-done.txt";
    const std::string script = dir + "\\tool.sh";
    std::error_code ec;
    std::filesystem::remove(done, ec);
    {
        std::ofstream s(script, std::ios::binary);
        s << "cd '" << unixPath(dir) << "' || exit 99\n(" << command << ") >'" << unixPath(out)
          << "' 2>&1\necho $? >'" << unixPath(done) << ".part'\nmv '" << unixPath(done) << ".part' '"
          << unixPath(done) << "'\n";
    }
    std::string line = "sh \"" + unixPath(script) + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA("Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        run.output = "could not start /bin/sh: " + std::to_string(GetLastError());
        return run;
    }
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    for (int i = 0; i < 1200 && !std::filesystem::exists(done, ec); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const std::string code = readBytes(done);
    run.exitCode = code.empty() ? -1 : std::atoi(code.c_str());
    run.output = readBytes(out);
    return run;
}

// Whether a tool's report holds the line "label   value" (any blanks between).
inline bool hasLine(const std::string& report, const std::string& label, const std::string& value) {
    std::size_t at = 0;
    while ((at = report.find(label, at)) != std::string::npos) {
        std::size_t v = at + label.size();
        while (v < report.size() && report[v] == ' ') ++v;
        const std::size_t end = report.find('\n', v);
        if (report.substr(v, end == std::string::npos ? std::string::npos : end - v) == value) return true;
        at = v;
    }
    return false;
}

// The pages of a PDF as pictures (pdftoppm at the resolution given).
inline std::vector<wl::PixelImage> pdfPages(const std::string& dir, const std::string& pdf, int dpi = 30) {
    std::vector<wl::PixelImage> pages;
    const ToolRun run = runUnix(dir, "rm -f page-*.png; pdftoppm -r " + std::to_string(dpi) + " -png '" + unixPath(pdf) + "' page");
    if (run.exitCode != 0) {
        ADD_FAILURE() << "pdftoppm: " << run.output;
        return pages;
    }
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        if (e.path().filename().string().rfind("page-", 0) == 0) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    for (const auto& f : files)
        if (auto png = wl::decodePngFile(f.string())) pages.push_back(png->image);
        else ADD_FAILURE() << "cannot read " << f.string();
    return pages;
}

// The share of dark pixels in a part of a picture given in fractions of its
// width and height.
inline double darkShare(const wl::PixelImage& page, double top, double left, double bottom, double right) {
    const int y0 = static_cast<int>(top * page.height), y1 = static_cast<int>(bottom * page.height);
    const int x0 = static_cast<int>(left * page.width), x1 = static_cast<int>(right * page.width);
    int dark = 0, all = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const std::uint32_t p = page.at(x, y);
            ++all;
            if (wl::pixelRed(p) + wl::pixelGreen(p) + wl::pixelBlue(p) < 3 * 128) ++dark;
        }
    return all ? static_cast<double>(dark) / all : 0;
}

// Waits for a new PDF in the printer's output folder (ZR_PDF_OUT) that is not
// among `before`, and for it to be complete; "" after two minutes.
inline std::string awaitNewPdf(const std::vector<std::string>& before) {
    const char* out = std::getenv("ZR_PDF_OUT");
    if (!out) return {};
    const std::string dir = windowsPath(out);
    for (int i = 0; i < 1200; ++i) {
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(dir, ec)) {
            const std::string p = e.path().string();
            if (e.path().extension() != ".pdf" || std::find(before.begin(), before.end(), p) != before.end()) continue;
            const std::string bytes = readBytes(p);
            if (bytes.find("%%EOF") != std::string::npos) return p;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return {};
}

inline std::vector<std::string> pdfsNow() {
    std::vector<std::string> files;
    const char* out = std::getenv("ZR_PDF_OUT");
    if (!out) return files;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(windowsPath(out), ec)) files.push_back(e.path().string());
    return files;
}

}  // namespace zrtest

namespace zrtest {

// A fresh folder under the current one (on the Unix root, so the Linux
// tools reach it by the same name), removed with its files at the end.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& name) {
        static int counter = 0;
        path_ = std::filesystem::current_path() / (name + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                                                   std::to_string(++counter));
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::string path() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

}  // namespace zrtest
