// Menus on real windows under Wine: building by nesting, commands chosen by
// posting their ids, when-closures, ids, accelerator tables and the end of
// a menu with its window.
#include "menu.hpp"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "menu_ids.hpp"
#include "message_loop.hpp"
#include "window.hpp"

namespace {

using wl::MenuItemNew;
using wl::TMenu;
using wl::TMenuItem;

void drainQueue() {
    wl::SYSREFRESH();
    MSG m;
    while (PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

struct Frame {
    wl::TWindow w;
    Frame() {
        wl::WindowNew n;
        n.lPixel = true;
        n.nTop = 10;
        n.nLeft = 10;
        n.nBottom = 210;
        n.nRight = 310;
        n.cTitle = "Menu test";
        w.New(n);
    }
};

MenuItemNew item(const std::string& caption, std::function<void()> run = {}) {
    MenuItemNew n;
    n.cPrompt = caption;
    if (run) n.bAction = [run](TMenuItem&) { run(); };
    return n;
}

void postCommand(wl::TWindow& w, unsigned id) {
    PostMessageA(w.hWnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    drainQueue();
}

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override { drainQueue(); }
    void TearDown() override { drainQueue(); }
};

TEST_F(MenuTest, BarOnWindowRunsTheChosenCommandAndNestedItems) {
    Frame f;
    std::vector<std::string> ran;
    auto bar = wl::MENUBEGIN();
    wl::MENUADDITEM(item("&File"));
    wl::MENUBEGIN(true);
    auto open = wl::MENUADDITEM(item("&Open", [&] { ran.push_back("open"); }));
    auto quiet = wl::MENUADDITEM(item("&Quiet"));  // neither action nor OnClick
    wl::MENUADDITEM();
    auto clicked = wl::MENUADDITEM(item("&Click"));
    clicked->OnClick = [&](wl::TWindow* w, TMenuItem& i) { ran.push_back(w ? "click:" + i.cPrompt : "no window"); };
    wl::MENUEND();
    auto top = wl::MENUADDITEM(item("&Run", [&] { ran.push_back("run"); }));
    EXPECT_EQ(wl::MENUEND(), bar);
    f.w.SetMenu(bar);

    EXPECT_EQ(GetMenu(f.w.hWnd), bar->hMenu);
    ASSERT_EQ(bar->aItems().size(), 2u);
    ASSERT_TRUE(bar->aItems()[0]->oSubMenu);
    EXPECT_EQ(GetSubMenu(bar->hMenu, 0), bar->aItems()[0]->oSubMenu->hMenu);
    EXPECT_EQ(GetMenuItemCount(bar->aItems()[0]->oSubMenu->hMenu), 4);
    EXPECT_EQ(bar->GetMenuItem(open->nId), open.get());

    postCommand(f.w, open->nId);
    postCommand(f.w, quiet->nId);
    postCommand(f.w, clicked->nId);
    postCommand(f.w, top->nId);
    EXPECT_EQ(ran, (std::vector<std::string>{"open", "click:&Click", "run"}));
    EXPECT_EQ(TMenu::LastItem(), top.get());
    // Once the item has ended no menu names it any more.
    top->End();
    EXPECT_EQ(TMenu::LastItem(), nullptr);
}

TEST_F(MenuTest, WhenClosureGreysOnPopupAndBlocksTheCommand) {
    Frame f;
    std::optional<bool> allowed = false;
    int runs = 0;
    auto bar = wl::MENUBEGIN();
    wl::MENUADDITEM(item("&Edit"));
    wl::MENUBEGIN(true);
    auto paste = item("&Paste", [&] { ++runs; });
    paste.bWhen = [&](TMenuItem&) { return allowed; };
    auto pasteItem = wl::MENUADDITEM(paste);
    wl::MENUEND();
    wl::MENUEND();
    f.w.SetMenu(bar);
    HMENU sub = bar->aItems()[0]->oSubMenu->hMenu;

    SendMessageA(f.w.hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), 0);
    EXPECT_FALSE(pasteItem->lActive);
    EXPECT_TRUE(GetMenuState(sub, pasteItem->nId, MF_BYCOMMAND) & MF_GRAYED);
    postCommand(f.w, pasteItem->nId);
    EXPECT_EQ(runs, 0);

    allowed = std::nullopt;  // not a logical: the state stays
    SendMessageA(f.w.hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), 0);
    EXPECT_FALSE(pasteItem->lActive);

    allowed = true;
    SendMessageA(f.w.hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), 0);
    EXPECT_TRUE(pasteItem->lActive);
    EXPECT_FALSE(GetMenuState(sub, pasteItem->nId, MF_BYCOMMAND) & MF_GRAYED);
    postCommand(f.w, pasteItem->nId);
    EXPECT_EQ(runs, 1);
}

TEST_F(MenuTest, PopupRemembersTheChosenItemInsteadOfRunningIt) {
    Frame f;
    int runs = 0;
    auto popup = wl::MENUBEGIN(true);
    auto one = wl::MENUADDITEM(item("One", [&] { ++runs; }));
    wl::MENUEND();
    f.w.oPopup = popup;
    postCommand(f.w, one->nId);
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(popup->oMenuItemPopup, one.get());
    f.w.oPopup.reset();
    popup->End();
}

TEST_F(MenuTest, EndedItemNeverGivesItsIdToALiveItem) {
    auto bar = wl::MENUBEGIN();
    auto a = wl::MENUADDITEM(item("A"));
    auto b = wl::MENUADDITEM(item("B"));
    wl::MENUEND();
    // Ending A frees its id; B's id must not come back for a new item.
    a->Destroy();
    std::set<unsigned> seen;
    for (int i = 0; i < 5; ++i) {
        auto n = TMenuItem::New(item("N"));
        EXPECT_NE(n->nId, b->nId);
        EXPECT_TRUE(seen.insert(n->nId).second);
        EXPECT_GE(n->nId, wl::MenuIdAllocator::kFirst);
    }
    EXPECT_EQ(bar->aItems().size(), 1u);
    EXPECT_EQ(GetMenuItemCount(bar->hMenu), 1);
    bar->End();
}

TEST_F(MenuTest, NestedBeginWithoutAnItemIsAnErrorAndLeavesNoLevelOpen) {
    wl::MENUBEGIN();
    wl::MENUBEGIN(true);
    wl::MENUADDITEM(item("Orphan"));
    EXPECT_THROW(wl::MENUEND(), std::logic_error);
    EXPECT_EQ(wl::LASTMENU(), nullptr);
    EXPECT_THROW(wl::MENUEND(), std::logic_error);
    EXPECT_THROW(wl::MENUADDITEM(item("x")), std::logic_error);
    // A fresh build works afterwards.
    auto bar = wl::MENUBEGIN();
    wl::MENUADDITEM(item("Fine"));
    EXPECT_EQ(wl::LASTITEMPOS(), std::optional<std::size_t>(1));
    EXPECT_EQ(wl::MENUEND(), bar);
    bar->End();
}

TEST_F(MenuTest, AccTableAddReplacesAndDelRemoves) {
    wl::TAccTable t;
    t.Add('N', FCONTROL, 20001);
    t.Add('N', FCONTROL, 20005);
    t.Add('N', FALT, 20006);
    ASSERT_EQ(t.aItems.size(), 2u);
    EXPECT_EQ(t.aItems[0].nId, 20005);
    t.Del('N', FCONTROL);
    ASSERT_EQ(t.aItems.size(), 1u);
    EXPECT_EQ(t.aItems[0].nFlags, FALT);
}

// Two windows with accelerator tables: the key goes to the active one, and
// ending one window's table leaves the other's alive.
TEST_F(MenuTest, CurrentAcceleratorTableFollowsTheActiveWindow) {
    Frame f1, f2;
    int ran1 = 0, ran2 = 0;
    auto build = [](int& counter) {
        auto bar = wl::MENUBEGIN();
        auto n = item("&Go", [&counter] { ++counter; });
        n.nVirtKey = VK_F5;
        wl::MENUADDITEM(n);
        return wl::MENUEND();
    };
    auto m1 = build(ran1);
    auto m2 = build(ran2);
    f1.w.SetMenu(m1);
    f2.w.SetMenu(m2);
    ASSERT_TRUE(m1->oAccTable && m2->oAccTable);
    EXPECT_TRUE(m2->oAccTable->isCurrent());

    SendMessageA(f1.w.hWnd, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_TRUE(m1->oAccTable->isCurrent());
    PostMessageA(f1.w.hWnd, WM_KEYDOWN, VK_F5, 0);
    drainQueue();
    EXPECT_EQ(ran1, 1);
    EXPECT_EQ(ran2, 0);

    SendMessageA(f2.w.hWnd, WM_ACTIVATE, WA_ACTIVE, 0);
    HACCEL table2 = m2->oAccTable->nHandle;
    m1->oAccTable->End();  // not current: must not touch the other table
    EXPECT_EQ(wl::processAccelTable(), table2);
    PostMessageA(f2.w.hWnd, WM_KEYDOWN, VK_F5, 0);
    drainQueue();
    EXPECT_EQ(ran2, 1);
}

TEST_F(MenuTest, MenuEndsWithItsWindow) {
    HMENU handle = nullptr;
    std::shared_ptr<TMenu> bar;
    {
        Frame f;
        bar = wl::MENUBEGIN();
        wl::MENUADDITEM(item("&File"));
        wl::MENUBEGIN(true);
        wl::MENUADDITEM(item("&Open"));
        wl::MENUEND();
        wl::MENUEND();
        f.w.SetMenu(bar);
        handle = bar->hMenu;
        DestroyWindow(f.w.hWnd);
        EXPECT_EQ(f.w.oMenu, nullptr);
    }
    EXPECT_EQ(bar->hMenu, nullptr);
    EXPECT_TRUE(bar->aItems().empty());
    EXPECT_FALSE(IsMenu(handle));
}

TEST_F(MenuTest, StandardMenusCarryTheirCaptionsAndShortcuts) {
    Frame f;
    auto bar = wl::MENUBEGIN();
    bar->AddFile();
    bar->AddEdit();
    bar->AddHelp([] {});
    wl::MENUEND();
    f.w.SetMenu(bar);
    ASSERT_EQ(bar->aItems().size(), 3u);
    EXPECT_EQ(bar->aItems()[0]->cPrompt, "&File");
    const auto& file = bar->aItems()[0]->oSubMenu->aItems();
    ASSERT_EQ(file.size(), 10u);
    EXPECT_EQ(file[0]->cPrompt, "&New...\tCtrl+N");
    EXPECT_EQ(file[9]->cPrompt, "&Exit...\tAlt+F4");
    EXPECT_TRUE(file[5]->isSeparator());
    const auto& edit = bar->aItems()[1]->oSubMenu->aItems();
    EXPECT_EQ(edit[4]->cMsg, "Copies the selection and puts it on the Clipboard");
    ASSERT_TRUE(bar->oAccTable);
    bool ctrlN = false, ctrlF = false;
    for (const auto& a : bar->oAccTable->aItems) {
        ctrlN |= a.nKey == 'N' && a.nFlags == FCONTROL && a.nId == static_cast<int>(file[0]->nId);
        ctrlF |= a.nKey == 'F' && a.nFlags == FCONTROL;
    }
    EXPECT_TRUE(ctrlN);
    EXPECT_TRUE(ctrlF);

    // Copy is sent to the menu's window.
    int copies = 0;
    f.w.bCopy = [&](wl::TWindow&) { ++copies; };
    postCommand(f.w, edit[4]->nId);
    EXPECT_EQ(copies, 1);
}

TEST_F(MenuTest, CaptionChangeRewritesTheEntryOfABarItem) {
    Frame f;
    auto bar = wl::MENUBEGIN();
    auto a = wl::MENUADDITEM(item("&Alpha"));
    wl::MENUEND();
    f.w.SetMenu(bar);
    char text[64] = {};
    GetMenuStringA(bar->hMenu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Alpha");
    a->SetPrompt("&Beta");
    GetMenuStringA(bar->hMenu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Beta");
    a->SetCheck(true);
    EXPECT_TRUE(GetMenuState(bar->hMenu, 0, MF_BYPOSITION) & MF_CHECKED);
}

TEST_F(MenuTest, PopupEntriesAreDrawnByTheWindowBarEntriesAreNot) {
    Frame f;
    auto bar = wl::MENUBEGIN();
    wl::MENUADDITEM(item("&File"));
    wl::MENUBEGIN(true);
    auto inner = wl::MENUADDITEM(item("&Inner"));
    wl::MENUEND();
    auto barItem = wl::MENUADDITEM(item("&Bar"));
    wl::MENUEND();
    f.w.SetMenu(bar);
    HMENU sub = bar->aItems()[0]->oSubMenu->hMenu;
    EXPECT_TRUE(GetMenuState(sub, inner->nId, MF_BYCOMMAND) & MF_OWNERDRAW);
    EXPECT_FALSE(GetMenuState(bar->hMenu, barItem->nId, MF_BYCOMMAND) & MF_OWNERDRAW);

    // The window measures the drawn entry from the item's prompt.
    MEASUREITEMSTRUCT mi{};
    mi.CtlType = ODT_MENU;
    mi.itemID = inner->nId;
    SendMessageA(f.w.hWnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mi));
    EXPECT_GT(mi.itemWidth, 100u);
    EXPECT_GT(mi.itemHeight, 0u);

    // And draws it: the prompt leaves pixels unlike the background.
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 160;
    bi.bmiHeader.biHeight = -24;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP target = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, target);
    DRAWITEMSTRUCT di{};
    di.CtlType = ODT_MENU;
    di.itemID = inner->nId;
    di.itemAction = ODA_DRAWENTIRE;
    di.hwndItem = reinterpret_cast<HWND>(sub);
    di.hDC = dc;
    di.rcItem = RECT{0, 0, 160, 24};
    EXPECT_EQ(SendMessageA(f.w.hWnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&di)), 1);
    GdiFlush();
    const auto* px = static_cast<const std::uint32_t*>(bits);
    int differing = 0;
    for (int i = 0; i < 160 * 24; ++i) differing += (px[i] & 0xFFFFFF) != (px[0] & 0xFFFFFF);
    EXPECT_GT(differing, 10);
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
}

TEST_F(MenuTest, SourceTextOfANestedMenu) {
    auto bar = wl::MENUBEGIN();
    wl::MENUADDITEM(item("&File"));
    wl::MENUBEGIN(true);
    wl::MENUADDITEM(item("&Open"));
    wl::MENUEND();
    wl::MENUEND();
    EXPECT_EQ(bar->cGenPrg(),
              "   MENU oMenu\r\n"
              "      MENUITEM \"&File\"\r\n"
              "      MENU POPUP\r\n"
              "         MENUITEM \"&Open\"\r\n"
              "      ENDMENU\r\n"
              "   ENDMENU\r\n");
    bar->End();
}

// Chooses an item while the pop-up is tracked, then closes the menu.
HWND g_trackWindow = nullptr;
unsigned g_trackId = 0;
void CALLBACK chooseWhileTracking(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    PostMessageA(g_trackWindow, WM_COMMAND, g_trackId, 0);
    EndMenu();
}

TEST_F(MenuTest, TrackedPopupRunsTheChosenActionAfterItCloses) {
    Frame f;
    ShowWindow(f.w.hWnd, SW_SHOW);
    SetForegroundWindow(f.w.hWnd);
    bool ranWhileOpen = false;
    int runs = 0;
    auto popup = wl::MENUBEGIN(true);
    std::shared_ptr<TMenu> held = popup;
    auto one = wl::MENUADDITEM(item("One"));
    one->bAction = [&](TMenuItem&) {
        ++runs;
        ranWhileOpen = held->hMenu != nullptr && held->oMenuItemPopup != nullptr;
    };
    wl::MENUEND();
    g_trackWindow = f.w.hWnd;
    g_trackId = one->nId;
    SetTimer(nullptr, 0, 50, chooseWhileTracking);
    popup->Activate(10, 10, f.w);
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(ranWhileOpen);
    EXPECT_EQ(f.w.oPopup, nullptr);
    EXPECT_EQ(popup->hMenu, nullptr);  // ended after tracking
}

TEST_F(MenuTest, HighlightedItemShowsItsMessage) {
    Frame f;
    wl::TWindow bar;
    wl::WindowNew n;
    n.lPixel = true;
    n.nBottom = 20;
    n.nRight = 200;
    n.oWnd = &f.w;
    n.nStyle = WS_CHILD | WS_VISIBLE;
    bar.New(n);
    f.w.oMsgBar = &bar;
    auto menu = wl::MENUBEGIN();
    auto i = item("&Open");
    i.cMsg = "Open an existing file";
    auto open = wl::MENUADDITEM(i);
    wl::MENUEND();
    f.w.SetMenu(menu);
    SendMessageA(f.w.hWnd, WM_MENUSELECT, MAKEWPARAM(open->nId, MF_HILITE), reinterpret_cast<LPARAM>(menu->hMenu));
    EXPECT_EQ(wl::TWindow::oMItemSelect(), open.get());
    EXPECT_EQ(bar.GetText(), "Open an existing file");
    SendMessageA(f.w.hWnd, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(wl::TWindow::oMItemSelect(), nullptr);
    f.w.oMsgBar = nullptr;
}

TEST_F(MenuTest, ItemsBuiltFromAnExistingMenuHandle) {
    HMENU h = CreateMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING | MF_CHECKED, 301, "&Checked");
    AppendMenuA(sub, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(sub, MF_STRING | MF_GRAYED, 302, "&Grey");
    AppendMenuA(h, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&Top");
    auto m = TMenu::FromHandle(h, false);
    ASSERT_EQ(m->aItems().size(), 1u);
    EXPECT_EQ(m->aItems()[0]->cPrompt, "&Top");
    ASSERT_TRUE(m->aItems()[0]->oSubMenu);
    const auto& items = m->aItems()[0]->oSubMenu->aItems();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_TRUE(items[0]->lChecked);
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_FALSE(items[2]->lActive);
    EXPECT_EQ(m->GetMenuItem(302), items[2].get());
    EXPECT_EQ(m->GetMenuItem(reinterpret_cast<UINT_PTR>(sub)), m->aItems()[0].get());

    // A resource item gets its action, state and shortcut afterwards.
    int runs = 0;
    wl::MenuItemReDefine r;
    r.lActive = true;
    r.cMsg = "Grey no more";
    r.bAction = [&](TMenuItem&) { ++runs; };
    r.nVirtKey = VK_F7;
    TMenuItem* grey = TMenuItem::ReDefine(*m, 302, r);
    ASSERT_EQ(grey, items[2].get());
    EXPECT_TRUE(grey->lActive);
    EXPECT_FALSE(GetMenuState(sub, 302, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(grey->cMsg, "Grey no more");
    ASSERT_TRUE(m->oAccTable);
    EXPECT_EQ(m->oAccTable->aItems.back().nId, 302);
    EXPECT_TRUE(m->Command(302));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(TMenuItem::ReDefine(*m, 999, r), nullptr);
    m->End();
    EXPECT_FALSE(IsMenu(h));
}

}  // namespace
