// Image lists through the library loaded by name, and the list box readers.
#include "common_controls.hpp"

#include <gtest/gtest.h>

#include <string>

#include "control_host.hpp"
#include "test_support.hpp"

namespace {

using namespace wl;

TEST(CommonControls, InitialisationSucceeds) {
    INITCOMMONCONTROLS();
    INITCOMMONCONTROLS();
    EXPECT_TRUE(wl::INITCOMMONCONTROLSEX(ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES));
    zrtest::PromptRecorder prompts;
    INITCOMMON();
    EXPECT_TRUE(prompts.prompts().empty());
}

// A 24-bit bitmap file of one colour, for the loader.
void writeBitmapFile(const std::string& path, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    const int stride = (width * 3 + 3) & ~3;
    std::string pixels(static_cast<std::size_t>(stride * height), '\x40');
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    bytes += pixels;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
}

TEST(ImageLists, LoadImageWorksAsTheFirstCall) {
    zrtest::TempDir dir;
    const std::string file = dir.file("strip.bmp");
    writeBitmapFile(file, 48, 16);
    HIMAGELIST list = ILLOADIMAGE(file, 16, 4, CLR_NONE);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(list), 3);
    EXPECT_TRUE(ILDESTROY(list));
}

TEST(ImageLists, AddBitmapsAndIcons) {
    HIMAGELIST list = ILCREATE(16, 16);
    ASSERT_NE(list, nullptr);
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(ILADD(list, bmp, nullptr), 0);
    EXPECT_EQ(ILADDMASKED(list, bmp, RGB(255, 0, 255)), 1);
    EXPECT_EQ(ILADDICON(list, LoadIconA(nullptr, IDI_APPLICATION)), 2);
    EXPECT_EQ(ImageList_GetImageCount(list), 3);
    ILSETBKCOLOR(list, RGB(1, 2, 3));
    EXPECT_EQ(ILSETBKCOLOR(list, CLR_NONE), RGB(1, 2, 3));
    DeleteObject(bmp);
    EXPECT_TRUE(ILDESTROY(list));
    EXPECT_FALSE(ILDESTROY(nullptr));
}

TEST(ListBoxReaders, ItemsBySizeAndSelections) {
    wltest::ControlHost host("LISTBOX", LBS_EXTENDEDSEL | LBS_NOTIFY);
    const std::string longItem(700, 'x');  // longer than any fixed buffer
    for (const char* s : {"ISA", "GS"}) SendMessageA(host.control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendMessageA(host.control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(longItem.c_str()));
    EXPECT_EQ(LBXGETITEM(host.control, 1), "ISA");
    EXPECT_EQ(LBXGETITEM(host.control, 2), "GS");
    EXPECT_EQ(LBXGETITEM(host.control, 3), longItem);
    EXPECT_EQ(LBXGETITEM(host.control, 4), "");
    EXPECT_EQ(LBXGETITEM(host.control, 0), "");
    EXPECT_TRUE(LBXGETSELITEMS(host.control).empty());
    SendMessageA(host.control, LB_SETSEL, TRUE, 0);
    SendMessageA(host.control, LB_SETSEL, TRUE, 2);
    EXPECT_EQ(LBXGETSELITEMS(host.control), (std::vector<int>{1, 3}));
}

}  // namespace
