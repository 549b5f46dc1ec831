#include "font.hpp"

#include <commdlg.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "drawing.hpp"
#include "system_dialogs.hpp"
#include "file_names.hpp"
#include "text.hpp"
#include "window_units.hpp"
#include "process_state.hpp"

namespace wl {
namespace {

std::vector<std::shared_ptr<TFont>>& pool() {
    return processState().fonts.get<std::vector<std::shared_ptr<TFont>>>();
}

int stockFontIndex(const std::string& face) {
    static const std::pair<const char*, int> stocks[] = {
        {"OEM_FIXED_FONT", OEM_FIXED_FONT}, {"ANSI_FIXED_FONT", ANSI_FIXED_FONT},
        {"ANSI_VAR_FONT", ANSI_VAR_FONT},   {"SYSTEM_FONT", SYSTEM_FONT},
        {"DEVICE_DEFAULT_FONT", DEVICE_DEFAULT_FONT}, {"SYSTEM_FIXED_FONT", SYSTEM_FIXED_FONT},
        {"DEFAULT_GUI_FONT", DEFAULT_GUI_FONT},
    };
    const std::string u = upper(face);
    for (const auto& [name, index] : stocks)
        if (u == name) return index;
    return -1;
}

LOGFONTA logFontOf(const FontSpec& s) {
    LOGFONTA lf{};
    lf.lfHeight = s.nHeight;
    lf.lfWidth = s.nWidth;
    lf.lfEscapement = s.nEscapement;
    lf.lfOrientation = s.nOrientation;
    lf.lfWeight = s.nWeight;
    lf.lfItalic = s.lItalic;
    lf.lfUnderline = s.lUnderline;
    lf.lfStrikeOut = s.lStrikeOut;
    lf.lfCharSet = static_cast<BYTE>(s.nCharSet);
    lstrcpynA(lf.lfFaceName, s.cFaceName.c_str(), LF_FACESIZE);
    return lf;
}

// A chosen font replaces every value; bold is any weight but 400.
void takeChoice(FontSpec& s, const LOGFONTA& lf) {
    s.nHeight = lf.lfHeight;
    s.nWidth = lf.lfWidth;
    s.nEscapement = lf.lfEscapement;
    s.nOrientation = lf.lfOrientation;
    s.nWeight = lf.lfWeight;
    s.lItalic = lf.lfItalic;
    s.lUnderline = lf.lfUnderline;
    s.lStrikeOut = lf.lfStrikeOut;
    s.nCharSet = lf.lfCharSet;
    s.nOutPrecision = lf.lfOutPrecision;
    s.nClipPrecision = lf.lfClipPrecision;
    s.nQuality = lf.lfQuality;
    s.nPitchFamily = lf.lfPitchAndFamily;
    s.cFaceName = lf.lfFaceName;
    s.lBold = lf.lfWeight != 400;
}

void chooseFromUser(FontSpec& s) {
    if (auto lf = CHOOSEFONT(logFontOf(s))) takeChoice(s, *lf);  // cancelled: the given values stay
}

}  // namespace

void logResourceFailure(const ValueList& values) { LOGFILE("resources.txt", values); }

const std::vector<std::shared_ptr<TFont>>& GETUSEDFONTS() { return pool(); }

FontSpec TFont::spec() const {
    FontSpec s;
    s.cFaceName = cFaceName;
    s.nWidth = nInpWidth;
    s.nHeight = nInpHeight;
    s.lBold = lBold;
    s.nEscapement = nEscapement;
    s.nOrientation = nOrientation;
    s.nWeight = nWeight;
    s.lItalic = lItalic;
    s.lUnderline = lUnderline;
    s.lStrikeOut = lStrikeOut;
    s.nCharSet = nCharSet;
    s.nOutPrecision = nOutPrecision;
    s.nClipPrecision = nClipPrecision;
    s.nQuality = nQuality;
    s.nPitchFamily = nPitchFamily;
    return s;
}

bool TFont::sameAttributes(const FontSpec& s) const {
    return nInpHeight == s.nHeight && nInpWidth == s.nWidth && nEscapement == s.nEscapement &&
           nOrientation == s.nOrientation && nWeight == s.nWeight && lItalic == s.lItalic &&
           lUnderline == s.lUnderline && lBold == s.lBold && lStrikeOut == s.lStrikeOut &&
           nCharSet == s.nCharSet && nOutPrecision == s.nOutPrecision && nClipPrecision == s.nClipPrecision &&
           nQuality == s.nQuality && nPitchFamily == s.nPitchFamily && cFaceName == s.cFaceName;
}

std::shared_ptr<TFont> TFont::New(FontSpec s) {
    if (upper(s.cFaceName) == "SYSTAHOMA") {
        s.cFaceName = "TAHOMA";
        if (s.nHeight < 0 && -s.nHeight < 12) s.nHeight = -12;
    }
    if (s.lFromUser) chooseFromUser(s);
    // Bold means a weight of 700 at least, never a bitwise sum.
    s.nWeight = boldWeight(s.nWeight, s.lBold);
    if (s.oDevice) s.nHeight = MulDiv(s.nHeight, GetDeviceCaps(s.oDevice, LOGPIXELSY), 72);

    for (auto& f : pool())
        if (f->hFont && f->sameAttributes(s)) {
            ++f->nCount;
            f->lNew = false;
            return f;
        }

    auto f = std::make_shared<TFont>();
    f->cFaceName = s.cFaceName;
    f->nInpHeight = s.nHeight;
    f->nInpWidth = s.nWidth;
    f->lBold = s.lBold;
    f->nEscapement = s.nEscapement;
    f->nOrientation = s.nOrientation;
    f->nWeight = s.nWeight;
    f->lItalic = s.lItalic;
    f->lUnderline = s.lUnderline;
    f->lStrikeOut = s.lStrikeOut;
    f->nCharSet = s.nCharSet;
    f->nOutPrecision = s.nOutPrecision;
    f->nClipPrecision = s.nClipPrecision;
    f->nQuality = s.nQuality;
    f->nPitchFamily = s.nPitchFamily;

    const int stock = stockFontIndex(s.cFaceName);
    if (stock >= 0) {
        f->hFont = static_cast<HFONT>(GetStockObject(stock));
        LOGFONTA lf{};
        GetObjectA(f->hFont, sizeof lf, &lf);
        f->nInpHeight = lf.lfHeight;
        f->nInpWidth = lf.lfWidth;
        f->lBold = lf.lfWeight == 700;
        f->lDestroy = false;
    } else {
        LogFont lf;
        lf.height = s.nHeight;
        lf.width = s.nWidth;
        lf.escapement = s.nEscapement;
        lf.orientation = s.nOrientation;
        lf.weight = s.nWeight;
        lf.italic = s.lItalic;
        lf.underline = s.lUnderline;
        lf.strikeOut = s.lStrikeOut;
        lf.charSet = s.nCharSet;
        lf.outPrecision = s.nOutPrecision;
        lf.clipPrecision = s.nClipPrecision;
        lf.quality = s.nQuality;
        lf.pitchFamily = s.nPitchFamily;
        lf.faceName = s.cFaceName;
        f->hFont = CREATEFONT(lf);
        pool().push_back(f);
    }
    f->nCount = 1;
    f->lNew = true;
    return f;
}

std::shared_ptr<TFont> TFont::FromHandle(HFONT font) {
    auto f = std::make_shared<TFont>();
    LOGFONTA lf{};
    GetObjectA(font, sizeof lf, &lf);
    f->hFont = font;
    f->nInpHeight = lf.lfHeight;
    f->nInpWidth = lf.lfWidth;
    f->nWeight = lf.lfWeight;
    f->lBold = lf.lfWeight == 700;
    f->cFaceName = lf.lfFaceName;
    f->nCount = 1;
    f->lDestroy = false;
    return f;
}

TFont::~TFont() { deleteHandle(); }

bool TFont::deleteHandle() {
    if (!hFont || !lDestroy) return true;
    if (!DELETEOBJECT(hFont)) return false;
    hFont = nullptr;
    return true;
}

void TFont::End() {
    --nCount;
    if (nCount >= 1 || !hFont || !lDestroy) return;
    if (!deleteHandle()) {
        logResourceFailure({"DeleteObject( ::hFont ) failed from TFont:End()",
                            static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(hFont)), nCount, lDestroy});
        return;
    }
    nCount = 0;
    // Last: the pool's reference may be the last one to this object.
    auto& p = pool();
    p.erase(std::remove_if(p.begin(), p.end(), [this](const auto& f) { return f.get() == this; }), p.end());
}

void TFont::Activate(HDC hDC) { hFontOld = SelectObject(hDC, hFont); }
void TFont::DeActivate(HDC hDC) {
    if (hFontOld) SelectObject(hDC, hFontOld);
    hFontOld = nullptr;
}

int TFont::nHeight() const { return std::abs(nInpHeight); }
int TFont::nWidth() const { return nInpWidth ? nInpWidth : static_cast<int>(0.44 * nHeight()); }

double TFont::nSize() const {
    HDC screen = GetDC(nullptr);
    const int ppi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return fontPointSize(nInpHeight, ppi);
}

std::shared_ptr<TFont> TFont::Modify(int height, bool bold, bool italic, bool underline, bool strikeOut,
                                     int escapement) const {
    FontSpec s = spec();
    s.nHeight = height;
    s.lBold = bold;
    if (!bold && s.nWeight == 700) s.nWeight = 0;
    s.lItalic = italic;
    s.lUnderline = underline;
    s.lStrikeOut = strikeOut;
    s.nEscapement = escapement;
    return New(s);
}
std::shared_ptr<TFont> TFont::Bold(bool on) const {
    return Modify(nInpHeight, on, lItalic, lUnderline, lStrikeOut, nEscapement);
}
std::shared_ptr<TFont> TFont::Italic(bool on) const {
    return Modify(nInpHeight, lBold, on, lUnderline, lStrikeOut, nEscapement);
}
std::shared_ptr<TFont> TFont::Underline(bool on) const {
    return Modify(nInpHeight, lBold, lItalic, on, lStrikeOut, nEscapement);
}
std::shared_ptr<TFont> TFont::StrikeOut(bool on) const {
    return Modify(nInpHeight, lBold, lItalic, lUnderline, on, nEscapement);
}
std::shared_ptr<TFont> TFont::Escapement(int tenths) const {
    return Modify(nInpHeight, lBold, lItalic, lUnderline, lStrikeOut, tenths % 3600);
}
std::shared_ptr<TFont> TFont::Rotate(int tenths) const {
    int e = nEscapement + tenths;
    if (e < 0) e += 3600;
    return Escapement(e);
}

std::string TFont::cGenPrg(const std::string& name) const {
    if (nOrientation || lStrikeOut || nCharSet || nOutPrecision || nClipPrecision || nQuality)
        return "   " + name + " := TFont():New( \"" + cFaceName + "\", " + std::to_string(nInpWidth) + ", " +
               std::to_string(nInpHeight) + " )";
    std::string s = "   DEFINE FONT " + name + " NAME '" + cFaceName + "' SIZE " + std::to_string(nInpWidth) + "," +
                    std::to_string(nInpHeight);
    if (lBold) s += " BOLD";
    if (lItalic) s += " ITALIC";
    if (lUnderline) s += " UNDERLINE";
    if (nPitchFamily) s += " PITCHFAMILY " + std::to_string(nPitchFamily);
    if (nWeight && !lBold) s += " WEIGHT " + std::to_string(nWeight);
    if (nEscapement) s += " ESCAPEMENT " + std::to_string(nEscapement);
    return s;
}

std::shared_ptr<TFont> TFont::Choose(const std::shared_ptr<TFont>& self, Color* color) {
    FontSpec s = spec();
    COLORREF chosenColor = color ? *color : 0;
    auto lf = CHOOSEFONT(logFontOf(s), color ? &chosenColor : nullptr);
    if (!lf) return self;
    if (color) *color = chosenColor;
    takeChoice(s, *lf);
    End();
    return New(s);
}

namespace {
std::string logical(bool b) { return b ? ".T." : ".F."; }

// The comma-separated items of an argument list; quoted texts keep their
// commas and lose their quotes.
std::vector<std::string> argumentItems(const std::string& text) {
    std::vector<std::string> items(1);
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        else if (c == ',' && !quoted) items.emplace_back();
        else items.back() += c;
    }
    for (auto& item : items) item = alltrim(item);
    return items;
}

std::optional<int> numberItem(const std::string& item) {
    if (item.empty()) return 0;
    char* end = nullptr;
    const long v = std::strtol(item.c_str(), &end, 10);
    if (*end) return std::nullopt;
    return static_cast<int>(v);
}
}  // namespace

std::string FONTTOTEXT(const TFont& f) {
    const auto n = [](int v) { return std::to_string(v); };
    // The device (a printer) has no text form: its place stays empty.
    return "\"" + f.cFaceName + "\", " + n(f.nInpWidth) + ", " + n(f.nInpHeight) + ", .F., " + logical(f.lBold) +
           ", " + n(f.nEscapement) + ", " + n(f.nOrientation) + ", " + n(f.nWeight) + ", " + logical(f.lItalic) +
           ", " + logical(f.lUnderline) + ", " + logical(f.lStrikeOut) + ", " + n(f.nCharSet) + ", " +
           n(f.nOutPrecision) + ", " + n(f.nClipPrecision) + ", " + n(f.nQuality) + ", , " + n(f.nPitchFamily);
}

std::shared_ptr<TFont> FONTFROMTEXT(const std::string& text) {
    const auto items = argumentItems(text);
    if (items.size() != 17) return nullptr;
    std::vector<int> numbers;
    for (std::size_t i : {1, 2, 5, 6, 7, 11, 12, 13, 14, 16}) {
        auto v = numberItem(items[i]);
        if (!v) return nullptr;
        numbers.push_back(*v);
    }
    const auto yes = [](const std::string& item) { return upper(item) == ".T."; };
    FontSpec s;
    s.cFaceName = items[0];
    s.nWidth = numbers[0];
    s.nHeight = numbers[1];
    s.lBold = yes(items[4]);
    s.nEscapement = numbers[2];
    s.nOrientation = numbers[3];
    s.nWeight = numbers[4];
    s.lItalic = yes(items[8]);
    s.lUnderline = yes(items[9]);
    s.lStrikeOut = yes(items[10]);
    s.nCharSet = numbers[5];
    s.nOutPrecision = numbers[6];
    s.nClipPrecision = numbers[7];
    s.nQuality = numbers[8];
    s.nPitchFamily = numbers[9];
    return TFont::New(s);
}

bool TFont::operator==(const TFont& o) const { return sameAttributes(o.spec()); }

}  // namespace wl
