#include <gtest/gtest.h>

#include <cstring>

#include <windows.h>

#include "structure.hpp"

namespace {

TEST(TStruct, AWindowsCallFillsTheDeclaredRecord) {
    wl::TStruct rc;
    EXPECT_EQ(wl::THISSTRUCT(&rc), &rc);
    EXPECT_EQ(wl::THISSTRUCT(), &rc);
    for (const char* edge : {"left", "top", "right", "bottom"}) rc.AddMember(edge, 7);
    ASSERT_EQ(rc.SizeOf(), sizeof(RECT));
    ASSERT_TRUE(SetRect(static_cast<RECT*>(rc.lpStruct()), 3, -4, 50, 60));
    EXPECT_EQ(rc.get("left").number(), 3);
    EXPECT_EQ(rc.get("Top").number(), -4);
    EXPECT_EQ(rc.get("RIGHT").number(), 50);
    rc.set("bottom", wl::Value(61));
    EXPECT_EQ(static_cast<RECT*>(rc.lpStruct())->bottom, 61);
}

TEST(TStruct, ATextMemberPassesItsOwnCopyToWindows) {
    wl::TStruct s;
    s.AddMember("size", 7);
    s.AddMember("text", 9);
    s.set("text", wl::Value(std::string("ISA*00*")));
    // The record holds the address of its copy, the width of an address.
    ASSERT_EQ(s.SizeOf(), 4 + sizeof(void*));
    const char* p = nullptr;
    std::memcpy(&p, s.cBuffer().data() + 4, sizeof p);
    EXPECT_EQ(lstrlenA(p), 7);
}

}  // namespace
