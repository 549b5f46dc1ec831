#include "wbrowse.hpp"

#include <algorithm>

#include "button.hpp"
#include "dialog.hpp"
#include "font.hpp"
#include "get.hpp"
#include "listbox.hpp"
#include "messages.hpp"
#include "printer.hpp"
#include "report_printer.hpp"
#include "browse_report.hpp"
#include "browse_window.hpp"
#include "scrolling.hpp"
#include "text.hpp"
#include "tree_bitmaps.hpp"
#include "visual_styles.hpp"
#include "process_state.hpp"

namespace wl {

namespace {
// TWBrowse's class data.
struct GridBrowseClass {
    bool kinetic = true;
};
}  // namespace

bool& TWBrowse::lKinetic() { return processState().gridBrowses.get<GridBrowseClass>().kinetic; }

namespace {

constexpr Color kGrey = RGB(128, 128, 128);

bool keyHeld(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

std::string cellText(const Value& v) { return v.isNil() ? std::string() : CVALTOCHAR(v); }

}  // namespace

// ----------------------------------------------------------- the cell editor

namespace {

// Posted to the browse to end the in-cell editor: the editor is never
// destroyed from within its own handlers.
constexpr UINT kBrowseEndEdit = WM_APP + 0x0B0E;

}  // namespace

// The non-modal editor over a cell: a get field, or a combo box for a
// logical or a list of choices, holding the value being edited.
class BrowseGetEditor : public BrowseCellEditor {
public:
    Value value;
    std::vector<std::string> choices;
    bool logical = false;
    TGet get;
    TComboBox combo;
    HWND hWnd() const override { return choices.empty() ? get.hWnd : combo.hWnd; }
    // The edited value: a logical is true when the first choice is chosen.
    Value result() const { return logical ? Value(CVALTOCHAR(value) == choices.front()) : value; }
};

// ------------------------------------------------------------------ TWBrowse

TWBrowse::TWBrowse() = default;

TWBrowse::~TWBrowse() {
    *alive_ = false;
    editor_.reset();
}

TWBrowse& TWBrowse::New(const WBrowseNew& a) {
    BRWCLASSES(ClassName());
    nTop = a.lPixel ? static_cast<int>(a.nRow) : static_cast<int>(a.nRow * 14);
    nLeft = a.lPixel ? static_cast<int>(a.nCol) : static_cast<int>(a.nCol * 8);
    nBottom = nTop + a.nHeight - 1;
    nRight = nLeft + a.nWidth - 1;
    bLine = a.bLine;
    aHeaders = a.aHeaders;
    state_.colSizes = a.aColSizes;
    oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    bChange = a.bChange;
    bLDblClick = a.bLDblClick;
    bRClicked = a.bRClicked;
    bLClicked = a.bLClicked;
    aActions = a.aActions;
    cAlias = a.cAlias;
    if (cAlias.empty())
        if (auto selected = dbfSelected()) cAlias = selected->Alias();
    if (a.oFont) {
        oFont = a.oFont;
        ++oFont->nCount;
    }
    nClrText = a.nClrFore.value_or(0);
    nClrPane = a.nClrBack.value_or(GetSysColor(COLOR_WINDOW));
    nClrBackHead = GetSysColor(COLOR_BTNFACE);
    nClrForeHead = GetSysColor(COLOR_BTNTEXT);
    nClrBackFocus = GetSysColor(COLOR_HIGHLIGHT);
    nClrForeFocus = GetSysColor(COLOR_HIGHLIGHTTEXT);
    nStyle = WS_CHILD | WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_VISIBLE | WS_TABSTOP;
    nId = GetNewId();
    SetFilter(a.cField, a.uValue1, a.uValue2);
    bAdd = [](TWBrowse& b) {
        if (auto area = b.area()) {
            area->Append();
            b.UpStable();
        }
    };
    SetColor(nClrText, nClrPane);
    Register(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS);
    createOrDefer();
    if (hWnd) Default();
    return *this;
}

TWBrowse& TWBrowse::ReDefine(int id, BrowseLine line, TWindow* parent, std::vector<std::string> headers,
                             std::vector<int> sizes) {
    BRWCLASSES(ClassName());
    bLine = std::move(line);
    aHeaders = std::move(headers);
    state_.colSizes = std::move(sizes);
    nClrText = 0;
    nClrPane = GetSysColor(COLOR_WINDOW);
    nClrBackHead = GetSysColor(COLOR_BTNFACE);
    nClrForeHead = 0;
    nClrBackFocus = GetSysColor(COLOR_HIGHLIGHT);
    nClrForeFocus = GetSysColor(COLOR_HIGHLIGHTTEXT);
    SetColor(nClrText, nClrPane);
    Register(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS);
    redefine(id, parent);
    return *this;
}

void TWBrowse::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    Default();
}

void TWBrowse::Default() {
    TControl::Default();
    if (!hWnd) return;
    measure();
    if (!bLine && area_) {
        // Only the fields that can be seen are read and converted.
        bLine = [this] {
            int last = static_cast<int>(area_->fields().size());
            if (!state_.colSizes.empty() && state_.nClientWidth > 0) {
                const std::vector<BrowseCell> cells = browseCells(state_);
                if (!cells.empty()) last = cells.back().col;
            }
            return browseFieldLine(*area_, state_.nColPos, last);
        };
        const auto& fields = area_->fields();
        if (aHeaders.size() < fields.size() && Cargo.isNil()) {
            aHeaders.clear();
            for (const DbfField& f : fields) aHeaders.push_back(f.name);
        }
        aJustify.clear();
        for (const DbfField& f : fields) aJustify.push_back(f.type == 'N');
    }
    state_.nLen = source().count();
    state_.nVScrollPos = state_.nLen ? 1 : 0;
    // Missing headers: "1", "2", ... for a list; missing sizes from the
    // longer of the header and the first line's value.
    const ValueList line = bLine && state_.nLen ? bLine() : ValueList{};
    const std::size_t cols = std::max(line.size(), aHeaders.size());
    for (std::size_t i = aHeaders.size(); i < cols; ++i) aHeaders.push_back(Cargo.isNil() ? std::to_string(i + 1) : "");
    const HFONT font = oFont ? oFont->hFont : nullptr;
    for (std::size_t i = state_.colSizes.size(); i < cols; ++i) {
        const bool text = i >= line.size() || !line[i].isNumber();
        const std::size_t len = std::max(aHeaders[i].size(), i < line.size() ? cellText(line[i]).size() : 0);
        state_.colSizes.push_back(text ? browseLettersWidth(hWnd, font, static_cast<int>(len) + 1) : 15);
    }
    aJustify.resize(cols, false);
    apply({browseVScroll(state_), {BrowseEffect::Kind::HScroll, std::max<int>(1, static_cast<int>(cols)), 1}});
    if (area_ && filter_.ranged() && bGoTop) bGoTop();
    if (bChange) bChange(*this);
}

void TWBrowse::measure() {
    lineHeight_ = std::max(1, fontTextHeight(hWnd, nullptr, oFont ? oFont->hFont : nullptr) + 1);
    RECT c{};
    GetClientRect(hWnd, &c);
    state_.nClientWidth = c.right;
    state_.nVScrollWidth = (GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) + 3 : 0;
    browseSetRowCount(state_, c.bottom / lineHeight_ - 1);
}

BrowseSource TWBrowse::source() const {
    BrowseSource src;
    src.goTop = bGoTop;
    src.goBottom = bGoBottom;
    src.skip = bSkip;
    src.logicLen = bLogicLen;
    return src;
}

void TWBrowse::SetArray(std::function<int()> count) {
    nAt = 1;
    cAlias = "ARRAY";
    const BrowseSource src = arrayBrowseSource(nAt, std::move(count));
    bGoTop = src.goTop;
    bGoBottom = src.goBottom;
    bSkip = src.skip;
    bLogicLen = src.logicLen;
    state_.nLen = src.count();
    state_.nVScrollPos = state_.nLen ? 1 : 0;
    state_.nRowPos = 1;
    state_.lHitTop = state_.lHitBottom = false;
    apply({browseVScroll(state_), {BrowseEffect::Kind::Redraw}});
}

void TWBrowse::SetCols(std::vector<std::function<Value()>> cols, std::vector<std::string> headers,
                       std::vector<int> sizes) {
    const std::size_t n = cols.size();
    bLine = [cols = std::move(cols)] {
        ValueList line;
        for (const auto& c : cols) line.push_back(c ? c() : Value());
        return line;
    };
    if (!headers.empty()) aHeaders = std::move(headers);
    state_.colSizes = std::move(sizes);
    aJustify.assign(n, false);
    if (hWnd) Default();
}

void TWBrowse::SetColSizes(std::vector<int> sizes) {
    state_.colSizes = std::move(sizes);
    if (hWnd) InvalidateRect(hWnd, nullptr, FALSE);
}

std::vector<int> TWBrowse::GetColSizes() const {
    if (treeMode_ && oTreeItem) return oTreeItem->ColSizes();
    return state_.colSizes;
}

// ----------------------------------------------------------------- outlines

void TWBrowse::SetTree(TLinkList* tree) {
    if (!tree) return;
    installTreeBitmaps();  // the connector pictures are Windows bitmaps
    oTree = tree;
    treeMode_ = true;
    lMChange = false;
    area_.reset();
    cAlias.clear();
    tree->Draw();
    const BrowseSource src = treeBrowseSource(*tree, oTreeItem);
    bGoTop = src.goTop;
    bGoBottom = src.goBottom;
    bSkip = src.skip;
    bLogicLen = src.logicLen;
    // The item's pictures and prompt, in cells as wide as the item says.
    bLine = [this] { return oTreeItem ? browseTreeLine(*oTreeItem) : ValueList{}; };
    if (aHeaders.empty()) aHeaders = {""};
    // The header: one column as wide as the browse.
    state_.colSizes = {std::max(1, state_.nClientWidth)};
    auto toggle = [this] {
        if (!browseTreeToggle(oTreeItem)) return;
        oTree->Draw();
        Display();
    };
    bLDblClick = [toggle](int, int, WPARAM, TWindow&) { toggle(); };
    bKeyChar = [toggle](WPARAM key, LPARAM) -> Answer {
        if (key != VK_RETURN) return std::nullopt;
        toggle();
        return 0;
    };
    state_.nLen = src.count();
    state_.nVScrollPos = state_.nLen ? 1 : 0;
    state_.nRowPos = 1;
    state_.lHitTop = state_.lHitBottom = false;
    if (hWnd) ShowScrollBar(hWnd, SB_HORZ, FALSE);
    apply({browseVScroll(state_), {BrowseEffect::Kind::Redraw}});
}

// ------------------------------------------------------------------- tables

bool TWBrowse::isTable() const { return static_cast<bool>(area_); }

std::shared_ptr<DbfArea> TWBrowse::area() const { return area_; }

void TWBrowse::SetFilter(const std::string& field, const Value& start, const Value& end) {
    cField = field;
    uValue1 = start;
    uValue2 = end.isNil() ? start : end;
    const std::string kind = upper(cAlias).substr(0, 5);
    area_ = cAlias.empty() || kind == "ARRAY" ? nullptr : dbfAreaOf(cAlias);
    if (!area_) {
        bLogicLen = [] { return 0; };
        return;
    }
    filter_ = BrowseFilter{area_->FieldPos(field), uValue1, uValue2, nMaxFilter};
    if (!start.isNil()) {
        const int pos = filter_.field;
        if (pos < 1 || !browseFilterTypesAgree(area_->fields()[static_cast<std::size_t>(pos - 1)], start, end))
            MSGALERT(Value("TWBrowse SetFilter() types don't match with current Index Key type!"));
    }
    const BrowseSource src = tableBrowseSource(area_, filter_);
    bGoTop = src.goTop;
    bGoBottom = src.goBottom;
    bSkip = src.skip;
    // The count reads nMaxFilter as it stands when counting.
    bLogicLen = [this] { return area_ ? RecCount(uValue1) : 0; };
    state_.nLen = bLogicLen();
    state_.lHitTop = state_.lHitBottom = false;
    if (!start.isNil()) src.top();
}

int TWBrowse::RecCount(const Value& start) {
    if (!area_) return 0;
    if (!filter_.ranged()) return area_->RecCount();
    BrowseFilter f = filter_;
    f.start = start;
    f.maxCount = nMaxFilter;
    return browseRecCount(*area_, f);
}

void TWBrowse::UpStable() {
    if (!area_) return;
    apply(browseUpStable(state_, source(), *area_));
}

void TWBrowse::RecAdd() {
    if (bAdd) bAdd(*this);
}

bool TWBrowse::lCloseArea() {
    if (area_) dbfCloseArea(area_->Alias());
    area_.reset();
    cAlias.clear();
    return true;
}

// --------------------------------------------------------------- navigation

int TWBrowse::Skip(int n) { return source().Skip(n); }
void TWBrowse::GoUp() { apply(browseGoUp(state_, source())); }
void TWBrowse::GoDown() { apply(browseGoDown(state_, source())); }
void TWBrowse::GoTop() { apply(browseGoTop(state_, source())); }
void TWBrowse::GoBottom() { apply(browseGoBottom(state_, source())); }
void TWBrowse::PageUp() { apply(browsePageUp(state_, source())); }
void TWBrowse::PageDown() { apply(browsePageDown(state_, source())); }
void TWBrowse::GoLeft() {
    if (state_.nLen) apply(browseGoLeft(state_, static_cast<int>(state_.colSizes.size())));
}
void TWBrowse::GoRight() {
    if (state_.nLen) apply(browseGoRight(state_, static_cast<int>(state_.colSizes.size())));
}

void TWBrowse::Display() {
    apply(browseRefreshCount(state_, source()));
    if (hWnd) InvalidateRect(hWnd, nullptr, FALSE);
}

RECT TWBrowse::lineRect(int first, int last) const {
    RECT c{};
    GetClientRect(hWnd, &c);
    return RECT{0, first * lineHeight_, c.right, (last + 1) * lineHeight_};
}

void TWBrowse::apply(const BrowseEffects& effects) {
    for (const BrowseEffect& e : effects) {
        using Kind = BrowseEffect::Kind;
        if (e.kind == Kind::Changed) {
            if (bChange) bChange(*this);
            continue;
        }
        if (!hWnd) continue;
        switch (e.kind) {
        case Kind::Redraw: InvalidateRect(hWnd, nullptr, FALSE); break;
        case Kind::RedrawLines: {
            const RECT r = lineRect(e.a, e.b);
            InvalidateRect(hWnd, &r, FALSE);
            break;
        }
        case Kind::ScrollLines: {
            const RECT r = lineRect(1, std::max(1, state_.nRowCount));
            ScrollWindowEx(hWnd, 0, e.a * lineHeight_, &r, &r, nullptr, nullptr, SW_INVALIDATE);
            break;
        }
        case Kind::VScroll: {
            SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 1, e.a, static_cast<UINT>(e.b), e.c, 0};
            SetScrollInfo(hWnd, SB_VERT, &si, TRUE);
            break;
        }
        case Kind::HScroll: {
            SCROLLINFO si{sizeof si, SIF_RANGE | SIF_POS, 1, e.a, 0, e.b, 0};
            SetScrollInfo(hWnd, SB_HORZ, &si, TRUE);
            break;
        }
        case Kind::Changed: break;
        }
    }
}

// ------------------------------------------------------------------- events

Answer TWBrowse::KeyDown(WPARAM key, LPARAM flags) {
    std::optional<BrowseKey> k;
    switch (key) {
    case VK_UP: k = BrowseKey::Up; break;
    case VK_DOWN: k = BrowseKey::Down; break;
    case VK_LEFT: k = BrowseKey::Left; break;
    case VK_RIGHT: k = BrowseKey::Right; break;
    case VK_HOME: k = BrowseKey::Home; break;
    case VK_END: k = BrowseKey::End; break;
    case VK_PRIOR: k = BrowseKey::PageUp; break;
    case VK_NEXT: k = BrowseKey::PageDown; break;
    default: return TControl::KeyDown(key, flags);
    }
    apply(browseKey(state_, source(), *k, keyHeld(VK_CONTROL)));
    return 0;
}

Answer TWBrowse::GetDlgCode(WPARAM key) {
    if (oWnd && !oWnd->lValidating) {
        const bool kept = key == VK_UP || key == VK_DOWN || key == VK_RETURN || key == VK_TAB;
        oWnd->setLastKey(kept ? static_cast<int>(key) : 0);
    }
    return IsWindowEnabled(hWnd) ? DLGC_WANTALLKEYS : 0;
}

Answer TWBrowse::VScroll(WPARAM w, LPARAM l) {
    if (GetFocus() != hWnd) ::SetFocus(hWnd);
    if (l != 0) return std::nullopt;
    switch (LOWORD(w)) {
    case SB_LINEUP: GoUp(); break;
    case SB_LINEDOWN: GoDown(); break;
    case SB_PAGEUP: PageUp(); break;
    case SB_PAGEDOWN: PageDown(); break;
    case SB_TOP: GoTop(); break;
    case SB_BOTTOM: GoBottom(); break;
    case SB_THUMBPOSITION: {
        // The bar never runs above 10,000, so the 16-bit word holds it.
        HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
        apply(browseThumb(state_, source(), HIWORD(w)));
        SetCursor(old);
        break;
    }
    default: return std::nullopt;
    }
    return 0;
}

Answer TWBrowse::HScroll(WPARAM w, LPARAM l) {
    if (l != 0) return std::nullopt;
    if (editor_) endEdit(0);
    const int code = LOWORD(w);
    if (code == SB_THUMBTRACK || code == SB_ENDSCROLL) return std::nullopt;
    apply(browseHScroll(state_, static_cast<int>(state_.colSizes.size()), code, HIWORD(w)));
    return 0;
}

Answer TWBrowse::MouseWheel(int keys, int delta, int x, int y) {
    POINT p{x, y};
    ScreenToClient(hWnd, &p);
    RECT c{};
    GetClientRect(hWnd, &c);
    switch (browseWheel(p.y, c.bottom, delta, (keys & MK_MBUTTON) != 0)) {
    case BrowseWheel::ColumnLeft: GoLeft(); break;
    case BrowseWheel::ColumnRight: GoRight(); break;
    case BrowseWheel::PageUp: PageUp(); break;
    case BrowseWheel::PageDown: PageDown(); break;
    case BrowseWheel::LineUp: GoUp(); break;
    case BrowseWheel::LineDown: GoDown(); break;
    }
    return 0;
}

Answer TWBrowse::LButtonDown(int row, int col, WPARAM flags) {
    const int line = nAtRow(row);
    startRow_ = endRow_ = lastRow_ = line;
    dragDir_ = 0;
    startTime_ = GetTickCount();
    lPressed_ = lKinetic();
    lMoved_ = false;
    if (lDesign) return TControl::LButtonDown(row, col, flags);
    state_.nLen = source().count();
    if (state_.nLen == 0 && line > 0) return 0;
    if (lMChange) {
        if (const int border = browseBorderAt(state_, col)) {
            resizeCol_ = border;
            resizeX_ = resizeLastX_ = col;
            lPressed_ = false;
            SetCapture(hWnd);
            return 0;
        }
    }
    if (GetFocus() != hWnd) ::SetFocus(hWnd);
    if (line == 0) {
        const int at = nAtCol(col);
        if (at >= 1 && at <= static_cast<int>(aActions.size()) && aActions[static_cast<std::size_t>(at - 1)]) {
            const std::shared_ptr<bool> alive = alive_;
            pressedHeader_ = at;
            RECT head = lineRect(0, 0);
            InvalidateRect(hWnd, &head, FALSE);
            UpdateWindow(hWnd);
            aActions[static_cast<std::size_t>(at - 1)](*this, row, col);
            if (!*alive) return 0;
            pressedHeader_ = 0;
            InvalidateRect(hWnd, &head, FALSE);
        } else {
            MessageBeep(0);
        }
        lPressed_ = false;
        return 0;
    }
    apply(browseClickLine(state_, source(), line, nAtCol(col)));
    TControl::LButtonDown(row, col, flags);
    return 0;
}

Answer TWBrowse::MouseMove(int row, int col, WPARAM flags) {
    TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hWnd, 0};
    TrackMouseEvent(&t);
    if (lDesign) return TControl::MouseMove(row, col, flags);
    if (resizeCol_) {
        SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
        return 0;
    }
    if (lPressed_ && (flags & MK_LBUTTON)) {
        const int line = nAtRow(row);
        if (line != lastRow_ && line > 0) {
            const int dir = line < lastRow_ ? -1 : 1;
            if (dragDir_ && dir != dragDir_) {  // the fling is measured afresh
                startRow_ = lastRow_;
                startTime_ = GetTickCount();
            }
            dragDir_ = dir;
            // The content follows the pointer: up shows later items.
            const bool saved = lDrawSelected;
            lDrawSelected = false;
            if (dir < 0) GoDown(); else GoUp();
            lDrawSelected = saved;
            lastRow_ = endRow_ = line;
            lMoved_ = true;
        }
        return 0;
    }
    if (lMChange && browseBorderAt(state_, col)) {
        SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
        return 0;
    }
    return TControl::MouseMove(row, col, flags);
}

Answer TWBrowse::LButtonUp(int row, int col, WPARAM flags) {
    if (lDesign) return TControl::LButtonUp(row, col, flags);
    if (resizeCol_) {
        ReleaseCapture();
        browseResizeColumn(state_, resizeCol_, col - resizeX_);
        resizeCol_ = 0;
        InvalidateRect(hWnd, nullptr, FALSE);
        return TControl::LButtonUp(row, col, flags);
    }
    if (lPressed_ && lMoved_) {
        lPressed_ = false;
        const std::shared_ptr<bool> alive = alive_;
        startFling(endRow_ - startRow_, GetTickCount() - startTime_);
        if (!*alive) return 0;  // closed while the fling drained messages
    }
    lPressed_ = lMoved_ = false;
    return TControl::LButtonUp(row, col, flags);
}

void TWBrowse::startFling(int rows, DWORD elapsed) {
    const BrowseFling f = browseFlingPlan(rows, elapsed, fling);
    if (f.steps == 0) return;
    const std::shared_ptr<bool> alive = alive_;
    const HWND self = hWnd;
    auto step = [this, &f] {
        apply(f.towardStart ? browseGoUp(state_, source()) : browseGoDown(state_, source()));
        UpdateWindow(hWnd);
        return !(f.towardStart ? state_.lHitTop : state_.lHitBottom);
    };
    // A press or release for the browse ends the fling, and is taken.
    browseRunFling(f, step, browseFlingWait(alive, self, WM_LBUTTONDOWN, WM_LBUTTONUP, PM_REMOVE));
    if (*alive) InvalidateRect(hWnd, nullptr, FALSE);
}

Answer TWBrowse::MouseLeave(int row, int col, WPARAM flags) {
    if (lPressed_ && !resizeCol_) {
        lPressed_ = lMoved_ = false;
        InvalidateRect(hWnd, nullptr, FALSE);
    }
    return TControl::MouseLeave(row, col, flags);
}

Answer TWBrowse::LDblClick(int row, int col, WPARAM flags) {
    if (nAtRow(row) != state_.nRowPos || state_.nLen == 0) return std::nullopt;
    if (lAutoEdit) {
        Edit(std::max(1, nAtCol(col)), lAutoSkip);
        return 0;
    }
    return TControl::LDblClick(row, col, flags);
}

Answer TWBrowse::ReSize(WPARAM type, int width, int height) {
    if (hWnd) {
        measure();
        if (treeMode_) state_.colSizes = {std::max(1, state_.nClientWidth)};
        const int cols = static_cast<int>(state_.colSizes.size());
        while (state_.nColAct > state_.nColPos && !browseColVisible(state_, state_.nColAct) &&
               browseAtCol(state_, width) < state_.nColAct)
            --state_.nColAct;
        apply({browseVScroll(state_), {BrowseEffect::Kind::HScroll, std::max(1, cols), state_.nColAct}});
    }
    return TControl::ReSize(type, width, height);
}

Answer TWBrowse::GotFocus(HWND lost) {
    Answer a = TControl::GotFocus(lost);
    if (state_.nLen && !lIconView) apply({{BrowseEffect::Kind::RedrawLines, state_.nRowPos, state_.nRowPos}});
    return a;
}

Answer TWBrowse::LostFocus(HWND gaining) {
    Answer a = TControl::LostFocus(gaining);
    if (state_.nLen && hWnd && !lIconView) apply({{BrowseEffect::Kind::RedrawLines, state_.nRowPos, state_.nRowPos}});
    return a;
}

Answer TWBrowse::Destroy() {
    *alive_ = false;
    editor_.reset();
    return TControl::Destroy();
}

Answer TWBrowse::HandleEvent(UINT nMsg, WPARAM w, LPARAM l) {
    if (nMsg == kBrowseEndEdit) {
        endEdit(editKey_ < 0 ? 0 : editKey_);
        return 0;
    }
    if (nMsg == WM_PRINTCLIENT) {
        apply(drawTo(reinterpret_cast<HDC>(w)));
        return 0;
    }
    return TControl::HandleEvent(nMsg, w, l);
}

// ------------------------------------------------------------------ editing

void TWBrowse::EditCol(int col, const Value& value, BrowseEditDone done, const BrowseEditSpec& spec) {
    if (editor_) endEdit(0);
    if (!hWnd || state_.nLen == 0) return;
    state_.nColAct = col;
    const RECT r = cellRect(col);
    auto ed = std::make_unique<BrowseGetEditor>();
    BrowseGetEditor* e = ed.get();
    e->logical = value.isLogical();
    e->choices = spec.aChoices;
    if (e->logical && e->choices.empty()) e->choices = {".T.", ".F."};
    e->value = e->logical ? Value(e->choices[value.logical() ? 0 : std::min<std::size_t>(1, e->choices.size() - 1)])
                          : value;
    SetGet bind = [e](const std::optional<Value>& v) {
        if (v) e->value = *v;
        return e->value;
    };
    // Enter and Escape record the key; losing the focus ends it too.
    auto finish = [this](int key) {
        if (editKey_ >= 0) return;
        editKey_ = key;
        PostMessageA(hWnd, kBrowseEndEdit, 0, 0);
    };
    auto keys = [finish](WPARAM key, LPARAM) -> Answer {
        if (key != VK_RETURN && key != VK_ESCAPE) return std::nullopt;
        finish(key == VK_RETURN ? 13 : 27);
        return 0;
    };
    auto lost = [finish](TWindow&, HWND) { finish(0); };
    if (!e->choices.empty()) {
        ListNew ln;
        ln.oWnd = this;
        ln.lPixel = true;
        ln.nRow = r.top;
        ln.nCol = r.left;
        ln.nWidth = r.right - r.left;
        ln.nHeight = e->logical ? 100 : std::max(200, static_cast<int>(r.bottom - r.top));
        ln.bSetGet = bind;
        ln.aItems = e->choices;
        e->combo.New(ln);
        e->combo.bKeyChar = keys;
        e->combo.bKeyDown = [finish](WPARAM key, LPARAM, TWindow&) -> Answer {
            if (key != VK_RETURN && key != VK_ESCAPE) return std::nullopt;
            finish(key == VK_RETURN ? 13 : 27);
            return 0;
        };
        e->combo.bLostFocus = lost;
    } else {
        GetNew gn;
        gn.oWnd = this;
        gn.lPixel = true;
        gn.nRow = r.top;
        gn.nCol = r.left;
        gn.nWidth = r.right - r.left;
        gn.nHeight = r.bottom - r.top;
        gn.bSetGet = bind;
        gn.cPicture = spec.cPicture;
        gn.nClrFore = spec.nClrFore;
        gn.nClrBack = spec.nClrBack;
        gn.oFont = oFont;
        e->get.New(gn);
        e->get.bKeyChar = keys;
        e->get.bLostFocus = lost;
    }
    editKey_ = -1;
    editDone_ = std::move(done);
    editor_ = std::move(ed);
    if (const HWND h = editor_->hWnd()) ::SetFocus(h);
}

void TWBrowse::endEdit(int key) {
    if (!editor_) return;
    // Taken first: destroying the field moves the focus, which ends again.
    std::unique_ptr<BrowseCellEditor> editor = std::move(editor_);
    auto done = std::move(editDone_);
    auto& e = static_cast<BrowseGetEditor&>(*editor);
    if (e.choices.empty() && e.get.hWnd) e.get.Assign();
    const Value value = e.result();
    editKey_ = key;  // the focus leaving the editor below ends nothing more
    if (key != 0 && hWnd) ::SetFocus(hWnd);
    editor.reset();
    editKey_ = -1;
    if (done) done(key == 27 ? std::nullopt : std::optional<Value>(value), key, *this);
    if (hWnd) apply({{BrowseEffect::Kind::RedrawLines, state_.nRowPos, state_.nRowPos}});
}

// ----------------------------------------------------------------- painting

void TWBrowse::paintLine(HDC dc, int line, const ValueList& cells, bool header) {
    const int top = line * lineHeight_;
    const bool current = !header && line == state_.nRowPos && lDrawSelected;
    const bool focused = GetFocus() == hWnd;
    // An outline's lines take their cells from their item.
    BrowseState cellState = state_;
    if (treeMode_ && !header && oTreeItem) cellState.colSizes = oTreeItem->ColSizes();
    for (const BrowseCell& c : browseCells(cellState)) {
        const std::size_t i = static_cast<std::size_t>(c.col - 1);
        Color fore = header ? nClrForeHead : nClrText;
        Color back = header ? nClrBackHead : nClrPane;
        const bool selected = current && (!state_.lCellStyle || c.col == state_.nColAct);
        if (selected) {
            fore = nClrForeFocus;
            back = focused ? nClrBackFocus : kGrey;
        }
        RECT r{c.x, top, c.x + c.width, top + lineHeight_};
        if (!header && i < cells.size() && cells[i].isWhole()) {
            // A whole number that is a bitmap handle: the picture at the
            // cell's top-left over the background (0 in an outline: an empty
            // cell; elsewhere a number shows as itself).
            const auto handle = static_cast<std::uintptr_t>(std::get<std::int64_t>(cells[i].storage()));
            if ((handle == 0 && treeMode_) || GetObjectType(reinterpret_cast<HGDIOBJ>(handle)) == OBJ_BITMAP) {
                browseFillSolid(dc, r, back);
                drawTreePicture(dc, handle, r.left, r.top);
                continue;
            }
        }
        const std::string text = i < cells.size() ? cellText(cells[i]) : std::string();
        SetTextColor(dc, fore);
        SetBkColor(dc, back);
        const bool right = !header && i < aJustify.size() && aJustify[i];
        RECT inner{r.left + (treeMode_ ? 4 : 2), r.top, r.right - 2, r.bottom};
        ExtTextOutA(dc, r.left, r.top, ETO_OPAQUE, &r, "", 0, nullptr);
        DrawTextA(dc, text.data(), static_cast<int>(text.size()), &inner,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (right ? DT_RIGHT : DT_LEFT));
        if (treeMode_) continue;  // an outline has no borders
        if (header) {
            if (c.col == pressedHeader_) {
                DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
            } else if (ISAPPTHEMED()) {
                DRAWHEADER(hWnd, dc, r.top, r.left, r.bottom, r.right, text, false);
            } else {
                FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
                RECT inside{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
                DrawEdge(dc, &inside, EDGE_RAISED, BF_RECT);
            }
            continue;
        }
        auto rule = [&](Color colour, int x0, int y0, int x1, int y1, int style = PS_SOLID) {
            HPEN pen = CreatePen(style, 1, colour);
            HGDIOBJ old = SelectObject(dc, pen);
            MoveToEx(dc, x0, y0, nullptr);
            LineTo(dc, x1, y1);
            SelectObject(dc, old);
            DeleteObject(pen);
        };
        switch (nLineStyle) {
        case 1: FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))); break;
        case 2: {
            HPEN pen = CreatePen(PS_SOLID, 1, kGrey);
            HGDIOBJ old = SelectObject(dc, pen);
            MoveToEx(dc, r.left, r.top, nullptr);
            LineTo(dc, r.left, r.bottom - 1);
            LineTo(dc, r.right, r.bottom - 1);
            SelectObject(dc, old);
            DeleteObject(pen);
            break;
        }
        case 3: DrawEdge(dc, &r, EDGE_RAISED, BF_RECT); break;
        case 4: {  // a dotted black frame
            const int mode = SetBkMode(dc, TRANSPARENT);
            rule(0, r.left, r.top, r.right - 1, r.top, PS_DOT);
            rule(0, r.right - 1, r.top, r.right - 1, r.bottom - 1, PS_DOT);
            rule(0, r.right - 1, r.bottom - 1, r.left, r.bottom - 1, PS_DOT);
            rule(0, r.left, r.bottom - 1, r.left, r.top, PS_DOT);
            SetBkMode(dc, mode);
            break;
        }
        case 5: rule(0, r.left, r.top, r.left, r.bottom); break;
        case 6: rule(kGrey, r.left, r.top, r.left, r.bottom); break;
        case 7: rule(0, r.left, r.bottom - 1, r.right, r.bottom - 1); break;
        case 8: rule(kGrey, r.left, r.bottom - 1, r.right, r.bottom - 1); break;
        default: break;
        }
    }
}

Answer TWBrowse::Paint() {
    DispBegin();
    const BrowseEffects count = drawTo(hDC);
    DispEnd();
    apply(count);
    return 0;
}

BrowseEffects TWBrowse::drawTo(HDC dc) {
    RECT c{};
    GetClientRect(hWnd, &c);
    browseFillSolid(dc, c, nClrPane);
    if (lIconView) {
        DrawIcons(dc);
        return {};
    }
    HGDIOBJ oldFont = oFont ? SelectObject(dc, oFont->hFont) : nullptr;
    ValueList header;
    for (const std::string& h : aHeaders) header.emplace_back(h);
    paintLine(dc, 0, header, true);
    BrowseEffects count = browseRefreshCount(state_, source());
    browsePaintLines(state_, source(), [&](int line) { paintLine(dc, line, bLine ? bLine() : ValueList{}, false); });
    if (oldFont) SelectObject(dc, oldFont);
    return count;
}

// ------------------------------------------------------- the modal editor

RECT TWBrowse::cellRect(int col) const {
    RECT r = lineRect(state_.nRowPos, state_.nRowPos);
    for (const BrowseCell& c : browseCells(state_)) {
        if (c.col != col) continue;
        r.left = c.x;
        r.right = c.x + c.width;
    }
    return r;
}

std::string TWBrowse::cellTextOf(int col) {
    const ValueList line = bLine && state_.nLen ? bLine() : ValueList{};
    const auto i = static_cast<std::size_t>(col - 1);
    return col >= 1 && i < line.size() ? cellText(line[i]) : std::string();
}

bool TWBrowse::lEditCol(int col, Value& value, const BrowseEditSpec& spec) {
    if (!hWnd || state_.nLen == 0) return false;
    state_.nColAct = col;
    InvalidateRect(hWnd, nullptr, FALSE);
    UpdateWindow(hWnd);
    RECT cell = cellRect(col);
    ++cell.top;  // from one pixel below the cell's top
    POINT corner{cell.left, cell.top};
    ClientToScreen(hWnd, &corner);
    const int width = cell.right - cell.left, height = cell.bottom - cell.top;
    const Value before = value;
    std::vector<std::string> choices = spec.aChoices;
    const bool logical = value.isLogical();
    if (logical && choices.empty()) choices = {".T.", ".F."};

    TDialog dlg;
    DialogNew dn;
    dn.lPixel = true;
    dn.nStyle = WS_POPUP;
    dn.oWnd = this;
    dn.nTop = 0;
    dn.nLeft = 0;
    dn.nBottom = height;
    dn.nRight = width;
    dn.oFont = oFont;
    dlg.New(dn);
    // The edited text or choice, bound to the editor.
    Value edited = logical ? Value(choices[value.logical() ? 0 : std::min<std::size_t>(1, choices.size() - 1)]) : value;
    SetGet bind = [&edited](const std::optional<Value>& v) {
        if (v) edited = *v;
        return edited;
    };
    TGet get;
    TComboBox combo;
    TButton action, ok;
    TControl* editor = nullptr;
    const int buttonWidth = spec.bAction && choices.empty() ? 12 : 0;
    if (!choices.empty()) {
        ListNew ln;
        ln.oWnd = &dlg;
        ln.lPixel = true;
        ln.bSetGet = bind;
        ln.aItems = choices;
        ln.nWidth = width;
        ln.nHeight = 100;
        ln.bValid = spec.bValid;
        combo.New(ln);
        editor = &combo;
    } else {
        GetNew gn;
        gn.oWnd = &dlg;
        gn.lPixel = true;
        gn.bSetGet = bind;
        gn.nWidth = width - buttonWidth;
        gn.nHeight = height;
        gn.cPicture = spec.cPicture;
        gn.bValid = spec.bValid;
        gn.nClrFore = spec.nClrFore;
        gn.nClrBack = spec.nClrBack;
        gn.oFont = oFont;
        get.New(gn);
        // Enter confirms (the field would otherwise only move the focus
        // on), Escape cancels.
        get.bKeyChar = [&](WPARAM key, LPARAM) -> Answer {
            if (key == VK_ESCAPE) {
                dlg.End(2);
                return 0;
            }
            if (key != VK_RETURN) return std::nullopt;
            get.Assign();
            if (spec.bValid && !spec.bValid(get)) return 0;
            dlg.End(1);
            return 0;
        };
        editor = &get;
        if (buttonWidth) {
            ButtonNew bn;
            bn.oWnd = &dlg;
            bn.lPixel = true;
            bn.nCol = width - buttonWidth;
            bn.nWidth = buttonWidth;
            bn.nHeight = 12;
            bn.cCaption = "...";
            bn.bAction = [&](TWindow&) {
                get.Assign();
                edited = spec.bAction(edited, *this);
                get.Refresh();
                dlg.End(1);
            };
            action.New(bn);
        }
    }
    ButtonNew okn;
    okn.oWnd = &dlg;
    okn.lPixel = true;
    okn.nWidth = 1;
    okn.nHeight = 1;
    okn.cCaption = "";
    okn.lDefault = true;
    okn.bAction = [&](TWindow&) { dlg.End(1); };
    ok.New(okn);
    DialogActivate da;
    da.bInit = [&](TWindow&) {
        // Over the cell, the editor as large as the cell.
        MoveWindow(dlg.hWnd, corner.x, corner.y, width, choices.empty() ? height : height + 100, FALSE);
        if (editor && editor->hWnd) MoveWindow(editor->hWnd, 0, 0, width - buttonWidth, choices.empty() ? height : 100, FALSE);
        if (ok.hWnd) ShowWindow(ok.hWnd, SW_HIDE);
    };
    dlg.Activate(da);
    const bool confirmed = dlg.nResult && *dlg.nResult == 1;
    if (!confirmed) {
        value = before;
    } else if (logical) {
        value = Value(CVALTOCHAR(edited) == choices.front());
    } else {
        value = edited;
    }
    if (hWnd) InvalidateRect(hWnd, nullptr, FALSE);
    return confirmed;
}

void TWBrowse::Edit(int col, bool autoSkip) {
    for (;;) {
        if (!hWnd || state_.nLen == 0) return;
        const std::string shown = cellTextOf(col);
        Value v(shown);
        bool confirmed = false;
        if (area_) {
            if (!area_->RLock()) {
                MSGALERT(Value("Record locked!"), Value("Please, try again"));
                return;
            }
            confirmed = lEditCol(col, v);
            const auto& fields = area_->fields();
            if (confirmed && col >= 1 && col <= static_cast<int>(fields.size())) {
                const DbfField& f = fields[static_cast<std::size_t>(col - 1)];
                // Only when the column shows that field.
                if (browseFieldText(f, area_->FieldGet(col)) == shown)
                    area_->FieldPut(col, browseFieldFromText(f, CVALTOCHAR(v)));
            }
            apply({{BrowseEffect::Kind::RedrawLines, state_.nRowPos, state_.nRowPos}});
            area_->UnLock();
        } else {
            confirmed = lEditCol(col, v);
        }
        if (!autoSkip || !confirmed) return;
        if (col < static_cast<int>(state_.colSizes.size())) {
            ++col;
        } else {
            col = 1;
            const int row = state_.nRowPos;
            GoDown();
            if (state_.nRowPos == row && state_.lHitBottom) return;
        }
    }
}

// ------------------------------------------------------------------ report

void TWBrowse::Report(std::string title, bool preview) {
    if (title.empty() && oWnd) title = oWnd->GetText();
    const std::uint32_t record = area_ ? area_->RecNo() : 0;
    const int at = nAt;
    PrinterOptions po;
    po.cDocument = title;
    po.lPreview = preview;
    auto printer = std::make_unique<TPrinter>(po);
    if (!printer->hDC) return;
    BrowseReportSpec spec;
    spec.cTitle = title;
    spec.aHeaders = aHeaders;
    spec.aColSizes = state_.colSizes;
    spec.nLetterWidth = std::max(1, browseLettersWidth(hWnd, oFont ? oFont->hFont : nullptr, 1));
    spec.lTable = isTable();
    browseReport(std::make_unique<ReportPrinter>(std::move(printer)), spec, source(), bLine);
    if (area_)
        area_->GoTo(record);
    else
        nAt = at;
    if (hWnd) InvalidateRect(hWnd, nullptr, FALSE);
}

void TWBrowse::ShowSizes() { MSGINFO(Value(browseSizesText(aHeaders, state_.colSizes))); }

// --------------------------------------------------------------- icon view

int TWBrowse::nAtIcon(int row, int col) const { return browseIconAt(row, col, state_.nClientWidth); }

void TWBrowse::DrawIcon(HDC dc, int n, bool focused) {
    const auto [top, left] = browseIconCorner(n, state_.nClientWidth);
    HICON icon = nullptr;
    if (bIconDraw) {
        const int i = bIconDraw();
        if (i >= 1 && i <= static_cast<int>(aIcons.size())) icon = aIcons[static_cast<std::size_t>(i - 1)];
    } else if (!aIcons.empty()) {
        icon = aIcons.front();
    }
    if (!icon) icon = LoadIcon(nullptr, IDI_APPLICATION);
    DrawIconEx(dc, left + 9, top, icon, 32, 32, 0, nullptr, DI_NORMAL);
    const std::string label = bIconText ? bIconText() : std::to_string(area_ ? area_->RecNo() : static_cast<std::uint32_t>(nAt));
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72);
    lstrcpyA(lf.lfFaceName, "MS Sans Serif");
    HFONT font = CreateFontIndirectA(&lf);
    HGDIOBJ old = SelectObject(dc, font);
    RECT r{left, top + 34, left + 50, top + 50};
    SetTextColor(dc, focused ? RGB(255, 255, 255) : nClrText);
    SetBkColor(dc, focused ? RGB(0, 0, 128) : nClrPane);
    ExtTextOutA(dc, r.left, r.top, ETO_OPAQUE, &r, "", 0, nullptr);
    DrawTextA(dc, label.data(), static_cast<int>(label.size()), &r, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteObject(font);
}

void TWBrowse::DrawIcons(HDC dc) {
    const BrowseSource src = source();
    const int count = src.count();
    if (count == 0) return;
    RECT c{};
    GetClientRect(hWnd, &c);
    // The current item keeps its place: the walk starts from the first and
    // comes back to it.
    const std::uint32_t record = area_ ? area_->RecNo() : 0;
    const int at = nAt;
    src.top();
    for (int n = 1; n <= count; ++n) {
        if (browseIconCorner(n, state_.nClientWidth).first > c.bottom) break;
        const bool current = area_ ? area_->RecNo() == record : nAt == at;
        DrawIcon(dc, n, current);
        if (current) nIconPos = n;
        if (src.Skip(1) != 1) break;
    }
    if (area_)
        area_->GoTo(record);
    else
        nAt = at;
}

}  // namespace wl
