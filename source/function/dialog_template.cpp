#include "dialog_template.hpp"

#include <new>

namespace wl {

namespace {

// Code page 1252 bytes 0x80 to 0x9F; the five bytes the code page leaves
// undefined map to the same code point, as Windows maps them.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

class TemplateBytes {
public:
    void word(int v) {
        auto u = static_cast<std::uint16_t>(v);
        bytes_ += static_cast<char>(u & 0xFF);
        bytes_ += static_cast<char>(u >> 8);
    }
    void dword(std::uint32_t v) {
        word(static_cast<int>(v & 0xFFFF));
        word(static_cast<int>(v >> 16));
    }
    void text(std::string_view s) {
        for (char16_t c : ansiToUtf16(s)) word(c);
        word(0);
    }
    void alignToDword() {
        while (bytes_.size() % 4 != 0) bytes_ += '\0';
    }
    std::string take() { return std::move(bytes_); }

private:
    std::string bytes_;
};

}  // namespace

std::u16string ansiToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char ch : text) {
        auto b = static_cast<unsigned char>(ch);
        out += (b >= 0x80 && b <= 0x9F) ? kHighControls[b - 0x80] : static_cast<char16_t>(b);
    }
    return out;
}

std::string CDLG2CHR(int nControls, int nTop, int nLeft, int nBottom, int nRight, std::string_view cCaption,
                     std::uint32_t nStyle, std::optional<int> nPointSize, std::string_view cFaceName) {
    std::uint32_t style = nStyle;
    std::uint32_t exStyle = 0;
    if (nStyle == 2) {
        style = 0x80000002u;
        exStyle = 0x20;  // WS_EX_TRANSPARENT
    } else if (nStyle == 0x10000000u) {
        style = 0xC0000000u;
    }
    TemplateBytes t;
    t.dword(style);
    t.dword(exStyle);
    t.word(nControls);
    t.word(nLeft);
    t.word(nTop);
    t.word(nRight - nLeft + 1);
    t.word(nBottom - nTop + 1);
    t.word(0);  // no menu
    t.word(0);  // the dialog manager's own class
    t.text(cCaption);
    if (nPointSize) {
        t.word(*nPointSize);
        t.text(cFaceName);
    }
    t.alignToDword();
    return t.take();
}

std::string CCTRL2CHR(int nTop, int nLeft, int nBottom, int nRight, int nId, std::uint32_t nStyle,
                      std::string_view cClass, std::string_view cCaption) {
    try {
        TemplateBytes t;
        t.dword(nStyle);
        t.dword(0);
        t.word(nLeft);
        t.word(nTop);
        t.word(nRight - nLeft + 1);
        t.word(nBottom - nTop + 1);
        t.word(nId);
        t.text(cClass);
        t.text(cCaption);
        t.word(0);  // no creation data
        t.alignToDword();
        return t.take();
    } catch (const std::bad_alloc&) {
        return "";
    }
}

}  // namespace wl
