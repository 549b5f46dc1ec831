// TWindow under Wine: the registry, the procedure bridge, the life cycle
// and the main loop, with real windows driven by messages.
#include "window.hpp"
#include "dialog_waiter.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <commctrl.h>

#include <thread>

#include "button.hpp"
#include "help_keys.hpp"
#include "library_error.hpp"
#include "meter.hpp"
#include "test_support.hpp"
#include "window_print.hpp"
#include "message_loop.hpp"
#include "window_natives.hpp"
#include "window_bridge.hpp"

namespace {

using wl::TWindow;

// Empties the queue and takes away a quit that a test left behind.
void drainWindowQueue() {
    while (wl::SYSREFRESH()) {
        MSG m;
        if (!PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE)) break;
    }
    MSG m;
    while (PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { drainWindowQueue(); }
    void TearDown() override { drainWindowQueue(); }
};

// Records every message that reaches HandleEvent; answers may be scripted.
class WindowRecorder : public TWindow {
public:
    std::vector<UINT> seen;
    std::map<UINT, wl::Answer> answers;
    std::function<void(UINT)> onMessage;

    wl::Answer HandleEvent(UINT m, WPARAM w, LPARAM l) override {
        seen.push_back(m);
        if (onMessage) onMessage(m);
        if (auto it = answers.find(m); it != answers.end()) return it->second;
        return TWindow::HandleEvent(m, w, l);
    }
    bool sawInOrder(std::vector<UINT> wanted) const {
        auto it = seen.begin();
        for (UINT m : wanted) {
            it = std::find(it, seen.end(), m);
            if (it == seen.end()) return false;
            ++it;
        }
        return true;
    }
};

wl::WindowNew pixels(int top, int left, int bottom, int right, std::string title = "Test") {
    wl::WindowNew a;
    a.nTop = top;
    a.nLeft = left;
    a.nBottom = bottom;
    a.nRight = right;
    a.lPixel = true;
    a.cTitle = std::move(title);
    return a;
}

std::string windowText(HWND h) {
    char buf[256] = {};
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

TEST_F(WindowTest, MessagesSentDuringCreationReachTheObject) {
    WindowRecorder w;
    w.New(pixels(10, 10, 209, 309, "X12 Tool"));
    ASSERT_NE(w.hWnd, nullptr);
    EXPECT_TRUE(w.sawInOrder({WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE})) << "creation messages";
    EXPECT_EQ(wl::OWNDFROMHWND(w.hWnd), &w);
    EXPECT_EQ(windowText(w.hWnd), "X12 Tool");
    EXPECT_EQ(w.GetText(), "X12 Tool");
    EXPECT_EQ(w.ClassName(), "TWINDOW");

    w.seen.clear();
    ShowWindow(w.hWnd, SW_SHOWNORMAL);
    SendMessageA(w.hWnd, WM_MOVE, 0, MAKELPARAM(30, 40));
    PostMessageA(w.hWnd, WM_TIMER, 7, 0);
    wl::SYSREFRESH();
    EXPECT_TRUE(w.sawInOrder({WM_SHOWWINDOW, WM_MOVE, WM_TIMER}));
    DestroyWindow(w.hWnd);
    EXPECT_EQ(w.hWnd, nullptr);
    EXPECT_EQ(wl::OWNDFROMHWND(nullptr), nullptr);
}

TEST_F(WindowTest, AnswersEndTheMessageAndNoAnswerGetsTheDefault) {
    WindowRecorder w;
    w.New(pixels(0, 0, 99, 199, "Seven"));
    w.answers[WM_USER + 1] = 42;
    w.answers[WM_USER + 2] = 0;  // a logical false ends with 0
    EXPECT_EQ(SendMessageA(w.hWnd, WM_USER + 1, 0, 0), 42);
    // Nothing answered: the window's own default, not the previous result.
    EXPECT_EQ(SendMessageA(w.hWnd, WM_GETTEXTLENGTH, 0, 0), 5);
    EXPECT_EQ(SendMessageA(w.hWnd, WM_USER + 2, 0, 0), 0);
    EXPECT_EQ(SendMessageA(w.hWnd, WM_USER + 3, 0, 0), 0);

    // A scripted "nothing" for a known message also falls through.
    w.answers[WM_GETTEXTLENGTH] = std::nullopt;
    EXPECT_EQ(SendMessageA(w.hWnd, WM_GETTEXTLENGTH, 0, 0), 5);
    DestroyWindow(w.hWnd);
}

TEST_F(WindowTest, ActionsAnswerThroughTheMethods) {
    TWindow w;
    w.New(pixels(0, 0, 99, 199));
    std::vector<std::string> calls;
    w.bLClicked = [&](int row, int col, WPARAM flags, TWindow& self) {
        calls.push_back("down " + std::to_string(row) + "," + std::to_string(col) + "," + std::to_string(flags));
        EXPECT_EQ(&self, &w);
        return 5;
    };
    w.bLButtonUp = [&](int row, int col, WPARAM, TWindow&) {
        calls.push_back("up " + std::to_string(row) + "," + std::to_string(col));
    };
    w.bMoved = [&](int row, int col) { calls.push_back("moved " + std::to_string(row) + "," + std::to_string(col)); };
    w.bKeyDown = [&](WPARAM key, LPARAM, TWindow&) { calls.push_back("key " + std::to_string(key)); };
    w.bResized = [&](WPARAM type, int width, int height) {
        calls.push_back("size " + std::to_string(type) + " " + std::to_string(width) + "x" + std::to_string(height));
    };

    EXPECT_EQ(SendMessageA(w.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 34)), 5);
    SendMessageA(w.hWnd, WM_LBUTTONUP, 0, MAKELPARAM(0xFFFF, 3));  // unsigned words
    SendMessageA(w.hWnd, WM_MOVE, 0, MAKELPARAM(8, 9));
    SendMessageA(w.hWnd, WM_KEYDOWN, 'A', 0);
    SendMessageA(w.hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 80));
    const std::vector<std::string> expected = {"down 34,12,1", "up 3,65535", "moved 9,8", "key 65", "size 0 120x80"};
    EXPECT_EQ(calls, expected);
    DestroyWindow(w.hWnd);
}

TEST_F(WindowTest, ErrorsInEventMethodsStayInsideTheProcedure) {
    std::vector<std::string> errors;
    wl::setEventErrorHook([&](const wl::EventError& e) {
        errors.push_back(e.what + "@" + std::to_string(e.msg) + "#" + std::to_string(e.libraryError));
    });
    TWindow w;
    w.New(pixels(0, 0, 49, 49, "E"));
    w.bLClicked = [](int, int, WPARAM, TWindow&) -> wl::Answer { throw std::runtime_error("boom"); };
    EXPECT_EQ(SendMessageA(w.hWnd, WM_LBUTTONDOWN, 0, 0), 0);  // default handling
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "boom@" + std::to_string(WM_LBUTTONDOWN) + "#0");
    // A handler that fails in turn is stopped at the same boundary.
    wl::setEventErrorHook([](const wl::EventError&) { throw std::runtime_error("handler failed"); });
    EXPECT_EQ(SendMessageA(w.hWnd, WM_LBUTTONDOWN, 0, 0), 0);
    wl::setEventErrorHook(nullptr);
    DestroyWindow(w.hWnd);
}

TEST_F(WindowTest, FreedSlotsAreReusedAndTheArrayNeverShrinks) {
    TWindow a, b, c;
    a.New(pixels(0, 0, 9, 9));
    b.New(pixels(0, 0, 9, 9));
    c.New(pixels(0, 0, 9, 9));
    const auto& all = wl::GETALLWIN();
    const std::size_t slotB = static_cast<std::size_t>(std::find(all.begin(), all.end(), &b) - all.begin());
    const std::size_t size = wl::NWINDOWS();
    DestroyWindow(b.hWnd);
    EXPECT_EQ(wl::NWINDOWS(), size);
    const std::size_t firstFree =
        static_cast<std::size_t>(std::find(all.begin(), all.end(), nullptr) - all.begin());
    EXPECT_LE(firstFree, slotB);
    TWindow d;
    d.New(pixels(0, 0, 9, 9));
    EXPECT_EQ(wl::GETALLWIN()[firstFree], &d);
    EXPECT_EQ(wl::NWINDOWS(), size);
    EXPECT_EQ(wl::OWNDFROMHWND(c.hWnd), &c);
    // The bridge still finds c through its own item number.
    c.bMoved = [](int, int) { return 77; };
    EXPECT_EQ(SendMessageA(c.hWnd, WM_MOVE, 0, 0), 77);
    DestroyWindow(a.hWnd);
    DestroyWindow(c.hWnd);
    DestroyWindow(d.hWnd);
}

// The object is read from the window's slot: a foreign window whose
// user data happens to hold another object's number is nobody's.
TEST_F(WindowTest, TheObjectOfAWindowComesFromItsSlotAndMustOwnTheWindow) {
    TWindow a, b;
    a.New(pixels(0, 0, 49, 49, "A"));
    b.New(pixels(0, 60, 49, 109, "B"));
    EXPECT_EQ(wl::OWNDFROMHWND(a.hWnd), &a);
    EXPECT_EQ(wl::OWNDFROMHWND(b.hWnd), &b);
    HWND foreign = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(foreign);
    EXPECT_EQ(wl::OWNDFROMHWND(foreign), nullptr);
    SetPropA(foreign, "WLObjectSlot", GetPropA(a.hWnd, "WLObjectSlot"));
    SetWindowLongPtrA(foreign, GWLP_USERDATA, GetWindowLongPtrA(a.hWnd, GWLP_USERDATA));
    EXPECT_EQ(wl::OWNDFROMHWND(foreign), nullptr);
    SetPropA(foreign, "WLObjectSlot", reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(1000000)));
    EXPECT_EQ(wl::OWNDFROMHWND(foreign), nullptr);
    RemovePropA(foreign, "WLObjectSlot");
    DestroyWindow(foreign);
    HWND gone = a.hWnd;
    DestroyWindow(a.hWnd);
    EXPECT_EQ(wl::OWNDFROMHWND(gone), nullptr);
    EXPECT_EQ(wl::OWNDFROMHWND(b.hWnd), &b);
    DestroyWindow(b.hWnd);
}

TEST_F(WindowTest, LinkSubclassesForeignWindowsAndUnLinkRestores) {
    HWND edit = CreateWindowExA(0, "EDIT", "abc", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, GetModuleHandleA(nullptr),
                                nullptr);
    ASSERT_NE(edit, nullptr);
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit, GWLP_WNDPROC));

    WindowRecorder plain;
    plain.hWnd = edit;
    plain.Link(false);  // entered, procedure untouched
    EXPECT_EQ(wl::OWNDFROMHWND(edit), &plain);
    SendMessageA(edit, WM_USER + 5, 0, 0);
    EXPECT_TRUE(plain.seen.empty());
    plain.UnLink();
    plain.hWnd = nullptr;

    WindowRecorder linked;
    linked.hWnd = edit;
    linked.Link();
    EXPECT_EQ(linked.nOldProc, original);
    EXPECT_EQ(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0), 3);  // the edit's own answer
    EXPECT_TRUE(linked.sawInOrder({WM_GETTEXTLENGTH}));
    linked.UnLink();
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit, GWLP_WNDPROC)), original);
    EXPECT_EQ(linked.nOldProc, nullptr);
    EXPECT_EQ(wl::OWNDFROMHWND(edit), nullptr);
    linked.hWnd = nullptr;
    DestroyWindow(edit);
}

TEST_F(WindowTest, NewComputesBoundsInTextUnitsAndTheStyle) {
    TWindow w;
    wl::WindowNew a;
    a.nTop = 1;
    a.nLeft = 1;
    a.nBottom = 30;
    a.nRight = 100;
    w.New(a);
    EXPECT_EQ(w.nStyle, static_cast<DWORD>(WS_CLIPCHILDREN | WS_THICKFRAME | WS_CAPTION | WS_SYSMENU |
                                           WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    RECT r{};
    GetWindowRect(w.hWnd, &r);
    EXPECT_EQ(r.left, 8);
    EXPECT_EQ(r.top, 16);
    EXPECT_EQ(r.right - r.left, 800 - 8 + 1);
    EXPECT_EQ(r.bottom - r.top, 480 - 16 + 1);
    EXPECT_EQ(wl::GETWNDDEFAULT(), &w);
    EXPECT_EQ(w.cVarName.rfind("oWnd", 0), 0u);
    ASSERT_TRUE(w.oFont);
    ASSERT_TRUE(w.oBrush);
    DestroyWindow(w.hWnd);
    EXPECT_EQ(wl::GETWNDDEFAULT(), nullptr);  // the default window went with it
}

TEST_F(WindowTest, WidthIsTheSameWithAndWithoutAHandle) {
    TWindow w;
    w.nLeft = 0;
    w.nRight = 99;
    w.nTop = 0;
    w.nBottom = 49;
    EXPECT_EQ(w.nWidth(), 100);
    EXPECT_EQ(w.nHeight(), 50);
    auto a = pixels(0, 0, 49, 99);
    a.cBorder = "NONE";  // no frame: Windows imposes no minimum size
    a.lCaption = false;
    w.New(a);
    EXPECT_EQ(w.nWidth(), 100);
    EXPECT_EQ(w.nHeight(), 50);
    w.Move(5, 6);
    EXPECT_EQ(w.nLeft, 6);
    EXPECT_EQ(w.nTop, 5);
    EXPECT_EQ(w.nWidth(), 100);
    w.SetSize(150, 0);
    EXPECT_EQ(w.nWidth(), 150);
    EXPECT_EQ(w.nHeight(), 50);
    DestroyWindow(w.hWnd);
}

TEST_F(WindowTest, CreateFailureRaisesLibraryErrorSix) {
    TWindow w;
    w.cCaption = "Nowhere";
    try {
        w.Create("NoSuchWindowClass");
        FAIL() << "no error";
    } catch (const wl::LibraryError& e) {
        EXPECT_EQ(e.code(), 6);
        EXPECT_STREQ(e.what(), "Cannot create window or control");
        EXPECT_EQ(e.operation().rfind("\r\nClass: NoSuchWindowClass\r\nCaption: Nowhere\r\nSystem Error: ", 0), 0u);
    }
    EXPECT_EQ(w.hWnd, nullptr);
}

TEST_F(WindowTest, EndAsksValidationBeforeClosing) {
    TWindow w;
    w.New(pixels(0, 0, 49, 49));
    bool allow = false;
    w.bValid = [&](TWindow&) { return allow; };
    EXPECT_FALSE(w.End());
    wl::SYSREFRESH();
    EXPECT_TRUE(IsWindow(w.hWnd));
    allow = true;
    HWND h = w.hWnd;
    EXPECT_TRUE(w.End());
    wl::SYSREFRESH();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(w.hWnd, nullptr);
}

// The whole life: the main window opens, paints, a second top-level window
// is activated while the loop runs (it changes nothing), the main window
// closes and WINRUN returns although the other window is still open.
TEST_F(WindowTest, MainWindowLifeEndsTheLoop) {
    WindowRecorder main;
    TWindow other;
    main.New(pixels(20, 20, 219, 319, "Main"));
    bool painted = false, inited = false, otherActivated = false;
    HWND mainWhileRunning = nullptr;
    main.bInit = [&](TWindow& self) {
        inited = true;
        EXPECT_FALSE(wl::LWRUNNING());
        self.PostMsg(WM_APP + 1);
    };
    main.onMessage = [&](UINT m) {
        if (m != WM_APP + 1) return;
        EXPECT_TRUE(wl::LWRUNNING());
        other.New(pixels(40, 40, 139, 239, "Other"));
        other.Activate();
        otherActivated = true;
        mainWhileRunning = wl::GETWNDAPP();
        main.End();
    };
    wl::WindowActivate a;
    a.bPainted = [&](HDC, const PAINTSTRUCT*, TWindow&) { painted = true; };
    HWND h = main.hWnd;
    main.Activate(a);  // returns when the loop ends
    EXPECT_TRUE(inited);
    EXPECT_TRUE(painted);
    EXPECT_TRUE(otherActivated);
    EXPECT_EQ(mainWhileRunning, h);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_TRUE(IsWindow(other.hWnd));
    EXPECT_FALSE(wl::LWRUNNING());
    EXPECT_EQ(wl::GETWNDAPP(), nullptr);
    DestroyWindow(other.hWnd);
}

// A batch start-up: the init action (stored before Activate) works and
// drains messages; the window is closed while it works. The quit met while
// draining must survive until the main loop starts, which then ends at once.
TEST_F(WindowTest, QuitMetWhileDrainingBeforeTheLoopIsNotLost) {
    TWindow main;
    main.New(pixels(20, 20, 119, 219, "Batch"));
    int steps = 0;
    main.bInit = [&](TWindow& self) {
        self.End();  // the user closes the window during the conversion
        for (int i = 0; i < 3; ++i) {
            ++steps;
            wl::SYSREFRESH();
        }
    };
    HWND h = main.hWnd;
    main.Activate();
    EXPECT_EQ(steps, 3);
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(WindowTest, ActivateTakesNoInitActionFromItsArguments) {
    TWindow main;
    main.New(pixels(20, 20, 119, 219, "Init"));
    int ran = 0;
    main.bInit = [&](TWindow& self) {
        ++ran;
        self.End();
    };
    main.Activate();
    EXPECT_EQ(ran, 1);
}

TEST_F(WindowTest, ShowModesByPrefix) {
    TWindow w;
    w.New(pixels(0, 0, 99, 99));
    w.oWnd = nullptr;
    // "" matches HIDDEN; the loop does not start for a window with a parent,
    // so a child stand-in parent keeps Activate from running WINRUN.
    TWindow parent;
    parent.New(pixels(0, 0, 99, 99));
    w.oWnd = &parent;
    wl::WindowActivate a;
    a.cShow = "";
    w.Activate(a);
    EXPECT_FALSE(IsWindowVisible(w.hWnd));
    a.cShow = "max";
    w.Activate(a);
    EXPECT_TRUE(IsZoomed(w.hWnd));
    w.oWnd = nullptr;
    DestroyWindow(w.hWnd);
    DestroyWindow(parent.hWnd);
}

}  // namespace

namespace {

// Reads back a BMP file written by SaveToBmp (24-bit, bottom-up).
struct BmpImage {
    int width = 0, height = 0;
    std::string bytes;
    wl::Color at(int x, int y) const {
        const int stride = (width * 3 + 3) & ~3;
        const std::size_t off = 54 + static_cast<std::size_t>((height - 1 - y) * stride + x * 3);
        const auto b = static_cast<unsigned char>(bytes[off]), g = static_cast<unsigned char>(bytes[off + 1]),
                   r = static_cast<unsigned char>(bytes[off + 2]);
        return wl::NRGB(r, g, b);
    }
};

BmpImage readBmp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    BmpImage img;
    img.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (img.bytes.size() < 54) return img;
    std::memcpy(&img.width, img.bytes.data() + 18, 4);
    std::memcpy(&img.height, img.bytes.data() + 22, 4);
    return img;
}

// The picture for people: a captioned window with a gradient background and
// text in the library's Courier New font, saved as "window_showcase.bmp"
// in the test's build folder. Its pixels are checked too.
TEST_F(WindowTest, ShowcaseWindowPaintsGradientAndText) {
    TWindow w;
    w.New(pixels(40, 40, 279, 439, "X12 Tool - Window Library"));
    w.aGradColors = {{1.0, wl::NRGB(0, 0, 128), wl::NRGB(128, 192, 255)}};
    wl::FontSpec spec;
    spec.cFaceName = "Courier New";
    spec.nWidth = 9;
    spec.nHeight = -16;
    spec.lBold = true;
    auto font = wl::TFont::New(spec);
    w.SetFont(font);
    w.bPainted = [&](HDC, const PAINTSTRUCT*, TWindow& self) {
        wl::SayOptions o;
        o.fore = wl::NRGB(255, 255, 0);
        o.transparent = true;
        o.pixel = true;
        self.Say(20, 20, "HIPAA X12 EDI 837 / 835", o);
        wl::SayOptions attr;
        attr.colors = "W+/B";
        attr.pixel = true;
        self.Say(60, 20, "Colour attribute W+/B", attr);
        self.Box(100, 20, 140, 200);
    };
    ShowWindow(w.hWnd, SW_SHOWNORMAL);
    w.Gradient();
    UpdateWindow(w.hWnd);
    wl::SYSREFRESH();
    ASSERT_TRUE(w.SaveToBmp("window_showcase.bmp"));

    const BmpImage img = readBmp("window_showcase.bmp");
    RECT wr{}, cr{};
    GetWindowRect(w.hWnd, &wr);
    GetClientRect(w.hWnd, &cr);
    ASSERT_EQ(img.width, wr.right - wr.left);
    POINT origin{0, 0};
    ClientToScreen(w.hWnd, &origin);
    const int ox = origin.x - wr.left, oy = origin.y - wr.top;
    // The gradient: its bands from the client height, at a column free of text.
    const auto bands = wl::gradientBands(0, 0, cr.bottom, cr.right, wl::NRGB(0, 0, 128), wl::NRGB(128, 192, 255), true);
    for (int y : {5, static_cast<int>(cr.bottom / 2), static_cast<int>(cr.bottom - 5)}) {
        wl::Color expect = 0;
        for (const auto& b : bands)
            if (b.start <= y && y <= b.end) expect = b.color;
        EXPECT_EQ(img.at(ox + cr.right - 10, oy + y), expect) << "row " << y;
    }
    // The attribute text: a bright white on blue cell as wide as the text.
    const int textWidth = w.GetWidth("Colour attribute W+/B", font);
    int blue = 0;
    for (int x = 0; x < textWidth + 40; ++x)
        if (img.at(ox + x, oy + 62) == wl::NRGB(0, 0, 128)) ++blue;
    EXPECT_GT(blue, textWidth / 3);
    EXPECT_LE(blue, textWidth);
    // The yellow text is there.
    int yellow = 0;
    for (int y = 20; y < 40; ++y)
        for (int x = 20; x < 300; ++x)
            if (img.at(ox + x, oy + y) == wl::NRGB(255, 255, 0)) ++yellow;
    EXPECT_GT(yellow, 50);
    font->End();
    DestroyWindow(w.hWnd);
}

// A control stand-in: keys go to the parent's accelerator table first, and
// a translated key is not handled a second time.
class AccelParent : public TWindow {
public:
    HACCEL table = nullptr;
    int commands = 0;
    HACCEL accelTable() const override { return table; }
    wl::Answer Command(WPARAM w, LPARAM l) override {
        if (LOWORD(w) == 501) ++commands;
        return TWindow::Command(w, l);
    }
};
class KeyChild : public TWindow {
public:
    int handled = 0;
    wl::Answer HandleEvent(UINT m, WPARAM w, LPARAM l) override {
        if (m == WM_KEYDOWN)
            if (auto a = offerParentAccelerator(m, w, l)) return a;
        return TWindow::HandleEvent(m, w, l);
    }
    wl::Answer KeyDown(WPARAM, LPARAM) override {
        ++handled;
        return 0;
    }
};

TEST_F(WindowTest, AcceleratorKeyRunsTheCommandOnce) {
    AccelParent parent;
    parent.New(pixels(0, 0, 99, 199, "Parent"));
    ACCEL a{static_cast<BYTE>(FVIRTKEY), 'F', 501};
    parent.table = CreateAcceleratorTableA(&a, 1);
    KeyChild child;
    wl::WindowNew c = pixels(5, 5, 30, 80, "");
    c.oWnd = &parent;
    child.New(c);
    SendMessageA(child.hWnd, WM_KEYDOWN, 'F', 0);
    EXPECT_EQ(parent.commands, 1);
    EXPECT_EQ(child.handled, 0);
    SendMessageA(child.hWnd, WM_KEYDOWN, 'G', 0);
    EXPECT_EQ(parent.commands, 1);
    EXPECT_EQ(child.handled, 1);
    DestroyAcceleratorTable(parent.table);
    DestroyWindow(parent.hWnd);
}

}  // namespace

namespace {

class Reflected : public WindowRecorder {
public:
    std::vector<std::pair<UINT, WPARAM>> lm;
    wl::Answer HandleEvent(UINT m, WPARAM w, LPARAM l) override {
        if (m >= wl::LM_CLICK && m <= wl::LM_TASKBAR) {
            lm.emplace_back(m, w);
            if (m == wl::LM_COLORS) return 4321;
        }
        return WindowRecorder::HandleEvent(m, w, l);
    }
};

TEST_F(WindowTest, ControlNotificationsAreReflectedToTheControl) {
    TWindow parent;
    parent.New(pixels(0, 0, 199, 299, "Parent"));
    Reflected ctl;
    wl::WindowNew c = pixels(10, 10, 30, 100, "");
    c.oWnd = &parent;
    ctl.New(c);
    const auto lp = reinterpret_cast<LPARAM>(ctl.hWnd);
    SendMessageA(parent.hWnd, WM_COMMAND, MAKEWPARAM(7, 0), lp);
    SendMessageA(parent.hWnd, WM_COMMAND, MAKEWPARAM(7, 1), lp);
    SendMessageA(parent.hWnd, WM_COMMAND, MAKEWPARAM(7, 8), lp);
    SendMessageA(parent.hWnd, WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), lp);
    SendMessageA(parent.hWnd, WM_HSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), lp);
    EXPECT_EQ(SendMessageA(parent.hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 33), lp), 0);
    SendMessageA(parent.hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 44), lp);
    const std::vector<std::pair<UINT, WPARAM>> expected = {
        {wl::LM_CLICK, 0},      {wl::LM_CHANGE, 0},   {wl::LM_CLOSEUP, 0},     {wl::LM_SCROLLUP, 0},
        {wl::LM_PAGEDOWN, 0},   {wl::LM_THUMBTRACK, 33}, {wl::LM_THUMBPOS, 44},
    };
    EXPECT_EQ(ctl.lm, expected);
    // Colours: the control answers the brush through LM_COLORS.
    HDC dc = GetDC(parent.hWnd);
    EXPECT_EQ(SendMessageA(parent.hWnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), lp), 4321);
    ReleaseDC(parent.hWnd, dc);
    DestroyWindow(parent.hWnd);
}

TEST_F(WindowTest, MenusSystemCommandsAndSizes) {
    TWindow w;
    w.New(pixels(0, 0, 199, 299, "Menus"));
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 1, "&Open");
    AppendMenuA(file, MF_STRING, 2, "E&xit");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    SetMenu(w.hWnd, bar);
    EXPECT_EQ(SendMessageA(w.hWnd, WM_MENUCHAR, MAKEWPARAM('x', MF_POPUP), reinterpret_cast<LPARAM>(file)),
              (MNC_EXECUTE << 16) | 1);
    EXPECT_EQ(SendMessageA(w.hWnd, WM_MENUCHAR, MAKEWPARAM('q', MF_POPUP), reinterpret_cast<LPARAM>(file)), 0);
    HMENU foreign = CreatePopupMenu();
    AppendMenuA(foreign, MF_STRING, 3, "&Xray");
    // Not the window's menu: default handling (Windows beeps and answers 0).
    EXPECT_EQ(SendMessageA(w.hWnd, WM_MENUCHAR, MAKEWPARAM('x', MF_POPUP), reinterpret_cast<LPARAM>(foreign)), 0);
    DestroyMenu(foreign);

    std::vector<int> selected;
    w.bMenuSelect = [&](int item, int flags, HMENU) { selected.push_back(item * 10000 + flags); };
    SendMessageA(w.hWnd, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(TWindow::oMItemSelect(), nullptr);
    EXPECT_EQ(selected, std::vector<int>{-1});

    w.aMinMaxInfo = std::array<int, 8>{640, 480, 1, 2, 100, 80, 800, 600};
    MINMAXINFO mm{};
    EXPECT_EQ(SendMessageA(w.hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mm)), 0);
    EXPECT_EQ(mm.ptMaxSize.x, 640);
    EXPECT_EQ(mm.ptMaxPosition.y, 2);
    EXPECT_EQ(mm.ptMinTrackSize.x, 100);
    EXPECT_EQ(mm.ptMaxTrackSize.y, 600);

    bool allow = false;
    w.bValid = [&](TWindow&) { return allow; };
    SendMessageA(w.hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    wl::SYSREFRESH();
    EXPECT_TRUE(IsWindow(w.hWnd));
    EXPECT_EQ(SendMessageA(w.hWnd, WM_QUERYENDSESSION, 0, 0), 0);
    allow = true;
    HWND h = w.hWnd;
    SendMessageA(w.hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    wl::SYSREFRESH();
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(WindowTest, DropOverReadsTheDropInformationOnce) {
    TWindow w;
    w.New(pixels(0, 0, 99, 99, "Drop"));
    std::string got;
    int row = 0, col = 0;
    w.bDropOver = [&](wl::Value info, int r, int c, WPARAM) {
        got = info.isText() ? info.text() : "";
        row = r;
        col = c;
    };
    wl::SETDROPINFO(wl::Value("claim 7"));
    SendMessageA(w.hWnd, wl::LM_DROPOVER, MK_LBUTTON, MAKELPARAM(12, 34));
    EXPECT_EQ(got, "claim 7");
    EXPECT_EQ(row, 12);
    EXPECT_EQ(col, 34);
    EXPECT_TRUE(wl::GETDROPINFO().isNil());
    DestroyWindow(w.hWnd);
}

}  // namespace

namespace {

TEST_F(WindowTest, FormsSaveAndLoadTheirChangedProperties) {
    zrtest::TempDir dir;
    TWindow w;
    w.New(pixels(10, 20, 109, 219, "Claims"));
    wl::FontSpec spec;
    spec.cFaceName = "Courier New";
    spec.nHeight = -14;
    auto font = wl::TFont::New(spec);
    w.SetFont(font);
    font->End();
    w.cVarName = "oClaims";
    w.Cargo = wl::Value(wl::ValueList{wl::Value("a"), wl::Value(2)});
    const std::string file = dir.file("claims.ffm");
    ASSERT_TRUE(w.SaveFile(file));

    TWindow v;
    v.New(pixels(0, 0, 49, 49, "Other"));
    ASSERT_TRUE(v.LoadFile(file));
    EXPECT_EQ(v.GetText(), "Claims");
    EXPECT_EQ(v.cVarName, "oClaims");
    EXPECT_EQ(v.nWidth(), w.nWidth());
    EXPECT_EQ(v.nHeight(), w.nHeight());
    ASSERT_TRUE(v.Cargo.isList());
    EXPECT_EQ(v.Cargo.list()[0].text(), "a");
    ASSERT_TRUE(v.oFont);
    EXPECT_EQ(v.oFont->cFaceName, "Courier New");
    EXPECT_EQ(v.oFont, w.oFont);  // the pooled font

    zrtest::PromptRecorder rec;
    EXPECT_FALSE(v.LoadFile(dir.file("missing.ffm")));
    ASSERT_EQ(rec.texts().size(), 1u);
    EXPECT_NE(rec.texts()[0].find("File not found: "), std::string::npos);

    EXPECT_EQ(TWindow::PropCount(), 11u);
    EXPECT_EQ(TWindow::Property(1), "cTitle");
    EXPECT_EQ(TWindow::EveCount(), 6u);
    const std::string text = w.SaveToText();
    EXPECT_EQ(text.rfind("OBJECT oClaims AS TWINDOW\r\n", 0), 0u);
    EXPECT_NE(text.find("   ::cTitle = \"Claims\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("ENDOBJECT"), std::string::npos);
    const std::string rc = w.SaveToRC();
    EXPECT_EQ(rc.rfind("CLAIMS DIALOG 10, 20, ", 0), 0u);
    EXPECT_NE(rc.find("STYLE DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU"), std::string::npos);
    EXPECT_NE(rc.find("FONT 8, \"Courier New\""), std::string::npos);
    const std::string prg = w.cGenPrg(dir.file("claims.prg"));
    EXPECT_EQ(prg.rfind("   DEFINE WINDOW oClaims FROM 0, 2 TO 6, 27", 0), 0u);
    EXPECT_NE(prg.find("ACTIVATE WINDOW oClaims"), std::string::npos);
    EXPECT_EQ(zrtest::readBytes(dir.file("claims.prg")), prg);
    DestroyWindow(w.hWnd);
    DestroyWindow(v.hWnd);
}

}  // namespace

namespace {

TEST_F(WindowTest, BitmapsAndBoundsFromRectangles) {
    TWindow w;
    wl::WindowNew a = pixels(0, 0, 99, 199, "");
    a.cBorder = "NONE";
    a.lCaption = false;
    w.New(a);
    // Paint into a memory context as the window's current context.
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 50, 50);
    HGDIOBJ oldCanvas = SelectObject(mem, canvas);
    HBITMAP tile = CreateCompatibleBitmap(screen, 4, 4);
    HDC tdc = CreateCompatibleDC(screen);
    HGDIOBJ oldTile = SelectObject(tdc, tile);
    RECT r{0, 0, 4, 4};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(tdc, &r, red);
    SelectObject(tdc, oldTile);
    DeleteDC(tdc);
    DeleteObject(red);
    RECT all{0, 0, 50, 50};
    FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    w.hDC = mem;
    w.nPaintCount = 1;
    w.SayBitmap(10, 20, tile, 8, 8);  // stretched to 8 x 8
    EXPECT_EQ(GetPixel(mem, 20, 10), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(mem, 27, 17), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(mem, 28, 18), RGB(255, 255, 255));
    EXPECT_EQ(w.hDC, mem);  // the caller's context stays
    w.hDC = nullptr;
    w.nPaintCount = 0;
    SelectObject(mem, oldCanvas);
    DeleteObject(canvas);
    DeleteObject(tile);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);

    w.SetCoors(wl::TRect(5, 6, 45, 86));
    EXPECT_EQ(w.nTop, 5);
    EXPECT_EQ(w.nRight, 86);
    EXPECT_EQ(wl::WNDWIDTH(w.hWnd), 80);
    DestroyWindow(w.hWnd);
}

}  // namespace

// ------------------------------------------------ scroll bars, tooltips, help

namespace {

// A window placed in pixels whose Activate never starts the main loop.
struct Framed {
    TWindow parent;
    TWindow w;
    explicit Framed(wl::WindowNew n) {
        parent.New(pixels(0, 0, 199, 299, "Frame"));
        w.New(n);
        w.oWnd = &parent;  // a stand-in parent: Activate runs no loop
    }
    ~Framed() {
        w.oWnd = nullptr;
        if (IsWindow(w.hWnd)) DestroyWindow(w.hWnd);
        DestroyWindow(parent.hWnd);
    }
};

TEST_F(WindowTest, OwnScrollBarsGetTheirObjectsAndTheirSteps) {
    auto n = pixels(0, 0, 99, 99);
    n.lVScroll = true;
    Framed f(n);
    TWindow& w = f.w;
    ASSERT_TRUE(w.oVScroll);
    EXPECT_FALSE(w.oHScroll);
    EXPECT_TRUE(w.oVScroll->lIsChild);
    int lo = 0, hi = 0;
    GetScrollRange(w.hWnd, SB_VERT, &lo, &hi);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 2);

    std::vector<std::string> steps;
    wl::WindowActivate a;
    a.cShow = "HIDDEN";
    a.bDown = [&] { steps.push_back("down"); };
    a.bUp = [&] { steps.push_back("up"); };
    a.bLeft = [&] { steps.push_back("left"); };  // no horizontal bar: dropped
    w.Activate(a);
    w.oVScroll->bTrack = [&](int pos) { steps.push_back("track " + std::to_string(pos)); };
    EXPECT_EQ(SendMessageA(w.hWnd, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0), 0);
    EXPECT_EQ(GetScrollPos(w.hWnd, SB_VERT), 2);
    SendMessageA(w.hWnd, WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), 0);
    SendMessageA(w.hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 7), 0);
    SendMessageA(w.hWnd, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
    SendMessageA(w.hWnd, WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    const std::vector<std::string> expected = {"down", "up", "track 7"};
    EXPECT_EQ(steps, expected);

    DestroyWindow(w.hWnd);
    EXPECT_FALSE(w.oVScroll);  // released with the window
}

TEST_F(WindowTest, ScrollStylesAloneGetBarObjectsAndControlsGetTheMessages) {
    auto n = pixels(0, 0, 99, 99);
    n.nStyle = WS_OVERLAPPEDWINDOW | WS_HSCROLL;
    Framed f(n);
    EXPECT_FALSE(f.w.oVScroll);
    ASSERT_TRUE(f.w.oHScroll);
    EXPECT_FALSE(f.w.oHScroll->lVertical);

    wl::TScrollBar bar;
    bar.New(0, 0, 0, 10, 3, true, &f.w, 16, 80, true);
    ASSERT_NE(bar.hWnd, nullptr);
    std::vector<std::string> steps;
    bar.bPageDown = [&] { steps.push_back("page down"); };
    bar.bPos = [&](int p) { steps.push_back("pos " + std::to_string(p)); };
    SendMessageA(f.w.hWnd, WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), reinterpret_cast<LPARAM>(bar.hWnd));
    SendMessageA(f.w.hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5), reinterpret_cast<LPARAM>(bar.hWnd));
    const std::vector<std::string> expected = {"page down", "pos 5"};
    EXPECT_EQ(steps, expected);
    EXPECT_EQ(bar.GetPos(), 3);
}

std::string classOf(HWND h) {
    char name[64] = {};
    GetClassNameA(h, name, sizeof name);
    return name;
}

TEST_F(WindowTest, ToolTipShowsOnEntryAndClosesOnLeaving) {
    Framed f(pixels(0, 0, 99, 99));
    TWindow& w = f.w;
    w.cToolTip = "Save the file";
    SendMessageA(w.hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    HWND tip = wl::openToolTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(classOf(tip), "tooltips_class32");
    EXPECT_EQ(GetWindow(tip, GW_OWNER), w.hWnd);
    EXPECT_EQ(wl::toolTipText(tip), "Save the file");
    EXPECT_EQ(SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0), 300);
    EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), TWindow::nToolTip());
    EXPECT_FALSE(GetWindowLongPtrA(tip, GWL_STYLE) & TTS_BALLOON);

    SendMessageA(w.hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(6, 6));
    EXPECT_EQ(wl::openToolTip(), tip);  // the same window keeps its tip

    SendMessageA(w.hWnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(wl::openToolTip(), nullptr);
    EXPECT_FALSE(IsWindow(tip));

    // A window without a tooltip closes the one of another window.
    SendMessageA(w.hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    tip = wl::openToolTip();
    SendMessageA(f.parent.hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(150, 150));
    EXPECT_EQ(wl::openToolTip(), nullptr);
    EXPECT_FALSE(IsWindow(tip));

    // So does the non-client area.
    SendMessageA(w.hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageA(w.hWnd, WM_NCMOUSEMOVE, HTCAPTION, 0);
    EXPECT_EQ(wl::openToolTip(), nullptr);
}

TEST_F(WindowTest, ToolTipFromAClosureOrWithTitleAndColours) {
    Framed f(pixels(0, 0, 99, 99));
    TWindow& w = f.w;
    int asked = 0;
    w.cToolTip = std::function<std::string()>([&] {
        ++asked;
        return std::string("Now ") + std::to_string(asked);
    });
    SendMessageA(w.hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(wl::toolTipText(wl::openToolTip()), "Now 1");
    w.DestroyToolTip();

    wl::ToolTipText t;
    t.text = "Body";
    t.title = "Title";
    t.back = RGB(1, 2, 3);
    t.fore = RGB(200, 100, 50);
    w.cToolTip = t;
    w.lBalloon = true;
    SendMessageA(w.hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    HWND tip = wl::openToolTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(wl::toolTipText(tip), "Body");
    EXPECT_TRUE(GetWindowLongPtrA(tip, GWL_STYLE) & TTS_BALLOON);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(tip, TTM_GETTIPBKCOLOR, 0, 0)), RGB(1, 2, 3));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(tip, TTM_GETTIPTEXTCOLOR, 0, 0)), RGB(200, 100, 50));

    // An empty text shows nothing; destroying the window closes its tip.
    DestroyWindow(w.hWnd);
    EXPECT_EQ(wl::openToolTip(), nullptr);
}

TEST_F(WindowTest, ToolTipObjectMovesBelowTheMouseOnce) {
    Framed f(pixels(10, 10, 109, 109));
    TWindow tipWindow;
    auto n = pixels(0, 0, 19, 59, "tip");
    n.cBorder = "NONE";
    n.lCaption = false;
    tipWindow.New(n);
    f.w.oToolTip = &tipWindow;
    SendMessageA(f.w.hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 7));
    POINT p{5 + 20, 7 + 20};
    ClientToScreen(f.w.hWnd, &p);
    EXPECT_EQ(tipWindow.nTop, p.y);
    EXPECT_EQ(tipWindow.nLeft, p.x);
    SendMessageA(f.w.hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
    EXPECT_EQ(tipWindow.nTop, p.y);  // shown once until the mouse leaves
    SendMessageA(f.w.hWnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(tipWindow.lVisible);
    SendMessageA(f.w.hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
    EXPECT_TRUE(tipWindow.lVisible);
    DestroyWindow(tipWindow.hWnd);
}

// A window between the asking child and the dialog-like top.
class Panel : public TWindow {
public:
    std::string ClassName() const override { return "TPANEL"; }
    bool endsHelpSearch() const override { return false; }
    int asked = 0;
    wl::Answer HelpTopic() override {
        ++asked;
        return TWindow::HelpTopic();
    }
};

TEST_F(WindowTest, HelpShowsTheTopicOrAsksUpTheParents) {
    zrtest::PromptRecorder prompts;
    wl::SETHELPFILE("");
    Framed f(pixels(0, 0, 99, 99));
    f.w.nHelpId = wl::Value("Topic");
    HELPINFO hi{};
    hi.cbSize = sizeof hi;
    EXPECT_EQ(SendMessageA(f.w.hWnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&hi)), 1);
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].text, "No Help file defined with SetHelpFile()");

    // Without a topic a child asks its parent, up to a window.
    Panel panel;
    panel.New(pixels(0, 0, 49, 49));
    panel.oWnd = &f.w;
    TWindow child;
    child.New(pixels(0, 0, 9, 9));
    child.oWnd = &panel;
    EXPECT_EQ(child.HelpTopic(), 1);
    EXPECT_EQ(panel.asked, 1);
    EXPECT_EQ(prompts.prompts().size(), 2u);  // the window's current help

    // A missing help file is reported by name.
    wl::SETHELPFILE("Z:\\no\\such.hlp");
    f.w.HelpF1();
    ASSERT_EQ(prompts.prompts().size(), 3u);
    EXPECT_NE(prompts.prompts()[2].text.find("'Z:\\no\\such.hlp' does not exist"), std::string::npos);
    wl::SETHELPFILE("");
    wl::removeHelpKeyHook();
    child.oWnd = nullptr;
    panel.oWnd = nullptr;
    DestroyWindow(child.hWnd);
    DestroyWindow(panel.hWnd);
}

TEST_F(WindowTest, PrintRunsItsActionOrAnswersFalseWithoutAPrinter) {
    Framed f(pixels(0, 0, 99, 99));
    if (HDC printer = wl::openPrinterDC(false)) {
        DeleteDC(printer);
        GTEST_SKIP() << "a default printer exists";
    }
    EXPECT_FALSE(f.w.Print(0, 0, 4));
    EXPECT_FALSE(f.w.HardCopy(4, false));
    int printed = 0;
    f.w.bPrint = [&](TWindow&) { ++printed; };
    EXPECT_TRUE(f.w.Print(0, 0, 4));
    EXPECT_EQ(printed, 1);
}

TEST_F(WindowTest, GenDbfAsksBeforeOverwriting) {
    zrtest::TempDir tmp;
    Framed f(pixels(0, 0, 99, 99, "Designer form"));
    const std::string file = tmp.write("form.dbf", "old");
    zrtest::PromptRecorder prompts;
    prompts.answerNext(false);
    EXPECT_FALSE(f.w.GenDbf(file));
    EXPECT_EQ(zrtest::readBytes(file), "old");
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].text, "This file already exists");
    EXPECT_EQ(prompts.prompts()[0].caption, "Do you want to overwrite it ?");
    prompts.answerNext(true);
    EXPECT_TRUE(f.w.GenDbf(file));
    const std::string b = zrtest::readBytes(file);
    ASSERT_EQ(b.size(), 32u + 15 * 32 + 2);
    EXPECT_EQ(b[0], 3);
    EXPECT_EQ(b.substr(32 + 13 * 32, 7), "FNTBOLD");
}

using zrtest::whenShown;

void clickButton(HWND box, const char* caption) {
    HWND b = FindWindowExA(box, nullptr, "Button", caption);
    PostMessageA(b, BM_CLICK, 0, 0);
}

TEST_F(WindowTest, EditTitleAnswersTheTrimmedTextOrTheOldOneOnCancel) {
    Framed f(pixels(0, 0, 99, 99, "Old"));
    auto t = whenShown("window Title", [](HWND box) {
        SendMessageA(GetDlgItem(box, 100), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("  New title  "));
        clickButton(box, "&Ok");
    });
    EXPECT_EQ(f.w.EditTitle(), "New title");
    t.join();
    auto c = whenShown("window Title", [](HWND box) { clickButton(box, "&Cancel"); });
    EXPECT_EQ(f.w.EditTitle(" Kept "), "Kept");
    c.join();
}

void CALLBACK closeMenu(HWND h, UINT, UINT_PTR id, DWORD) {
    KillTimer(h, id);
    EndMenu();
}

TEST_F(WindowTest, FastEditMenuClosedWithoutChoiceShowsNothing) {
    Framed f(pixels(0, 0, 99, 99));
    zrtest::PromptRecorder prompts;
    ShowWindow(f.parent.hWnd, SW_SHOW);
    // The menu's own loop runs the timer, which closes the menu.
    SetTimer(f.w.hWnd, 77, 100, &closeMenu);
    EXPECT_FALSE(f.w.FastEdit(5, 5));
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST_F(WindowTest, UpdateRefreshesOnlyControlsThatFollowTheirValues) {
    Framed f(pixels(0, 0, 99, 99));
    ShowWindow(f.parent.hWnd, SW_SHOW);
    ShowWindow(f.w.hWnd, SW_SHOW);
    wl::TScrollBar follows, stays;
    follows.New(0, 0, 0, 10, 1, true, &f.w, 16, 40, true);
    stays.New(0, 30, 0, 10, 1, true, &f.w, 16, 40, true);
    follows.lUpdate = true;
    follows.cVarName = "oSb1";
    stays.cVarName = "oSb2";
    UpdateWindow(f.w.hWnd);
    ValidateRect(follows.hWnd, nullptr);
    ValidateRect(stays.hWnd, nullptr);
    f.w.Update();
    EXPECT_TRUE(GetUpdateRect(follows.hWnd, nullptr, FALSE));
    EXPECT_FALSE(GetUpdateRect(stays.hWnd, nullptr, FALSE));
    EXPECT_EQ(f.w.GenLocals(), ", oSb1, oSb2");
}

TEST_F(WindowTest, UpdateMakesLabelsReReadTheirValues) {
    Framed f(pixels(0, 0, 99, 99));
    std::string shown = "before";
    wl::TSay follows, stays;
    for (wl::TSay* say : {&follows, &stays}) {
        wl::SayNew n;
        n.oWnd = &f.w;
        n.bText = [&shown] { return wl::Value(shown); };
        n.lPixel = true;
        n.nWidth = 80;
        n.nHeight = 16;
        n.nRow = say == &follows ? 0 : 30;
        n.lUpdate = say == &follows;
        say->New(n);
    }
    shown = "after";
    f.w.Update();
    auto text = [](HWND h) {
        char buffer[64] = {};
        GetWindowTextA(h, buffer, sizeof buffer);
        return std::string(buffer);
    };
    EXPECT_EQ(text(follows.hWnd), "after");
    EXPECT_EQ(text(stays.hWnd), "before");
}

TEST_F(WindowTest, EndIsVirtualAndLibraryErrorsCarryTheirNumber) {
    Framed f(pixels(0, 0, 99, 99));
    wl::TScrollBar bar;
    bar.New(0, 0, 0, 10, 1, true, &f.w, 16, 40, true);
    ASSERT_EQ(f.w.aControls.size(), 1u);
    TWindow& asWindow = bar;
    EXPECT_TRUE(asWindow.End());  // the control's End: it leaves its parent
    EXPECT_TRUE(f.w.aControls.empty());

    std::vector<wl::EventError> errors;
    wl::setEventErrorHook([&](const wl::EventError& e) { errors.push_back(e); });
    f.w.bLClicked = [](int, int, WPARAM, TWindow&) -> wl::Answer {
        throw wl::LibraryError(wl::kErrorCannotCreateWindow, "Cannot create window or control", "Class: X");
    };
    SendMessageA(f.w.hWnd, WM_LBUTTONDOWN, 0, 0);
    wl::setEventErrorHook(nullptr);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].libraryError, 6);
    EXPECT_EQ(errors[0].operation, "Class: X");
    EXPECT_EQ(errors[0].msg, static_cast<UINT>(WM_LBUTTONDOWN));
}

}  // namespace

namespace {

TEST_F(WindowTest, HelpAskedAgainWhileShowingIsIgnored) {
    wl::SETHELPFILE("");
    Framed f(pixels(0, 0, 99, 99));
    f.w.nHelpId = wl::Value("Topic");
    int shown = 0;
    wl::Answer again = 7;
    wl::ScopedPromptHook hook([&](const wl::Prompt&) {
        ++shown;
        again = f.w.HelpTopic();  // as if the box pumped another WM_HELP
        return wl::PromptAnswer{};
    });
    EXPECT_EQ(f.w.HelpTopic(), 1);
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(again);
    EXPECT_EQ(f.w.HelpTopic(), 1);  // released afterwards
    EXPECT_EQ(shown, 2);
    wl::removeHelpKeyHook();
}

}  // namespace
