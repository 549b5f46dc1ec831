#include <gtest/gtest.h>

#include "call_descriptor.hpp"

namespace {

wl::CallDescriptor moveFile(std::uint64_t address) {
    // MoveFileA: lPascal true, result type 7, two text arguments.
    return {address, true, 7, {9, 9}};
}

TEST(CallDescriptor, ThirtyTwoBitLayout) {
    std::string d = wl::callDescriptorText(moveFile(0x7C812345), 4);
    ASSERT_EQ(d.size(), 11u);
    EXPECT_EQ(d.substr(0, 4), std::string("\x45\x23\x81\x7C", 4));
    EXPECT_EQ(d[4], 1);
    EXPECT_EQ(d[5], 7);
    EXPECT_EQ(d[6], 2);
    EXPECT_EQ(d.substr(7), std::string("\x09\x09\0\0", 4));
}

TEST(CallDescriptor, WideAddressesKeepTheTypeBytesInPlace) {
    std::uint64_t address = 0x00007FF812345678ull;
    std::string d = wl::callDescriptorText(moveFile(address), 8);
    ASSERT_EQ(d.size(), 13u);
    EXPECT_EQ(d[5], 7);
    EXPECT_EQ(d[6], 2);
    auto back = wl::parseCallDescriptor(d, 8);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->address, address);
    EXPECT_TRUE(back->pascalFlag);
    EXPECT_EQ(back->argTypes, (std::vector<std::uint8_t>{9, 9}));
}

TEST(CallDescriptor, RoundTripAndShortTexts) {
    for (std::size_t width : {4u, 8u}) {
        wl::CallDescriptor none{0, false, 0, {}};
        auto back = wl::parseCallDescriptor(wl::callDescriptorText(none, width), width);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->address, 0u);
        EXPECT_TRUE(back->argTypes.empty());
    }
    EXPECT_FALSE(wl::parseCallDescriptor("", 4));
    // Declares three argument types but holds one.
    EXPECT_FALSE(wl::parseCallDescriptor(std::string("\1\0\0\0\0\7\3\7", 8), 4));
}

TEST(CallDescriptor, ValueKinds) {
    using K = wl::CallValueKind;
    EXPECT_EQ(wl::argumentKind(0), K::None);
    EXPECT_EQ(wl::argumentKind(3), K::Whole32);
    EXPECT_EQ(wl::argumentKind(5), K::Logical);
    EXPECT_EQ(wl::argumentKind(6), K::Whole32);
    EXPECT_EQ(wl::resultKind(6), K::None);
    EXPECT_EQ(wl::argumentKind(10), K::Handle);
    EXPECT_EQ(wl::argumentKind(8), K::Text);
    EXPECT_EQ(wl::argumentKind(11), K::Double);
    EXPECT_EQ(wl::argumentKind(13), K::None);
    EXPECT_TRUE(wl::writesBackThroughPointer(12));
    EXPECT_FALSE(wl::writesBackThroughPointer(9));
}

}  // namespace
