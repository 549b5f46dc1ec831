#include "bit_flags.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(BitFlags, CombineAnyNumberOfValues) {
    EXPECT_EQ(wl::NOR({}), 0);
    EXPECT_EQ(wl::NAND({}), -1);
    EXPECT_EQ(wl::NXOR({}), 0);
    EXPECT_EQ(wl::NOR({1, 2, 8}), 11);
    EXPECT_EQ(wl::NAND({7, 14}), 6);
    EXPECT_EQ(wl::NXOR({5, 3, 1}), 7);
    EXPECT_EQ(wl::NNOT(0), -1);
    EXPECT_TRUE(wl::LAND(6, 2));
    EXPECT_FALSE(wl::LAND(4, 3));
    EXPECT_TRUE(wl::LXOR(1, 3));
    EXPECT_FALSE(wl::LXOR(9, 9));
}

TEST(BitFlags, LowWordSignedAndPacking) {
    EXPECT_EQ(wl::UTOS(65529), -7);
    EXPECT_EQ(wl::UTOS(12), 12);
    EXPECT_EQ(wl::UTOS(0x1FFFF), -1);  // only the low 16 bits count
    EXPECT_EQ(wl::PACKWORD10(5, 2), 2 * 1024 + 5);
}

TEST(BitFlags, HexFormattersUseUpperCaseFixedWidths) {
    EXPECT_EQ(wl::HEX4(0xABCDE), "BCDE");
    EXPECT_EQ(wl::HEX8(0x1A2B), "00001A2B");
    EXPECT_EQ(wl::HEX8(-1), "FFFFFFFF");
}

TEST(BitFlags, AddressesHoldWholePointers) {
    std::string text = "hello";
    const std::uintptr_t address = wl::STRPTR(text);
    EXPECT_EQ(reinterpret_cast<const char*>(address), text.data());
    EXPECT_EQ(wl::PEEKPOKEBYTE(1, address), unsigned('h'));
    EXPECT_EQ(wl::PEEKPOKEBYTE(2, address, 'E'), unsigned('E'));
    EXPECT_EQ(text, "hEllo");
    EXPECT_EQ(wl::PEEKWORD(address), unsigned('h') | (unsigned('E') << 8));

    std::string target = "abc";
    const std::string source = "XYZW";
    EXPECT_EQ(wl::COPYTOADDRESS(wl::STRPTR(source), reinterpret_cast<std::uintptr_t>(target.data())),
              wl::STRPTR(source) + 3);
    EXPECT_EQ(target, "XYZ");
}

}  // namespace
