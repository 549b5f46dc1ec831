#include "progress_meter_window.hpp"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "button.hpp"
#include "control_models.hpp"
#include "dialog.hpp"
#include "message_loop.hpp"
#include "meter.hpp"
#include "application.hpp"
#include "progress_meter.hpp"

namespace zr {

namespace {

using wl::TDialog;
using wl::TMeter;
using wl::TSay;
using wl::Value;

// The layout is in design pixels (a 640 x 480 design space at scale 1),
// the size its fixed 9 x 16 font was chosen for: scaling the window to the
// screen and not the font left most of it empty.
constexpr int kCharWidth = 9, kLineHeight = 16;
constexpr int kTextLeft = 18, kLabelLeft = 162;

int px(double v) { return static_cast<int>(std::lround(v)); }

// A label's width for its text in the fixed-pitch font, whole.
int fitted(const std::string& text) { return static_cast<int>(text.size()) * kCharWidth + 4; }

class MeterWindowScreen {
public:
    void open(const std::string& text, const std::string& caption) {
        close();
        dialog_ = std::make_unique<TDialog>();
        wl::DialogNew d;
        d.lPixel = true;
        d.nTop = px(1);
        d.nLeft = px(1);
        d.nBottom = px(120);
        d.nRight = px(426.67);
        d.cCaption = caption;
        d.nStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
        wl::FontSpec f;
        f.cFaceName = "Courier New";
        f.nWidth = kCharWidth;
        f.nHeight = kLineHeight;
        f.lBold = true;
        font_ = wl::TFont::New(f);
        d.oFont = font_;
        dialog_->New(d);
        value_ = Value(0);
        meter_ = std::make_unique<TMeter>();
        wl::MeterNew m;
        m.oWnd = dialog_.get();
        m.lPixel = true;
        m.nRow = px(16);
        m.nCol = px(9);
        m.nWidth = px(134.4);
        m.nHeight = px(10.8);
        m.nTotal = 100;
        m.bSetGet = wl::bindTo(value_);
        m.oFont = font_;
        meter_->New(m);
        percentLabel_ = label(px(16), kLabelLeft, fitted("Percent"), kLineHeight, "Percent");
        completeLabel_ = label(px(24) + kLineHeight / 2, kLabelLeft, fitted("Complete"), kLineHeight, "Complete");
        // One text line each, as wide as the window inside its frame allows;
        // a long path loses its middle so that the file name always shows.
        textWidth_ = px(426.67 - 1) - 2 * kTextLeft - 2 * GetSystemMetrics(SM_CXDLGFRAME);
        const int top = px(32) + kLineHeight;
        firstLine_ = label(top, kTextLeft, textWidth_, kLineHeight, fit(text));
        secondLine_ = label(top + kLineHeight + 4, kTextLeft, textWidth_, kLineHeight, fit(secondText_));
        // The window that started the long work takes no input meanwhile,
        // so that no second conversion or viewer starts inside this one.
        owner_ = GetActiveWindow();
        if (owner_ && IsWindowEnabled(owner_))
            EnableWindow(owner_, FALSE);
        else
            owner_ = nullptr;
        wl::DialogActivate a;
        a.lModal = false;
        a.lCentered = true;
        // Escape and Alt+F4 cannot lose the meter while the work runs: only
        // the run's own close ends it.
        a.bValid = [](wl::TWindow&) { return false; };
        dialog_->Activate(a);
        RedrawWindow(dialog_->hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        lastPercent_ = -1;
        wl::SYSREFRESH();
    }

    void close() {
        if (!dialog_) return;
        if (owner_) EnableWindow(owner_, TRUE);
        owner_ = nullptr;
        if (dialog_->hWnd) DestroyWindow(dialog_->hWnd);
        secondLine_.reset();
        firstLine_.reset();
        completeLabel_.reset();
        percentLabel_.reset();
        meter_.reset();
        dialog_.reset();
        if (font_) font_->End();
        font_.reset();
        wl::SYSREFRESH();
    }

    // Repaints and drains only when the whole percentage changes.
    void set(double value) {
        if (!meter_ || !meter_->hWnd) return;
        const double v = wl::meterValue(value, 100);
        const int whole = static_cast<int>(v);
        if (whole == lastPercent_) {
            value_ = Value(v);
            return;
        }
        lastPercent_ = whole;
        meter_->Set(v);
    }

    void secondLine(const std::string& text) {
        secondText_ = text;
        if (secondLine_ && secondLine_->hWnd) {
            secondLine_->SetText(Value(fit(text)));
            UpdateWindow(secondLine_->hWnd);
        }
    }

    HWND handle() const { return dialog_ ? dialog_->hWnd : nullptr; }

private:
    std::string fit(const std::string& text) const {
        return middleShortened(text, static_cast<std::size_t>(std::max(textWidth_ / kCharWidth, 8)));
    }

    std::unique_ptr<TSay> label(int row, int col, int width, int height, const std::string& text) {
        auto s = std::make_unique<TSay>();
        wl::SayNew n;
        n.oWnd = dialog_.get();
        n.lPixel = true;
        n.nRow = row;
        n.nCol = col;
        n.nWidth = width;
        n.nHeight = height;
        n.oFont = font_;
        n.bText = [text] { return Value(text); };
        s->New(n);
        return s;
    }

    std::unique_ptr<TDialog> dialog_;
    std::unique_ptr<TMeter> meter_;
    std::unique_ptr<TSay> percentLabel_, completeLabel_, firstLine_, secondLine_;
    std::shared_ptr<wl::TFont> font_;
    Value value_;
    std::string secondText_;
    HWND owner_ = nullptr;
    int lastPercent_ = -1;
    int textWidth_ = 192;
};

// The one meter window of the process (the screen holds one meter at a
// time); only the window thread reaches it, through the meter's seam.
MeterWindowScreen& screen() { return application().meterWindow.get<MeterWindowScreen>(); }

}  // namespace

void installMeterWindow() {
    setMeterObserver([](const MeterEvent& e) {
        switch (e.kind) {
        case MeterEvent::Kind::Open: screen().open(e.text, e.caption); break;
        case MeterEvent::Kind::Close: screen().close(); break;
        case MeterEvent::Kind::Set:
        case MeterEvent::Kind::SetAlways: screen().set(e.value); break;  // nothing once closed
        case MeterEvent::Kind::SecondLine: screen().secondLine(e.text); break;
        }
    });
}

HWND meterWindowHandle() { return screen().handle(); }

}  // namespace zr
