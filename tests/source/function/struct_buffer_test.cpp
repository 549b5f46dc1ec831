#include <gtest/gtest.h>

#include <cstring>

#include "struct_buffer.hpp"
#include "test_support.hpp"

namespace {

TEST(StructBuffer, MembersFollowEachOtherWithoutGaps) {
    for (std::size_t width : {4u, 8u}) {
        wl::StructBuffer s(width);
        s.AddMember("flag", 1);
        s.AddMember("count", 7);
        EXPECT_EQ(s.SizeOf(), 5u);
        EXPECT_EQ(s.aMembers()[1].offset, 1u);
        EXPECT_EQ(s.aMembers()[1].name, "COUNT");
        s.AddMember("word", 3);
        s.AddMember("ok", 5);
        s.AddMember("name", 8, 6);
        s.AddMember("handle", 10);
        EXPECT_EQ(s.SizeOf(), 5u + 2 + 2 + 6 + width);
        EXPECT_EQ(s.cBuffer(), std::string(s.SizeOf(), '\0'));  // new members are zeros
    }
}

TEST(StructBuffer, ConversionsByMemberType) {
    wl::StructBuffer s(4);
    s.AddMember("b", 1);
    s.AddMember("l", 7);
    s.AddMember("w", 3);
    s.AddMember("ok", 5);
    s.AddMember("name", 8, 5);

    s.set("b", wl::Value("Zed"));
    EXPECT_EQ(s.get("B").number(), 'Z');
    s.set("b", wl::Value(true));
    EXPECT_EQ(s.get("b").number(), 1);
    s.set("l", wl::Value(-2));
    EXPECT_EQ(s.get("l").number(), -2);
    EXPECT_EQ(s.cBuffer().substr(1, 4), std::string("\xFE\xFF\xFF\xFF", 4));
    s.set("w", wl::Value(0x1234));
    EXPECT_EQ(s.cBuffer().substr(5, 2), "\x34\x12");
    s.set("w", wl::Value("AB"));
    EXPECT_EQ(s.get("w").number(), 0x4241);
    s.set("ok", wl::Value(true));
    EXPECT_TRUE(s.get("ok").logical());
    s.set("name", wl::Value("Arial Narrow"));  // cut to the member's length
    EXPECT_EQ(s.get("name").text(), "Arial");
    s.set("name", wl::Value("ab "));
    EXPECT_EQ(s.cBuffer().substr(9), std::string("ab \0\0", 5));
    EXPECT_EQ(s.get("name").text(), "ab");
    s.set("name", wl::Value(42));
    EXPECT_EQ(s.get("name").text(), "42");
}

TEST(StructBuffer, KeepsItsOwnCopyOfATextWhoseAddressItHolds) {
    wl::StructBuffer s;
    s.AddMember("text", 9);
    {
        std::string gone = "temporary text";
        s.set("text", wl::Value(gone));
    }
    const std::string& b = s.cBuffer();
    std::uintptr_t address = 0;
    std::memcpy(&address, b.data(), sizeof address);
    ASSERT_NE(address, 0u);
    EXPECT_STREQ(reinterpret_cast<const char*>(address), "temporary text");
    // The address survives a move of the record.
    wl::StructBuffer moved = std::move(s);
    EXPECT_STREQ(reinterpret_cast<const char*>(address), "temporary text");
}

TEST(StructBuffer, UnknownMembersAndUnreadableTypes) {
    zrtest::PromptRecorder prompts;
    wl::StructBuffer s;
    s.AddMember("h", 10);
    try {
        s.get("missing");
        FAIL() << "reading an unknown member must raise";
    } catch (const wl::MessageNotFound& e) {
        EXPECT_EQ(e.code, 1004);
        EXPECT_EQ(e.operation, "TSTRUCT:MISSING");
    }
    try {
        s.set("missing", wl::Value(1));
        FAIL() << "writing an unknown member must raise";
    } catch (const wl::MessageNotFound& e) {
        EXPECT_EQ(e.code, 1005);
        EXPECT_EQ(e.operation, "TSTRUCT:_MISSING");
    }
    EXPECT_TRUE(s.get("h").isNil());
    ASSERT_EQ(prompts.texts().size(), 1u);
    EXPECT_EQ(prompts.texts()[0], "Member type conversion not implemented yet!");
}

}  // namespace
