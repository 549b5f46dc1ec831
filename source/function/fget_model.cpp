#include "fget_model.hpp"

#include <algorithm>

namespace wl {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

long gtfNumber(std::string_view digits) {
    long value = 0;
    bool negative = !digits.empty() && digits[0] == '-';
    for (size_t i = negative ? 1 : 0; i < digits.size() && digits[i] >= '0' && digits[i] <= '9'; ++i) {
        if (value < 100000000L) value = value * 10 + (digits[i] - '0');
    }
    return negative ? -value : value;
}

void addGtfCode(std::string& out, char code, long value) {
    out += code;
    out += std::to_string(value);
    out += kGtfFieldEnd;
}

// A GTF body cut into paragraphs of characters. Fonts are renumbered
// through `fontMap` (index into it is the body's 1-based font less 1).
struct GtfParts {
    std::vector<std::vector<FGetChar>> paras{1};
    std::vector<int> aligns{0};
    std::vector<bool> alignGiven{false};
};

GtfParts splitGtfBody(std::string_view body, const std::vector<int>& fontMap, int font, Color color, int align) {
    GtfParts parts;
    parts.aligns[0] = align;
    for (size_t i = 0; i < body.size();) {
        const char c = body[i];
        if (c == kGtfFontCode || c == kGtfColorCode || c == kGtfAlignCode) {
            size_t end = body.find(kGtfFieldEnd, i + 1);
            if (end == std::string_view::npos) end = body.size();
            const long n = gtfNumber(body.substr(i + 1, end - i - 1));
            i = std::min(end + 1, body.size());
            if (c == kGtfFontCode) {
                const long k = std::clamp<long>(n, 1, static_cast<long>(fontMap.size()));
                font = fontMap.empty() ? font : fontMap[static_cast<size_t>(k - 1)];
            } else if (c == kGtfColorCode) {
                color = static_cast<Color>(n);
            } else {
                align = static_cast<int>(std::clamp<long>(n, 0, 2));
                parts.aligns.back() = align;
                parts.alignGiven.back() = true;
            }
            continue;
        }
        ++i;
        if (c == '\r') continue;  // CR LF (or a stray CR): the LF breaks
        if (c == '\n') {
            parts.paras.emplace_back();
            parts.aligns.push_back(align);
            parts.alignGiven.push_back(false);
            continue;
        }
        parts.paras.back().push_back({c, font, color});
    }
    return parts;
}

}  // namespace

namespace {
std::string withoutLineEnds(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != '\r' && c != '\n') out += c;
    return out;
}
}  // namespace

int LenLTrim(std::string_view text) {
    const std::string t = withoutLineEnds(text);
    const size_t first = t.find_first_not_of(' ');
    return static_cast<int>(first == std::string::npos ? t.size() : first);
}

int LenRTrim(std::string_view text) {
    const std::string t = withoutLineEnds(text);
    const size_t last = t.find_last_not_of(' ');
    return static_cast<int>(last == std::string::npos ? t.size() : t.size() - last - 1);
}

int LenTrim(std::string_view text) { return LenRTrim(text); }

FGetModel::FGetModel(const FGetMetrics& metrics, GtfFont font, Color color) : metrics_(metrics) {
    aFonts.push_back(std::move(font));
    color_ = color;
    paras_.push_back({0, {}, 1, color});
    layout();
}

void FGetModel::ReSize(int width, int height) {
    nWidth_ = std::max(0, width);
    nHeight_ = std::max(0, height);
    layout();
}

// ---- loading and saving ----

void FGetModel::SetTextFormat(std::string_view gtf) {
    auto doc = parseGtf(gtf);
    if (!doc) doc = parseGtf(TxtToGtf(gtf, 0, aFonts.front(), color_));
    if (!doc->fonts.empty()) aFonts = doc->fonts;
    std::vector<int> map(aFonts.size());
    for (size_t i = 0; i < map.size(); ++i) map[i] = static_cast<int>(i + 1);
    GtfParts parts = splitGtfBody(doc->body, map, 1, color_, 0);
    paras_.clear();
    int font = 1;
    Color color = color_;
    for (size_t i = 0; i < parts.paras.size(); ++i) {
        FGetParagraph p;
        p.align = parts.aligns[i];
        p.chars = std::move(parts.paras[i]);
        if (!p.chars.empty()) {
            font = p.chars.back().font;
            color = p.chars.back().color;
        }
        p.font = p.chars.empty() ? font : p.chars.front().font;
        p.color = p.chars.empty() ? color : p.chars.front().color;
        paras_.push_back(std::move(p));
    }
    caret_ = {};
    anchor_.reset();
    bak_.reset();
    runOpen_ = false;
    lineFirst_ = 1;
    leftMargin_ = 0;
    layout();
    syncFormat();
}

std::string FGetModel::bodyOf(FGetPos from, FGetPos to) const {
    std::string body;
    std::optional<int> align, font;
    std::optional<Color> color;
    for (int pi = from.para; pi <= to.para && pi < static_cast<int>(paras_.size()); ++pi) {
        const FGetParagraph& p = paras_[static_cast<size_t>(pi)];
        if (pi > from.para) body += "\r\n";
        if (align != p.align) addGtfCode(body, kGtfAlignCode, *(align = p.align));
        const int a = pi == from.para ? from.off : 0;
        const int b = pi == to.para ? to.off : static_cast<int>(p.chars.size());
        if (a >= b && (!font || !color)) {
            // An empty paragraph still says its format.
            if (font != p.font) addGtfCode(body, kGtfFontCode, *(font = p.font));
            if (color != p.color) addGtfCode(body, kGtfColorCode, static_cast<long>(*(color = p.color)));
        }
        for (int i = a; i < b; ++i) {
            const FGetChar& ch = p.chars[static_cast<size_t>(i)];
            if (font != ch.font) addGtfCode(body, kGtfFontCode, *(font = std::max(1, ch.font)));
            if (color != ch.color) addGtfCode(body, kGtfColorCode, static_cast<long>(*(color = ch.color)));
            body += ch.c;
        }
    }
    return body;
}

std::string FGetModel::GetTextFormat() const {
    const FGetParagraph& last = paras_.back();
    return writeGtf(aFonts, bodyOf({0, 0}, {static_cast<int>(paras_.size()) - 1, static_cast<int>(last.chars.size())}));
}

std::string FGetModel::cText() const {
    std::string out;
    for (size_t i = 0; i < paras_.size(); ++i) {
        if (i) out += "\r\n";
        for (const FGetChar& ch : paras_[i].chars) out += ch.c;
    }
    return out;
}

int FGetModel::Len() const {
    int n = 0;
    for (const FGetParagraph& p : paras_) n += static_cast<int>(p.chars.size());
    return n;
}

std::string FGetModel::GetTextLine(int line) const {
    if (line < 1 || line > GetLineCount()) return {};
    std::string out;
    for (const std::string& run : lines_[static_cast<size_t>(line - 1)].aText) out += run;
    return out;
}

// ---- layout ----

int FGetModel::charsWidth(const FGetParagraph& p, int from, int to) const {
    int w = 0;
    for (int i = from; i < to; ++i) {
        const FGetChar& ch = p.chars[static_cast<size_t>(i)];
        w += metrics_.charWidth(ch.font, static_cast<unsigned char>(ch.c));
    }
    return w;
}

int FGetModel::emptyHeight(const FGetParagraph& p) const { return metrics_.height(p.font); }

// Cuts every paragraph into lines: at the last blank at which the left part
// fits, else at the last character that fits (at least one). Trailing blanks
// of a left-aligned line never make it too wide.
void FGetModel::layout() {
    lines_.clear();
    textWidth_ = 0;
    const int limit = nWidth_;
    for (int pi = 0; pi < static_cast<int>(paras_.size()); ++pi) {
        const FGetParagraph& p = paras_[static_cast<size_t>(pi)];
        const int n = static_cast<int>(p.chars.size());
        int start = 0;
        do {
            int end = n;
            if (!lHScroll && limit > 0) {
                int w = 0, lastBlank = -1;
                for (int i = start; i < n; ++i) {
                    const FGetChar& ch = p.chars[static_cast<size_t>(i)];
                    w += metrics_.charWidth(ch.font, static_cast<unsigned char>(ch.c));
                    if (isBlank(ch.c)) {
                        lastBlank = i;
                        if (p.align == 0) continue;
                    }
                    if (w > limit) {
                        if (lastBlank >= start && lastBlank < i) {
                            end = lastBlank + 1;
                            while (end < n && isBlank(p.chars[static_cast<size_t>(end)].c)) ++end;
                        } else {
                            end = std::max(start + 1, i);
                        }
                        break;
                    }
                }
            }
            TFLine line;
            line.nAlign = lHScroll ? 0 : p.align;
            line.para = pi;
            line.start = start;
            line.length = end - start;
            line.lCrLf = end >= n;
            for (int i = start; i < end; ++i) {
                const FGetChar& ch = p.chars[static_cast<size_t>(i)];
                if (line.aText.empty() || line.aFonts.back() != ch.font || line.aColors.back() != ch.color) {
                    line.aText.emplace_back();
                    line.aFonts.push_back(ch.font);
                    line.aColors.push_back(ch.color);
                }
                line.aText.back() += ch.c;
                line.height = std::max(line.height, metrics_.height(ch.font));
            }
            if (line.height == 0) line.height = emptyHeight(p);
            line.width = charsWidth(p, start, end);
            int trim = end;
            while (trim > start && isBlank(p.chars[static_cast<size_t>(trim - 1)].c)) --trim;
            line.widthTrim = charsWidth(p, start, trim);
            textWidth_ = std::max(textWidth_, line.width);
            lines_.push_back(std::move(line));
            start = end;
        } while (start < n);
    }
    // The selection as each line's part of it.
    if (lBlock()) {
        auto [from, to] = block();
        for (TFLine& line : lines_) {
            const FGetPos a{line.para, line.start}, b{line.para, line.start + line.length};
            const FGetPos s = std::max(a, from), e = std::min(b, to);
            const bool wholeBreak = line.lCrLf && line.para < to.para && line.para >= from.para;
            if (s < e || (wholeBreak && s <= e)) line.aBlock = std::pair{s.off - line.start, e.off - line.start};
        }
    }
    follow();
}

// Keeps the caret line in view and, with a horizontal scroll, its column.
void FGetModel::follow() {
    const int line = nLineRow();
    const int count = GetLineCount();
    int height = 0;
    lineFirst_ = std::clamp(lineFirst_, 1, std::max(1, count));
    if (line < lineFirst_) lineFirst_ = line;
    // Down: the caret line's bottom must be inside the window.
    for (;;) {
        height = 0;
        for (int i = lineFirst_; i <= line; ++i) height += lines_[static_cast<size_t>(i - 1)].height;
        if (height <= nHeight_ || lineFirst_ >= line) break;
        ++lineFirst_;
    }
    if (lHScroll) {
        const int x = nCol() + leftMargin_;
        if (x < leftMargin_) leftMargin_ = std::max(0, x - nCharWidth);
        if (nWidth_ > 0 && x > leftMargin_ + nWidth_ - 2) leftMargin_ = x - nWidth_ + nCharWidth;
    } else {
        leftMargin_ = 0;
    }
}

int FGetModel::textHeight() const {
    int h = 0;
    for (const TFLine& line : lines_) h += line.height;
    return h;
}

int FGetModel::lineOf(FGetPos pos) const {
    int found = 0;
    for (int i = 0; i < GetLineCount(); ++i) {
        const TFLine& line = lines_[static_cast<size_t>(i)];
        if (line.para < pos.para) continue;
        if (line.para > pos.para) break;
        if (line.start <= pos.off) found = i;
    }
    return found;
}

int FGetModel::nLineRow() const { return lineOf(caret_) + 1; }

int FGetModel::nLineCol() const { return caret_.off - lines_[static_cast<size_t>(lineOf(caret_))].start; }

int FGetModel::lineX(const TFLine& line) const {
    int x = 0;
    if (line.nAlign == 1) x = (nWidth_ - line.widthTrim) / 2;
    if (line.nAlign == 2) x = nWidth_ - line.widthTrim;
    return std::max(0, x) - leftMargin_;
}

int FGetModel::nRow() const {
    int row = 0;
    const int line = lineOf(caret_);
    for (int i = lineFirst_ - 1; i < line; ++i) row += lines_[static_cast<size_t>(i)].height;
    return row;
}

int FGetModel::nCol() const {
    const TFLine& line = lines_[static_cast<size_t>(lineOf(caret_))];
    return lineX(line) + charsWidth(paras_[static_cast<size_t>(line.para)], line.start, caret_.off);
}

int FGetModel::caretHeight() const {
    auto [font, color] = formatAtCaret();
    (void)color;
    return metrics_.height(font);
}

// ---- moves ----

FGetPos FGetModel::clamp(FGetPos pos) const {
    pos.para = std::clamp(pos.para, 0, static_cast<int>(paras_.size()) - 1);
    pos.off = std::clamp(pos.off, 0, static_cast<int>(paras_[static_cast<size_t>(pos.para)].chars.size()));
    return pos;
}

void FGetModel::syncFormat() {
    auto [font, color] = formatAtCaret();
    font_ = font;
    color_ = color;
}

void FGetModel::move(FGetPos to, bool extend) {
    to = clamp(to);
    if (extend && !anchor_) anchor_ = caret_;
    if (!extend) anchor_.reset();
    caret_ = to;
    runOpen_ = false;
    syncFormat();
    layout();
}

void FGetModel::GoTo(FGetPos pos, bool extend) { move(pos, extend); }

void FGetModel::GoPrevChar(bool extend) {
    FGetPos p = caret_;
    if (p.off > 0) {
        --p.off;
    } else if (p.para > 0) {
        --p.para;
        p.off = static_cast<int>(paras_[static_cast<size_t>(p.para)].chars.size());
    }
    move(p, extend);
}

void FGetModel::GoNextChar(bool extend) {
    FGetPos p = caret_;
    if (p.off < static_cast<int>(paras_[static_cast<size_t>(p.para)].chars.size())) {
        ++p.off;
    } else if (p.para + 1 < static_cast<int>(paras_.size())) {
        ++p.para;
        p.off = 0;
    }
    move(p, extend);
}

FGetPos FGetModel::prevWord(FGetPos p) const {
    const auto& chars = paras_[static_cast<size_t>(p.para)].chars;
    if (p.off == 0) {
        if (p.para == 0) return p;
        return {p.para - 1, static_cast<int>(paras_[static_cast<size_t>(p.para - 1)].chars.size())};
    }
    while (p.off > 0 && isBlank(chars[static_cast<size_t>(p.off - 1)].c)) --p.off;
    while (p.off > 0 && !isBlank(chars[static_cast<size_t>(p.off - 1)].c)) --p.off;
    return p;
}

FGetPos FGetModel::nextWord(FGetPos p) const {
    const auto& chars = paras_[static_cast<size_t>(p.para)].chars;
    const int n = static_cast<int>(chars.size());
    if (p.off == n) {
        if (p.para + 1 >= static_cast<int>(paras_.size())) return p;
        return {p.para + 1, 0};
    }
    while (p.off < n && !isBlank(chars[static_cast<size_t>(p.off)].c)) ++p.off;
    while (p.off < n && isBlank(chars[static_cast<size_t>(p.off)].c)) ++p.off;
    return p;
}

void FGetModel::GoPrevWord(bool extend) { move(prevWord(caret_), extend); }
void FGetModel::GoNextWord(bool extend) { move(nextWord(caret_), extend); }

// The character boundary of a display line nearest a pixel column (the
// column counted from the line's text start). A soft-wrapped line's last
// boundary belongs to the next line.
FGetPos FGetModel::nearestIn(int lineIndex, int x) const {
    const TFLine& line = lines_[static_cast<size_t>(lineIndex)];
    const FGetParagraph& p = paras_[static_cast<size_t>(line.para)];
    const int last = line.start + line.length - (line.lCrLf || line.length == 0 ? 0 : 1);
    int w = 0;
    for (int i = line.start; i < last; ++i) {
        const int cw = metrics_.charWidth(p.chars[static_cast<size_t>(i)].font,
                                          static_cast<unsigned char>(p.chars[static_cast<size_t>(i)].c));
        if (x < w + (cw + 1) / 2) return {line.para, i};
        w += cw;
    }
    return {line.para, last};
}

void FGetModel::GoPrevLine(bool extend) {
    const int line = lineOf(caret_);
    if (line == 0) return move(caret_, extend);
    move(nearestIn(line - 1, nCol() - lineX(lines_[static_cast<size_t>(line - 1)])), extend);
}

void FGetModel::GoNextLine(bool extend) {
    const int line = lineOf(caret_);
    if (line + 1 >= GetLineCount()) return move(caret_, extend);
    move(nearestIn(line + 1, nCol() - lineX(lines_[static_cast<size_t>(line + 1)])), extend);
}

void FGetModel::GoInitLine(bool extend) {
    const TFLine& line = lines_[static_cast<size_t>(lineOf(caret_))];
    move({line.para, line.start}, extend);
}

void FGetModel::GoEndLine(bool extend) {
    const int index = lineOf(caret_);
    move(nearestIn(index, 1 << 30), extend);
}

void FGetModel::GoTop(bool extend) { move({0, 0}, extend); }

void FGetModel::GoBottom(bool extend) {
    const int last = static_cast<int>(paras_.size()) - 1;
    move({last, static_cast<int>(paras_.back().chars.size())}, extend);
}

void FGetModel::PageUp(bool extend) {
    const int target = std::max(0, lineOf(caret_) - nLineVisib());
    lineFirst_ = std::max(1, lineFirst_ - nLineVisib());
    move(nearestIn(target, nCol() - lineX(lines_[static_cast<size_t>(target)])), extend);
}

void FGetModel::PageDown(bool extend) {
    const int target = std::min(GetLineCount() - 1, lineOf(caret_) + nLineVisib());
    lineFirst_ = std::min(GetLineCount(), lineFirst_ + nLineVisib());
    move(nearestIn(target, nCol() - lineX(lines_[static_cast<size_t>(target)])), extend);
}

void FGetModel::MoveCaret(int x, int y, bool extend) {
    int line = lineFirst_ - 1;
    int top = 0;
    if (y >= 0) {
        while (line + 1 < GetLineCount() && top + lines_[static_cast<size_t>(line)].height <= y) {
            top += lines_[static_cast<size_t>(line)].height;
            ++line;
        }
    } else {
        line = std::max(0, line - 1);
    }
    move(nearestIn(line, x - lineX(lines_[static_cast<size_t>(line)])), extend);
}

void FGetModel::dropEmptyBlock() {
    if (!lBlock()) anchor_.reset();
}

void FGetModel::ScrollLines(int delta) { ScrollTo(lineFirst_ + delta); }

void FGetModel::ScrollTo(int firstLine) { lineFirst_ = std::clamp(firstLine, 1, std::max(1, GetLineCount())); }

void FGetModel::ScrollLeft(int pixels) {
    if (lHScroll) leftMargin_ = std::clamp(pixels, 0, std::max(0, textWidth_));
}

// ---- editing ----

FGetModel::State FGetModel::state() const {
    return {paras_, aFonts, caret_, anchor_, lineFirst_, leftMargin_};
}

void FGetModel::restore(State s) {
    paras_ = std::move(s.paras);
    aFonts = std::move(s.fonts);
    caret_ = s.caret;
    anchor_ = s.anchor;
    lineFirst_ = s.lineFirst;
    leftMargin_ = s.leftMargin;
}

void FGetModel::BakUp() {
    if (runOpen_) return;
    bak_ = state();
    runOpen_ = true;
}

// One change: the undo copy, the edit, the wrap; a text grown taller than a
// window without vertical scroll bar is put back as it was.
template <class F>
bool FGetModel::change(F&& edit) {
    State before = state();
    std::optional<State> bakBefore = bak_;
    const bool runBefore = runOpen_;
    BakUp();
    edit();
    caret_ = clamp(caret_);
    syncFormat();
    layout();
    if (lStopVScroll()) {
        restore(std::move(before));
        bak_ = std::move(bakBefore);
        runOpen_ = runBefore;
        syncFormat();
        layout();
        return false;
    }
    return true;
}

bool FGetModel::UnDo() {
    if (!bak_) return false;
    State current = state();
    restore(std::move(*bak_));
    bak_ = std::move(current);
    anchor_.reset();
    runOpen_ = false;
    caret_ = clamp(caret_);
    syncFormat();  // the layout re-wraps for the present width
    layout();
    return true;
}

void FGetModel::eraseRange(FGetPos from, FGetPos to) {
    if (!(from < to)) return;
    auto& first = paras_[static_cast<size_t>(from.para)];
    auto& last = paras_[static_cast<size_t>(to.para)];
    std::vector<FGetChar> tail(last.chars.begin() + to.off, last.chars.end());
    first.chars.erase(first.chars.begin() + from.off, first.chars.end());
    first.chars.insert(first.chars.end(), tail.begin(), tail.end());
    paras_.erase(paras_.begin() + from.para + 1, paras_.begin() + to.para + 1);
    caret_ = from;
    anchor_.reset();
}

bool FGetModel::Char(char c, bool insert) {
    const int font = font_;
    const Color color = color_;
    return change([&] {
        if (lBlock()) {
            auto [from, to] = block();
            eraseRange(from, to);
        }
        anchor_.reset();
        auto& chars = paras_[static_cast<size_t>(caret_.para)].chars;
        const FGetChar ch{c, font, color};
        if (insert || caret_.off >= static_cast<int>(chars.size())) {
            chars.insert(chars.begin() + caret_.off, ch);
        } else {
            chars[static_cast<size_t>(caret_.off)] = ch;
        }
        ++caret_.off;
        font_ = font;
        color_ = color;
    });
}

bool FGetModel::Return() {
    const int font = font_;
    const Color color = color_;
    return change([&] {
        if (lBlock()) {
            auto [from, to] = block();
            eraseRange(from, to);
        }
        anchor_.reset();
        FGetParagraph& p = paras_[static_cast<size_t>(caret_.para)];
        FGetParagraph next;
        next.align = p.align;
        next.font = font;
        next.color = color;
        next.chars.assign(p.chars.begin() + caret_.off, p.chars.end());
        p.chars.erase(p.chars.begin() + caret_.off, p.chars.end());
        if (p.chars.empty()) {
            p.font = font;
            p.color = color;
        }
        paras_.insert(paras_.begin() + caret_.para + 1, std::move(next));
        caret_ = {caret_.para + 1, 0};
    });
}

bool FGetModel::BackSpace() {
    if (lBlock()) return DelBlock();
    if (caret_ == FGetPos{}) return false;
    return change([&] {
        FGetPos from = caret_;
        if (from.off > 0) {
            --from.off;
        } else {
            --from.para;
            from.off = static_cast<int>(paras_[static_cast<size_t>(from.para)].chars.size());
        }
        eraseRange(from, caret_);
    });
}

bool FGetModel::Delete() {
    if (lBlock()) return DelBlock();
    FGetPos to = caret_;
    if (to.off < static_cast<int>(paras_[static_cast<size_t>(to.para)].chars.size())) {
        ++to.off;
    } else if (to.para + 1 < static_cast<int>(paras_.size())) {
        to = {to.para + 1, 0};
    } else {
        return false;
    }
    return change([&] { eraseRange(caret_, to); });
}

bool FGetModel::DeleteInit() {
    if (lBlock()) return DelBlock();
    const FGetPos from = prevWord(caret_);
    if (!(from < caret_)) return false;
    return change([&] { eraseRange(from, caret_); });
}

bool FGetModel::DeleteEnd() {
    if (lBlock()) return DelBlock();
    const FGetPos to = nextWord(caret_);
    if (!(caret_ < to)) return false;
    return change([&] { eraseRange(caret_, to); });
}

// ---- selection ----

std::pair<FGetPos, FGetPos> FGetModel::block() const {
    if (!anchor_) return {caret_, caret_};
    return {std::min(*anchor_, caret_), std::max(*anchor_, caret_)};
}

void FGetModel::anchorHere() {
    if (!anchor_) anchor_ = caret_;
}

void FGetModel::SelectAll() {
    anchor_ = FGetPos{};
    caret_ = {static_cast<int>(paras_.size()) - 1, static_cast<int>(paras_.back().chars.size())};
    runOpen_ = false;
    syncFormat();
    layout();
}

// The word at the caret, or the blanks a line begins with.
void FGetModel::BlockWord() {
    const auto& chars = paras_[static_cast<size_t>(caret_.para)].chars;
    const int n = static_cast<int>(chars.size());
    int a = caret_.off, b = caret_.off;
    const bool blank = a < n && isBlank(chars[static_cast<size_t>(a)].c);
    if (blank) {
        bool leading = true;
        for (int i = 0; i < a; ++i) leading = leading && isBlank(chars[static_cast<size_t>(i)].c);
        if (!leading) return;
        a = 0;
        while (b < n && isBlank(chars[static_cast<size_t>(b)].c)) ++b;
    } else {
        while (a > 0 && !isBlank(chars[static_cast<size_t>(a - 1)].c)) --a;
        while (b < n && !isBlank(chars[static_cast<size_t>(b)].c)) ++b;
    }
    anchor_ = FGetPos{caret_.para, a};
    caret_ = {caret_.para, b};
    runOpen_ = false;
    syncFormat();
    layout();
}

std::string FGetModel::GetBlock() const {
    auto [from, to] = block();
    return writeGtf(aFonts, bodyOf(from, to));
}

std::string FGetModel::GetBlockText() const {
    auto [from, to] = block();
    std::string out;
    for (int pi = from.para; pi <= to.para; ++pi) {
        const auto& chars = paras_[static_cast<size_t>(pi)].chars;
        if (pi > from.para) out += "\r\n";
        const int a = pi == from.para ? from.off : 0;
        const int b = pi == to.para ? to.off : static_cast<int>(chars.size());
        for (int i = a; i < b; ++i) out += chars[static_cast<size_t>(i)].c;
    }
    return out;
}

bool FGetModel::DelBlock() {
    if (!lBlock()) return false;
    return change([&] {
        auto [from, to] = block();
        eraseRange(from, to);
    });
}

int FGetModel::fontIndex(const GtfFont& font) {
    for (size_t i = 0; i < aFonts.size(); ++i) {
        if (aFonts[i] == font) return static_cast<int>(i + 1);
    }
    aFonts.push_back(font);
    return static_cast<int>(aFonts.size());
}

void FGetModel::insertChars(const std::vector<std::vector<FGetChar>>& parts, const std::vector<int>& aligns) {
    FGetParagraph& here = paras_[static_cast<size_t>(caret_.para)];
    std::vector<FGetChar> tail(here.chars.begin() + caret_.off, here.chars.end());
    here.chars.erase(here.chars.begin() + caret_.off, here.chars.end());
    here.chars.insert(here.chars.end(), parts[0].begin(), parts[0].end());
    int para = caret_.para;
    for (size_t i = 1; i < parts.size(); ++i) {
        FGetParagraph p;
        p.align = aligns[i];
        p.chars = parts[i];
        p.font = font_;
        p.color = color_;
        paras_.insert(paras_.begin() + ++para, std::move(p));
    }
    FGetParagraph& last = paras_[static_cast<size_t>(para)];
    caret_ = {para, static_cast<int>(last.chars.size())};
    last.chars.insert(last.chars.end(), tail.begin(), tail.end());
}

bool FGetModel::PutBlock(std::string_view gtf) {
    auto doc = parseGtf(gtf);
    if (!doc) return false;
    return change([&] {
        if (lBlock()) {
            auto [from, to] = block();
            eraseRange(from, to);
        }
        anchor_.reset();
        std::vector<int> map;
        for (const GtfFont& f : doc->fonts) map.push_back(fontIndex(f));
        const GtfParts parts = splitGtfBody(doc->body, map, font_, color_, nAlign());
        insertChars(parts.paras, parts.aligns);
    });
}

bool FGetModel::Paste(const std::optional<std::string>& gtf, const std::optional<std::string>& rtf,
                      const std::optional<std::string>& text) {
    if (gtf && IsGTF(*gtf)) return PutBlock(*gtf);
    if (rtf) {
        if (auto converted = rtfToGtf(*rtf)) return PutBlock(*converted);
    }
    if (text && !text->empty()) {
        GtfFont font = aFonts[static_cast<size_t>(std::clamp(font_, 1, static_cast<int>(aFonts.size())) - 1)];
        return PutBlock(TxtToGtf(*text, nAlign(), font, color_));
    }
    return false;
}

// ---- formats ----

int FGetModel::nAlign() const { return paras_[static_cast<size_t>(caret_.para)].align; }

std::pair<int, Color> FGetModel::formatAtCaret() const {
    const FGetParagraph& p = paras_[static_cast<size_t>(caret_.para)];
    if (p.chars.empty()) return {p.font, p.color};
    const FGetChar& ch = p.chars[static_cast<size_t>(caret_.off > 0 ? caret_.off - 1 : 0)];
    return {ch.font, ch.color};
}

void FGetModel::SetFormat(const GtfFont& font, Color color) {
    if (!lBlock()) {
        font_ = fontIndex(font);
        color_ = color;
        FGetParagraph& p = paras_[static_cast<size_t>(caret_.para)];
        if (p.chars.empty()) {
            p.font = font_;
            p.color = color;
        }
        layout();
        return;
    }
    change([&] {
        const int index = fontIndex(font);
        auto [from, to] = block();
        for (int pi = from.para; pi <= to.para; ++pi) {
            auto& chars = paras_[static_cast<size_t>(pi)].chars;
            const int a = pi == from.para ? from.off : 0;
            const int b = pi == to.para ? to.off : static_cast<int>(chars.size());
            for (int i = a; i < b; ++i) chars[static_cast<size_t>(i)] = {chars[static_cast<size_t>(i)].c, index, color};
        }
    });
}

void FGetModel::SetAlign(int align) {
    if (lHScroll) align = 0;
    align = std::clamp(align, 0, 2);
    change([&] {
        auto [from, to] = block();
        for (int pi = from.para; pi <= to.para; ++pi) paras_[static_cast<size_t>(pi)].align = align;
    });
}

// ---- search ----

bool FGetModel::Find(std::string_view text, bool next) {
    if (text.empty()) return false;
    cLastFind = std::string(text);
    FGetPos from = next ? caret_ : FGetPos{};
    if (next && lBlock()) from = block().first;
    if (next) ++from.off;
    for (int pi = from.para; pi < static_cast<int>(paras_.size()); ++pi) {
        std::string joined;
        for (const FGetChar& ch : paras_[static_cast<size_t>(pi)].chars) joined += ch.c;
        const size_t start = pi == from.para ? static_cast<size_t>(from.off) : 0;
        if (start > joined.size()) continue;
        const size_t at = joined.find(text, start);
        if (at == std::string::npos) continue;
        anchor_ = FGetPos{pi, static_cast<int>(at + text.size())};
        caret_ = {pi, static_cast<int>(at)};
        runOpen_ = false;
        syncFormat();
        layout();
        return true;
    }
    return false;
}

}  // namespace wl
