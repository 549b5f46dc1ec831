// Menus kept by the form designer: the lists it offers, a menu saved to its
// byte record and loaded into another, and its text.
#include "menu.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace wl;

MenuItemNew menuDesignItem(const std::string& prompt) {
    MenuItemNew n;
    n.cPrompt = prompt;
    return n;
}

std::vector<std::string> menuDesignPrompts(const TMenu& m) {
    std::vector<std::string> out;
    for (const auto& item : m.aItems()) out.push_back(item->cPrompt);
    return out;
}

TEST(MenuDesign, TheListsTheDesignerOffers) {
    EXPECT_EQ(TMenuItem::PropCount(), 8u);
    EXPECT_EQ(TMenuItem::Property(1), "cCaption");
    EXPECT_EQ(TMenuItem::Property(7), "bAction");
    EXPECT_EQ(TMenuItem::Property(9), "");
    EXPECT_EQ(TMenuItem::EveCount(), 2u);
    EXPECT_EQ(TMenuItem::Event(2), "OnClick");
    EXPECT_EQ(TMenuItem::Event(0), "");
}

TEST(MenuDesign, AMenuSavedAndLoadedKeepsItsItemsAndSubmenus) {
    auto bar = MENUBEGIN();
    MENUADDITEM(menuDesignItem("&File"));
    MENUBEGIN(true);
    auto open = MENUADDITEM(menuDesignItem("&Open"));
    auto save = MENUADDITEM(menuDesignItem("&Save"));
    MENUEND();
    MENUADDITEM(menuDesignItem("&Help"));
    MENUEND();
    bar->cVarName = "oMain";
    open->cMsg = "Opens a file";
    save->SetCheck(true);
    save->Disable();
    const std::string record = bar->Save();
    ASSERT_EQ(record[0], 'O');

    auto copy = TMenu::New();
    ASSERT_TRUE(copy->Load(record));
    EXPECT_EQ(copy->cVarName, "oMain");
    EXPECT_EQ(menuDesignPrompts(*copy), (std::vector<std::string>{"&File", "&Help"}));
    ASSERT_TRUE(copy->aItems()[0]->oSubMenu);
    const TMenu& file = *copy->aItems()[0]->oSubMenu;
    EXPECT_EQ(menuDesignPrompts(file), (std::vector<std::string>{"&Open", "&Save"}));
    EXPECT_EQ(file.aItems()[0]->cMsg, "Opens a file");
    EXPECT_TRUE(file.aItems()[1]->lChecked);
    EXPECT_FALSE(file.aItems()[1]->lActive);
    EXPECT_NE(file.aItems()[1]->nId, save->nId) << "ids stay unique";
    // The entries exist in the new menu's handles too.
    EXPECT_EQ(GetMenuItemCount(copy->hMenu), 2);
    EXPECT_EQ(GetMenuItemCount(file.hMenu), 2);
    EXPECT_EQ(GetMenuState(file.hMenu, 1, MF_BYPOSITION) & (MF_CHECKED | MF_GRAYED), UINT(MF_CHECKED | MF_GRAYED));

    EXPECT_FALSE(copy->Load(open->Save())) << "an item's record is not a menu's";
    auto item = TMenuItem::New();
    EXPECT_TRUE(item->Load(open->Save()));
    EXPECT_EQ(item->cPrompt, "&Open");
    copy->End();
    bar->End();
}

TEST(MenuDesign, TheTextNamesEveryChangedPropertyAndNestsSubmenus) {
    auto bar = MENUBEGIN();
    MENUADDITEM(menuDesignItem("&File"));
    MENUBEGIN(true);
    auto open = MENUADDITEM(menuDesignItem("&Open"));
    MENUEND();
    MENUEND();
    const std::string text = bar->SaveToText();
    for (const std::string& wanted :
         {std::string("OBJECT oMenu AS TMENU\r\n\r\n"), std::string("   ::aItems = Array( 1 )\r\n"),
          std::string("   OBJECT ::") + bar->aItems()[0]->cVarName + " AS TMenuItem\r\n",
          std::string("      ::cCaption = \"&File\"\r\n"), std::string("      ::bAction = \r\n"),
          std::string("      OBJECT ::oMenu AS TMenu\r\n"), std::string("            ::cCaption = \"&Open\"\r\n"),
          std::string("            ::nId = ") + std::to_string(open->nId) + "\r\n"})
        EXPECT_NE(text.find(wanted), std::string::npos) << wanted << "\n" << text;
    EXPECT_EQ(text.substr(text.size() - 11), "\r\nENDOBJECT");
    bar->End();
}

}  // namespace
