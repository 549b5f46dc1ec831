// The formatted text editor's document: paragraphs of characters that each
// carry a font (an entry of the font table) and a colour, a caret, a
// selection, one level of undo and the word-wrapped lines that the window
// draws. Widths and heights come through FGetMetrics, so the whole model
// runs with fixed metrics as well as with a device context.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "colors.hpp"
#include "gtf_rtf.hpp"

namespace wl {

// Text measurement; `font` is a 1-based entry of the document's font table.
class FGetMetrics {
public:
    virtual ~FGetMetrics() = default;
    virtual int charWidth(int font, unsigned char c) const = 0;
    virtual int height(int font) const = 0;
};

// A place in the text: paragraph (0-based) and character offset in it.
struct FGetPos {
    int para = 0;
    int off = 0;
    auto operator<=>(const FGetPos&) const = default;
};

struct FGetChar {
    char c = ' ';
    int font = 1;
    Color color = 0;
    bool operator==(const FGetChar&) const = default;
};

struct FGetParagraph {
    int align = 0;  // 0 left, 1 centre, 2 right
    std::vector<FGetChar> chars;
    // The format of an empty paragraph (what typing into it takes).
    int font = 1;
    Color color = 0;
};

// One displayed line: runs of one font and colour.
struct TFLine {
    int nAlign = 0;
    std::vector<std::string> aText;
    std::vector<int> aFonts;
    std::vector<Color> aColors;
    bool lCrLf = false;                          // ends a paragraph
    std::optional<std::pair<int, int>> aBlock;  // selected offsets in the line
    // Where the line lies in the text.
    int para = 0, start = 0, length = 0;
    int height = 0, width = 0, widthTrim = 0;
};

// The number of leading (LenLTrim) or trailing (LenRTrim, LenTrim) blanks
// of a text once its CR and LF characters are taken out.
int LenLTrim(std::string_view text);
int LenRTrim(std::string_view text);
int LenTrim(std::string_view text);

class FGetModel {
public:
    explicit FGetModel(const FGetMetrics& metrics, GtfFont font = {}, Color color = 0);

    // ---- settings ----
    std::vector<GtfFont> aFonts;  // entry 1 is the control's font
    bool lHScroll = false;        // no wrapping, a horizontal scroll instead
    bool lVScroll = true;         // false: the text may not grow taller than the window
    int nCharWidth = 14;          // horizontal scroll step
    // Client size in pixels (width already less 2).
    void ReSize(int width, int height);
    int nWidth() const { return nWidth_; }
    int nHeight() const { return nHeight_; }

    // ---- text ----
    void SetTextFormat(std::string_view gtf);
    std::string GetTextFormat() const;
    std::string cText() const;  // plain text, CR LF between paragraphs
    int Len() const;            // characters without the line ends
    const std::vector<FGetParagraph>& paragraphs() const { return paras_; }
    const std::vector<TFLine>& lines() const { return lines_; }
    int GetLineCount() const { return static_cast<int>(lines_.size()); }
    std::string GetTextLine(int line) const;  // 1-based display line
    int textHeight() const;
    int nTextWidth() const { return textWidth_; }
    // A window without vertical scroll bar whose text became taller.
    bool lStopVScroll() const { return !lVScroll && textHeight() > nHeight_; }

    // ---- caret (display line 1-based, column 0-based; pixels) ----
    FGetPos caret() const { return caret_; }
    int nLineRow() const;
    int nLineCol() const;
    int nRow() const;  // pixel row of the caret line's top
    int nCol() const;  // pixel column of the caret
    int caretHeight() const;
    int nLineFirst() const { return lineFirst_; }  // 1-based first visible line
    int nLeftMargin() const { return leftMargin_; }
    int nLineVisib() const { return std::max(1, nHeight_ / 18); }
    // The horizontal place where a line's text begins (alignment, scroll).
    int lineX(const TFLine& line) const;

    // Moves: `extend` (Shift held) keeps the anchor and selects.
    void GoTo(FGetPos pos, bool extend = false);
    void GoPrevChar(bool extend = false);
    void GoNextChar(bool extend = false);
    void GoPrevWord(bool extend = false);
    void GoNextWord(bool extend = false);
    void GoPrevLine(bool extend = false);
    void GoNextLine(bool extend = false);
    void GoInitLine(bool extend = false);
    void GoEndLine(bool extend = false);
    void GoTop(bool extend = false);
    void GoBottom(bool extend = false);
    void PageUp(bool extend = false);
    void PageDown(bool extend = false);
    // The caret to the character nearest a point of the client area.
    void MoveCaret(int x, int y, bool extend = false);
    // Ends a selection started with Shift that selected nothing.
    void dropEmptyBlock();
    // Scrolls the view (the caret stays).
    void ScrollLines(int delta);
    void ScrollTo(int firstLine);
    void ScrollLeft(int pixels);

    // ---- editing: false when refused (the text would not fit) ----
    bool Char(char c, bool insert = true);
    bool Return();
    bool BackSpace();
    bool Delete();
    bool DeleteInit();  // to the start of the word
    bool DeleteEnd();   // to the end of the word

    // ---- selection ----
    bool lBlock() const { return anchor_.has_value() && *anchor_ != caret_; }
    std::pair<FGetPos, FGetPos> block() const;
    void SelectAll();
    void BlockWord();
    void anchorHere();  // Shift alone: a selection starts at the caret
    std::string GetBlock() const;       // the selection as GTF
    std::string GetBlockText() const;   // as plain text
    bool DelBlock();
    bool PutBlock(std::string_view gtf);  // inserts GTF at the caret
    // Paste forms in order of preference; false when nothing was pasted.
    bool Paste(const std::optional<std::string>& gtf, const std::optional<std::string>& rtf,
               const std::optional<std::string>& text);

    // ---- formats ----
    int hFont() const { return font_; }
    Color nColor() const { return color_; }
    int nAlign() const;
    // The font and colour of the character before the caret (the next typed
    // character takes them).
    std::pair<int, Color> formatAtCaret() const;
    void SetFormat(const GtfFont& font, Color color);
    void SetAlign(int align);

    // ---- undo ----
    void BakUp();
    bool UnDo();
    bool lBak() const { return bak_.has_value(); }

    // ---- search ----
    bool Find(std::string_view text, bool next);
    std::string cLastFind;

private:
    struct State {
        std::vector<FGetParagraph> paras;
        std::vector<GtfFont> fonts;
        FGetPos caret;
        std::optional<FGetPos> anchor;
        int lineFirst = 1, leftMargin = 0;
    };
    State state() const;
    void restore(State s);
    template <class F>
    bool change(F&& edit);
    void layout();
    void follow();
    void syncFormat();
    int lineOf(FGetPos pos) const;
    FGetPos clamp(FGetPos pos) const;
    int charsWidth(const FGetParagraph& p, int from, int to) const;
    int emptyHeight(const FGetParagraph& p) const;
    FGetPos nearestIn(int line, int x) const;
    FGetPos prevWord(FGetPos pos) const;
    FGetPos nextWord(FGetPos pos) const;
    void eraseRange(FGetPos from, FGetPos to);
    void insertChars(const std::vector<std::vector<FGetChar>>& parts, const std::vector<int>& aligns);
    std::string bodyOf(FGetPos from, FGetPos to) const;
    int fontIndex(const GtfFont& font);
    void move(FGetPos to, bool extend);

    const FGetMetrics& metrics_;
    std::vector<FGetParagraph> paras_;
    std::vector<TFLine> lines_;
    FGetPos caret_;
    std::optional<FGetPos> anchor_;
    int font_ = 1;
    Color color_ = 0;
    int nWidth_ = 0, nHeight_ = 0;
    int lineFirst_ = 1, leftMargin_ = 0, textWidth_ = 0;
    bool runOpen_ = false;  // an undo copy was taken for the current run of typing
    std::optional<State> bak_;
};

}  // namespace wl
