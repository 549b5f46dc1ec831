#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "delimiters.hpp"
#include "test_support.hpp"

namespace {

// A standard 106-byte ISA header: element "*", component ":", terminator "~".
const std::string kIsa =
    "ISA*00*          *00*          *ZZ*SUBMITTER      *ZZ*RECEIVER       *261210*1253*^*00501*000000001*0*P*:~";

std::string readMode(const std::string& file, int mode, std::int64_t base = 0) {
    return zr::CTL39400J(file, ">", "*", "~", mode, base);
}

TEST(Delimiters, StandardHeaderIs106Bytes) { ASSERT_EQ(kIsa.size(), 106u); }

TEST(Delimiters, ReadAtFixedOffsetsFromTheBase) {
    zrtest::TempDir dir;
    zrtest::PromptRecorder rec;
    struct Case {
        const char* name;
        std::string bytes;
        std::int64_t base;
        const char* terminator;
        const char* element;
        const char* component;
    };
    std::string lower = kIsa;
    lower.replace(0, 3, "isa");
    std::string pipes = kIsa;
    pipes[103] = '|';
    pipes[104] = '^';
    pipes[105] = '\n';
    const Case cases[] = {
        {"standard", kIsa + "GS*HC~", 0, "~", "*", ":"},
        {"lower-case isa", lower, 0, "~", "*", ":"},
        {"odd delimiters", pipes, 0, "\n", "|", "^"},
        {"two bytes before ISA", "xx" + kIsa, 2, "~", "*", ":"},
        {"50 bytes", std::string(50, 'A'), 0, " ", " ", " "},
        {"empty", "", 0, " ", " ", " "},
    };
    for (const auto& c : cases) {
        std::string f = dir.write(c.name, c.bytes);
        EXPECT_EQ(readMode(f, 1, c.base), c.terminator) << c.name;
        EXPECT_EQ(readMode(f, 2, c.base), c.element) << c.name;
        EXPECT_EQ(readMode(f, 3, c.base), c.component) << c.name;
        zr::X12Delimiters d = zr::readDelimiters(f, c.base);
        EXPECT_EQ(d.terminator, c.terminator) << c.name;
        EXPECT_EQ(d.element, c.element) << c.name;
        EXPECT_EQ(d.component, c.component) << c.name;
    }
    EXPECT_TRUE(rec.prompts().empty()) << "short files are not errors";
}

// Headers that leave the fixed layout are read as written: the separator
// after "ISA", ISA16 after the sixteenth separator, then the terminator.
TEST(Delimiters, HeadersOutOfTheFixedLayoutAreReadAsWritten) {
    zrtest::TempDir dir;
    zrtest::PromptRecorder rec;
    std::string padded = kIsa;
    padded.replace(54, 15, "RECEIVER                 ");  // ISA08 ten bytes too wide
    std::string cut = kIsa;
    cut.erase(60, 3);  // three bytes short
    std::string wrapped = kIsa;
    wrapped.insert(80, "\n");  // a line break inside ISA09
    std::string ellipsis = kIsa;
    ellipsis.replace(105, 1, "\xE2\x80\xA6");
    std::string pipes = padded;
    for (char& c : pipes)
        if (c == '*') c = '|';
    struct Case {
        const char* name;
        std::string bytes;
        std::int64_t base;
        const char* terminator;
        const char* element;
        const char* component;
    };
    const Case cases[] = {
        {"padded", padded + "GS*HC~", 0, "~", "*", ":"},
        {"padded pipes", pipes + "\nGS|HC~", 0, "~", "|", ":"},
        {"cut short", cut + "\nGS*HC~", 0, "~", "*", ":"},
        {"wrapped", wrapped + "GS*HC~", 0, "~", "*", ":"},
        {"padded after prose", "Text\r\n" + padded + "GS*HC~", 6, "~", "*", ":"},
        {"utf-8 terminator", ellipsis + "\nGS*HC\xE2\x80\xA6", 0, "\xE2\x80\xA6", "*", ":"},
        // Fewer than sixteen separators: nothing to count, the fixed offsets stand.
        {"ten elements", "ISA*00*00*00*00*00*00*00*00*00*00~", 0, " ", " ", " "},
    };
    for (const auto& c : cases) {
        const zr::X12Delimiters d = zr::readDelimiters(dir.write(c.name, c.bytes), c.base);
        EXPECT_EQ(d.terminator, c.terminator) << c.name;
        EXPECT_EQ(d.element, c.element) << c.name;
        EXPECT_EQ(d.component, c.component) << c.name;
    }
    EXPECT_TRUE(rec.prompts().empty());
}

TEST(Delimiters, AbsoluteModesIgnoreTheBase) {
    zrtest::TempDir dir;
    std::string f = dir.write("a.x12", "xx" + kIsa);
    EXPECT_EQ(readMode(f, 101, 50), "x");
    EXPECT_EQ(readMode(f, 103, 50), "I");
    EXPECT_EQ(readMode(f, 7), " ");  // unknown mode
}

TEST(Delimiters, MissingFileGivesBlanksWithoutAMessage) {
    zrtest::TempDir dir;
    zrtest::PromptRecorder rec;
    EXPECT_EQ(readMode(dir.file("missing.x12"), 1), " ");
    EXPECT_FALSE(zr::CTL39400AK(dir.file("missing.x12")));
    EXPECT_FALSE(zr::CTL39400AJ(dir.file("missing.x12")).has_value());
    EXPECT_TRUE(rec.prompts().empty());
}

TEST(Delimiters, HeaderRecognition) {
    zrtest::TempDir dir;
    struct Case {
        const char* name;
        std::string bytes;
        bool isX12;
        bool blankSeparator;
    };
    const Case cases[] = {
        {"standard", kIsa, true, false},
        {"lower", "isa*00", true, false},
        {"blank separator", "ISA 00 ", true, true},
        {"lower blank", "isa 00", true, true},
        {"prose first", "Hello\nISA*", false, false},
        {"two bytes", "IS", false, false},
        {"empty", "", false, false},
    };
    for (const auto& c : cases) {
        std::string f = dir.write(c.name, c.bytes);
        EXPECT_EQ(zr::CTL39400AK(f), c.isX12) << c.name;
        EXPECT_EQ(zr::CTL39400AO(f), c.blankSeparator) << c.name;
    }
}

TEST(Delimiters, LocatorAnswersPositionMinusOneOrNothing) {
    zrtest::TempDir dir;
    struct Case {
        const char* name;
        std::string bytes;
        std::optional<std::int64_t> want;
    };
    // An ISA across the locator's 64 KiB read boundary.
    std::string boundary(65535, 'x');
    boundary += kIsa;
    const Case cases[] = {
        {"at start", kIsa, -1},
        {"after two bytes", "xx" + kIsa, 1},
        {"at position 1", "x" + kIsa, 0},
        {"lower case", "ab\nisa*00", 2},
        {"boundary", boundary, 65534},
        {"no ISA", "GS*HC*A~ST*837*1~", std::nullopt},
        {"empty", "", std::nullopt},
        {"IS at end", "xxIS", std::nullopt},
    };
    for (const auto& c : cases) {
        std::string f = dir.write(c.name, c.bytes);
        EXPECT_EQ(zr::CTL39400AJ(f), c.want) << c.name;
    }
}

// The head read once answers what the locator and the delimiter reader
// answer, asked of the file step by step: near the start, past the first
// read (an ISA after 64 KiB, a header across its end), out of the fixed
// layout, and for files that are no X12 or are not there.
TEST(Delimiters, SourceHeadReadOnceAnswersAsTheStepByStepReads) {
    zrtest::TempDir dir;
    zrtest::PromptRecorder rec;
    std::string wrapped = kIsa;
    wrapped.insert(80, "\n");
    std::string ellipsis = kIsa;
    ellipsis.replace(105, 1, "\xE2\x80\xA6");
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"at start", kIsa + "GS*HC~"},
        {"after a byte order mark", "\xEF\xBB\xBF" + kIsa + "GS*HC~"},
        {"lower case after prose", "Text\r\nisa|00|" + kIsa.substr(7)},
        {"wrapped", wrapped + "GS*HC~"},
        {"utf-8 terminator", ellipsis + "\nGS*HC\xE2\x80\xA6"},
        {"cut inside the header", kIsa.substr(0, 90)},
        {"ISA alone", "ISA"},
        {"no ISA", "GS*HC*A~ST*837*1~"},
        {"empty", ""},
        {"header across the first read", std::string(65536 - 50, 'x') + kIsa + "GS*HC~"},
        {"ISA after the first read", std::string(70000, 'x') + kIsa + "GS*HC~"},
        {"no ISA in a long file", std::string(70000, 'x')},
    };
    for (const auto& c : cases) {
        const std::string f = dir.write(c.name, c.bytes);
        const zr::SourceHead head = zr::readSourceHead(f);
        const std::optional<std::int64_t> isa = zr::CTL39400AJ(f);
        EXPECT_EQ(head.isaAt, isa) << c.name;
        if (head.measured) {
            EXPECT_EQ(head.size, c.bytes.size()) << c.name;
        }
        if (!isa) continue;
        const zr::X12Delimiters want = zr::readDelimiters(f, *isa + 1);
        EXPECT_EQ(head.delimiters.terminator, want.terminator) << c.name;
        EXPECT_EQ(head.delimiters.element, want.element) << c.name;
        EXPECT_EQ(head.delimiters.component, want.component) << c.name;
    }
    const zr::SourceHead missing = zr::readSourceHead(dir.file("none.x12"));
    EXPECT_FALSE(missing.measured);
    EXPECT_FALSE(missing.isaAt);
    EXPECT_TRUE(rec.prompts().empty());
}

TEST(Delimiters, UnusedOffsetReader) {
    zrtest::TempDir dir;
    std::string f = dir.write("a.x12", kIsa);
    EXPECT_EQ(zr::CTL39400AR(f, "", "", "", 1, 0), std::string(1, kIsa[102]));
    EXPECT_EQ(zr::CTL39400AR(f, "", "", "", 3, 0), std::string(1, kIsa[100]));
    EXPECT_EQ(zr::CTL39400AR(f, "", "", "", 1, 106), " ");  // start beyond the end
}

// Every shared sample: the delimiters read at the located base are the
// ones its README lists (files whose ISA is not 106 bytes long excepted).
struct SampleRow {
    std::string file, delimiters, envelope;
};

std::vector<std::string> cells(const std::string& line) {
    std::vector<std::string> out;
    std::string cell;
    // Cells are split at "|"; a pipe inside a cell is written "\|".
    for (std::size_t i = 1; i < line.size(); ++i) {
        char c = line[i];
        if (c == '|' && line[i - 1] != '\\') {
            out.push_back(cell);
            cell.clear();
        } else {
            cell += c;
        }
    }
    return out;
}

std::vector<SampleRow> sampleRows() {
    std::ifstream in(std::string(ZR_SAMPLES) + "/README.md", std::ios::binary);
    std::vector<SampleRow> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("| `", 0) != 0) continue;
        auto c = cells(line);
        if (c.size() < 12) continue;
        SampleRow r;
        r.file = c[0].substr(2, c[0].size() - 4);  // " `dir/name` "
        r.delimiters = c[9];
        r.envelope = c[11];
        rows.push_back(r);
    }
    return rows;
}

// The delimiter cell: element, component, repetition, terminator, each in
// backticks (double backticks around a backtick), "—" for none, LF/CR bare.
std::vector<std::string> delimiterTokens(const std::string& cell) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < cell.size()) {
        if (cell[i] == ' ') {
            ++i;
        } else if (cell.compare(i, 3, "`` ") == 0) {
            std::size_t end = cell.find(" ``", i + 3);
            out.push_back(cell.substr(i + 3, end - i - 3));
            i = end + 3;
        } else if (cell[i] == '`') {
            std::size_t end = cell.find('`', i + 1);
            std::string t = cell.substr(i + 1, end - i - 1);
            if (t == "\\|") t = "|";
            if (t.rfind("U+", 0) == 0 && t.find('(') != std::string::npos) {
                // A character of several bytes: "U+2026(E280A6)".
                const std::string hex = t.substr(t.find('(') + 1, t.find(')') - t.find('(') - 1);
                t.clear();
                for (std::size_t k = 0; k + 1 < hex.size(); k += 2)
                    t += static_cast<char>(std::stoi(hex.substr(k, 2), nullptr, 16));
            }
            out.push_back(t);
            i = end + 1;
        } else {
            std::size_t end = cell.find(' ', i);
            std::string t = cell.substr(i, end == std::string::npos ? std::string::npos : end - i);
            out.push_back(t == "LF" ? "\n" : t == "CR" ? "\r" : t);
            if (end == std::string::npos) break;
            i = end;
        }
    }
    return out;
}

TEST(Delimiters, SharedSamplesMatchTheirReadme) {
    ZR_REQUIRE_SAMPLES();
    auto rows = sampleRows();
    ASSERT_EQ(rows.size(), 72u);
    zrtest::PromptRecorder rec;
    int checked = 0;
    for (const auto& r : rows) {
        const std::string path = std::string(ZR_SAMPLES) + "/" + r.file;
        auto located = zr::CTL39400AJ(path);
        ASSERT_TRUE(located.has_value()) << r.file;
        bool prose = r.envelope.find("data before ISA") != std::string::npos;
        EXPECT_EQ(*located == -1, !prose) << r.file;
        EXPECT_EQ(zr::CTL39400AK(path), !prose) << r.file;
        // Headers padded, cut short or broken by line breaks are read as
        // written, not at the fixed offsets.
        auto t = delimiterTokens(r.delimiters);
        ASSERT_GE(t.size(), 4u) << r.file << ": " << r.delimiters;
        zr::X12Delimiters d = zr::readDelimiters(path, *located + 1);
        EXPECT_EQ(d.element, t[0]) << r.file;
        EXPECT_EQ(d.component, t[1]) << r.file;
        EXPECT_EQ(d.terminator, t[3]) << r.file;
        ++checked;
    }
    EXPECT_EQ(checked, 72);
    EXPECT_TRUE(rec.prompts().empty());
}

}  // namespace
