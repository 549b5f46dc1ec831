// The formatted text editor's own text format ("Get Text Format", GTF) and
// its conversions to and from plain text and RTF.
//
// A GTF text is: "GTF" FE "1" SE, a font table (seven fields per font, each
// ended by FE, the table ended by SE), then the text with embedded codes and
// CR LF line ends, ended by SE. The codes are one byte followed by a decimal
// argument and FE: font (1-based table entry), colour (Windows colour
// number), alignment (0 left, 1 centre, 2 right).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "colors.hpp"

namespace wl {

inline constexpr char kGtfFieldEnd = 5;
inline constexpr char kGtfSectionEnd = 7;
inline constexpr char kGtfFontCode = 15;
inline constexpr char kGtfColorCode = 16;
inline constexpr char kGtfAlignCode = 17;

// One font-table entry. Heights and widths stay texts: the table stores
// them as the numbers were written ("7.04" is a real width).
struct GtfFont {
    std::string face = "system";
    std::string height = "14";
    std::string width = "0";
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool operator==(const GtfFont&) const = default;
};

// A GTF text taken apart: its font table and the text part (codes and
// characters, without the closing section end).
struct GtfDocument {
    std::vector<GtfFont> fonts;
    std::string body;
};

bool IsGTF(std::string_view text);
bool IsRTF(std::string_view text);

// A GTF text of one paragraph format. A text that already starts with the
// GTF header is returned unchanged. The format's own code bytes (5, 7, 15,
// 16, 17) cannot stand in GTF text: each becomes "?" so that nothing after
// it is lost.
std::string TxtToGtf(std::string_view text = "", int align = 0, const GtfFont& font = {}, Color color = 0);

// These three warn (a warning box) and answer "" when the text is not of
// the expected format.
std::string GtfToTxt(std::string_view gtf);
std::string GtfToRtf(std::string_view gtf);
std::string RtfToGtf(std::string_view rtf);

// The same conversions without the warning: nullopt for a foreign text.
std::optional<GtfDocument> parseGtf(std::string_view gtf);
std::optional<std::string> gtfToTxt(std::string_view gtf);
std::optional<std::string> gtfToRtf(std::string_view gtf);
std::optional<std::string> rtfToGtf(std::string_view rtf);

// A GTF text from a font table and a text part.
std::string writeGtf(const std::vector<GtfFont>& fonts, std::string_view body);

// The width text of a font's default width (height x 0.44, as "7.04").
std::string gtfDefaultWidth(long height);

// The bytes of a colour number. <windows.h> has macros of these names: the
// parentheses keep them from expanding (call as (wl::GetRValue)(c)).
int(GetRValue)(Color color);
int(GetGValue)(Color color);
int(GetBValue)(Color color);

}  // namespace wl
