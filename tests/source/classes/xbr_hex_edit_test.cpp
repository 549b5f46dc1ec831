// The hex editor driven as a user would: a line's hex typed over the cell
// and saved comes back as bytes; a line that does not give its own count
// of bytes, Cancel and the read-only view change nothing.
#include "xbr_hex_edit.hpp"

#include <gtest/gtest.h>

#include "timer_steps.hpp"
#include "xbrowse.hpp"
#include "xbrowse_editor.hpp"

namespace {

using namespace wl;

HWND hexDialog() { return FindWindowA(nullptr, "Hex test"); }

TXBrowse* hexBrowse() {
    for (HWND c = FindWindowExA(hexDialog(), nullptr, nullptr, nullptr); c; c = FindWindowExA(hexDialog(), c, nullptr, nullptr))
        if (auto* b = dynamic_cast<TXBrowse*>(OWNDFROMHWND(c))) return b;
    return nullptr;
}

void hexPress(const char* caption) {
    PostMessageA(FindWindowExA(hexDialog(), nullptr, "Button", caption), BM_CLICK, 0, 0);
}

// Types hex over row `row`'s HexChar cell and ends with Enter.
void hexType(TXBrowse& b, int row, const std::string& hex) {
    b.model().GoToRow(row);
    b.model().nColSel = 3;
    SendMessageA(b.hWnd, WM_CHAR, VK_RETURN, 0);
    ASSERT_NE(b.Editor(), nullptr);
    // The whole text is selected: the typed keys replace it.
    const HWND editor = b.Editor()->hWnd();
    for (char c : hex) SendMessageA(editor, WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 0);
    SendMessageA(editor, WM_KEYDOWN, VK_RETURN, 0);
}

std::string twentyBytes() {
    std::string bytes;
    for (int i = 0; i < 20; ++i) bytes += char(i);
    return bytes;
}

TEST(XbrHexEdit, ALineTypedAndSavedComesBackAsBytes) {
    std::string bytes = twentyBytes();
    std::vector<std::string> shown;
    zrtest::TimerSteps s({
        [&] {
            TXBrowse* b = hexBrowse();
            ASSERT_NE(b, nullptr);
            for (const TXBrwColumn& c : b->model().aCols) shown.push_back(c.cHeader);
            shown.push_back(b->model().aArrayData[1].list()[0].text());
            hexType(*b, 1, "4142434445464748494A4B4C4D4E4F50");
            shown.push_back(b->model().aArrayData[0].list()[1].text());
            hexType(*b, 2, "FFFF");  // the last line has four bytes: refused
        },
        [&] { hexPress("Save"); },
    });
    EXPECT_TRUE(XBRHEXEDIT(bytes, false, "Hex test"));
    EXPECT_TRUE(zrtest::TimerSteps::done());
    EXPECT_EQ(shown, (std::vector<std::string>{"LineHex", "Text", "HexChar", "00000010", "ABCDEFGHIJKLMNOP"}));
    EXPECT_EQ(bytes, "ABCDEFGHIJKLMNOP" + twentyBytes().substr(16));
}

TEST(XbrHexEdit, CancelAndTheReadOnlyViewChangeNothing) {
    std::string bytes = twentyBytes();
    zrtest::TimerSteps s({
        [&] {
            TXBrowse* b = hexBrowse();
            ASSERT_NE(b, nullptr);
            hexType(*b, 1, "4142434445464748494A4B4C4D4E4F50");
        },
        [&] { hexPress("Cancel"); },
    });
    EXPECT_FALSE(XBRHEXEDIT(bytes, false, "Hex test"));
    EXPECT_EQ(bytes, twentyBytes());

    bool saveShown = true, editable = true;
    zrtest::TimerSteps view({
        [&] {
            saveShown = FindWindowExA(hexDialog(), nullptr, "Button", "Save") != nullptr;
            TXBrowse* b = hexBrowse();
            ASSERT_NE(b, nullptr);
            editable = b->model().aCols[2].lEditable();
            hexPress("Cancel");
        },
    });
    EXPECT_FALSE(XBRHEXEDIT(bytes, true, "Hex test"));
    EXPECT_FALSE(saveShown);
    EXPECT_FALSE(editable);
    EXPECT_EQ(bytes, twentyBytes());
}

}  // namespace
