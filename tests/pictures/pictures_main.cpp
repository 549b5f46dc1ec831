// The pictures program: starts the main window and, for each line of the
// picture table, opens the screen through the menu as a user would (the
// file dialog and questions answered through the prompt hook), presses the
// buttons of its path, saves a PNG of the window and closes what it opened.
//
//   zr_pictures OUTPUT-FOLDER SAMPLES-FOLDER FIXTURES-FOLDER
// scripts/pictures runs it under Xvfb and Wine's virtual desktop.
#include <windows.h>

#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "bitmaps.hpp"
#include "main_window.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "picture_table.hpp"
#include "system_info.hpp"
#include "viewer_dialog.hpp"

namespace {

using zrpictures::Picture;

// Photographs a window, frame included, from the screen.
bool savePicture(HWND w, const std::string& file) {
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT r{};
    GetWindowRect(w, &r);
    // A dialog as wide as the screen stands a few pixels past its edges:
    // the screen holds no pixels there, so only what it shows is taken.
    const RECT shown{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&r, &r, &shown);
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DeleteFileA(file.c_str());
    wl::SAVEBMPASPNG(picture, file);
    DeleteObject(picture);
    return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}

struct TopDialog {
    HWND main, found = nullptr;
};

BOOL CALLBACK findTopDialog(HWND w, LPARAM l) {
    auto* f = reinterpret_cast<TopDialog*>(l);
    if (w != f->main && IsWindowVisible(w) && IsWindowEnabled(w)) {
        f->found = w;
        return FALSE;
    }
    return TRUE;
}

// The top dialog of this thread other than the main window, if any.
HWND topDialog(HWND main) {
    TopDialog f{main};
    EnumThreadWindows(GetCurrentThreadId(), findTopDialog, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

class Photographer {
public:
    Photographer(zr::MainWindow& main, std::string out, std::string samples, std::string fixtures)
        : main_(main), out_(std::move(out)), samples_(std::move(samples)), fixtures_(std::move(fixtures)),
          hook_([this](const wl::Prompt& p) { return answer(p); }) {
        self_ = this;
        timer_ = SetTimer(nullptr, 0, 60, &Photographer::tick);
    }
    ~Photographer() { KillTimer(nullptr, timer_); }
    int failures() const { return failures_; }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) { self_->step(); }

    std::string resolve(const std::string& file) const {
        if (file.rfind("samples/", 0) == 0) return wl::joinPath(samples_, file.substr(8));
        if (file.rfind("fixtures/", 0) == 0) return wl::joinPath(fixtures_, file.substr(9));
        return file;
    }

    wl::PromptAnswer answer(const wl::Prompt& p) {
        wl::PromptAnswer a;
        if (p.kind == wl::PromptKind::File && picture_) a.file = resolve(picture_->file);
        if (p.isQuestion() && !answers_.empty()) {
            a.yes = answers_.front();
            answers_.pop_front();
        }
        if (!p.isQuestion() && p.kind != wl::PromptKind::File)
            std::fprintf(stderr, "zr_pictures: message \"%s\"\n", p.text.c_str());
        return a;
    }

    void step() {
        if (busy_) return;
        if (!picture_) {
            if (inRun_) return;
            start();
            return;
        }
        drive();
    }

    void start() {
        const auto& table = zrpictures::pictureTable();
        if (next_ >= table.size()) {
            PostMessageA(main_.window().hWnd, WM_CLOSE, 0, 0);
            return;
        }
        picture_ = &table[next_++];
        answers_.assign(picture_->answers.begin(), picture_->answers.end());
        path_ = 0;
        settle_ = 0;
        ticks_ = 0;
        unwinding_ = false;
        if (mainItself()) return;
        inRun_ = true;
        // Modal: the ticks go on inside.
        if (picture_->open)
            kept_ = picture_->open(resolve(picture_->file));
        else
            main_.Run(*picture_->command);
        inRun_ = false;
        // A window that outlives the call (the utilities'): the ticks drive
        // it and close it.
        if (!shot_ && !unwinding_ && topDialog(main_.window().hWnd)) {
            nonModal_ = true;
            return;
        }
        finishPicture();
    }

    void finishPicture() {
        if (!shot_) fail("the screen never showed");
        shot_ = false;
        picture_ = nullptr;
        kept_.reset();
    }

    // The line photographs the main window itself.
    bool mainItself() const { return !picture_->command && !picture_->open; }

    void fail(const std::string& why) {
        std::fprintf(stderr, "zr_pictures: %s: %s\n", picture_->png.c_str(), why.c_str());
        ++failures_;
    }

    void drive() {
        if (unwinding_ && nonModal_) {
            if (HWND top = topDialog(main_.window().hWnd)) {
                PostMessageA(top, WM_CLOSE, 0, 0);
                return;
            }
            nonModal_ = false;
            finishPicture();
            return;
        }
        if (unwinding_) {
            if (HWND top = topDialog(main_.window().hWnd)) PostMessageA(top, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        if (++ticks_ > 250) {
            unwinding_ = true;
            if (mainItself()) {
                fail("the window never showed");
                picture_ = nullptr;
            }
            return;
        }
        const bool shooting = path_ >= picture_->path.size();
        const std::string& title = shooting ? picture_->shoot : picture_->path[path_].first;
        HWND w = FindWindowA(nullptr, title.c_str());
        if (!w || !IsWindowVisible(w) || !IsWindowEnabled(w) || topDialog(main_.window().hWnd) != (w == main_.window().hWnd ? nullptr : w)) {
            settle_ = 0;
            return;
        }
        if (++settle_ < 4) return;  // painted before it is used
        settle_ = 0;
        if (!shooting) {
            busy_ = true;
            zr::pressButton(w, picture_->path[path_].second);
            busy_ = false;
            ++path_;
            return;
        }
        const std::string file = wl::joinPath(out_, picture_->png);
        if (savePicture(w, file))
            std::printf("saved %s\n", file.c_str());
        else
            fail("no picture written");
        shot_ = true;
        unwinding_ = true;
        if (mainItself()) {
            shot_ = false;
            picture_ = nullptr;
        }
    }

    static inline Photographer* self_ = nullptr;
    zr::MainWindow& main_;
    std::string out_, samples_, fixtures_;
    wl::ScopedPromptHook hook_;
    UINT_PTR timer_ = 0;
    const Picture* picture_ = nullptr;
    std::shared_ptr<void> kept_;  // what the picture's own opener left open
    std::size_t next_ = 0, path_ = 0;
    std::deque<bool> answers_;
    int settle_ = 0, ticks_ = 0, failures_ = 0;
    bool inRun_ = false, busy_ = false, unwinding_ = false, shot_ = false, nonModal_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: zr_pictures OUTPUT-FOLDER SAMPLES-FOLDER FIXTURES-FOLDER\n");
        return 2;
    }
    zr::MainContext context;
    context.currentFolder = wl::currentFolder();
    context.workingFolder = context.currentFolder;
    zr::MainWindow main(context);
    main.Build();
    Photographer photographer(main, argv[1], argv[2], argv[3]);
    main.Activate();
    return photographer.failures() ? 1 : 0;
}
