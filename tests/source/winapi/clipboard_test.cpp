#include <gtest/gtest.h>

#include "clipboard.hpp"

namespace {

// The clipboard needs an owner window for SetClipboardData to succeed.
class Clipboard : public ::testing::Test {
protected:
    HWND owner = CreateWindowExA(0, "STATIC", "clipboard owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    void SetUp() override {
        ASSERT_NE(owner, nullptr) << GetLastError();
        ASSERT_TRUE(wl::OPENCLIPBOARD(owner));
        ASSERT_TRUE(wl::EMPTYCLIPBOARD());
    }
    void TearDown() override {
        wl::EMPTYCLIPBOARD();
        wl::CLOSECLIPBOARD();
        DestroyWindow(owner);
    }
};

TEST_F(Clipboard, EmptyClipboardAnswersEmptyValues) {
    EXPECT_EQ(wl::GETCLPDATA(CF_TEXT).text(), "");
    EXPECT_EQ(wl::GETCLPDATA(CF_UNICODETEXT).text(), "");
    EXPECT_EQ(wl::GETCLPDATA(CF_BITMAP).number(), 0);
    EXPECT_EQ(wl::GETCLPDATA(CF_ENHMETAFILE).number(), 0);
    EXPECT_TRUE(wl::GETCLPDATA(CF_DIB).isNil());
}

TEST_F(Clipboard, TextRoundTrip) {
    ASSERT_TRUE(wl::SETCLIPBOARDDATA(CF_TEXT, std::string("ISA*00*")));
    ASSERT_TRUE(wl::CLOSECLIPBOARD());
    ASSERT_TRUE(wl::OPENCLIPBOARD(owner));
    EXPECT_EQ(wl::GETCLPDATA(CF_TEXT).text(), "ISA*00*");
    // The Unicode form comes back as raw UTF-16 bytes of the whole block.
    std::string wide = wl::GETCLPDATA(CF_UNICODETEXT).text();
    ASSERT_GE(wide.size(), 16u);
    EXPECT_EQ(wide.substr(0, 16), std::string("I\0S\0A\0*\0" "0\0" "0\0*\0\0\0", 16));
}

TEST_F(Clipboard, BitmapRoundTripPlacesAndAnswersCopies) {
    HBITMAP bmp = CreateBitmap(7, 3, 1, 32, nullptr);
    ASSERT_NE(bmp, nullptr);
    ASSERT_TRUE(wl::SETCLIPBOARDDATA(CF_BITMAP, bmp));
    auto copy = reinterpret_cast<HBITMAP>(static_cast<std::intptr_t>(wl::GETCLPDATA(CF_BITMAP).number()));
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, bmp);
    BITMAP info{};
    ASSERT_TRUE(GetObjectA(copy, sizeof info, &info));
    EXPECT_EQ(info.bmWidth, 7);
    EXPECT_EQ(info.bmHeight, 3);
    DeleteObject(copy);
    DeleteObject(bmp);  // the clipboard holds its own copy
}

TEST_F(Clipboard, DataOfTheWrongKindIsNotPlaced) {
    EXPECT_FALSE(wl::SETCLIPBOARDDATA(CF_BITMAP, std::string("text")));
    EXPECT_FALSE(wl::SETCLIPBOARDDATA(CF_TEXT, static_cast<HBITMAP>(nullptr)));
    EXPECT_EQ(wl::GETCLPDATA(CF_TEXT).text(), "");
}

}  // namespace
