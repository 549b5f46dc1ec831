// TFont: one GDI font, pooled and use-counted. Asking again for a font
// with the same attributes answers the pooled object with one more user;
// End takes a user away and deletes the font when the last one is gone.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "colors.hpp"
#include "value.hpp"

namespace wl {

struct FontSpec {
    std::string cFaceName = "SYSTEM_FONT";
    int nWidth = 0;
    int nHeight = 14;
    bool lFromUser = false;  // show the font dialog first
    bool lBold = false;
    int nEscapement = 0;
    int nOrientation = 0;
    int nWeight = 0;
    bool lItalic = false;
    bool lUnderline = false;
    bool lStrikeOut = false;
    int nCharSet = 0;
    int nOutPrecision = 0;
    int nClipPrecision = 0;
    int nQuality = 0;
    HDC oDevice = nullptr;  // a printer context: the height is in points
    int nPitchFamily = 0;
};

class TFont {
public:
    // The object is the one owner of its font handle: End deletes it when
    // the last user goes, and an object dropped with users still counted
    // deletes it as it goes (never twice, never copied).
    TFont() = default;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;
    ~TFont();

    static std::shared_ptr<TFont> New(FontSpec spec = {});
    // An object around a font that Windows owns (never deleted here).
    static std::shared_ptr<TFont> FromHandle(HFONT font);

    std::string cFaceName;
    HFONT hFont = nullptr;
    HGDIOBJ hFontOld = nullptr;
    bool lBold = false, lItalic = false, lUnderline = false, lStrikeOut = false;
    int nInpHeight = 0, nInpWidth = 0, nEscapement = 0, nOrientation = 0, nWeight = 0;
    int nCharSet = 0, nOutPrecision = 0, nClipPrecision = 0, nQuality = 0, nPitchFamily = 0;
    int nCount = 0;
    bool lDestroy = true;
    bool lNew = false;

    void End();
    void Release() { End(); }
    void Activate(HDC hDC);
    void DeActivate(HDC hDC);
    int nHeight() const;
    int nWidth() const;
    double nSize() const;
    std::shared_ptr<TFont> Modify(int height, bool bold, bool italic, bool underline, bool strikeOut,
                                  int escapement) const;
    std::shared_ptr<TFont> Bold(bool on = true) const;
    std::shared_ptr<TFont> Italic(bool on = true) const;
    std::shared_ptr<TFont> Underline(bool on = true) const;
    std::shared_ptr<TFont> StrikeOut(bool on = true) const;
    std::shared_ptr<TFont> Escapement(int tenths) const;
    std::shared_ptr<TFont> Rotate(int tenths = 900) const;
    std::string cGenPrg(const std::string& name) const;
    // Shows the font dialog with this font (and *color when given). A
    // chosen font ends this one and is answered; on Cancel, self.
    std::shared_ptr<TFont> Choose(const std::shared_ptr<TFont>& self, Color* color = nullptr);
    bool operator==(const TFont& o) const;

    FontSpec spec() const;

private:
    bool sameAttributes(const FontSpec& s) const;
    // Deletes the handle this object owns; false when Windows refused.
    bool deleteHandle();
};

// The constructor arguments of a font as an expression text, and a font
// built from such a text (nothing when the text is not one).
std::string FONTTOTEXT(const TFont& font);
std::shared_ptr<TFont> FONTFROMTEXT(const std::string& text);

// The font pool.
const std::vector<std::shared_ptr<TFont>>& GETUSEDFONTS();

// Appends a failed deletion of a font or brush to "resources.txt".
void logResourceFailure(const ValueList& values);

}  // namespace wl
