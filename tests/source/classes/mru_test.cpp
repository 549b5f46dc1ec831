// The recently-used file list over a profile file in the current folder:
// the file's bytes after Save and Clear, the menu entries, and choosing one.
#include "mru.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "message_loop.hpp"
#include "test_support.hpp"
#include "window.hpp"

namespace {

using wl::MenuItemNew;
using wl::TMru;

const char* const kFile = ".\\ZRK7W315.mru";
const char* const kSection = "Viewer-Files";

// Runs the test in a fresh current folder, as the program's ".mru" file
// lives beside it.
class MruTest : public ::testing::Test {
protected:
    zrtest::TempDir dir;
    char previous[MAX_PATH] = {};
    void SetUp() override {
        GetCurrentDirectoryA(MAX_PATH, previous);
        SetCurrentDirectoryA(dir.path().c_str());
    }
    void TearDown() override { SetCurrentDirectoryA(previous); }
    std::string fileBytes() const { return zrtest::readBytes(dir.file("ZRK7W315.mru")); }
    void writeFile(const std::string& bytes) const { dir.write("ZRK7W315.mru", bytes); }
};

// A "Functions" menu with two items before the list.
struct Menu {
    std::shared_ptr<wl::TMenu> menu;
    std::shared_ptr<TMru> mru;
    std::vector<std::string> chosen;
    explicit Menu(std::size_t most = 25) {
        menu = wl::MENUBEGIN(true);
        MenuItemNew a;
        a.cPrompt = "&View X12 File";
        wl::MENUADDITEM(a);
        a.cPrompt = "&Convert";
        wl::MENUADDITEM(a);
        wl::MruNew n;
        n.cIniFile = kFile;
        n.cSection = kSection;
        n.nMaxItems = most;
        n.cMsg = "X12 Viewer Most Recently Used Files..";
        n.bAction = [this](const std::string& name, wl::TMenuItem&) { chosen.push_back(name); };
        mru = TMru::New(n);
        wl::MENUEND();
    }
    ~Menu() { menu->End(); }
    std::vector<std::string> prompts() const {
        std::vector<std::string> out;
        for (const auto& i : menu->aItems()) out.push_back(i->isSeparator() ? "-" : i->cPrompt);
        return out;
    }
};

TEST_F(MruTest, SavesMoveNamesToTheTopAndWriteTheSection) {
    Menu m;
    EXPECT_EQ(m.prompts(), (std::vector<std::string>{"&View X12 File", "&Convert"}));
    m.mru->Save("C:\\x12\\a.x12");
    m.mru->Save("C:\\x12\\b.x12");
    m.mru->Save("C:\\x12\\c.x12");
    EXPECT_EQ(fileBytes(), "[Viewer-Files]\r\n1=C:\\x12\\c.x12\r\n2=C:\\x12\\b.x12\r\n3=C:\\x12\\a.x12\r\n");
    EXPECT_EQ(m.prompts(), (std::vector<std::string>{"&View X12 File", "&Convert", "-", "&1 C:\\x12\\c.x12",
                                                     "&2 C:\\x12\\b.x12", "&3 C:\\x12\\a.x12"}));
    EXPECT_EQ(GetMenuItemCount(m.menu->hMenu), 6);

    // The name at position 3 goes to the top; the others shift down.
    m.mru->Save("C:\\x12\\a.x12");
    EXPECT_EQ(fileBytes(), "[Viewer-Files]\r\n1=C:\\x12\\a.x12\r\n2=C:\\x12\\c.x12\r\n3=C:\\x12\\b.x12\r\n");
    // Names compare exactly, case included.
    m.mru->Save("C:\\X12\\A.X12");
    EXPECT_EQ(m.mru->aItems.size(), 4u);
    EXPECT_EQ(m.mru->aItems[0]->cPrompt, "&1 C:\\X12\\A.X12");

    m.mru->Clear();
    EXPECT_EQ(fileBytes().find("Viewer-Files"), std::string::npos);
    EXPECT_EQ(m.prompts(), (std::vector<std::string>{"&View X12 File", "&Convert"}));
    EXPECT_EQ(GetMenuItemCount(m.menu->hMenu), 2);

    m.mru->Save("d.x12");
    EXPECT_EQ(fileBytes(), "[Viewer-Files]\r\n1=d.x12\r\n");
    EXPECT_EQ(m.prompts(), (std::vector<std::string>{"&View X12 File", "&Convert", "-", "&1 d.x12"}));
}

TEST_F(MruTest, ReadsNumberedKeysAndRewritesThemWithoutStaleOnes) {
    writeFile("[Viewer-Files]\r\n1=a.x12\r\n3=b.x12\r\n");
    Menu m;
    EXPECT_EQ(m.prompts(), (std::vector<std::string>{"&View X12 File", "&Convert", "-", "&1 a.x12", "&3 b.x12"}));
    // Saving the first name renumbers; the old key 3 must not survive to
    // come back as a duplicate at the next start.
    m.mru->Save("a.x12");
    EXPECT_EQ(fileBytes(), "[Viewer-Files]\r\n1=a.x12\r\n2=b.x12\r\n");
    EXPECT_EQ(m.prompts(), (std::vector<std::string>{"&View X12 File", "&Convert", "-", "&1 a.x12", "&2 b.x12"}));
}

TEST_F(MruTest, AFullListDropsTheOldestEntry) {
    Menu m(3);
    for (const char* name : {"a", "b", "c", "d"}) m.mru->Save(name);
    EXPECT_EQ(fileBytes(), "[Viewer-Files]\r\n1=d\r\n2=c\r\n3=b\r\n");
    EXPECT_EQ(m.prompts(), (std::vector<std::string>{"&View X12 File", "&Convert", "-", "&1 d", "&2 c", "&3 b"}));
    EXPECT_EQ(GetMenuItemCount(m.menu->hMenu), 6);
}

TEST_F(MruTest, TwoDigitNumbersFromTen) {
    Menu m;
    for (const char* name : {"f1", "f2", "f3", "f4", "f5", "f6", "f7", "f8", "f9", "f10", "f11"}) m.mru->Save(name);
    EXPECT_EQ(m.mru->aItems[9]->cPrompt, "&10 f2");
    EXPECT_EQ(m.mru->aItems[10]->cPrompt, "&11 f1");
}

TEST_F(MruTest, ChoosingAnEntryCallsTheActionWithItsName) {
    wl::WindowNew n;
    n.lPixel = true;
    n.nBottom = 100;
    n.nRight = 200;
    wl::TWindow w;
    w.New(n);
    writeFile("[Viewer-Files]\r\n1=C:\\x12\\claims one.x12\r\n");
    Menu m;
    auto bar = wl::TMenu::New();
    MenuItemNew f;
    f.cPrompt = "F&unctions";
    auto holder = wl::TMenuItem::New(f);
    holder->oSubMenu = m.menu;
    bar->Add(holder, true);
    w.SetMenu(bar);
    PostMessageA(w.hWnd, WM_COMMAND, m.mru->aItems[0]->nId, 0);
    wl::SYSREFRESH();
    EXPECT_EQ(m.chosen, (std::vector<std::string>{"C:\\x12\\claims one.x12"}));
    w.SetMenu(nullptr);
    holder->oSubMenu.reset();
    bar->End();
}

}  // namespace
