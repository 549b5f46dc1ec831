// How notifications reach a child control: the parent names the WM_COMMAND
// and WM_NOTIFY codes and the control's onCommand and onNotify hooks get
// them, in order right after the parent, in a window and in a dialog.
#include "control_notify.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "control.hpp"
#include "dialog.hpp"
#include "message_sequence.hpp"
#include "window.hpp"

namespace {

using namespace wl;
using zrtest::MessageSequence;

TEST(ControlNotify, CommandCodesHaveNamesAndTheirMessages) {
    struct Case {
        int code;
        std::optional<ControlCommand> command;
        UINT message;
    };
    const Case cases[] = {
        {0, ControlCommand::Clicked, LM_CLICK},    {1, ControlCommand::Changed, LM_CHANGE},
        {8, ControlCommand::ClosedUp, LM_CLOSEUP}, {2, std::nullopt, 0},
        {EN_UPDATE, std::nullopt, 0},              {0xFFFF, std::nullopt, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(controlCommandOf(c.code), c.command);
        if (!c.command) continue;
        EXPECT_EQ(commandMessage(*c.command), c.message);
        EXPECT_EQ(commandOfMessage(c.message), c.command);
    }
    EXPECT_EQ(commandOfMessage(LM_COLORS), std::nullopt);
}

TEST(ControlNotify, SelectionChangesAreTheTwoSelectionCodes) {
    const std::pair<int, bool> cases[] = {
        {103, true}, {-402, true}, {static_cast<int>(TVN_SELCHANGEDW), false},
        {NM_CLICK, false}, {0, false}, {static_cast<int>(TVN_SELCHANGINGA), false},
    };
    for (auto [code, sel] : cases) EXPECT_EQ(isSelectionChange(static_cast<UINT>(code)), sel) << code;
}

// A parent that writes down the commands and notifications it is sent.
template <class Base>
class TracedParent : public Base {
public:
    explicit TracedParent(MessageSequence& seq) : seq_(seq) {}
    Answer HandleEvent(UINT m, WPARAM w, LPARAM l) override {
        if (m == WM_COMMAND) seq_.record("parent WM_COMMAND", HIWORD(w));
        if (m == WM_NOTIFY) seq_.record("parent WM_NOTIFY", static_cast<int>(reinterpret_cast<NMHDR*>(l)->code));
        return Base::HandleEvent(m, w, l);
    }

private:
    MessageSequence& seq_;
};

// A control that writes down what its hooks receive and what they run.
class Hooked : public TControl {
public:
    explicit Hooked(MessageSequence& seq) : seq_(seq) {}
    Hooked& New(TWindow* parent, int top) {
        oWnd = parent;
        nTop = top;
        nLeft = 10;
        nBottom = top + 20;
        nRight = 100;
        nStyle = WS_CHILD | WS_VISIBLE;
        nId = GetNewId();
        Register();
        createOrDefer();
        return *this;
    }
    Answer onCommand(ControlCommand code) override {
        seq_.record("child onCommand", static_cast<int>(code));
        return TControl::onCommand(code);
    }
    Answer onNotify(WPARAM id, const NMHDR& header) override {
        seq_.record("child onNotify", static_cast<int>(header.code));
        return TControl::onNotify(id, header);
    }
    Answer Click() override {
        seq_.record("child Click");
        return 0;
    }
    Answer Change() override {
        seq_.record("child Change");
        return 0;
    }
    Answer SelChanged() override {
        seq_.record("child SelChanged");
        return 0;
    }
    Answer Notify(WPARAM, LPARAM header) override {
        seq_.record("child Notify", static_cast<int>(reinterpret_cast<const NMHDR*>(header)->code));
        return 77;
    }

private:
    MessageSequence& seq_;
};

LRESULT notify(HWND parent, HWND from, int code) {
    NMHDR nm{};
    nm.hwndFrom = from;
    nm.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(from));
    nm.code = static_cast<UINT>(code);
    return SendMessageA(parent, WM_NOTIFY, nm.idFrom, reinterpret_cast<LPARAM>(&nm));
}

constexpr int kDoubleClick = static_cast<int>(NM_DBLCLK);

TEST(ControlNotify, AWindowsControlHearsItsCommandsAndNotificationsByName) {
    MessageSequence seq;
    TracedParent<TWindow> parent(seq);
    WindowNew a;
    a.lPixel = true;
    a.nBottom = 200;
    a.nRight = 300;
    parent.New(a);
    Hooked child(seq);
    child.New(&parent, 10);
    ASSERT_TRUE(child.hWnd);
    seq.clear();
    const auto lp = reinterpret_cast<LPARAM>(child.hWnd);
    for (WORD code : {0, 1, 8, 5}) SendMessageA(parent.hWnd, WM_COMMAND, MAKEWPARAM(child.nId, code), lp);
    EXPECT_EQ(notify(parent.hWnd, child.hWnd, static_cast<int>(TVN_SELCHANGEDA)), 0);
    EXPECT_EQ(notify(parent.hWnd, child.hWnd, kDoubleClick), 77);
    EXPECT_EQ(seq.mismatch({{"parent WM_COMMAND", 0},
                            {"child onCommand", 0},
                            {"child Click"},
                            {"parent WM_COMMAND", 1},
                            {"child onCommand", 1},
                            {"child Change"},
                            {"parent WM_COMMAND", 8},
                            {"child onCommand", 8},
                            {"parent WM_COMMAND", 5},
                            {"parent WM_NOTIFY", -402},
                            {"child onNotify", -402},
                            {"child SelChanged"},
                            {"parent WM_NOTIFY", kDoubleClick},
                            {"child onNotify", kDoubleClick},
                            {"child Notify", kDoubleClick}}),
              "");
    DestroyWindow(parent.hWnd);
}

TEST(ControlNotify, ADialogsControlHearsChangesAndCloseUpsByName) {
    MessageSequence seq;
    TracedParent<TDialog> d(seq);
    DialogNew n;
    n.cCaption = "Hooks";
    n.nWidth = 300;
    n.nHeight = 200;
    d.New(n);
    Hooked child(seq);
    child.New(&d, 10);
    DialogActivate act;
    act.lModal = false;
    d.Activate(act);
    ASSERT_TRUE(child.hWnd);
    seq.clear();
    const auto lp = reinterpret_cast<LPARAM>(child.hWnd);
    for (WORD code : {1, 8}) SendMessageA(d.hWnd, WM_COMMAND, MAKEWPARAM(child.nId, code), lp);
    EXPECT_EQ(seq.mismatch({{"parent WM_COMMAND", 1},
                            {"child onCommand", 1},
                            {"child Change"},
                            {"parent WM_COMMAND", 8},
                            {"child onCommand", 8}}),
              "");
    DestroyWindow(d.hWnd);
}

}  // namespace
