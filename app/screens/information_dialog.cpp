#include "information_dialog.hpp"

#include <algorithm>
#include <memory>
#include <vector>

#include "bitmaps.hpp"
#include "button.hpp"
#include "dialog.hpp"
#include "font.hpp"
#include "screen_font.hpp"
#include "log_display.hpp"
#include "toolbar_pictures.hpp"

namespace zr {

namespace {

// The small picture of the dialog: the program's own, shown disabled.
class Picture : public wl::TControl {
public:
    ~Picture() override {
        if (bitmap_) DeleteObject(bitmap_);
    }
    std::string ClassName() const override { return "TINFOPICTURE"; }
    std::string WindowClass() const override { return "STATIC"; }
    Picture& New(wl::TWindow* parent, int top, int left) {
        bitmap_ = wl::bitmapFromPixels(programIconPicture());
        oWnd = parent;
        nTop = top;
        nLeft = left;
        nBottom = top + kToolbarPictureSize - 1;
        nRight = left + kToolbarPictureSize - 1;
        nStyle = WS_CHILD | WS_VISIBLE | WS_DISABLED | SS_BITMAP;
        createOrDefer();
        return *this;
    }
    void show() {
        if (!hWnd) return;
        SendMessageA(hWnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap_));
        EnableWindow(hWnd, FALSE);
    }

private:
    HBITMAP bitmap_ = nullptr;
};

}  // namespace

void ZRINFO(const std::string& modelCode, const std::string& currentFolder, const std::string& workingFolder,
            const std::string& x12Folder) {
    const InformationTexts t = informationTexts(modelCode, currentFolder, workingFolder, x12Folder);
    auto font = courierFont(9, 16, true);
    auto large = courierFont(0, 40, true);
    wl::TDialog dialog;
    wl::DialogNew d;
    d.cCaption = "Information";
    d.nWidth = 533;
    d.nHeight = 400;
    d.oFont = font;
    dialog.New(d);
    std::vector<std::unique_ptr<wl::TSay>> says;
    auto say = [&](int top, int left, int width, int height, const std::string& text,
                   const std::shared_ptr<wl::TFont>& f) {
        wl::SayNew s;
        s.oWnd = &dialog;
        s.lPixel = true;
        s.nRow = top;
        s.nCol = left;
        s.nWidth = width;
        s.nHeight = height;
        s.oFont = f;
        s.bText = [text] { return wl::Value(text); };
        says.push_back(std::make_unique<wl::TSay>());
        says.back()->New(s);
    };
    // The texts in three evenly spaced blocks, "Continue" near the bottom:
    // the dialog's 400 pixels are filled, not left empty below the button.
    int top = 24;
    for (const std::string& word : t.titleWords) {
        say(top, 80, 400, 44, word, large);
        top += 48;
    }
    top += 20;
    for (const std::string* line : {&t.model, &t.version, &t.subversion}) {
        say(top, 80, 400, 18, *line, font);
        top += 24;
    }
    top += 20;
    for (const std::string* line : {&t.baseFolder, &t.dataFolder, &t.x12Folder}) {
        say(top, 16, 496, 18, *line, font);
        top += 24;
    }
    Picture picture;
    picture.New(&dialog, 16, 24);
    wl::TButton next;
    wl::ButtonNew b;
    b.oWnd = &dialog;
    b.lPixel = true;
    b.nRow = std::max(top + 24, 400 - 26 - 40);
    b.nCol = (533 - 120) / 2;
    b.nWidth = 120;
    b.nHeight = 26;
    b.cCaption = "Continue";
    b.oFont = font;
    b.lDefault = true;
    b.bAction = [&dialog](wl::TWindow&) { dialog.End(1); };
    next.New(b);
    wl::DialogActivate a;
    a.lCentered = true;
    a.bInit = [&picture](wl::TWindow&) { picture.show(); };
    dialog.Activate(a);
    font->End();
    large->End();
}

}  // namespace zr
