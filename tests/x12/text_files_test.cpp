#include <gtest/gtest.h>

#include "file_io.hpp"
#include "paths.hpp"
#include "text_files.hpp"
#include "test_support.hpp"

namespace {

TEST(WholeFileReader, ComesBackByteForByte) {
    zrtest::TempDir dir;
    zrtest::PromptRecorder rec;
    // Several of the format's 1,000,000-byte blocks and a partial one, with
    // every byte value (NUL, CR, LF, 0x1A, high bytes) present.
    std::string big(2'500'000, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>((i * 131 + i / 7) & 0xFF);
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"one byte", "~"},
        {"crlf", "ISA*00~\r\nGS*HC~\r\n"},
        {"exactly one block", std::string(1'000'000, 'x')},
        {"three blocks", big},
    };
    for (const auto& c : cases) {
        std::string f = dir.write(c.name, c.bytes);
        EXPECT_EQ(zr::CTL39400AY(f), c.bytes) << c.name;
    }
    EXPECT_EQ(zr::CTL39400AY(dir.file("missing")), "");
    EXPECT_TRUE(rec.prompts().empty());
}

struct LoaderCase {
    const char* name;
    std::string bytes;
    int control;
    std::vector<std::string> records;  // the control's field, record by record
};

std::vector<std::string> fieldValues(const zr::LineTable& t, const std::string& field) {
    std::vector<std::string> out;
    for (std::size_t r = 0; r < t.records.size(); ++r) out.push_back(t.value(r, field));
    return out;
}

zr::LineTable tableWithAllFields() {
    zr::LineTable t;
    for (const char* f : {"JKZ00B", "JKZ00A", "ZQK00A", "ZQK00B", "ZQK31B", "JKZ28B", "JKZ36B", "JKZ37B"})
        t.fields.push_back({f, 254});
    return t;
}

TEST(LineLoader, LineEndsAndLastLines) {
    const LoaderCase cases[] = {
        {"crlf", "[SYSTEM]\r\nA=1\r\n", 1, {"[SYSTEM]", "A=1"}},
        {"lf", "[SYSTEM]\nA=1\n", 1, {"[SYSTEM]", "A=1"}},
        {"cr only", "A\rB\r", 1, {"A", "B"}},
        // A blank line after CR LF is a record of its own; after LF alone
        // the second LF belongs to the first line end.
        {"blank line crlf", "A\r\n\r\nB\r\n", 1, {"A", "", "B"}},
        {"blank line lf", "A\n\nB\n", 1, {"A", "B"}},
        {"eof mark ends a line", "A\x1a" "B", 1, {"A", "B"}},
        {"last line without break", "A\r\nB", 1, {"A", "B"}},
        {"control 38 last line stays empty", "A\r\nB", 38, {"A", ""}},
        {"unknown control gives empty records", "A\r\nB\r\n", 9, {"", ""}},
        {"tab dropped", "A\tB\r\n", 1, {"AB"}},
        {"empty file", "", 1, {}},
        {"control 0", "x\r\n", 0, {"x"}},
        {"control 37", "x", 37, {"x"}},
    };
    zrtest::TempDir dir;
    for (const auto& c : cases) {
        auto t = tableWithAllFields();
        std::string f = dir.write(c.name, c.bytes);
        zr::ZQK_0026(f, c.control, t);
        std::string field = zr::lineLoaderField(c.control);
        if (field.empty()) {
            EXPECT_EQ(t.records.size(), c.records.size()) << c.name;
            for (const auto& rec : t.records)
                for (const auto& v : rec) EXPECT_EQ(v, "") << c.name;
        } else {
            EXPECT_EQ(fieldValues(t, field), c.records) << c.name;
        }
    }
}

TEST(LineLoader, CutsToTheFieldWidth) {
    zrtest::TempDir dir;
    auto t = zr::LineTable::iniScratch();
    std::string longLine(100, 'K');
    zr::ZQK_0026(dir.write("zr.ini", longLine + "\r\nB\r\n"), 1, t);
    ASSERT_EQ(t.records.size(), 2u);
    EXPECT_EQ(t.value(0, "JKZ00A"), std::string(80, 'K'));
    EXPECT_EQ(t.value(1, "JKZ00A"), "B");
}

TEST(LineLoader, Control36WrapsAt72AtBlanks) {
    zrtest::TempDir dir;
    auto t = tableWithAllFields();
    std::string words;
    for (int i = 0; i < 20; ++i) words += "WORD" + std::to_string(i) + " ";  // 125 characters
    zr::ZQK_0026(dir.write("w.txt", words + "\r\n" + std::string(150, 'X') + "\r\n"), 36, t);
    auto v = fieldValues(t, "JKZ36B");
    std::string joined;
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_LE(v[i].size(), 72u);
        joined += v[i];
    }
    EXPECT_EQ(joined, words);
    EXPECT_EQ(v[0].back(), ' ');  // broken after a blank
    // No blank: hard cut at 72.
    ASSERT_EQ(v.size(), 5u);
    EXPECT_EQ(v[2], std::string(72, 'X'));
    EXPECT_EQ(v[3], std::string(72, 'X'));
    EXPECT_EQ(v[4], std::string(6, 'X'));
}

TEST(LineLoader, ControlCharacterReports) {
    zrtest::TempDir dir;
    auto t = zr::LineTable::iniScratch();
    std::string f = dir.write("zr.ini", "A\tB\r\n");
    std::string reports = zr::ZQK_0026(f, 1, t);
    EXPECT_EQ(reports, "Cfile <ERROR> FC-Fread Control Character #         9\n\rPosition :          1\n\rFile : " +
                           f + "\n\r6 Control :          1");
    EXPECT_EQ(zr::ZQK_0026(dir.file("missing.ini"), 1, t), "");
}

TEST(TextFileWriter, CreateThenAppend) {
    zrtest::TempDir dir;
    std::string f = dir.file("out.txt");
    zr::ZQK_0001E("ignored", f, 2);  // appending to a missing file does nothing
    EXPECT_FALSE(wl::fileExists(f));
    zr::ZQK_0001E("ignored", f, 1);  // mode 1 writes no text
    EXPECT_EQ(zrtest::readBytes(f), "");
    zr::ZQK_0001E("line 1\r\n", f, 2);
    zr::ZQK_0001F("line 2\r\n", f, 2);
    zr::ZQK_0001D("line 3\r\n", "x", f, 2);
    EXPECT_EQ(zrtest::readBytes(f), "line 1\r\nline 2\r\nline 3\r\n");
    zr::ZQK_0001E("", f, 1);  // empties an existing file
    EXPECT_EQ(zrtest::readBytes(f), "");
}

TEST(TextFileWriter, ReadOnlyMode) {
    zrtest::TempDir dir;
    std::string f = dir.file("ro.txt");
    zr::ZQK_0001E("", f, 10);
    EXPECT_TRUE(wl::fileExists(f));
    std::error_code ec;
    auto perms = std::filesystem::status(f, ec).permissions();
    EXPECT_EQ(perms & std::filesystem::perms::owner_write, std::filesystem::perms::none);
    std::filesystem::permissions(f, std::filesystem::perms::owner_all, ec);  // so the folder can go
}

TEST(UploadPage, NamesTheTargetAndButton) {
    zrtest::TempDir dir;
    std::string f = dir.file("upload.htm");
    zr::CTL39400AL(f, 1);
    std::string page = zrtest::readBytes(f);
    EXPECT_NE(page.find("action=\"result.htm\""), std::string::npos);
    EXPECT_NE(page.find("value=\"IR071536\""), std::string::npos);
    EXPECT_NE(page.find("name=\"upload\" size=\"60\""), std::string::npos);
    EXPECT_NE(page.find("value=\"View File\""), std::string::npos);
    EXPECT_EQ(page.find('\n'), std::string::npos);  // lines end with CR alone
    zr::CTL39400AL(f, 3);
    page = zrtest::readBytes(f);
    EXPECT_NE(page.find("action=\"test.htm\""), std::string::npos);
    EXPECT_NE(page.find("value=\"Upload File\""), std::string::npos);
}

}  // namespace
