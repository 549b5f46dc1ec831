// The preview's bar: its style, its pictures, the system toolbar of a
// themed program or the classic row of picture buttons, the message bar
// and the factor and page labels.
#include "preview_bar.hpp"

#include <commctrl.h>

#include <string>
#include <utility>

#include "bar_painting.hpp"
#include "bitmaps.hpp"
#include "builtin_images.hpp"
#include "buttonbar.hpp"
#include "gradient_fill.hpp"
#include "menu.hpp"
#include "msgbar.hpp"
#include "preview.hpp"
#include "visual_styles.hpp"
#include "window.hpp"

namespace wl {

namespace {

constexpr COLORREF kPictureMask = RGB(255, 0, 255);
constexpr int kGroupGap = 6;

// What the main window shows of the office looks.
PreviewStyleSource mainWindowLooks() {
    PreviewStyleSource s;
    TWindow* wnd = WNDMAIN();
    if (!wnd) return s;
    s.menu2010 = wnd->oMenu && wnd->oMenu->l2010;
    if (const auto* msg = dynamic_cast<const TMsgBar*>(wnd->oMsgBar))
        s.msgBarLook = msg->l2010 ? 2010 : msg->l2007 ? 2007 : 0;
    for (TWindow* w : {wnd->oTop, wnd->oBar}) {
        const auto* bar = dynamic_cast<const TBar*>(w);
        if (!bar || bar->nMode != kBarTop) continue;
        s.topBar = true;
        s.topBar2010 = bar->l2010;
        break;
    }
    return s;
}

// A button's tooltip and message in the preview's present state.
std::pair<std::string, std::string> buttonTexts(const PreviewBarButton& b, const PreviewModel& m) {
    if (b.id == kZoom && m.lZoom) return {"Normal", "Page unzoom"};
    if (b.id == kTwoPages && m.lTwoPages) return {"One page", "Preview on one page"};
    return {b.caption, b.message};
}

int pictureOf(const PreviewBarButton& b, const PreviewModel& m) {
    if (b.id == kZoom && m.lZoom) return kPictureZoomed;
    if (b.id == kTwoPages && m.lTwoPages) return kPictureOnePage;
    return static_cast<int>(b.id - kFirst);
}

const PreviewBarButton* buttonOf(int id) {
    for (const PreviewBarButton& b : kPreviewButtons)
        if (b.id == id) return &b;
    return nullptr;
}

// The bar's pictures as a masked image list.
std::unique_ptr<TImageList> barPictures() {
    auto list = std::make_unique<TImageList>(16, 16);
    if (list->hImageList) ImageList_Destroy(list->hImageList);
    list->hImageList = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 15, 1);
    for (const std::string& name : previewBarPictures()) {
        const std::optional<PixelImage> picture = builtinBitmap(name);
        HBITMAP bmp = picture ? bitmapFromPixels(*picture) : nullptr;
        if (bmp) {
            ImageList_AddMasked(list->hImageList, bmp, kPictureMask);
            DeleteObject(bmp);
        }
    }
    return list;
}

void fillFace(HDC dc, const RECT& r, int style, bool pressed) {
    if (style == 2007 || style == 2010) {
        GRADIENTFILL(dc, r.top, r.left, r.bottom - 1, r.right - 1, officeBarGradient(style == 2010, pressed));
        if (pressed) FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        return;
    }
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    RECT edge = r;
    // 97: the raised 3-D button; 0: a flat one with a thin edge.
    const UINT kind = style == 97 ? (pressed ? EDGE_SUNKEN : EDGE_RAISED) : (pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER);
    DrawEdge(dc, &edge, kind, BF_RECT);
}

void dropArrow(HDC dc, const RECT& r) {
    const int cx = r.right - kPreviewDropWidth / 2 - 1, cy = (r.top + r.bottom) / 2;
    for (int i = 0; i < 3; ++i) {
        MoveToEx(dc, cx - 2 + i, cy - 1 + i, nullptr);
        LineTo(dc, cx + 3 - i, cy - 1 + i);
    }
}

}  // namespace

const std::vector<std::string>& previewBarPictures() {
    static const std::vector<std::string> names = {"top2",  "previous2", "next2", "bottom2", "zoom2",
                                                   "twopages2", "printer", "save", "pdf", "email",
                                                   "word2", "excel", "exit2", "onepage2", "onepage2"};
    return names;
}

int CheckStyle() {
    PreviewBarSettings& bar = previewBarSettings();
    if (!bar.nStyle) bar.nStyle = previewBarStyle(mainWindowLooks());
    return *bar.nStyle;
}

void TPreview::BuildButtonBar() {
    const PreviewBarSettings& bar = previewBarSettings();
    nStyle = CheckStyle();
    lThemed = previewThemedBar(ISAPPTHEMED(), nStyle, static_cast<bool>(bar.bButtons),
                               bar.nBtnWidth.has_value() || bar.nBtnHeight.has_value());
    oImageList = barPictures();
    if (lThemed) buildToolBar();
    else buildClassicBar();
}

void TPreview::buildToolBar() {
    HINSTANCE inst = GetModuleHandleA(nullptr);
    RECT c{};
    GetClientRect(hWnd, &c);
    oBar = CreateWindowExA(WS_EX_TOOLWINDOW, REBARCLASSNAMEA, nullptr,
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT | CCS_NODIVIDER |
                               CCS_TOP,
                           0, 0, c.right, barHeight_, hWnd, nullptr, inst, nullptr);
    oToolBar = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NODIVIDER |
                                   CCS_NOPARENTALIGN,
                               0, 0, 0, 0, oBar, nullptr, inst, nullptr);
    SendMessageA(oToolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(oToolBar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SendMessageA(oToolBar, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
    SendMessageA(oToolBar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(oImageList->hImageList));
    // No text rows: each button's text is its tooltip.
    SendMessageA(oToolBar, TB_SETMAXTEXTROWS, 0, 0);
    for (const PreviewBarButton& b : kPreviewButtons) {
        if (b.group) {
            TBBUTTON sep{};
            sep.fsStyle = BTNS_SEP;
            SendMessageA(oToolBar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&sep));
        }
        TBBUTTON t{};
        t.iBitmap = pictureOf(b, model);
        t.idCommand = b.id;
        t.fsState = TBSTATE_ENABLED;
        t.fsStyle = BTNS_BUTTON | (b.id == kPrint ? BTNS_DROPDOWN : 0);
        t.iString = reinterpret_cast<INT_PTR>(b.id == kSaveAs ? "Save as" : b.caption);
        SendMessageA(oToolBar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&t));
    }
    SendMessageA(oToolBar, TB_SETBUTTONSIZE, 0, MAKELPARAM(25, 25));
    SendMessageA(oToolBar, TB_AUTOSIZE, 0, 0);
    SIZE ideal{};
    SendMessageA(oToolBar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&ideal));
    REBARBANDINFOA band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE;
    band.fStyle = RBBS_NOGRIPPER | RBBS_CHILDEDGE;
    band.hwndChild = oToolBar;
    band.cxMinChild = ideal.cx;
    band.cyMinChild = 25;
    band.cx = ideal.cx;
    SendMessageA(oBar, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
    oMsgBar = CreateWindowExA(0, STATUSCLASSNAMEA, "  Preview", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hWnd, nullptr, inst,
                              nullptr);
    buildLabels(ideal.cx);
}

void TPreview::buildClassicBar() {
    const PreviewBarSettings& bar = previewBarSettings();
    HINSTANCE inst = GetModuleHandleA(nullptr);
    const int width = bar.nBtnWidth.value_or(26), height = bar.nBtnHeight.value_or(26);
    barHeight_ = std::max(kPreviewBarHeight, height + 4);
    oToolTip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hWnd, nullptr, inst, nullptr);
    int x = 2;
    bool userButtons = true;
    for (const PreviewBarButton& b : kPreviewButtons) {
        if (b.id >= kSaveAs && b.id <= kExcel && !userButtons) continue;
        if (b.group) x += kGroupGap;
        const int w = b.id == kPrint ? width + kPreviewDropWidth : width;
        // Owner-drawn: the picture (and the caption where it fits) on the
        // style's face; the window text stays the caption.
        HWND button = CreateWindowExA(0, "BUTTON", b.caption, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, x, 2, w, height,
                                      hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)), inst, nullptr);
        TTTOOLINFOA tip{};
        tip.cbSize = sizeof tip;
        tip.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tip.hwnd = hWnd;
        tip.uId = reinterpret_cast<UINT_PTR>(button);
        tip.lpszText = LPSTR_TEXTCALLBACKA;
        SendMessageA(oToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tip));
        if (b.id == kPrint && bar.bButtons) userButtons = bar.bButtons(*this);
        x += w + 2;
    }
    buildLabels(x);
}

void TPreview::buildLabels(int right) {
    HINSTANCE inst = GetModuleHandleA(nullptr);
    const int p = right + 30, r = barHeight_ / 2 - 8;
    labelLeft_ = p;
    const bool office = !lThemed && (nStyle == 2007 || nStyle == 2010);
    // The office looks paint both labels on the bar's face.
    // The labels write in the bar's own font, as the painted ones do.
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    if (!office) {
        HWND factor = CreateWindowExA(0, "STATIC", "Factor:", WS_CHILD | WS_VISIBLE, p, r, 45, 15, hWnd, nullptr, inst,
                                      nullptr);
        SendMessageA(factor, WM_SETFONT, font, FALSE);
    }
    oFactor = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, p + 40, r - 4,
                              35, 200, hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFactorBox)), inst, nullptr);
    for (int i = 1; i <= 9; ++i) SendMessageA(oFactor, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(i).c_str()));
    SendMessageA(oFactor, CB_SETCURSEL, 0, 0);
    if (!office) {
        oPage = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, p + 100, r, 180, 15, hWnd, nullptr, inst, nullptr);
        SendMessageA(oPage, WM_SETFONT, font, FALSE);
    }
}

void TPreview::showPageLabel() {
    cPageText = model.cPageLabel;
    if (oPage) {
        SetWindowTextA(oPage, cPageText.c_str());
        return;
    }
    RECT band{0, 0, 0, barHeight_};
    GetClientRect(hWnd, &band);
    band.bottom = barHeight_;
    InvalidateRect(hWnd, &band, TRUE);
}

void TPreview::updateBarButtons() {
    for (const PreviewBarButton& b : kPreviewButtons) {
        if (b.id != kZoom && b.id != kTwoPages) continue;
        const auto [tip, message] = buttonTexts(b, model);
        if (oToolBar) {
            TBBUTTONINFOA info{};
            info.cbSize = sizeof info;
            info.dwMask = TBIF_IMAGE | TBIF_TEXT;
            info.iImage = pictureOf(b, model);
            std::string text = tip;
            info.pszText = text.data();
            SendMessageA(oToolBar, TB_SETBUTTONINFOA, b.id, reinterpret_cast<LPARAM>(&info));
        } else if (HWND button = GetDlgItem(hWnd, b.id)) {
            SetWindowTextA(button, tip.c_str());
            InvalidateRect(button, nullptr, FALSE);
        }
    }
}

bool TPreview::onBarButton(HWND child) const {
    if (!child || GetParent(child) != hWnd) return false;
    return buttonOf(GetDlgCtrlID(child)) != nullptr;
}

bool TPreview::onPrintArrow() const {
    HWND print = GetDlgItem(hWnd, kPrint);
    if (!print || lThemed) return false;
    const DWORD at = GetMessagePos();
    POINT p{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    ScreenToClient(print, &p);
    RECT r{};
    GetClientRect(print, &r);
    return PtInRect(&r, p) && p.x >= r.right - kPreviewDropWidth;
}

void TPreview::drawBarButton(const DRAWITEMSTRUCT& item) const {
    const PreviewBarButton* b = buttonOf(static_cast<int>(item.CtlID));
    if (!b) return;
    HDC dc = item.hDC;
    const RECT r = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    fillFace(dc, r, nStyle, pressed);
    const int arrow = b->id == kPrint ? kPreviewDropWidth : 0;
    const int shift = pressed ? 1 : 0;
    const int inner = r.right - r.left - arrow;
    const bool caption = previewButtonCaptionFits(r.bottom - r.top);
    const int x = r.left + (inner - 16) / 2 + shift;
    const int y = caption ? r.top + 4 + shift : r.top + (r.bottom - r.top - 16) / 2 + shift;
    if (oImageList && oImageList->hImageList)
        ImageList_Draw(oImageList->hImageList, pictureOf(*b, model), dc, x, y, ILD_TRANSPARENT);
    if (caption) {
        char text[64]{};
        GetWindowTextA(item.hwndItem, text, sizeof text);
        RECT line{r.left + 1, y + 18, r.right - arrow - 1, r.bottom - 2};
        SetBkMode(dc, TRANSPARENT);
        HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        DrawTextA(dc, text, -1, &line, DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        SelectObject(dc, old);
    }
    if (arrow) dropArrow(dc, r);
}

void TPreview::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hWnd, &ps);
    RECT c{};
    GetClientRect(hWnd, &c);
    if (!lThemed) {
        const bool office = nStyle == 2007 || nStyle == 2010;
        HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        if (office) {
            GRADIENTFILL(dc, 0, 0, barHeight_ - 1, c.right - 1, officeBarGradient(nStyle == 2010, false));
            const int r = barHeight_ / 2 - 8;
            TextOutA(dc, labelLeft_, r, "Factor:", 7);
            TextOutA(dc, labelLeft_ + 100, r, cPageText.c_str(), static_cast<int>(cPageText.size()));
        }
        // The message bar: the style's face and its text.
        RECT msg{0, c.bottom - kPreviewMsgBarHeight, c.right, c.bottom};
        if (office) {
            GRADIENTFILL(dc, msg.top, 0, msg.bottom - 1, c.right - 1, officeBarGradient(nStyle == 2010, false));
        } else {
            FillRect(dc, &msg, GetSysColorBrush(COLOR_BTNFACE));
            RECT edge = msg;
            DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
        }
        RECT text{msg.left + 6, msg.top, msg.right - 6, msg.bottom};
        DrawTextA(dc, cMsgText_.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, oldFont);
    }
    EndPaint(hWnd, &ps);
}

void TPreview::showMessage(const std::string& text) {
    if (text == cMsgText_ || lThemed) return;
    cMsgText_ = text;
    RECT c{};
    GetClientRect(hWnd, &c);
    c.top = c.bottom - kPreviewMsgBarHeight;
    InvalidateRect(hWnd, &c, TRUE);
}

LRESULT TPreview::barMessage(UINT msg, WPARAM w, LPARAM l, bool& handled) {
    handled = true;
    switch (msg) {
        case WM_PAINT: paint(); return 0;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
            if (item && item->CtlType == ODT_BUTTON) {
                drawBarButton(*item);
                return TRUE;
            }
            break;
        }
        case WM_SETCURSOR: {
            // Every button of the classic bar shows the hand; its message
            // shows in the message bar.
            const auto child = reinterpret_cast<HWND>(w);
            if (!lThemed && onBarButton(child)) {
                SetCursor(LoadCursor(nullptr, IDC_HAND));
                showMessage(buttonTexts(*buttonOf(GetDlgCtrlID(child)), model).second);
                return TRUE;
            }
            if (child == hWnd) showMessage("Preview");
            break;
        }
        case WM_NOTIFY: {
            auto* n = reinterpret_cast<NMHDR*>(l);
            if (n && n->hwndFrom == oToolTip && n->code == TTN_GETDISPINFOA) {
                auto* info = reinterpret_cast<NMTTDISPINFOA*>(l);
                const PreviewBarButton* b = buttonOf(GetDlgCtrlID(reinterpret_cast<HWND>(n->idFrom)));
                tipText_ = b ? buttonTexts(*b, model).first : std::string();
                info->lpszText = tipText_.data();
                return 0;
            }
            if (n && n->hwndFrom == oToolBar && n->code == TBN_DROPDOWN) {
                const auto* drop = reinterpret_cast<const NMTOOLBARA*>(l);
                if (drop->iItem == kPrint) PrintersMenu();
                return TBDDRET_DEFAULT;
            }
            break;
        }
        case WM_SIZE:
            if (oBar) SendMessageA(oBar, WM_SIZE, w, l);
            if (oMsgBar) SendMessageA(oMsgBar, WM_SIZE, w, l);
            break;
        default: break;
    }
    handled = false;
    return 0;
}

}  // namespace wl
