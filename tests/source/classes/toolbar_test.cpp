// Toolbars and rebars driven through the messages their parents receive:
// commands, tool tip requests in both forms, drop-downs and button states.
#include "toolbar.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "parent_window.hpp"
#include "menu.hpp"
#include "popup_menus.hpp"

namespace {

using namespace wl;

struct ToolbarShown {
    HMENU menu = nullptr;
    HWND owner = nullptr;
    int row = 0, col = 0;
    int count = 0;
};

class ToolBarTest : public ::testing::Test {
protected:
    wltest::Parent p{200, 400};
    TToolBar bar;
    std::vector<int> clicked;
    ToolbarShown shown;

    void SetUp() override {
        setPopupMenuHook([this](HMENU m, HWND owner, int row, int col) {
            shown = {m, owner, row, col, shown.count + 1};
        });
        bar.New(&p.w, 60, 40);
    }
    void TearDown() override { setPopupMenuHook(nullptr); }

    std::function<void(TToolBar&, int)> recorder() {
        return [this](TToolBar&, int id) { clicked.push_back(id); };
    }
    LRESULT command(HWND to, int id) {
        return SendMessageA(to, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(bar.hWnd));
    }
    HWND tips() const { return reinterpret_cast<HWND>(SendMessageA(bar.hWnd, TB_GETTOOLTIPS, 0, 0)); }
    std::wstring wideTip(int id) {
        NMTTDISPINFOW info{};
        info.hdr.hwndFrom = tips();
        info.hdr.idFrom = static_cast<UINT_PTR>(id);
        info.hdr.code = TTN_GETDISPINFOW;
        SendMessageA(p.w.hWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        return info.lpszText == info.szText ? std::wstring(info.szText) : L"?";
    }
    std::string ansiTip(int id) {
        NMTTDISPINFOA info{};
        info.hdr.hwndFrom = tips();
        info.hdr.idFrom = static_cast<UINT_PTR>(id);
        info.hdr.code = TTN_GETDISPINFOA;
        SendMessageA(p.w.hWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        return info.lpszText == info.szText ? std::string(info.szText) : "?";
    }
    LRESULT dropDown(int id) {
        NMTOOLBARA nm{};
        nm.hdr.hwndFrom = bar.hWnd;
        nm.hdr.idFrom = static_cast<UINT_PTR>(bar.nId);
        nm.hdr.code = TBN_DROPDOWN;
        nm.iItem = id;
        return SendMessageA(p.w.hWnd, WM_NOTIFY, static_cast<WPARAM>(bar.nId), reinterpret_cast<LPARAM>(&nm));
    }
};

TEST_F(ToolBarTest, ClaimsTheTopSlotAndTakesItsHeight) {
    EXPECT_EQ(p.w.oTop, &bar);
    ASSERT_NE(tips(), nullptr) << "the toolbar makes its tool tip window";
    RECT r{};
    GetWindowRect(bar.hWnd, &r);
    EXPECT_EQ(r.bottom - r.top, 43);
    const auto style = static_cast<DWORD>(SendMessageA(bar.hWnd, TB_GETSTYLE, 0, 0));
    EXPECT_TRUE(style & TBSTYLE_FLAT);
    EXPECT_FALSE(style & TBSTYLE_TRANSPARENT) << "a plain window's toolbar is not transparent";
}

TEST_F(ToolBarTest, ButtonsKeepTheirTextsAndRunTheirActionsById) {
    EXPECT_EQ(bar.AddButton(recorder(), "Convert files", "Convert"), 1);
    bar.AddSeparator();
    EXPECT_EQ(bar.AddButton(recorder(), "Exit the program"), 2);
    EXPECT_EQ(SendMessageA(bar.hWnd, TB_BUTTONCOUNT, 0, 0), 3);
    EXPECT_EQ(bar.GetText(1), "Convert");
    EXPECT_EQ(bar.GetText(2), "") << "a button added without text has none";
    bar.SetText(1, "Convert X12");
    EXPECT_EQ(bar.GetText(1), "Convert X12") << "position 1 is the first button";

    command(p.w.hWnd, 2);
    command(p.w.hWnd, 1);
    EXPECT_EQ(clicked, (std::vector<int>{2, 1}));
    // Commands that are not the toolbar's are left alone.
    SendMessageA(p.w.hWnd, WM_COMMAND, 1, 0);
    EXPECT_EQ(clicked.size(), 2u);
}

TEST_F(ToolBarTest, DeletingAButtonDoesNotRenumberTheOthers) {
    bar.AddButton(recorder(), "one", "One");
    bar.AddButton(recorder(), "two", "Two");
    bar.DelButton(1);
    EXPECT_EQ(SendMessageA(bar.hWnd, TB_BUTTONCOUNT, 0, 0), 1);
    command(p.w.hWnd, 2);
    EXPECT_EQ(clicked, std::vector<int>{2});
    EXPECT_EQ(ansiTip(2), "two");
}

TEST_F(ToolBarTest, WhenClosuresDisableAtOnceAndAEvalWhenFollowsThem) {
    bool allowed = false;
    bar.AddButton(recorder(), "tip", "Save", [&] { return allowed; });
    EXPECT_FALSE(bar.IsButtonEnabled(1));
    allowed = true;
    bar.AEvalWhen();
    EXPECT_TRUE(bar.IsButtonEnabled(1));
    allowed = false;
    bar.AEvalWhen();
    EXPECT_FALSE(bar.IsButtonEnabled(1));
}

TEST_F(ToolBarTest, ToolTipsAnswerTheWideAndTheAnsiRequest) {
    bar.AddButton(recorder(), "Documentation", "Docs");
    bar.AddButton(recorder(), std::string(100, 'x') + "\xE9", "Long");
    bar.AddButton(recorder(), "R\xE9sum\xE9", "Accents");
    EXPECT_EQ(wideTip(1), L"Documentation");
    EXPECT_EQ(ansiTip(1), "Documentation");
    EXPECT_EQ(wideTip(2), std::wstring(79, L'x')) << "the record's buffer holds 79 characters";
    EXPECT_EQ(ansiTip(2), std::string(79, 'x'));
    EXPECT_EQ(wideTip(3), L"R\u00e9sum\u00e9") << "ANSI text converted to UTF-16";
    bar.SetTooltip(1, "Read the manual");
    EXPECT_EQ(ansiTip(1), "Read the manual");
}

TEST_F(ToolBarTest, BalloonToolTipsGetTheBalloonStyle) {
    TToolBar b2;
    b2.New(&p.w, 33, 33, nullptr, true);
    b2.AddButton(nullptr, "tip");
    HWND t = reinterpret_cast<HWND>(SendMessageA(b2.hWnd, TB_GETTOOLTIPS, 0, 0));
    ASSERT_TRUE(t);
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = t;
    info.hdr.idFrom = 1;
    info.hdr.code = TTN_GETDISPINFOW;
    SendMessageA(p.w.hWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_TRUE(GetWindowLongPtrA(t, GWL_STYLE) & TTS_BALLOON);
}

TEST_F(ToolBarTest, DropDownShowsTheMenuBelowTheButton) {
    int built = 0;
    bar.AddButton(recorder(), "plain", "Plain");
    int chosen = 0;
    std::shared_ptr<wl::TMenu> made;
    const int id = bar.AddMenu(recorder(), "View X12 File", "View", nullptr, "", [&](TToolBar&) {
        ++built;
        made = wl::MENUBEGIN(true);
        wl::MenuItemNew first;
        first.cPrompt = "first.x12";
        first.bAction = [&](wl::TMenuItem&) { ++chosen; };
        wl::MENUADDITEM(first);
        return wl::MENUEND();
    });
    // The user picks the entry; Windows posts its command to the window.
    setPopupMenuHook([this](HMENU m, HWND owner, int row, int col) {
        shown = {m, owner, row, col, shown.count + 1};
        PostMessageA(owner, WM_COMMAND, GetMenuItemID(m, 0), 0);
    });
    EXPECT_EQ(dropDown(id), 0);
    EXPECT_EQ(built, 1);
    ASSERT_EQ(shown.count, 1);
    EXPECT_EQ(shown.owner, p.w.hWnd);
    RECT r{};
    SendMessageA(bar.hWnd, TB_GETRECT, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(bar.hWnd, p.w.hWnd, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(shown.row, r.bottom);
    EXPECT_EQ(shown.col, r.left);
    EXPECT_EQ(chosen, 1) << "the menu's own item ran";
    EXPECT_FALSE(IsMenu(shown.menu)) << "the menu is ended after it was shown";
    EXPECT_EQ(made->hMenu, nullptr) << "by its TMenu, which owned the handle";
    EXPECT_EQ(p.w.oPopup, nullptr);
    EXPECT_TRUE(clicked.empty()) << "the arrow does not run the action";
}

TEST_F(ToolBarTest, DropDownWithoutAMenuShowsNothing) {
    const int a = bar.AddMenu(recorder(), "", "A", nullptr, "", [](TToolBar&) -> std::shared_ptr<wl::TMenu> { return nullptr; });
    const int b = bar.AddMenu(recorder(), "", "B", nullptr, "", nullptr);
    dropDown(a);
    dropDown(b);
    EXPECT_EQ(shown.count, 0);
}

TEST_F(ToolBarTest, StatesReadBack) {
    bar.AddButton(recorder(), "", "A");
    bar.SetChecked(1, true);
    EXPECT_TRUE(bar.IsChecked(1));
    EXPECT_FALSE(bar.ToggleCheck(1));
    EXPECT_FALSE(bar.IsChecked(1));
    bar.HideButton(1);
    EXPECT_TRUE(bar.IsButtonHidden(1));
    bar.ShowButton(1);
    EXPECT_FALSE(bar.IsButtonHidden(1));
    bar.SetPressed(1, true);
    EXPECT_TRUE(SendMessageA(bar.hWnd, TB_ISBUTTONPRESSED, 1, 0));
}

TEST(ReBar, HoldsAToolbarWhoseCommandsStillReachIt) {
    wltest::Parent p(200, 400);
    TReBar rebar;
    rebar.New(&p.w);
    EXPECT_EQ(p.w.oTop, &rebar);
    TToolBar bar;
    bar.New(&rebar);
    EXPECT_EQ(rebar.oTop, nullptr) << "a toolbar inside a rebar does not claim its top slot";
    EXPECT_EQ(p.w.oTop, &rebar);
    std::vector<int> clicked;
    bar.AddButton([&](TToolBar&, int id) { clicked.push_back(id); }, "tip", "Go");
    rebar.InsertBand(bar, "Tools");
    EXPECT_EQ(SendMessageA(rebar.hWnd, RB_GETBANDCOUNT, 0, 0), 1);
    SendMessageA(rebar.hWnd, WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), reinterpret_cast<LPARAM>(bar.hWnd));
    EXPECT_EQ(clicked, std::vector<int>{1}) << "through the rebar's parent, once";
}

}  // namespace

// ---------------------------------------------------------------- showcase

#include <fstream>
#include <iterator>

#include "message_loop.hpp"
#include "buttonbar.hpp"
#include "list_view.hpp"
#include "msgbar.hpp"
#include "tree_view.hpp"

namespace {

// A solid 16 x 16 image; bar buttons take the top-left pixel's colour as
// transparent, so theirs gets a corner of another colour.
HBITMAP solidImage(COLORREF c, std::optional<COLORREF> corner = std::nullopt) {
    HDC screen = GetDC(nullptr);
    HBITMAP b = CreateCompatibleBitmap(screen, 16, 16);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, b);
    HBRUSH brush = CreateSolidBrush(c);
    RECT r{0, 0, 16, 16};
    FillRect(mem, &r, brush);
    if (corner) SetPixel(mem, 0, 0, *corner);
    DeleteObject(brush);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return b;
}

struct Bmp24 {
    int width = 0, height = 0;
    std::string bytes;
    explicit Bmp24(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (bytes.size() < 54) return;
        std::memcpy(&width, bytes.data() + 18, 4);
        std::memcpy(&height, bytes.data() + 22, 4);
    }
    COLORREF at(int x, int y) const {
        const int stride = (width * 3 + 3) & ~3;
        const std::size_t off = 54 + static_cast<std::size_t>((height - 1 - y) * stride + x * 3);
        return RGB(static_cast<unsigned char>(bytes[off + 2]), static_cast<unsigned char>(bytes[off + 1]),
                   static_cast<unsigned char>(bytes[off]));
    }
    bool anyIn(int x0, int y0, int x1, int y1, COLORREF c) const {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (at(x, y) == c) return true;
        return false;
    }
};

// The picture for people: a window with a toolbar of images and texts, a
// button bar, a tree view, a list view and a message bar with panels,
// saved as "bars_showcase.bmp" in the test's build folder; its pixels are
// checked too.
TEST(BarsShowcase, WindowWithBarsTreeAndList) {
    wl::TWindow w;
    wl::WindowNew n;
    n.lPixel = true;
    n.nTop = 40;
    n.nLeft = 40;
    n.nBottom = 339;
    n.nRight = 539;
    n.cTitle = "X12 Tool - Bars";
    w.New(n);
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 4);
    const COLORREF colours[] = {RGB(200, 0, 0), RGB(0, 150, 0), RGB(0, 0, 200)};
    for (COLORREF c : colours) {
        HBITMAP b = solidImage(c);
        ImageList_AddMasked(images, b, RGB(255, 0, 255));
        DeleteObject(b);
    }
    wl::TToolBar tb;
    tb.New(&w, 70, 40, images);
    tb.AddButton(nullptr, "Convert", "Convert");
    tb.AddMenu(nullptr, "View X12 File", "View", nullptr, "", nullptr);
    tb.AddSeparator();
    tb.AddButton(nullptr, "Exit", "Exit");
    wl::TMsgBar mb;
    wl::MsgBarNew mn;
    mn.oWnd = &w;
    mn.cPrompt = "Ready: choose a conversion or view an X12 file";
    mb.New(mn);
    mb.SetItems({"837P", "Rec 12"});
    wl::TBar side;
    side.NewAt(60, 20, 120, 34, 28, 28, &w, true);
    std::vector<std::unique_ptr<wl::TBtnBmp>> sideButtons;
    const COLORREF sideColours[] = {RGB(255, 128, 0), RGB(128, 0, 128)};
    for (COLORREF c : sideColours) {
        sideButtons.push_back(std::make_unique<wl::TBtnBmp>());
        wl::BarBtnNew a;
        a.oBar = &side;
        a.lGroup = c == sideColours[1];
        sideButtons.back()->NewBar(a);
        sideButtons.back()->hBitmap1 = solidImage(c, RGB(255, 255, 255));
    }
    side.BtnAdjust();
    wl::TTreeView tree;
    wl::TreeViewNew tn;
    tn.oWnd = &w;
    tn.lPixel = true;
    tn.nRow = 100;
    tn.nCol = 10;
    tn.nWidth = 200;
    tn.nHeight = 150;
    tree.New(tn);
    wl::TTVItem& root = tree.Add("ISA 000000001");
    wl::TTVItem& gs = root.Add("GS HC 837P");
    gs.Add("ST 0001 - 3 claims");
    gs.Add("ST 0002 - 1 claim");
    tree.ExpandAll();
    wl::TListView list;
    wl::ListViewNew ln;
    ln.oWnd = &w;
    ln.lPixel = true;
    ln.nRow = 100;
    ln.nCol = 230;
    ln.nWidth = 250;
    ln.nHeight = 150;
    ln.aPrompts = {"837P claims", "835 remittance", "997 ack"};
    list.New(ln);
    ShowWindow(w.hWnd, SW_SHOWNORMAL);
    w.ReSize();
    UpdateWindow(w.hWnd);
    wl::SYSREFRESH();
    ASSERT_TRUE(w.SaveToBmp("bars_showcase.bmp"));

    const Bmp24 img("bars_showcase.bmp");
    RECT wr{}, tr{}, mr{};
    GetWindowRect(w.hWnd, &wr);
    GetWindowRect(tb.hWnd, &tr);
    GetWindowRect(mb.hWnd, &mr);
    ASSERT_EQ(img.width, wr.right - wr.left);
    auto local = [&](RECT r) {
        OffsetRect(&r, -wr.left, -wr.top);
        return r;
    };
    tr = local(tr);
    mr = local(mr);
    for (COLORREF c : colours)
        EXPECT_TRUE(img.anyIn(tr.left, tr.top, tr.right, tr.bottom, c)) << "each button shows its image";
    EXPECT_TRUE(img.anyIn(mr.left, mr.top, mr.right, mr.bottom, RGB(0, 0, 0))) << "the prompt's text";
    RECT sr{};
    GetWindowRect(side.hWnd, &sr);
    sr = local(sr);
    for (COLORREF c : sideColours)
        EXPECT_TRUE(img.anyIn(sr.left, sr.top, sr.right, sr.bottom, c)) << "each bar button shows its bitmap";
    for (HWND view : {tree.hWnd, list.hWnd}) {
        RECT vr{};
        GetWindowRect(view, &vr);
        vr = local(vr);
        EXPECT_TRUE(img.anyIn(vr.left + 2, vr.top + 2, vr.right - 2, vr.bottom - 2, RGB(0, 0, 0)))
            << "the view's item texts";
    }
    EXPECT_EQ(img.at(mr.left + 3, (mr.top + mr.bottom) / 2), GetSysColor(COLOR_BTNFACE));
    ImageList_Destroy(images);
}

}  // namespace
