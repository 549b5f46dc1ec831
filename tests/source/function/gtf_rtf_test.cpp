#include "gtf_rtf.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "messages.hpp"

namespace {

// GTF written readably: | field end, # section end, @ font code, $ colour
// code, ~ alignment code.
std::string g(std::string text) {
    for (char& c : text) {
        switch (c) {
        case '|': c = wl::kGtfFieldEnd; break;
        case '#': c = wl::kGtfSectionEnd; break;
        case '@': c = wl::kGtfFontCode; break;
        case '$': c = wl::kGtfColorCode; break;
        case '~': c = wl::kGtfAlignCode; break;
        default: break;
        }
    }
    return text;
}

// Records the warnings instead of showing them.
struct Warnings {
    std::vector<std::string> texts;
    wl::ScopedPromptHook hook{[this](const wl::Prompt& p) {
        texts.push_back(p.text);
        return wl::PromptAnswer{};
    }};
};

TEST(GtfFormat, RecognisesGtfAndRtf) {
    const struct {
        std::string text;
        bool gtf, rtf;
    } cases[] = {
        {g("GTF|1#"), true, false},
        {"GTF", true, false},
        {g("GTFX|1#"), false, false},
        {g(" GTF|"), false, false},
        {"{\\rtf1\\ansi}", false, true},
        {"{\\rtf", false, true},
        {"{\\RTF1", false, false},
        {" {\\rtf1", false, false},
        {"", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wl::IsGTF(c.text), c.gtf) << c.text;
        EXPECT_EQ(wl::IsRTF(c.text), c.rtf) << c.text;
    }
}

TEST(GtfFormat, ColourBytes) {
    EXPECT_EQ((wl::GetRValue)(0x00332211), 0x11);
    EXPECT_EQ((wl::GetGValue)(0x00332211), 0x22);
    EXPECT_EQ((wl::GetBValue)(0x00332211), 0x33);
    EXPECT_EQ((wl::GetBValue)(0xFFFFFFFF), 0xFF);
}

TEST(TxtToGtf, WritesHeaderOneFontAndTheThreeCodes) {
    EXPECT_EQ(wl::TxtToGtf("abc"), g("GTF|1#system|14|0|0|0|0|0|#~0|@1|$0|abc#"));
    wl::GtfFont arial{"Arial", "16", "7.04", true, false, true, false};
    EXPECT_EQ(wl::TxtToGtf("x\r\ny", 2, arial, 255), g("GTF|1#Arial|16|7.04|1|0|1|0|#~2|@1|$255|x\r\ny#"));
}

TEST(TxtToGtf, GtfTextIsReturnedUnchanged) {
    std::string gtf = g("GTF|1#Arial|16|7.04|0|0|0|0|#~1|@1|$0|centred#");
    EXPECT_EQ(wl::TxtToGtf(gtf, 0), gtf);
}

// An X12 file may use bytes 5, 7 and 15-17 as delimiters: they cannot stand
// in GTF text, and the text after them must not be cut off.
TEST(TxtToGtf, CodeBytesInTheTextAreReplacedNotTruncated) {
    std::string x12 = "ISA\x07" "00\x05" "X\x0F" "Y\x10" "Z\x11" "end";
    std::string gtf = wl::TxtToGtf(x12);
    EXPECT_EQ(wl::gtfToTxt(gtf).value(), "ISA?00?X?Y?Z?end");
}

TEST(GtfToTxt, DropsCodesAndStopsAtTheSectionEnd) {
    EXPECT_EQ(wl::gtfToTxt(g("GTF|1#A|14|0|0|0|0|0|B|20|0|1|0|0|0|#~1|@1|$0|one\r\n@2|$255|two#junk")).value(),
              "one\r\ntwo");
    Warnings w;
    EXPECT_EQ(wl::GtfToTxt("plain"), "");
    ASSERT_EQ(w.texts.size(), 1u);
    EXPECT_EQ(w.texts[0], "The data are not GTF (Get Text Format)!");
}

TEST(GtfToRtf, SameFaceSharesOneRtfFontAndColoursAreNumberedByFirstUse) {
    std::string gtf = g("GTF|1#Arial|14|0|0|0|0|0|Arial|20|0|1|0|1|0|Courier|10|0|0|1|0|1|#"
                        "~1|@1|$255|a{b}\r\n~2|@2|$0|c\xE9\r\n@3|$255|d#");
    EXPECT_EQ(wl::gtfToRtf(gtf).value(),
              "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fnil Arial;}{\\f2\\fnil Courier;}}"
              "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue0;}{\\info{\\title }{\\author }}"
              "{\\pard\\pard\\qc{\\f0\\fs22\\cf1 a\\{b\\}}{\\par}\r\n"
              "\\pard\\qr{\\f0\\fs30\\b\\ul\\cf2 c\\'e9}{\\par}\r\n"
              "{\\f2\\fs16\\i\\strike\\cf1 d}}}");
    Warnings w;
    EXPECT_EQ(wl::GtfToRtf("{\\rtf1}"), "");
    EXPECT_EQ(w.texts.size(), 1u);
}

TEST(RtfToGtf, FontSizeColourTableAndAlignment) {
    // \fs24 is height 16, width 7.04; the table's empty first entry is black,
    // so \cf1 is the first listed colour.
    std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1 Times New Roman;}}\r\n"
                      "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}\r\n"
                      "\\pard\\qc\\fs24\\cf1 Hi\\par\r\n\\pard\\f1\\cf2 x\\'e9\\{\\}\\\\\\par\r\n}";
    EXPECT_EQ(wl::rtfToGtf(rtf).value(),
              g("GTF|1#Arial|16|7.04|0|0|0|0|Times New Roman|16|7.04|0|0|0|0|#"
                "~1|@1|$255|Hi\r\n~0|@2|$8388608|x\xE9{}\\\r\n#"));
}

// Control words match whole: \ulnone ends underlining, \pard is no \par,
// \info is a group to skip, not italics; \b0 switches bold off.
TEST(RtfToGtf, ControlWordsMatchWhole) {
    std::string rtf = "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\info{\\title T}{\\author A}}"
                      "\\pard\\ul a\\ulnone b\\b c\\b0 d\\par}";
    EXPECT_EQ(wl::rtfToGtf(rtf).value(),
              g("GTF|1#Arial|11|4.84|0|0|1|0|Arial|11|4.84|0|0|0|0|Arial|11|4.84|1|0|0|0|#"
                "~0|@1|$0|a@2|b@3|c@2|d\r\n#"));
}

// Every well-formed document ends with the outer group's brace; deep
// nesting saves only ten states and restores only what it saved.
TEST(RtfToGtf, HostileNesting) {
    std::string deep = "{\\rtf1 " + std::string(100, '{') + "\\b x" + std::string(100, '}') + " y}";
    EXPECT_EQ(wl::rtfToGtf(deep).value(),
              g("GTF|1#system|11|4.84|1|0|0|0|system|11|4.84|0|0|0|0|#~0|@1|$0|x@2| y#"));
    const struct {
        std::string rtf, text;
    } cases[] = {
        {"{\\rtf1 a}}}}} b", "a b"},
        {"{\\rtf1 {{{a", "a"},
        {"{\\rtf1 a\\", "a"},
        {"{\\rtf1 a\\'4", "a"},
        {"{\\rtf1 a\\fs", "a"},
        {"{\\rtf1 a\\fs99999999999999999999 b", "ab"},
        {"{\\rtf1 a\\cf99 b\\f77 c", "abc"},
        {"{\\rtf1 {\\*\\generator x;}{\\stylesheet{\\s0 Normal;}}a}", "a"},
        {"{\\rtf1 a\x07" "b}", "a?b"},
    };
    for (const auto& c : cases) {
        auto gtf = wl::rtfToGtf(c.rtf);
        ASSERT_TRUE(gtf) << c.rtf;
        EXPECT_EQ(wl::gtfToTxt(*gtf).value(), c.text) << c.rtf;
    }
}

TEST(RtfToGtf, RefusesWhatIsNotRtf) {
    Warnings w;
    EXPECT_EQ(wl::RtfToGtf("plain text"), "");
    EXPECT_EQ(wl::RtfToGtf("{\\rt"), "");
    EXPECT_NE(wl::RtfToGtf("{\\RtF1 a}"), "");
    ASSERT_EQ(w.texts.size(), 2u);
    EXPECT_EQ(w.texts[0], "The data are not RTF (Rich Text Format)!");
}

TEST(GtfRtf, TextSurvivesTheRoundTrip) {
    std::string text = "first {line} with \\ and \xE9\r\n\r\nthird\tline";
    std::string gtf = wl::TxtToGtf(text, 1);
    auto back = wl::rtfToGtf(wl::gtfToRtf(gtf).value());
    ASSERT_TRUE(back);
    EXPECT_EQ(wl::gtfToTxt(*back).value(), text);
}

}  // namespace
