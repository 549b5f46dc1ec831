#include "gtf_rtf.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "code_text.hpp"
#include "messages.hpp"

namespace wl {

namespace {

constexpr std::string_view kHeader = "GTF\x05"
                                     "1\x07";

bool isCodeByte(char c) {
    return c == kGtfFieldEnd || c == kGtfSectionEnd || c == kGtfFontCode || c == kGtfColorCode ||
           c == kGtfAlignCode;
}

void addField(std::string& out, std::string_view field) {
    out += field;
    out += kGtfFieldEnd;
}

void addCode(std::string& out, char code, std::string_view argument) {
    out += code;
    addField(out, argument);
}

// Reads one FE-ended field at pos; a missing FE takes the rest.
std::string_view takeField(std::string_view text, size_t& pos) {
    size_t end = text.find(kGtfFieldEnd, pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view field = text.substr(pos, end - pos);
    pos = std::min(end + 1, text.size());
    return field;
}

long toLong(std::string_view digits) {
    long value = 0;
    bool negative = false;
    size_t i = 0;
    if (i < digits.size() && (digits[i] == '-' || digits[i] == '+')) negative = digits[i++] == '-';
    for (; i < digits.size() && digits[i] >= '0' && digits[i] <= '9'; ++i) {
        if (value < 100000000L) value = value * 10 + (digits[i] - '0');
    }
    return negative ? -value : value;
}

std::string colorText(Color c) { return std::to_string(c); }

}  // namespace

bool IsGTF(std::string_view text) { return text.substr(0, text.find(kGtfFieldEnd)) == "GTF"; }

bool IsRTF(std::string_view text) { return text.substr(0, 5) == "{\\rtf"; }

std::string gtfDefaultWidth(long height) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", static_cast<double>(height) * 0.44);
    std::string text = buffer;
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text == "-0" ? "0" : text;
}

std::string writeGtf(const std::vector<GtfFont>& fonts, std::string_view body) {
    std::string out(kHeader);
    for (const GtfFont& f : fonts) {
        addField(out, f.face);
        addField(out, f.height);
        addField(out, f.width);
        addField(out, f.bold ? "1" : "0");
        addField(out, f.italic ? "1" : "0");
        addField(out, f.underline ? "1" : "0");
        addField(out, f.strikeOut ? "1" : "0");
    }
    out += kGtfSectionEnd;
    out += body;
    out += kGtfSectionEnd;
    return out;
}

std::string TxtToGtf(std::string_view text, int align, const GtfFont& font, Color color) {
    size_t headerEnd = text.find(kGtfSectionEnd);
    if (headerEnd != std::string_view::npos && text.substr(0, headerEnd + 1) == kHeader) return std::string(text);
    std::string body;
    addCode(body, kGtfAlignCode, std::to_string(align));
    addCode(body, kGtfFontCode, "1");
    addCode(body, kGtfColorCode, colorText(color));
    for (char c : text) body += isCodeByte(c) ? '?' : c;
    return writeGtf({font}, body);
}

std::optional<GtfDocument> parseGtf(std::string_view gtf) {
    if (!IsGTF(gtf)) return std::nullopt;
    size_t pos = gtf.find(kGtfSectionEnd);
    if (pos == std::string_view::npos) return GtfDocument{};
    ++pos;
    GtfDocument doc;
    while (pos < gtf.size() && gtf[pos] != kGtfSectionEnd) {
        GtfFont f;
        std::string_view fields[7];
        for (auto& field : fields) field = pos < gtf.size() && gtf[pos] != kGtfSectionEnd ? takeField(gtf, pos) : "";
        if (!fields[0].empty()) f.face = std::string(fields[0]);
        if (!fields[1].empty()) f.height = std::string(fields[1]);
        if (!fields[2].empty()) f.width = std::string(fields[2]);
        f.bold = fields[3] == "1";
        f.italic = fields[4] == "1";
        f.underline = fields[5] == "1";
        f.strikeOut = fields[6] == "1";
        doc.fonts.push_back(std::move(f));
    }
    if (pos < gtf.size()) ++pos;
    size_t end = gtf.find(kGtfSectionEnd, pos);
    doc.body = std::string(gtf.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
    return doc;
}

std::optional<std::string> gtfToTxt(std::string_view gtf) {
    auto doc = parseGtf(gtf);
    if (!doc) return std::nullopt;
    std::string out;
    std::string_view body = doc->body;
    for (size_t i = 0; i < body.size();) {
        char c = body[i];
        if (c == kGtfFontCode || c == kGtfColorCode || c == kGtfAlignCode) {
            ++i;
            takeField(body, i);
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

std::optional<std::string> gtfToRtf(std::string_view gtf) {
    auto doc = parseGtf(gtf);
    if (!doc) return std::nullopt;
    // Each entry's RTF font is the first entry of the same face.
    std::vector<size_t> rtfFont(doc->fonts.size());
    std::string fontTable = "{\\fonttbl";
    for (size_t i = 0; i < doc->fonts.size(); ++i) {
        size_t first = i;
        for (size_t j = 0; j < i; ++j) {
            if (doc->fonts[j].face == doc->fonts[i].face) {
                first = j;
                break;
            }
        }
        rtfFont[i] = first;
        if (first == i) fontTable += "{\\f" + std::to_string(i) + "\\fnil " + doc->fonts[i].face + ";}";
    }
    fontTable += "}";

    std::vector<Color> colors;
    std::string fontPrefix, colorPrefix, pendingAlign, runs;
    std::string_view body = doc->body;
    auto flushRun = [&](std::string_view run) {
        if (run.empty()) return;
        runs += pendingAlign;
        pendingAlign.clear();
        runs += "{" + fontPrefix + colorPrefix + " " + CODETEXT(run) + "}";
    };
    size_t runStart = 0;
    for (size_t i = 0; i < body.size();) {
        char c = body[i];
        if (c == kGtfFontCode || c == kGtfColorCode || c == kGtfAlignCode) {
            flushRun(body.substr(runStart, i - runStart));
            ++i;
            long arg = toLong(takeField(body, i));
            if (c == kGtfAlignCode) {
                pendingAlign = arg == 1 ? "\\pard\\qc" : arg == 2 ? "\\pard\\qr" : "\\pard\\ql";
            } else if (c == kGtfFontCode) {
                size_t n = static_cast<size_t>(std::max(1L, arg)) - 1;
                if (n < doc->fonts.size()) {
                    const GtfFont& f = doc->fonts[n];
                    long half = std::lround(std::fabs(std::atof(f.height.c_str())) * 0.75) * 2;
                    fontPrefix = "\\f" + std::to_string(rtfFont[n]) + "\\fs" + std::to_string(half);
                    if (f.bold) fontPrefix += "\\b";
                    if (f.italic) fontPrefix += "\\i";
                    if (f.underline) fontPrefix += "\\ul";
                    if (f.strikeOut) fontPrefix += "\\strike";
                }
            } else {
                Color color = static_cast<Color>(arg);
                auto it = std::find(colors.begin(), colors.end(), color);
                if (it == colors.end()) it = colors.insert(colors.end(), color);
                colorPrefix = "\\cf" + std::to_string(it - colors.begin() + 1);
            }
            runStart = i;
        } else if (c == '\r' && i + 1 < body.size() && body[i + 1] == '\n') {
            flushRun(body.substr(runStart, i - runStart));
            runs += pendingAlign;
            pendingAlign.clear();
            runs += "{\\par}\r\n";
            i += 2;
            runStart = i;
        } else {
            ++i;
        }
    }
    flushRun(body.substr(runStart));

    std::string colorTable = "{\\colortbl;";
    for (Color c : colors) {
        colorTable += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) + "\\blue" +
                      std::to_string((c >> 16) & 0xFF) + ";";
    }
    colorTable += "}";
    return "{\\rtf1\\ansi\\deff0\\deftab720" + fontTable + colorTable + "{\\info{\\title }{\\author }}" + "{\\pard" +
           runs + "}}";
}

namespace {

// ---- RTF reading ----

struct RtfState {
    int align = 0;
    std::string face;
    std::string height = "11";
    std::string width = "4.84";
    bool bold = false, italic = false, underline = false, strikeOut = false;
    Color color = 0;
};

enum class Destination { Body, FontTable, ColorTable, Skip };

struct RtfGroup {
    Destination dest = Destination::Body;
    bool first = true;  // nothing read in the group yet (a destination word may follow)
};

// Groups whose text is not document text.
bool isSkippedDestination(std::string_view word) {
    static constexpr std::string_view kSkipped[] = {
        "stylesheet", "info",    "pict",      "object",    "header",  "headerl",  "headerr",
        "headerf",    "footer",  "footerl",   "footerr",   "footerf", "footnote", "fldinst",
        "listtable",  "listoverridetable", "rsidtbl", "revtbl", "filetbl", "themedata", "xmlnstbl",
        "generator",  "private", "nonshppict", "shppict",  "bkmkstart", "bkmkend"};
    return std::find(std::begin(kSkipped), std::end(kSkipped), word) != std::end(kSkipped);
}

class RtfReader {
public:
    explicit RtfReader(std::string_view rtf) : rtf_(rtf) {}

    std::string run() {
        read();
        return writeGtf(fontSpecs_, out_);
    }

private:
    static constexpr size_t kStackLimit = 10;

    std::string_view rtf_;
    size_t pos_ = 0;
    // Group nesting: every group is counted; only the first ten states are
    // saved, and a closing brace restores only a state its group saved.
    std::vector<RtfGroup> groups_{RtfGroup{}};
    std::vector<std::pair<size_t, RtfState>> saved_;
    RtfState state_;
    std::optional<RtfState> emitted_;
    std::vector<std::pair<long, std::string>> fontTable_;
    std::vector<Color> colorTable_;
    // The font-table entry or colour being read.
    long tableFont_ = 0;
    std::string tableFace_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool faceStarted_ = false;
    std::vector<GtfFont> fontSpecs_;
    std::string out_;

    Destination dest() const { return groups_.back().dest; }

    void read() {
        while (pos_ < rtf_.size()) {
            char c = rtf_[pos_];
            if (c == '{') {
                ++pos_;
                openGroup();
            } else if (c == '}') {
                ++pos_;
                closeGroup();
            } else if (c == '\\') {
                controlWord();
            } else if (c == '\r' || c == '\n' || c == '\0') {
                ++pos_;
            } else {
                ++pos_;
                text(c);
            }
        }
    }

    void openGroup() {
        RtfGroup g;
        g.dest = dest() == Destination::Body ? Destination::Body : Destination::Skip;
        // In the font table each entry may be a group of its own; groups
        // inside an entry are skipped.
        bool inEntry = groups_.size() >= 2 && groups_[groups_.size() - 2].dest == Destination::FontTable;
        if (dest() == Destination::FontTable && !inEntry) g.dest = Destination::FontTable;
        groups_.back().first = false;
        groups_.push_back(g);
        if (saved_.size() < kStackLimit) saved_.emplace_back(groups_.size(), state_);
    }

    void closeGroup() {
        if (groups_.size() <= 1) return;  // a stray closing brace
        if (dest() == Destination::FontTable) endFontEntry();
        if (!saved_.empty() && saved_.back().first == groups_.size()) {
            state_ = saved_.back().second;
            saved_.pop_back();
        }
        groups_.pop_back();
    }

    void controlWord() {
        ++pos_;  // the backslash
        if (pos_ >= rtf_.size()) return;
        char c = rtf_[pos_];
        if (!isLetter(c)) {
            ++pos_;
            controlSymbol(c);
            return;
        }
        size_t start = pos_;
        while (pos_ < rtf_.size() && isLetter(rtf_[pos_]) && pos_ - start < 32) ++pos_;
        std::string_view word = rtf_.substr(start, pos_ - start);
        std::optional<long> number;
        if (pos_ < rtf_.size() && (rtf_[pos_] == '-' || isDigit(rtf_[pos_]))) {
            size_t numStart = pos_++;
            while (pos_ < rtf_.size() && isDigit(rtf_[pos_])) ++pos_;
            number = toLong(rtf_.substr(numStart, pos_ - numStart));
        }
        if (pos_ < rtf_.size() && rtf_[pos_] == ' ') ++pos_;  // the delimiting blank belongs to the word
        bool first = groups_.back().first;
        groups_.back().first = false;
        apply(word, number, first);
    }

    void controlSymbol(char c) {
        bool first = groups_.back().first;
        groups_.back().first = false;
        if (c == '*' && first) {
            groups_.back().dest = Destination::Skip;
        } else if (c == '\'') {
            int hi = pos_ < rtf_.size() ? hexValue(rtf_[pos_]) : -1;
            int lo = pos_ + 1 < rtf_.size() ? hexValue(rtf_[pos_ + 1]) : -1;
            if (hi < 0 || lo < 0) {  // a cut escape is dropped with its digit
                if (hi >= 0) ++pos_;
                return;
            }
            pos_ += 2;
            text(static_cast<char>(hi * 16 + lo));
        } else if (c == '\\' || c == '{' || c == '}') {
            text(c);
        } else if (c == '~') {
            text(' ');
        } else if (c == '\r' || c == '\n') {
            if (dest() == Destination::Body) lineEnd();
        }
    }

    void apply(std::string_view word, std::optional<long> number, bool firstInGroup) {
        Destination d = dest();
        if (firstInGroup && isSkippedDestination(word)) {
            groups_.back().dest = Destination::Skip;
            return;
        }
        if (d == Destination::Skip) return;
        if (word == "fonttbl") {
            groups_.back().dest = Destination::FontTable;
            return;
        }
        if (word == "colortbl") {
            groups_.back().dest = Destination::ColorTable;
            red_ = green_ = blue_ = 0;
            return;
        }
        if (d == Destination::FontTable) {
            if (word == "f") {
                tableFont_ = number.value_or(0);
                tableFace_.clear();
                faceStarted_ = true;
            }
            return;
        }
        if (d == Destination::ColorTable) {
            int v = static_cast<int>(std::clamp(number.value_or(0), 0L, 255L));
            if (word == "red") red_ = v;
            if (word == "green") green_ = v;
            if (word == "blue") blue_ = v;
            return;
        }
        bodyWord(word, number);
    }

    void bodyWord(std::string_view word, std::optional<long> number) {
        bool on = number.value_or(1) != 0;
        if (word == "par") {
            lineEnd();
        } else if (word == "pard") {
            state_.align = 0;
            resetEffects();
        } else if (word == "plain") {
            resetEffects();
        } else if (word == "fs") {
            long height = std::lround(static_cast<double>(number.value_or(0)) / 1.5);
            state_.height = std::to_string(height);
            state_.width = gtfDefaultWidth(height);
        } else if (word == "cf") {
            long n = number.value_or(0);
            state_.color = n >= 0 && static_cast<size_t>(n) < colorTable_.size() ? colorTable_[n] : 0;
        } else if (word == "f") {
            for (const auto& [n, face] : fontTable_) {
                if (n == number.value_or(0)) {
                    state_.face = face;
                    break;
                }
            }
        } else if (word == "b") {
            state_.bold = on;
        } else if (word == "i") {
            state_.italic = on;
        } else if (word == "ul") {
            state_.underline = on;
        } else if (word == "ulnone") {
            state_.underline = false;
        } else if (word == "strike") {
            state_.strikeOut = on;
        } else if (word == "ql") {
            state_.align = 0;
        } else if (word == "qr") {
            state_.align = 2;
        } else if (word == "qc") {
            state_.align = 1;
        } else if (word == "tab") {
            text('\t');
        }
    }

    void resetEffects() {
        state_.bold = state_.italic = state_.underline = state_.strikeOut = false;
        state_.color = 0;
    }

    void text(char c) {
        switch (dest()) {
        case Destination::Body:
            emitCodes();
            out_ += isCodeByte(c) ? '?' : c;
            break;
        case Destination::FontTable:
            if (c == ';') {
                endFontEntry();
            } else if (faceStarted_) {
                tableFace_ += c;
            }
            break;
        case Destination::ColorTable:
            if (c == ';') {
                colorTable_.push_back(NRGB(red_, green_, blue_));
                red_ = green_ = blue_ = 0;
            }
            break;
        case Destination::Skip:
            break;
        }
    }

    void endFontEntry() {
        if (!faceStarted_) return;
        faceStarted_ = false;
        fontTable_.emplace_back(tableFont_, tableFace_);
    }

    void lineEnd() {
        emitCodes();
        out_ += "\r\n";
    }

    // Writes the codes whose value changed since the last text; the first
    // text writes them all.
    void emitCodes() {
        if (!emitted_ || emitted_->align != state_.align) {
            addCode(out_, kGtfAlignCode, std::to_string(state_.align));
        }
        std::string face = state_.face;
        if (face.empty()) face = fontTable_.empty() ? "system" : fontTable_.front().second;
        GtfFont font{face, state_.height, state_.width, state_.bold,
                     state_.italic, state_.underline, state_.strikeOut};
        auto it = std::find(fontSpecs_.begin(), fontSpecs_.end(), font);
        if (it == fontSpecs_.end()) it = fontSpecs_.insert(fontSpecs_.end(), font);
        std::string fontNumber = std::to_string(it - fontSpecs_.begin() + 1);
        if (!emitted_ || fontNumber != emittedFont_) addCode(out_, kGtfFontCode, fontNumber);
        if (!emitted_ || emitted_->color != state_.color) addCode(out_, kGtfColorCode, colorText(state_.color));
        emitted_ = state_;
        emittedFont_ = fontNumber;
    }
    std::string emittedFont_;

    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }
    static int hexValue(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }
};

// The text must name RTF right after its first backslash.
bool looksLikeRtf(std::string_view rtf) {
    size_t slash = rtf.find('\\');
    if (slash == std::string_view::npos || slash + 4 > rtf.size()) return false;
    std::string word(rtf.substr(slash + 1, 3));
    for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return word == "RTF";
}

}  // namespace

std::optional<std::string> rtfToGtf(std::string_view rtf) {
    if (!looksLikeRtf(rtf)) return std::nullopt;
    return RtfReader(rtf).run();
}

std::string GtfToTxt(std::string_view gtf) {
    auto text = gtfToTxt(gtf);
    if (!text) MSGALERT(Value("The data are not GTF (Get Text Format)!"));
    return text.value_or("");
}

std::string GtfToRtf(std::string_view gtf) {
    auto rtf = gtfToRtf(gtf);
    if (!rtf) MSGALERT(Value("The data are not GTF (Get Text Format)!"));
    return rtf.value_or("");
}

std::string RtfToGtf(std::string_view rtf) {
    auto gtf = rtfToGtf(rtf);
    if (!gtf) MSGALERT(Value("The data are not RTF (Rich Text Format)!"));
    return gtf.value_or("");
}

int(GetRValue)(Color color) { return static_cast<int>(color & 0xFF); }
int(GetGValue)(Color color) { return static_cast<int>((color >> 8) & 0xFF); }
int(GetBValue)(Color color) { return static_cast<int>((color >> 16) & 0xFF); }

}  // namespace wl
