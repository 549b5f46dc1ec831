// The code-page tables agree with the system's own conversion and case
// functions for every byte (where the system's OEM and ANSI pages are 437
// and 1252).
#include <windows.h>

#include <gtest/gtest.h>

#include "code_pages.hpp"

namespace {

TEST(CodePagesOnWindows, TablesMatchTheSystem) {
    if (GetOEMCP() != 437 || GetACP() != 1252) GTEST_SKIP() << "the system's code pages are not 437 and 1252";
    for (int b = 1; b < 256; ++b) {
        char in[2] = {static_cast<char>(b), 0}, out[2] = {};
        OemToCharA(in, out);
        EXPECT_EQ(wl::OEMTOANSI(std::string(1, in[0])), std::string(1, out[0])) << "OEM byte " << b;
        CharToOemA(in, out);
        EXPECT_EQ(wl::ANSITOOEM(std::string(1, in[0])), std::string(1, out[0])) << "ANSI byte " << b;
        char up[2] = {in[0], 0}, low[2] = {in[0], 0};
        CharUpperA(up);
        CharLowerA(low);
        EXPECT_EQ(wl::CHARUPPER(std::string(1, in[0])), std::string(1, up[0])) << "byte " << b;
        EXPECT_EQ(wl::CHARLOWER(std::string(1, in[0])), std::string(1, low[0])) << "byte " << b;
    }
}

}  // namespace
