// Value and text conversions of the library: choosing values, reading
// values from text, writing values as text or as source text, number
// pictures, hexadecimal and colour codes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "value.hpp"

namespace wl {

// A date and a time of day in seconds (0 to 86,399).
struct DateTime {
    Date date;
    int seconds = 0;
};

// The first argument that is not nil; with a single list argument, the
// first of its items that is not nil.
Value IFNIL(const ValueList& args);
// The value after the first key equal to x (same type and value): args are
// key1, value1, ..., default; or one list of {key, value} pairs. The default
// (nil without one) when no key matches.
Value WL_DECODE(const Value& x, const ValueList& args);
// The largest and smallest argument that is not nil (numbers, texts or dates).
Value WL_GREATEST(const ValueList& args);
Value WL_LEAST(const ValueList& args);

// The text read as a value of the type "N", "L", "D" or "C"; without a type
// the kind is guessed: number, logical, date, else text.
Value UCHARTOVAL(std::string_view text, std::string_view type = {});
// A date from eight digits YYYYMMDD, year-month-day with separators, the
// program's date form MM/DD/YY(YY), the day-month swap, or a month name.
Date DCHARTODATE(std::string_view text);
// A date from a text holding a month name (its first three letters in
// English) and the day and year as digits.
Date DALPHATODATE(std::string_view text);
// Two-digit years fall in the hundred years that begin at this year.
constexpr int kDateEpoch = 1950;

// The blank value of the same type and width.
Value UVALBLANK(const Value& x);

// Source text for a value: lists in braces, texts as literals, dates as
// SToD("YYYYMMDD").
std::string WL_VALTOEXP(const Value& x);
std::string WL_VALTOEXP(const DateTime& x);
// A text as a literal in double quotes, single quotes or square brackets,
// or an escaped form with the prefix E when it holds line breaks.
std::string STRINGTOLITERAL(std::string_view text);

// The items as text joined by the separator; a text split at the separator
// into trimmed pieces.
std::string WL_ARRAYASLIST(const ValueList& items, std::string_view separator = ",");
std::vector<std::string> WL_LISTASARRAY(std::string_view text, std::string_view separator = ",");
// The items in double quotes separated by ", ".
std::string ARRAYTOTEXT(const ValueList& items);

// Date of a date-time, date-time of a date, the time part in seconds, and a
// date-time from a compact text YYYYMMDD[HHMMSS].
inline Date WL_TTOD(const DateTime& t) { return t.date; }
inline DateTime WL_DTOT(const Date& d) { return DateTime{d, 0}; }
inline int WL_TIMEPART(const DateTime& t) { return t.seconds; }
DateTime WL_STOT(std::string_view text);

// True when one of the first 200 characters is a control character other
// than TAB, LF, CR and end-of-file (26).
bool ISBINARYDATA(std::string_view text);

// The width of a text in pixels in the screen font.
int screenTextWidth(std::string_view text);
// Pads the text with the fill character to a width in pixels of the screen
// font, on the right, on the left, or on both sides.
std::string XPADR(std::string_view text, int pixels, char fill = ' ');
std::string XPADL(std::string_view text, int pixels, char fill = ' ');
std::string XPADC(std::string_view text, int pixels, char fill = ' ');

// A pseudo-random whole number from 0 to nMax, seeded from the seconds
// counter on first use.
std::int64_t NRANDOM(std::int64_t nMax = 65535);

// Hexadecimal text to number; number to upper-case hexadecimal text.
std::int64_t NHEX(std::string_view hex);
std::string DECTOHEX(std::int64_t n);
inline std::string HEXVAL(std::int64_t n) { return DECTOHEX(n); }

// Source text for a colour: its constant name or "RGB(r,g,b )"; lists
// element by element.
std::string CCLRTOCODE(const Value& colour);
// Replaces or adds to the colour components (those given), each kept
// within 0 to 255.
std::int64_t NRGBRESET(std::int64_t colour, std::optional<int> r, std::optional<int> g = std::nullopt,
                       std::optional<int> b = std::nullopt);
std::int64_t NRGBADD(std::int64_t colour, std::optional<int> r, std::optional<int> g = std::nullopt,
                     std::optional<int> b = std::nullopt);

// The text without the zeros that end its decimals.
std::string TRIMZERO(std::string_view text);

// Scientific notation: the mantissa with nDec decimals, "E" and the exponent.
std::string N2E(double n, int nDec = 2);

// The library number format: "A" American, "E" European, "I" Indian
// grouping; thousands separators and blank-when-zero.
struct NumFormat {
    std::string type = "A";
    bool thousands = false;
    bool zeroBlank = false;
};
// Sets the parts given; answers the previous format.
NumFormat WLNUMFORMAT(std::optional<std::string> type = std::nullopt, std::optional<bool> thousands = std::nullopt,
                      std::optional<bool> zeroBlank = std::nullopt);

// A picture of 9s for a number field of nLen characters with nDec decimals
// (lDecPoint: the point takes one of them), with grouping and the "@E ",
// "@Z " or "@ZE " prefixes of the number format.
std::string NUMPICT(int nLen, int nDec = 0, bool lDecPoint = false, std::optional<bool> lThousands = std::nullopt,
                    std::optional<bool> lZeroBlank = std::nullopt);

// A number through a picture of 9s, "," and "." ("@Z" blank when zero,
// "@E" European marks); all "*" when the number does not fit.
std::string transformNumber(double n, std::string_view picture);

// Formatted text of a value: a closure picture is evaluated with the value
// first; lists join their items with CR LF; dates by "@D" or a picture of
// dd, mmmm, mmm, mm, yyyy, yy; numbers by a picture of 9s (scientific
// notation when they do not fit) or, without one, by the number format.
std::string CVALTOSTR(const Value& x, const Value& picture = Value(), std::optional<std::string> numFormat = std::nullopt,
                      std::optional<bool> zeroBlank = std::nullopt);
// A date-time: "@T" (or no picture) as date and time, "@D" the date, or a
// picture that also holds hh, mi (or :mm) and ss.
std::string CVALTOSTR(const DateTime& x, std::string_view picture = {});

}  // namespace wl
