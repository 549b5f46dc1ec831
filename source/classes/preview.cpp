#include "preview.hpp"

#include <commctrl.h>

#include <ctime>
#include <filesystem>

#include "button.hpp"
#include "checkbox.hpp"
#include "dialog.hpp"
#include "get.hpp"
#include "image_list.hpp"
#include "mail.hpp"
#include "meter.hpp"
#include "message_loop.hpp"
#include "message_windows.hpp"
#include "messages.hpp"
#include "metafiles.hpp"
#include "pdf_export.hpp"
#include "popup_menus.hpp"
#include "preview_bar.hpp"
#include "print_settings.hpp"
#include "process_state.hpp"
#include "visual_styles.hpp"
#include "profile_files.hpp"

namespace wl {

namespace {

constexpr char kClass[] = "TPreview";
HMENU buildMenu() {
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, kPrint, "&Print");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, kExit, "&Exit");
    HMENU factor = CreatePopupMenu();
    for (int i = 1; i <= 9; ++i) AppendMenuA(factor, MF_STRING, kFactor1 + i - 1, ("&" + std::to_string(i)).c_str());
    HMENU page = CreatePopupMenu();
    AppendMenuA(page, MF_STRING, kFirst, "&First");
    AppendMenuA(page, MF_STRING, kPrevious, "&Previous");
    AppendMenuA(page, MF_STRING, kNext, "&Next");
    AppendMenuA(page, MF_STRING, kLast, "&Last");
    AppendMenuA(page, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(page, MF_STRING, kZoom, "&Zoom");
    AppendMenuA(page, MF_STRING | MF_GRAYED, kNormal, "&Normal");
    AppendMenuA(page, MF_POPUP, reinterpret_cast<UINT_PTR>(factor), "&Factor");
    AppendMenuA(page, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(page, MF_STRING, kTwoPages, "&Two pages");
    AppendMenuA(page, MF_STRING | MF_GRAYED, kOnePage, "One &page");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(page), "&Page");
    return bar;
}

void registerClass() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
        wc.hbrBackground = CreateSolidBrush(RGB(192, 192, 192));
        wc.lpszClassName = kClass;
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
}

std::string timestamp14() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d%H%M%S", &local);
    return text;
}

}  // namespace

TPreview::TPreview(std::unique_ptr<TPrinter> device)
    : oDevice(std::move(device)), model(oDevice ? static_cast<int>(oDevice->aMeta.size()) : 0) {
    if (!oDevice) {
        // A preview of nothing: one empty page.
        PrinterOptions o;
        o.lPreview = true;
        o.cDocument = "Printing Preview";
        oDevice = std::make_unique<TPrinter>(o);
        oDevice->StartPage();
        oDevice->EndPage();
        model = PreviewModel(static_cast<int>(oDevice->aMeta.size()));
    }
    build();
}

TPreview::~TPreview() {
    if (hWnd) {
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
        DestroyWindow(hWnd);
    }
    oMeta1.reset();
    oMeta2.reset();
    if (oDevice) oDevice->End();
}

void TPreview::build() {
    registerClass();
    hMenu = buildMenu();
    const std::string title = oDevice->cDocument.empty() ? "Printing Preview" : oDevice->cDocument;
    hWnd = CreateWindowExA(0, kClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN,
                           CW_USEDEFAULT, CW_USEDEFAULT, 800, 600, nullptr, hMenu, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TPreview::proc));
    SetScrollRange(hWnd, SB_VERT, 0, 0, FALSE);
    SetScrollRange(hWnd, SB_HORZ, 0, 0, FALSE);
    BuildButtonBar();
    const int horzRes = oDevice->nHorzRes(), vertRes = oDevice->nVertRes();
    oMeta1 = std::make_unique<TMetaFile>(hWnd, 40, 10, 100, 100, model.pageCount ? oDevice->aMeta[0] : std::string(), 0,
                                         0xFFFFFF, horzRes, vertRes);
    oMeta2 = std::make_unique<TMetaFile>(hWnd, 40, 120, 100, 100, std::string(), 0, 0xFFFFFF, horzRes, vertRes);
    oMeta2->Show(false);
    for (TMetaFile* view : {oMeta1.get(), oMeta2.get()}) {
        view->bKeyDown = [this](WPARAM key, LPARAM) { CheckKey(key); };
        view->bMouseWheel = [this](int keys, int delta, int, int) { CheckMouseWheel(keys, delta); };
    }
    BuildListView();
    oMeta1->bLDblClick = [this](int, int, WPARAM) { Zoom(); };
    oMeta2->bLDblClick = [this](int, int, WPARAM) {
        const int right = model.rightPage();
        if (right == 0) return;
        if (model.lZoom) {
            Zoom();
            return;
        }
        GoPage(right);
        Zoom();
    };
    model.GoPage(1);
    showPageLabel();
    CheckMenuItem(hMenu, kFactor1, MF_CHECKED);
}

LRESULT CALLBACK TPreview::proc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<TPreview*>(GetWindowLongPtrA(h, GWLP_USERDATA));
    if (!self) return DefWindowProcA(h, msg, w, l);
    return self->handle(msg, w, l);
}

LRESULT TPreview::handle(UINT msg, WPARAM w, LPARAM l) {
    bool handled = false;
    const LRESULT barAnswer = barMessage(msg, w, l, handled);
    if (handled) return barAnswer;
    switch (msg) {
        case WM_SIZE:
            if (w != SIZE_MINIMIZED) {
                PaintMeta();
                ResizeListView();
            }
            return 0;
        case WM_COMMAND: {
            const int id = LOWORD(w);
            if (id >= kPrinter1 && id < kPrinter1 + static_cast<int>(printerNames_.size())) {
                SelPrinter(printerNames_[static_cast<std::size_t>(id - kPrinter1)]);
                return 0;
            }
            if (id >= kFactor1 && id < kFactor1 + 9) {
                SendMessageA(oFactor, CB_SETCURSEL, static_cast<WPARAM>(id - kFactor1), 0);
                SetFactor(id - kFactor1 + 1);
                return 0;
            }
            switch (id) {
                case kFirst: TopPage(); break;
                case kPrevious: PrevPage(); break;
                case kNext: NextPage(); break;
                case kLast: BottomPage(); break;
                case kZoom:
                case kNormal: Zoom(); break;
                case kTwoPages:
                case kOnePage: TwoPages(); break;
                case kPrint: l && onPrintArrow() ? PrintersMenu() : PrintPage(); break;
                case kSaveAs:
                case kPdf: SaveAs(true); break;
                case kMail: SendEmail(); break;
                case kWord: ExportToMSWord(); break;
                case kExcel: ExportToMSExcel(); break;
                case kExit: Close(); break;
                case kFactorBox:
                    if (HIWORD(w) == CBN_SELCHANGE)
                        SetFactor(static_cast<int>(SendMessageA(oFactor, CB_GETCURSEL, 0, 0)) + 1);
                    break;
                default: break;
            }
            return 0;
        }
        case WM_NOTIFY: {
            const auto* n = reinterpret_cast<const NMHDR*>(l);
            if (n && n->hwndFrom == oLvw && n->code == LVN_ITEMCHANGED) {
                const auto* item = reinterpret_cast<const NMLISTVIEW*>(l);
                if ((item->uNewState & LVIS_SELECTED) && !(item->uOldState & LVIS_SELECTED)) GoPage(item->iItem + 1);
                return 0;
            }
            if (n && n->hwndFrom == oLvw && n->code == NM_RCLICK) {
                MoveListView();
                return 0;
            }
            return DefWindowProcA(hWnd, msg, w, l);
        }
        case WM_VSCROLL:
        case WM_HSCROLL: {
            const int code = LOWORD(w);
            const bool vertical = msg == WM_VSCROLL;
            auto scroll = [&](int dir, bool page, int pos) {
                if (vertical) VScroll(dir, page, pos);
                else HScroll(dir, page, pos);
            };
            if (code == SB_LINEUP) scroll(1, false, 0);
            else if (code == SB_LINEDOWN) scroll(2, false, 0);
            else if (code == SB_PAGEUP) scroll(1, true, 0);
            else if (code == SB_PAGEDOWN) scroll(2, true, 0);
            else if (code == SB_THUMBTRACK) scroll(0, false, HIWORD(w));
            return 0;
        }
        case WM_CLOSE: Close(); return 0;
        case WM_DESTROY:
            lExit = true;
            return 0;
        case WM_NCDESTROY: {
            const LRESULT r = DefWindowProcA(hWnd, msg, w, l);
            hWnd = nullptr;
            // A preview the window owns goes with it; nothing touches it after.
            if (selfOwned_) delete this;
            return r;
        }
        default: return DefWindowProcA(hWnd, msg, w, l);
    }
}

void TPreview::beep() { MSGBEEP(); }

void TPreview::showPages() {
    oMeta1->SetFile(oDevice->aMeta[static_cast<std::size_t>(model.nPage - 1)]);
    const int right = model.rightPage();
    oMeta2->SetFile(right ? oDevice->aMeta[static_cast<std::size_t>(right - 1)] : std::string());
    showPageLabel();
    oMeta1->Refresh();
    oMeta2->Refresh();
    SetFocus(oMeta1->hWnd);
}

bool TPreview::GoPage(int n) {
    if (!model.GoPage(n)) {
        beep();
        return false;
    }
    showPages();
    return true;
}

void TPreview::NextPage() { model.NextPage() ? showPages() : beep(); }
void TPreview::PrevPage() { model.PrevPage() ? showPages() : beep(); }
void TPreview::TopPage() { model.TopPage() ? showPages() : beep(); }
void TPreview::BottomPage() { model.BottomPage() ? showPages() : beep(); }

void TPreview::updateMenus() {
    EnableMenuItem(hMenu, kZoom, model.lZoom ? MF_GRAYED : MF_ENABLED);
    EnableMenuItem(hMenu, kNormal, model.lZoom ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(hMenu, kTwoPages, model.lTwoPages ? MF_GRAYED : MF_ENABLED);
    EnableMenuItem(hMenu, kOnePage, model.lTwoPages ? MF_ENABLED : MF_GRAYED);
    updateBarButtons();
    SetScrollRange(hWnd, SB_VERT, model.vRange.min, model.vRange.max, TRUE);
    SetScrollRange(hWnd, SB_HORZ, model.hRange.min, model.hRange.max, TRUE);
    vPos_ = model.vRange.min;
    hPos_ = model.hRange.min;
    for (int i = 0; i < 9; ++i) CheckMenuItem(hMenu, kFactor1 + i, i + 1 == model.nZFactor ? MF_CHECKED : MF_UNCHECKED);
    SendMessageA(oFactor, CB_SETCURSEL, static_cast<WPARAM>(model.nZFactor - 1), 0);
}

void TPreview::Zoom() {
    const bool wasTwo = model.lTwoPages;
    model.Zoom();
    // The thumbnails make room for the zoomed page.
    if (oLvw) ShowWindow(oLvw, model.lZoom ? SW_HIDE : SW_SHOW);
    if (model.lZoom) {
        oMeta1->SetZoomFactor(model.nZFactor, 2 * model.nZFactor);
        oMeta1->ZoomIn();
    } else {
        oMeta1->ZoomOut();
    }
    updateMenus();
    if (wasTwo != model.lTwoPages) showPages();
    PaintMeta();
}

void TPreview::TwoPages() {
    const bool landscape = oDevice->nHorzSize() >= oDevice->nVertSize();
    const bool wasZoomed = model.lZoom;
    if (!model.TwoPages(landscape)) {
        beep();
        return;
    }
    if (wasZoomed && !model.lZoom) oMeta1->ZoomOut();
    updateMenus();
    showPages();
    PaintMeta();
}

void TPreview::SetFactor(int n) {
    const bool wasZoomed = model.lZoom;
    model.SetFactor(n);
    oMeta1->SetZoomFactor(model.nZFactor, 2 * model.nZFactor);
    if (!wasZoomed) oMeta1->ZoomIn();
    updateMenus();
    oMeta1->Refresh();
    PaintMeta();
}

void TPreview::VScroll(int nDir, bool lPage, int nPos) {
    const ScrollMove m = scrollView(nDir, lPage, nPos, vPos_, model.vRange, oDevice->nVertRes());
    if (!m.moved) return;
    vPos_ = m.position;
    SetScrollPos(hWnd, SB_VERT, vPos_, TRUE);
    oMeta1->SetOrg(std::nullopt, m.origin);
    oMeta1->Refresh();
}

void TPreview::HScroll(int nDir, bool lPage, int nPos) {
    const ScrollMove m = scrollView(nDir, lPage, nPos, hPos_, model.hRange, oDevice->nHorzRes());
    if (!m.moved) return;
    hPos_ = m.position;
    SetScrollPos(hWnd, SB_HORZ, hPos_, TRUE);
    oMeta1->SetOrg(m.origin, std::nullopt);
    oMeta1->Refresh();
}

void TPreview::CheckKey(WPARAM key) {
    if (!model.lZoom) {
        if (key == VK_HOME) TopPage();
        else if (key == VK_END) BottomPage();
        else if (key == VK_PRIOR) PrevPage();
        else if (key == VK_NEXT) NextPage();
        return;
    }
    switch (key) {
        case VK_UP: VScroll(1); break;
        case VK_DOWN: VScroll(2); break;
        case VK_PRIOR: VScroll(1, true); break;
        case VK_NEXT: VScroll(2, true); break;
        case VK_LEFT: HScroll(1); break;
        case VK_RIGHT:
            if (model.hRange.max > 0) HScroll(2);
            break;
        case VK_HOME:
            vPos_ = model.vRange.min;
            hPos_ = model.hRange.min;
            SetScrollPos(hWnd, SB_VERT, vPos_, TRUE);
            SetScrollPos(hWnd, SB_HORZ, hPos_, TRUE);
            oMeta1->SetOrg(0, 0);
            oMeta1->Refresh();
            break;
        case VK_END:
            VScroll(0, false, model.vRange.max);
            if (model.hRange.max > 0) HScroll(0, false, model.hRange.max);
            break;
        default: break;
    }
}

void TPreview::CheckMouseWheel(int nKeys, int nDelta) {
    const bool middle = (nKeys & MK_MBUTTON) != 0;
    if (!model.lZoom) {
        if (nDelta > 0) middle ? TopPage() : PrevPage();
        else middle ? BottomPage() : NextPage();
        return;
    }
    VScroll(nDelta > 0 ? 1 : 2, middle);
}

void TPreview::PrintPrv(int nOption, int nFrom, int nTo) {
    HDC dc = oDevice->hDC;
    if (!dc) return;
    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    STARTDOC(dc, oDevice->cDocument);
    for (int page : printRangePages(nOption, nFrom, nTo, model.nPage, model.pageCount)) {
        STARTPAGE(dc);
        EnhMetafile meta(GETENHMETAFILE(oDevice->aMeta[static_cast<std::size_t>(page - 1)]));
        if (meta.h) PLAYENHMETAFILE(dc, meta.h, nullptr, true);
        ENDPAGE(dc);
    }
    ENDDOC(dc);
    SetCursor(old ? old : LoadCursor(nullptr, IDC_ARROW));
}

HMENU TPreview::printersMenu() const {
    HMENU menu = CreatePopupMenu();
    const std::string model = oDevice ? oDevice->cModel : std::string();
    UINT id = kPrinter1;
    for (const std::string& name : AGETPRINTERS()) {
        const bool current = !name.empty() && model.find(name) != std::string::npos;
        AppendMenuA(menu, MF_STRING | (current ? MF_CHECKED : MF_UNCHECKED), id++, name.c_str());
    }
    return menu;
}

void TPreview::PrintersMenu() {
    // The choice comes back as WM_COMMAND, after the menu has gone: the
    // names are kept by position.
    printerNames_ = AGETPRINTERS();
    HMENU menu = printersMenu();
    RECT print{};
    if (oToolBar) {
        SendMessageA(oToolBar, TB_GETRECT, kPrint, reinterpret_cast<LPARAM>(&print));
        MapWindowPoints(oToolBar, hWnd, reinterpret_cast<POINT*>(&print), 2);
    } else {
        GetWindowRect(GetDlgItem(hWnd, kPrint), &print);
        MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&print), 2);
    }
    SHOWPOPUPMENU(menu, hWnd, print.bottom, print.left);
}

void TPreview::SelPrinter(const std::string& cName) {
    if (!oDevice || cName.empty()) return;
    // The profile holds the printer as "name,driver,port"; the user's default
    // is put back however this ends.
    const std::string entry = GETPROFSTRING(std::string("Devices"), cName);
    DefaultPrinterSwitch use(entry.empty() ? cName : cName + "," + entry);
    SYSREFRESH();
    PRINTERINIT();
    HDC dc = GETPRINTDEFAULT(hWnd);
    if (oDevice->hDC) DeleteDC(oDevice->hDC);
    oDevice->hDC = dc;
    if (!oDevice->lMeta) oDevice->hDCOut = dc;
    oDevice->cModel = cName;
    SYSREFRESH();
}

void TPreview::PrintPage() {
    if (model.pageCount <= 1) {
        PrintPrv(1);
        return;
    }
    // The layout's units, scaled to the dialog's pixels.
    const auto dx = [](double v) { return static_cast<int>(v * 1.8); };
    const auto dy = [](double v) { return static_cast<int>(v * 1.6); };
    Value option(1), from(1), to(model.pageCount);
    TDialog d;
    DialogNew dn;
    dn.cCaption = "Printing";
    dn.lPixel = true;
    dn.nWidth = 400;
    dn.nHeight = 183;
    d.New(dn);
    TGroup range;
    range.New(dy(8), dx(8), 0, 0, "Printing range", &d, true, dx(135), dy(72));
    TSay fromLabel, toLabel;
    SayNew sn;
    sn.oWnd = &d;
    sn.lPixel = true;
    sn.nRow = dy(61);
    sn.nCol = dx(30);
    sn.nWidth = dx(22);
    sn.nHeight = dy(10);
    sn.bText = [] { return Value("From"); };
    fromLabel.New(sn);
    sn.nCol = dx(80);
    sn.bText = [] { return Value("To"); };
    toLabel.New(sn);
    TGet fromGet, toGet;
    const int pages = model.pageCount;
    GetNew gn;
    gn.oWnd = &d;
    gn.lPixel = true;
    gn.nRow = dy(60);
    gn.nCol = dx(53);
    gn.nWidth = dx(22);
    gn.nHeight = dy(11);
    gn.cPicture = "@K 99999";
    gn.bSetGet = bindTo(from);
    gn.bValid = [&](TWindow&) {
        fromGet.Assign();
        const bool ok = printRangeFromValid(static_cast<int>(from.number()), static_cast<int>(to.number()));
        if (!ok) beep();
        return ok;
    };
    fromGet.New(gn);
    gn.nCol = dx(103);
    gn.bSetGet = bindTo(to);
    gn.bValid = [&](TWindow&) {
        toGet.Assign();
        const bool ok = printRangeToValid(static_cast<int>(from.number()), static_cast<int>(to.number()), pages);
        if (!ok) beep();
        return ok;
    };
    toGet.New(gn);
    // The range fields take input only for "Pages".
    const auto enableRange = [&](bool on) {
        for (TGet* g : {&fromGet, &toGet}) on ? g->Enable() : g->Disable();
    };
    TRadMenu choice;
    RadMenuNew rn;
    rn.oWnd = &d;
    rn.lPixel = true;
    rn.nRow = dy(18);
    rn.nCol = dx(18);
    rn.nWidth = dx(100);
    rn.nHeight = dy(12);
    rn.aCaptions = {"All", "Current page", "Pages"};
    rn.bSetGet = bindTo(option);
    rn.bChange = [&](TRadMenu& m) { enableRange(m.nOption() == 3); };
    choice.New(rn);
    TButton ok, cancel;
    ButtonNew bn;
    bn.oWnd = &d;
    bn.lPixel = true;
    bn.nRow = dy(10);
    bn.nCol = dx(152);
    bn.nWidth = dx(42);
    bn.nHeight = dy(14);
    bn.cCaption = "&Ok";
    bn.lDefault = true;
    bn.bAction = [&](TWindow&) {
        fromGet.Assign();
        toGet.Assign();
        const int n = static_cast<int>(option.number());
        const int first = static_cast<int>(from.number()), last = static_cast<int>(to.number());
        if (n == 3 && !(printRangeFromValid(first, last) && printRangeToValid(first, last, pages))) {
            beep();
            return;
        }
        d.End(1);
        PrintPrv(n, first, last);
    };
    ok.New(bn);
    bn.nRow = dy(28);
    bn.cCaption = "&Cancel";
    bn.lDefault = false;
    bn.lCancel = true;
    bn.bAction = [&](TWindow&) { d.End(2); };
    cancel.New(bn);
    DialogActivate act;
    act.lCentered = true;
    act.bInit = [&](TWindow&) { enableRange(false); };
    d.Activate(act);
}

std::optional<std::string> TPreview::SaveAs(bool lPDF, std::optional<std::string> cFile, std::optional<bool> lView) {
    if (!lPDF) {
        // No word processor here: the office-suite route ends in its alert.
        MSGALERT("No .Doc file manipulation software installed", std::string("Alert"));
        return std::nullopt;
    }
    return WLSAVEPREVIEWTOPDF(*oDevice, std::move(cFile), lView, hWnd);
}

void TPreview::SendEmail() {
    if (oDevice->aMeta.empty()) {
        MSGINFO("PDF not saved to send Email", std::string("Information"));
        return;
    }
    std::string name = oDevice->cDocument;
    std::erase(name, '.');
    const std::string folder = std::filesystem::path(oDevice->aMeta.front()).parent_path().string();
    const std::string file = folder + "\\" + name + timestamp14() + ".pdf";
    SaveAs(true, file, false);
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        MSGINFO("PDF not saved to send Email", std::string("Information"));
        return;
    }
    TMail mail;
    mail.cSubject = oDevice->cDocument;
    mail.lFromUser = true;
    mail.aFiles.push_back({file, file});
    mail.Activate();
    // The mail program has the file now (or refused it): the copy in TEMP goes.
    std::filesystem::remove(file, ec);
    SetFocus(oMeta1->hWnd);
}

void TPreview::ExportToMSWord() { MSGALERT("MS Word not installed", std::string("Alert")); }

void TPreview::ExportToMSExcel() {
    MSGINFO(std::string("Export to Excel is available only") + "\r\n" + "for Reports with ::bInit defined",
            std::string("Information"));
}

void TPreview::PaintMeta() {
    if (!hWnd || IsIconic(hWnd)) return;
    RECT c;
    GetClientRect(hWnd, &c);
    const int top = barHeight_ + 4;
    const int height = c.bottom - top - (kPreviewMsgBarHeight + 9);
    const PageLayout l = layoutPages(top, 0, c.right, height, oDevice->nHorzSize(), oDevice->nVertSize(),
                                     model.lTwoPages, model.lZoom);
    oMeta1->SetCoors(l.left.top, l.left.left, l.left.width, l.left.height);
    if (l.showRight) oMeta2->SetCoors(l.right.top, l.right.left, l.right.width, l.right.height);
    oMeta2->Show(l.showRight);
    InvalidateRect(hWnd, nullptr, TRUE);
    SetFocus(oMeta1->hWnd);
}

void TPreview::Activate() {
    ShowWindow(hWnd, SW_SHOWMAXIMIZED);
    PaintMeta();
    UpdateWindow(hWnd);
}

void TPreview::BuildListView() {
    const auto [width, height] = thumbnailSize(oDevice->nHorzRes(), oDevice->nVertRes());
    oImageListPages = std::make_unique<TImageList>(width, height);
    if (oImageListPages->hImageList) ImageList_Destroy(oImageListPages->hImageList);
    oImageListPages->hImageList = ImageList_Create(width, height, ILC_COLOR24, model.pageCount, 1);
    const int screen = GetSystemMetrics(SM_CYSCREEN);
    oLvw = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                           WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0, barHeight_ + 3,
                           width + 45, screen - (barHeight_ - 2) - kPreviewMsgBarHeight - 38, hWnd, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    ListView_SetImageList(oLvw, oImageListPages->hImageList, LVSIL_NORMAL);
    for (int page = 1; page <= model.pageCount; ++page) {
        HBITMAP thumb = PAGEBITMAP(oDevice->aMeta[static_cast<std::size_t>(page - 1)], width, height);
        const int image = thumb ? ImageList_Add(oImageListPages->hImageList, thumb, nullptr) : -1;
        if (thumb) DeleteObject(thumb);
        std::string text = std::to_string(page);
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = page - 1;
        item.iImage = image;
        item.pszText = text.data();
        SendMessageA(oLvw, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void TPreview::ResizeListView() {
    if (!oLvw) return;
    RECT client, list;
    GetClientRect(hWnd, &client);
    GetWindowRect(oLvw, &list);
    MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&list), 2);
    MoveWindow(oLvw, list.left, barHeight_ + 3, list.right - list.left,
               client.bottom - 2 - (barHeight_ - 2) - kPreviewMsgBarHeight, TRUE);
}

void TPreview::MoveListView() {
    RECT client, list;
    GetClientRect(hWnd, &client);
    GetWindowRect(oLvw, &list);
    MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&list), 2);
    const int width = static_cast<int>(list.right - list.left);
    // Between the left edge and the right one.
    const int left = list.left == 0 ? std::max(0, static_cast<int>(client.right) - width - 30) : 0;
    MoveWindow(oLvw, left, list.top, width, list.bottom - list.top, TRUE);
}

HBITMAP PAGEBITMAP(const std::string& cFile, int nWidth, int nHeight) {
    EnhMetafile meta(GETENHMETAFILE(cFile));
    if (!meta.h) return nullptr;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, nWidth, nHeight);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    Rectangle(mem, 0, 0, nWidth, nHeight);
    XPLAYENHMETAFILE(mem, meta.h, 0, 0, nHeight, nWidth);
    SelectObject(mem, old);
    DeleteDC(mem);
    return bmp;
}

void TPreview::Close() {
    oMeta1.reset();
    oMeta2.reset();
    if (oLvw) DestroyWindow(oLvw);
    oLvw = nullptr;
    oImageListPages.reset();
    if (oDevice) oDevice->End();
    lExit = true;
    // Last: a preview its window owns is deleted with the window.
    if (hWnd) DestroyWindow(hWnd);
}

PreviewBarSettings& previewBarSettings() { return processState().previewBar.get<PreviewBarSettings>(); }

PreviewUserButtons RPREVUSERBTNS() { return previewBarSettings().bButtons; }

PreviewUserButtons RPREVUSERBTNS(PreviewUserButtons bButtons) {
    PreviewUserButtons previous = std::move(previewBarSettings().bButtons);
    previewBarSettings().bButtons = std::move(bButtons);
    return previous;
}

PreviewUserButtons RPREVUSERBTNS(PreviewUserButtons bButtons, std::optional<int> nStyle,
                                 std::optional<std::pair<int, int>> aSize) {
    PreviewUserButtons previous = RPREVUSERBTNS(std::move(bButtons));
    PreviewBarSettings& bar = previewBarSettings();
    bar.nStyle = nStyle;
    if (aSize) {
        bar.nBtnWidth = aSize->first;
        bar.nBtnHeight = aSize->second;
    }
    return previous;
}

TPreview* RPREVIEW(std::unique_ptr<TPrinter> device) {
    const bool modal = device && device->lPrvModal;
    auto preview = std::make_unique<TPreview>(std::move(device));
    preview->Activate();
    if (modal) {
        STOPUNTIL([&] { return preview->lExit; });
        return nullptr;
    }
    // A modeless preview lives as long as its window.
    preview->selfOwned_ = true;
    return preview.release();
}

}  // namespace wl
