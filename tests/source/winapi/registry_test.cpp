#include <gtest/gtest.h>

#include <map>

#include "registry.hpp"

namespace {

// A test-only key under HKEY_CURRENT_USER, deleted afterwards.
class Registry : public ::testing::Test {
protected:
    const std::string path = "Software\\zrtest-registry-" + std::to_string(GetCurrentProcessId());
    HKEY key = nullptr;

    void SetUp() override { ASSERT_EQ(wl::REGCREATEKEY(HKEY_CURRENT_USER, path, key), ERROR_SUCCESS); }
    void TearDown() override {
        wl::REGCLOSEKEY(key);
        wl::REGDELETEKEY(HKEY_CURRENT_USER, path + "\\child");
        EXPECT_EQ(wl::REGDELETEKEY(HKEY_CURRENT_USER, path), ERROR_SUCCESS);
        HKEY gone = nullptr;
        EXPECT_NE(wl::REGOPENKEYEX(HKEY_CURRENT_USER, path, KEY_READ, gone), ERROR_SUCCESS);
    }

    std::string read(const std::string& name, DWORD& type, DWORD& size) {
        std::string value = "untouched";
        EXPECT_EQ(wl::REGQUERYVALUEEX(key, name, type, value, size), ERROR_SUCCESS) << name;
        return value;
    }
};

TEST_F(Registry, EachValueKindReadsBackAsItsBytes) {
    struct Case {
        const char* name;
        DWORD type;
        wl::Value value;
        DWORD size;
        std::string bytes;
    };
    const Case cases[] = {
        {"text", REG_SZ, wl::Value("hello"), 6, std::string("hello\0", 6)},
        {"expand", REG_EXPAND_SZ, wl::Value("%TEMP%"), 7, std::string("%TEMP%\0", 7)},
        {"binary", REG_BINARY, wl::Value(std::string("\x01\x00\xFF\x7F", 4)), 4, std::string("\x01\x00\xFF\x7F", 4)},
        {"number", REG_DWORD, wl::Value(0x12345678), 4, std::string("\x78\x56\x34\x12", 4)},
        {"negative", REG_DWORD, wl::Value(-2), 4, std::string("\xFE\xFF\xFF\xFF", 4)},
        {"multi", REG_MULTI_SZ, wl::Value(std::string("a\0bc\0\0", 6)), 6, std::string("a\0bc\0\0", 6)},
        // Sizes beyond the value are zeros, never bytes from after it in memory.
        {"short text", REG_BINARY, wl::Value("ab"), 8, std::string("ab\0\0\0\0\0\0", 8)},
        {"short number", REG_BINARY, wl::Value(1), 6, std::string("\x01\0\0\0\0\0", 6)},
    };
    for (const auto& c : cases) {
        auto rc = wl::REGSETVALUEEX(key, c.name, c.type, c.value, c.size);
        ASSERT_TRUE(rc.has_value()) << c.name;
        EXPECT_EQ(*rc, ERROR_SUCCESS) << c.name;
        DWORD type = 0, size = 0;
        EXPECT_EQ(read(c.name, type, size), c.bytes) << c.name;
        EXPECT_EQ(type, c.type) << c.name;
        EXPECT_EQ(size, c.bytes.size()) << c.name;
    }
}

TEST_F(Registry, OtherValuesWriteNothing) {
    EXPECT_FALSE(wl::REGSETVALUEEX(key, "nil", REG_SZ, wl::Value(), 4).has_value());
    EXPECT_FALSE(wl::REGSETVALUEEX(key, "logical", REG_SZ, wl::Value(true), 4).has_value());
    DWORD type = 0, size = 0;
    std::string value;
    EXPECT_EQ(wl::REGQUERYVALUEEX(key, "nil", type, value, size), ERROR_FILE_NOT_FOUND);
}

TEST_F(Registry, SubKeysValuesAndEnumeration) {
    HKEY child = nullptr;
    ASSERT_EQ(wl::REGCREATEKEY(key, "child", child), ERROR_SUCCESS);
    ASSERT_EQ(wl::REGSETVALUEEX(child, "", REG_SZ, wl::Value("default text"), 13).value_or(-1), ERROR_SUCCESS);
    wl::REGCLOSEKEY(child);

    std::string text;
    EXPECT_EQ(wl::REGQUERYVALUE(key, "child", text), ERROR_SUCCESS);
    EXPECT_EQ(text, "default text");
    std::string name;
    EXPECT_EQ(wl::REGENUMKEY(key, 0, name), ERROR_SUCCESS);
    EXPECT_EQ(name, "child");
    EXPECT_EQ(wl::REGENUMKEY(key, 1, name), ERROR_NO_MORE_ITEMS);

    HKEY opened = nullptr;
    ASSERT_EQ(wl::REGOPENKEY(HKEY_CURRENT_USER, path, opened), ERROR_SUCCESS);
    ASSERT_EQ(wl::REGSETVALUEEX(opened, "s", REG_SZ, wl::Value("txt"), 4).value_or(-1), ERROR_SUCCESS);
    ASSERT_EQ(wl::REGSETVALUEEX(opened, "d", REG_DWORD, wl::Value(99), 4).value_or(-1), ERROR_SUCCESS);
    wl::REGCLOSEKEY(opened);

    std::map<std::string, wl::Value> values;
    for (DWORD i = 0;; ++i) {
        std::string n;
        wl::Value v;
        if (wl::REGENUMVALUE(key, i, n, v) != ERROR_SUCCESS) break;
        values[n] = v;
    }
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values["s"].text(), "txt");
    EXPECT_EQ(values["d"].number(), 99);
}

}  // namespace
