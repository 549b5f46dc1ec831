// The grid browse window: paints the model's header, visible rows and
// footer, and turns keys, clicks, the wheel and the scroll bar into the
// model's moves (XBrowseModel in source/function holds every decision).
#pragma once

#include <memory>
#include <string>

#include "control.hpp"
#include "xbrowse_model.hpp"

namespace wl {

class TXBrowse : public TControl {
public:
    TXBrowse();
    ~TXBrowse() override;

    std::string ClassName() const override { return "TXBROWSE"; }

    // A child of parent at pixels (top, left), width x height.
    TXBrowse& New(TWindow* parent, int top, int left, int width, int height, std::shared_ptr<TFont> font = {});
    void Default() override;
    void Initiate(HWND hDlg) override;

    XBrowseModel& model() { return m_; }
    const XBrowseModel& model() const { return m_; }

    bool lHeader = true, lFooter = false;
    Color nClrHeaderBack = RGB(231, 242, 255), nClrHeaderText = 0;
    Color nClrSelFocusBack = 0, nClrSelFocusText = 0, nClrSelBack = 0, nClrSelText = 0;

    int nRowHeight() const { return rowHeight_; }
    int nHeaderHeight() const { return lHeader ? rowHeight_ : 0; }
    // Recounts the rows and repaints (after the data changed).
    void Refresh();
    // The column at client x (creation number), 0 for none.
    int nAtCol(int x) const;

    Answer KeyDown(WPARAM key, LPARAM flags) override;
    Answer GetDlgCode(WPARAM key) override;
    Answer VScroll(WPARAM w, LPARAM l) override;
    Answer MouseWheel(int keys, int delta, int x, int y) override;
    Answer LButtonDown(int row, int col, WPARAM flags) override;
    Answer Paint() override;
    Answer EraseBkGnd(HDC) override { return 1; }
    Answer ReSize(WPARAM type, int width, int height) override;
    Answer GotFocus(HWND lost) override;
    Answer LostFocus(HWND gaining) override;
    Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override;

private:
    void measure();
    void drawTo(HDC dc);
    void cell(HDC dc, const RECT& r, const std::string& text, Color fore, Color back, bool right);
    void updateScroll();
    void moved();
    void toClipboard(const std::string& text);
    std::string fromClipboard();

    XBrowseModel m_;
    int rowHeight_ = 20;
};

}  // namespace wl
