#include "xbrowse_editor.hpp"

#include <algorithm>
#include <type_traits>

#include "button.hpp"
#include "date_pick.hpp"
#include "font.hpp"
#include "get.hpp"
#include "listbox.hpp"
#include "multiget.hpp"
#include "text.hpp"
#include "xbrowse_functions.hpp"

namespace wl {

namespace {

// Any of the editing controls, with the keys that end an edit and the loss
// of the focus reported to the cell editor before the control's own
// handling.
template <class Base>
class XbrEditorOf : public Base {
public:
    std::function<bool(int)> onKey;
    std::function<void(HWND)> onLeave;
    bool multiLine = false;
    bool list = false;  // Up and Down choose the entry

    Answer KeyDown(WPARAM key, LPARAM flags) override {
        if (onKey && endsEdit(int(key)) && onKey(int(key))) return 0;
        return Base::KeyDown(key, flags);
    }
    Answer KeyChar(WPARAM key, LPARAM flags) override {
        // Enter, Escape and Tab were handled as keys.
        if (key == VK_ESCAPE || key == VK_TAB || (key == VK_RETURN && !ctrlEnter())) return 0;
        if (onTypeOut && key >= 32 && key <= 255 && typedOut()) {
            onTypeOut(int(key));
            return 0;
        }
        return Base::KeyChar(key, flags);
    }
    // Called with a character typed when the field is full.
    std::function<void(int)> onTypeOut;
    Answer GetDlgCode(WPARAM) override { return DLGC_WANTALLKEYS; }
    Answer KillFocus(HWND gaining) override {
        const Answer a = Base::KillFocus(gaining);
        if (onLeave) onLeave(gaining);
        return a;
    }

private:
    // The last place of an edit field is filled: the next key is typed out.
    bool typedOut() {
        if constexpr (std::is_base_of_v<TGet, Base>) return this->oGet.typeOut;
        return false;
    }
    bool ctrlEnter() const { return multiLine && (GetKeyState(VK_CONTROL) & 0x8000); }
    bool endsEdit(int key) const {
        if (key == VK_ESCAPE || key == VK_TAB) return true;
        // A multi-line editor breaks the line on Ctrl+Enter and moves its
        // caret with Up and Down.
        if (key == VK_RETURN) return !ctrlEnter();
        if (key == VK_UP || key == VK_DOWN) return !multiLine && !list;
        return false;
    }
};

using XbrGet = XbrEditorOf<TGet>;
using XbrMemo = XbrEditorOf<TMultiGet>;
using XbrList = XbrEditorOf<TListBox>;
using XbrDate = XbrEditorOf<TDatePick>;
using XbrTime = XbrEditorOf<TTimePick>;

template <class E>
void xbrHook(E& e, const std::function<bool(int)>& key, const std::function<void(HWND)>& leave) {
    e.onKey = key;
    e.onLeave = leave;
}

}  // namespace

XbrCellEditor::XbrCellEditor(TWindow& browse, const TXBrwColumn& col, const XbrEditPlan& plan, RECT cell,
                             std::shared_ptr<TFont> font, int key, Done done)
    : kind_(plan.kind), buffer_(plan.start), original_(col.GetValue()), col_(&col), done_(std::move(done)) {
    autoSave_ = col.lAutoSave;
    auto keyHook = [this](int k) { return onKey(k); };
    auto leaveHook = [this](HWND g) { onLeave(g); };
    // Inside a 2-pixel margin, narrowed for the button of types 3 and up.
    const int button = plan.withButton ? 16 : 0;
    const int top = int(cell.top) + 2, left = int(cell.left) + 2;
    const int width = std::max(8, int(cell.right - cell.left) - 4 - button);
    const int height = std::max(8, int(cell.bottom - cell.top) - 4);
    switch (kind_) {
        case XbrEditor::Get: {
            auto e = std::make_unique<XbrGet>();
            xbrHook(*e, keyHook, leaveHook);
            GetNew a;
            a.nRow = top, a.nCol = left, a.lPixel = true;
            a.nWidth = width, a.nHeight = height;
            a.bSetGet = bindTo(buffer_);
            a.oWnd = &browse;
            a.oFont = font;
            a.cPicture = plan.picture;
            a.lNoBorder = true;
            if (plan.exitOnTypeOut) {
                const bool passOn = plan.passKeyOn;
                HWND owner = browse.hWnd;
                e->onTypeOut = [this, passOn, owner](int ch) {
                    Post(VK_RETURN);
                    // The next cell's edit starts with the key, once this one is done.
                    if (passOn) PostMessageA(owner, WM_CHAR, WPARAM(ch), 0);
                };
            }
            e->New(a);
            SetFocus(e->hWnd);
            // A started edit of text is selected whole (unless the library's
            // switch says otherwise), so that the key that started it
            // replaces the text; a number clears on its first key.
            if (!buffer_.isNumber() && (key == 0 || XBRGETSELECTALL())) {
                e->SelectAll();
            } else if (!buffer_.isNumber()) {
                // The caret after the text's last non-blank character.
                e->SetPos(int(rtrim(e->cText()).size()) + 1);
            }
            if (key >= 32 && key <= 255) SendMessageA(e->hWnd, WM_CHAR, WPARAM(key), 0);
            control_ = std::move(e);
            break;
        }
        case XbrEditor::Memo: {
            auto e = std::make_unique<XbrMemo>();
            xbrHook(*e, keyHook, leaveHook);
            e->multiLine = true;
            MultiGetNew a;
            a.nRow = top, a.nCol = left, a.lPixel = true;
            a.nWidth = width, a.nHeight = std::max(height, 3 * height);
            a.bSetGet = bindTo(buffer_);
            a.oWnd = &browse;
            a.oFont = font;
            a.lNoBorder = true;
            e->New(a);
            control_ = std::move(e);
            break;
        }
        case XbrEditor::List: {
            auto e = std::make_unique<XbrList>();
            xbrHook(*e, keyHook, leaveHook);
            e->list = true;
            RECT client{};
            GetClientRect(browse.hWnd, &client);
            const int entry = std::max(height, 12) + 2;
            const int want = entry * int(col.aEditListTxt.size()) + 4;
            // Under the cell, or above it when there is more room there.
            const int below = int(client.bottom - cell.bottom), above = int(cell.top);
            const int h = std::min(want, std::max(below, above));
            ListNew a;
            a.nRow = below >= want || below >= above ? int(cell.bottom) : int(cell.top) - h;
            a.nCol = int(cell.left), a.lPixel = true;
            a.nWidth = std::max(int(cell.right - cell.left), 40), a.nHeight = std::max(h, entry);
            a.aItems = col.aEditListTxt;
            a.oWnd = &browse;
            e->New(a);
            e->Select(plan.listIndex);
            e->bLClicked = [this](int, int, WPARAM, TWindow&) -> Answer {
                // The click lands first; the choice is read after it.
                if (HWND h = hWnd()) PostMessageA(h, WM_KEYDOWN, VK_RETURN, 0);
                return std::nullopt;
            };
            control_ = std::move(e);
            break;
        }
        case XbrEditor::Date: {
            auto e = std::make_unique<XbrDate>();
            xbrHook(*e, keyHook, {});  // the calendar takes the focus while open
            if (!buffer_.isDate()) buffer_ = Value(Date{});
            PickNew a;
            a.nRow = int(cell.top) + 2, a.nCol = int(cell.left) + 3, a.lPixel = true;
            a.nWidth = std::max(40, int(cell.right - cell.left) - 4);
            a.nHeight = std::max(int(cell.bottom - cell.top) - 4, 20);
            a.bSetGet = bindTo(buffer_);
            a.oWnd = &browse;
            a.oFont = font;
            a.cPicture = plan.picture;
            e->New(a);
            control_ = std::move(e);
            break;
        }
        case XbrEditor::Time: {
            auto e = std::make_unique<XbrTime>();
            xbrHook(*e, keyHook, leaveHook);
            if (!buffer_.isText()) buffer_ = Value(std::string());
            PickNew a;
            a.nRow = int(cell.top) + 2, a.nCol = int(cell.left) + 3, a.lPixel = true;
            a.nWidth = std::max(40, int(cell.right - cell.left) - 4);
            a.nHeight = std::max(int(cell.bottom - cell.top) - 4, 20);
            a.bSetGet = bindTo(buffer_);
            a.oWnd = &browse;
            a.oFont = font;
            e->New(a);
            control_ = std::move(e);
            break;
        }
        default: break;
    }
    if (button && control_) {
        // The field's own button in the strip it left free: a list arrow
        // for type 4, the column's caption for type 5.
        button_ = std::make_unique<TButton>();
        ButtonNew a;
        a.nRow = int(cell.top), a.nCol = int(cell.right) - button, a.lPixel = true;
        // (A button's size counts its last pixel column and row again.)
        a.nWidth = button - 1, a.nHeight = int(cell.bottom - cell.top) - 1;
        a.cCaption = plan.withList ? "v" : col.cBtnCaption.empty() ? "..." : col.cBtnCaption;
        a.oWnd = &browse;
        a.oFont = font;
        // Run once the click is over: the handler may end this editor.
        a.bAction = [this](TWindow&) {
            if (finished_ || !onButton) return;
            onButton();
        };
        button_->New(a);
    }
    if (HWND h = hWnd()) SetFocus(h);
}

XbrCellEditor::~XbrCellEditor() = default;

HWND XbrCellEditor::hWnd() const { return control_ ? control_->hWnd : nullptr; }

HWND XbrCellEditor::hButton() const { return button_ ? button_->hWnd : nullptr; }

void XbrCellEditor::Resume() {
    if (!finished_) {
        if (HWND h = hWnd()) SetFocus(h);
    }
}

Value XbrCellEditor::current() const {
    switch (kind_) {
        case XbrEditor::Get: static_cast<TGet&>(*control_).Assign(); return buffer_;
        case XbrEditor::Memo: return Value(static_cast<TMultiGet&>(*control_).cText());
        case XbrEditor::List: return xbrListValue(*col_, static_cast<TListBox&>(*control_).GetPos());
        case XbrEditor::Date: return Value(static_cast<TDatePick&>(*control_).GetDate());
        case XbrEditor::Time: return Value(static_cast<TTimePick&>(*control_).cText());
        default: return buffer_;
    }
}

void XbrCellEditor::Post(int key) {
    if (finished_) return;
    Commit(current(), key);
}

void XbrCellEditor::Commit(const Value& value, int key) {
    if (finished_) return;
    finished_ = true;
    if (HWND h = hWnd()) ShowWindow(h, SW_HIDE);
    if (HWND b = hButton()) ShowWindow(b, SW_HIDE);
    done_(value, key);
}

void XbrCellEditor::Cancel() {
    if (finished_) return;
    finished_ = true;
    if (HWND h = hWnd()) ShowWindow(h, SW_HIDE);
    if (HWND b = hButton()) ShowWindow(b, SW_HIDE);
    done_(original_, VK_ESCAPE);
}

bool XbrCellEditor::onKey(int key) {
    if (finished_) return true;
    if (key == VK_ESCAPE) Cancel();
    else Post(key);
    return true;
}

void XbrCellEditor::onLeave(HWND gaining) {
    // Onto the field's own button the edit goes on.
    if (finished_ || (gaining && gaining == hButton())) return;
    // Into another edit field of the program the edit is kept; elsewhere
    // it is cancelled, unless the column saves on its own.
    char cls[32] = {};
    if (gaining) GetClassNameA(gaining, cls, sizeof cls);
    if (kind_ != XbrEditor::List && (lstrcmpiA(cls, "Edit") == 0 || autoSave_)) Post(0);
    else Cancel();
}

}  // namespace wl
