// TIcon holders and controls.
#include "icon.hpp"

#include <gtest/gtest.h>

#include "parent_window.hpp"

namespace {

TEST(IconTest, HolderWithoutWindowAndControlThatChangesItsIcon) {
    wl::IconNew none;
    none.cIcoFile = "C:\\no\\such.ico";
    wl::TIcon holder;
    holder.New(none);
    EXPECT_EQ(holder.hWnd, nullptr);
    EXPECT_EQ(holder.hIcon, nullptr);

    // Wine's shell library carries icons.
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string shell = std::string(system) + "\\shell32.dll";
    wltest::Parent parent;
    wl::IconNew n;
    n.oWnd = &parent.w;
    wl::TIcon icon;
    icon.New(n);
    ASSERT_TRUE(icon.hWnd);
    EXPECT_EQ(icon.hIcon, nullptr);
    icon.SetFile(shell);
    if (!icon.hIcon) GTEST_SKIP() << "no icon in " << shell;
    EXPECT_EQ(icon.cIcoFile, shell);
    HICON first = icon.hIcon;
    icon.SetFile("C:\\no\\such.ico");  // not a file: the icon stays
    EXPECT_EQ(icon.hIcon, first);
    UpdateWindow(icon.hWnd);
}

}  // namespace
