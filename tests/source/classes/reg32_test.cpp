#include <gtest/gtest.h>

#include "reg32.hpp"

namespace {

// A test-only key under HKEY_CURRENT_USER, deleted afterwards.
class Reg32 : public ::testing::Test {
protected:
    const std::string path = "Software\\zrtest-reg32-" + std::to_string(GetCurrentProcessId());
    void TearDown() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, (path + "\\child").c_str());
        EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str()), ERROR_SUCCESS);
    }
};

TEST_F(Reg32, ValuesWrittenReadBackAsTheDefaultsType) {
    wl::TReg32 reg = wl::TReg32::Create(HKEY_CURRENT_USER, path);
    ASSERT_EQ(reg.nError, ERROR_SUCCESS);
    ASSERT_NE(reg.nHandle, nullptr);
    reg.Set("count", wl::Value(-60));
    reg.Set("name", wl::Value("x12 tool"));
    reg.Set("on", wl::Value(true));
    reg.Set("day", wl::Value(wl::Date{2025, 7, 4}));
    reg.Set("digits", wl::Value("123"));
    reg.Set("blob", wl::Value(std::string("a\0b", 3)), REG_BINARY);
    EXPECT_EQ(reg.nError, ERROR_SUCCESS);

    EXPECT_EQ(reg.Get("count", wl::Value(0)).number(), -60);
    EXPECT_EQ(reg.Get("missing", wl::Value(7)).number(), 7);
    EXPECT_EQ(reg.Get("name", wl::Value("")).text(), "x12 tool");
    EXPECT_EQ(reg.Get("missing", wl::Value("dflt")).text(), "");
    EXPECT_TRUE(reg.Get("on", wl::Value(false)).logical());
    wl::Value day = reg.Get("day", wl::Value(wl::Date{}));
    ASSERT_TRUE(day.isDate());
    EXPECT_EQ(std::get<wl::Date>(day.storage()).year, 2025);
    EXPECT_EQ(reg.Get("blob", wl::Value("")).text(), "ab");  // zero bytes removed
    EXPECT_EQ(reg.GetBinary("blob"), std::string("a\0b", 3));
    EXPECT_EQ(reg.GetBinary("missing"), "");

    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueExA(reg.nHandle, "name", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    ASSERT_EQ(RegQueryValueExA(reg.nHandle, "count", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
}

TEST_F(Reg32, OpensExistingKeysAndDeletesSubKeys) {
    {
        wl::TReg32 made = wl::TReg32::Create(HKEY_CURRENT_USER, path + "\\child");
        made.Set("v", wl::Value(1));
    }
    wl::TReg32 reg(HKEY_CURRENT_USER, path + "\\child");
    EXPECT_EQ(reg.nError, ERROR_SUCCESS);
    EXPECT_EQ(reg.Get("v", wl::Value(0)).number(), 1);
    reg.Close();
    EXPECT_EQ(reg.nHandle, nullptr);

    wl::TReg32 parent(HKEY_CURRENT_USER, path);
    EXPECT_EQ(parent.Delete("child"), ERROR_SUCCESS);
    wl::TReg32 gone(HKEY_CURRENT_USER, path + "\\child");
    EXPECT_NE(gone.nError, ERROR_SUCCESS);
    EXPECT_EQ(gone.Get("v", wl::Value(9)).number(), 9);
}

TEST_F(Reg32, AnErrorFlagStopsReadsAndWrites) {
    wl::TReg32 reg = wl::TReg32::Create(HKEY_CURRENT_USER, path);
    reg.lError = true;
    reg.Set("v", wl::Value(1));
    reg.lError = false;
    EXPECT_EQ(reg.Get("v", wl::Value(0)).number(), 0);
}

}  // namespace
