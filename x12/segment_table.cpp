#include "segment_table.hpp"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "elements.hpp"
#include "file_io.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "progress_meter.hpp"
#include "text.hpp"
#include "text_files.hpp"

namespace zr {

namespace {

enum LoopCode : std::uint8_t {
    kNoLoop,
    k1000A,
    k1000B,
    k2010AA,
    k2010BA,
    k2010BB,
    k2300,
    k2400,
    kPlaceholder,
    k2000A,
    k2000B,
};

const std::vector<std::string> kLoopNames = {"",     "1000A", "1000B",     "2010AA", "2010BA", "2010BB",
                                             "2300", "2400",  "---------", "2000A",  "2000B"};

const std::vector<std::string> kNoNote = {""};

bool isLeftBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view leftTrimmed(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && isLeftBlank(s[i])) ++i;
    return s.substr(i);
}

std::string_view trimmedId(std::string_view s) {
    s = leftTrimmed(s);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

bool begins(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

}  // namespace

// ---------------------------------------------------------------- the table

SegmentTable::SegmentTable(std::size_t n, X12Delimiters delimiters, std::shared_ptr<const std::string> buffer)
    : buffer_(std::move(buffer)),
      delimiters_(std::make_shared<X12Delimiters>(std::move(delimiters))),
      starts_(n, 0),
      lengths_(n, 0),
      levels_(n, -1),
      loops_(n, kNoLoop),
      runs_of_(n, 0) {}

const std::vector<std::string>& SegmentTable::loopNames() { return kLoopNames; }

std::string_view SegmentTable::text(std::size_t row) const {
    if (!buffer_ || lengths_[row - 1] == 0) return {};
    return std::string_view(*buffer_).substr(starts_[row - 1], lengths_[row - 1]);
}

std::string_view SegmentTable::id(std::size_t row) const {
    std::string_view t = text(row);
    const std::string& e = delimiters_->element;
    if (e.empty()) return {};
    std::size_t sep = t.find(e[0]);
    if (sep == std::string_view::npos) return {};
    return trimmedId(t.substr(0, sep));
}

std::string SegmentTable::level(std::size_t row) const {
    int l = levels_[row - 1];
    return l < 0 ? std::string() : std::to_string(l);
}

std::string_view SegmentTable::loopId(std::size_t row) const { return kLoopNames[loops_[row - 1]]; }

const std::vector<std::string>& SegmentTable::segmentNotes(std::size_t row) const {
    auto it = segmentNotes_.find(row);
    return it == segmentNotes_.end() ? kNoNote : it->second;
}

const std::vector<std::string>& SegmentTable::elementNotes(std::size_t row) const {
    auto it = elementNotes_.find(row);
    return it == elementNotes_.end() ? kNoNote : it->second;
}

void SegmentTable::setSegmentNote(std::size_t row, std::string note) {
    auto& notes = segmentNotes_[row];
    if (notes.empty()) notes.push_back("");
    notes[0] = std::move(note);
}

void SegmentTable::setElementNote(std::size_t row, std::string note) {
    auto& notes = elementNotes_[row];
    if (notes.empty()) notes.push_back("");
    notes[0] = std::move(note);
}

std::optional<std::uint64_t> SegmentTable::filePosition(std::size_t row) const {
    std::string_view t = text(row);
    const std::string& e = delimiters_->element;
    if (e.empty()) return std::nullopt;
    std::size_t sep = t.find(e[0]);
    if (sep == std::string_view::npos) return std::nullopt;
    std::string_view head = leftTrimmed(t.substr(0, sep));
    // The separator's 1-based file position, less the id's length as the
    // level test saw it: 2 for HL, 3 for CLP.
    std::uint64_t p = starts_[row - 1] + sep + 1;
    if (begins(head, "HL")) return p - 2;
    if (begins(head, "CLP")) return p - 3;
    return std::nullopt;
}

std::string_view SegmentTable::element(std::size_t row, int n) const {
    return CTL39400AU(text(row), n, delimiters_->element);
}

std::string SegmentTable::column(std::size_t row, int k) const {
    auto number = [](std::uint32_t n) { return n == 0 ? std::string() : std::to_string(n); };
    const ClaimNumbers& c = claim(row);
    switch (k) {
        case 1: return std::string(id(row));
        case 2: return std::string(text(row));
        case 3: return level(row);
        case 4: return std::string(loopId(row));
        case 5: return segmentNotes(row)[0];
        case 6: return elementNotes(row)[0];
        case 8: return number(c.inSet);
        case 9: {
            auto p = filePosition(row);
            return p ? std::to_string(*p) : std::string();
        }
        case 10: return number(c.inFile);
        case 11: return number(c.inInterchange);
        case 12: return std::to_string(c.providers);
        case 13: return delimiters_->terminator + delimiters_->element + delimiters_->component;
        default: return "";
    }
}

void SegmentTable::setRow(std::size_t row, const RowData& d) {
    starts_[row - 1] = d.start;
    lengths_[row - 1] = d.length;
    levels_[row - 1] = d.level;
    loops_[row - 1] = d.loop;
}

SegmentTable::RowData SegmentTable::rowData(std::size_t row) const {
    return {starts_[row - 1], lengths_[row - 1], levels_[row - 1], loops_[row - 1]};
}

void SegmentTable::setClaim(std::size_t row, const ClaimNumbers& numbers) {
    if (!(runs_.back() == numbers)) runs_.push_back(numbers);
    runs_of_[row - 1] = static_cast<std::uint32_t>(runs_.size() - 1);
}

void SegmentTable::appendRowFrom(const SegmentTable& source, std::size_t row, const ClaimNumbers& numbers) {
    if (!buffer_) {
        buffer_ = source.buffer_;
        delimiters_ = source.delimiters_;
    }
    starts_.push_back(0);
    lengths_.push_back(0);
    levels_.push_back(-1);
    loops_.push_back(kNoLoop);
    runs_of_.push_back(0);
    const std::size_t to = size();
    setRow(to, source.rowData(row));
    setClaim(to, numbers);
    if (auto it = source.segmentNotes_.find(row); it != source.segmentNotes_.end()) segmentNotes_[to] = it->second;
    if (auto it = source.elementNotes_.find(row); it != source.elementNotes_.end()) elementNotes_[to] = it->second;
}

std::size_t SegmentTable::overheadBytes() const {
    return starts_.capacity() * sizeof(std::uint64_t) + lengths_.capacity() * sizeof(std::uint32_t) +
           levels_.capacity() + loops_.capacity() + runs_of_.capacity() * sizeof(std::uint32_t) +
           runs_.capacity() * sizeof(ClaimNumbers);
}

// ---------------------------------------------------------------- counting

std::size_t CTL39400I(const std::string& fileName, int, const std::string&, const std::string&,
                      const std::string& terminator, std::int64_t) {
    if (!wl::fileExists(fileName) || terminator.empty()) return 0;
    wl::InputFile f(fileName);
    if (!f.isOpen()) return 0;
    const char t = terminator[0];
    std::vector<char> buf(1u << 20);
    std::size_t count = 0;
    while (std::size_t got = f.read(buf.data(), buf.size())) {
        const char* p = buf.data();
        const char* end = p + got;
        while ((p = static_cast<const char*>(std::memchr(p, t, end - p))) != nullptr) {
            ++count;
            ++p;
        }
    }
    return count;
}

SegmentTable CTL39400D(std::size_t n, const X12Delimiters& delimiters) { return SegmentTable(n, delimiters); }

std::uint64_t CTL39400AP(const std::string& fileName) {
    std::error_code ec;
    auto size = std::filesystem::file_size(fileName, ec);
    return ec ? 0 : static_cast<std::uint64_t>(size);
}

// ---------------------------------------------------------------- loading

namespace {

// What the claim numbering needs to know of a row, found while loading.
enum RowKind : std::uint8_t { kOther, kIsa, kSt, kHl, kHl20, kHl22, kClp, kAk34, kIk34, kMsg };

struct LevelState {
    int current = 0;
};

// The level of a segment whose id has just completed; `head` is the text
// before the element separator, left-trimmed. Prefix tests, first match.
int levelOf(std::string_view head, LevelState& s) {
    struct Rule {
        const char* id;
        int level;  // -2: the current level
    };
    static const Rule rules[] = {
        {"ISA", 1}, {"GS", 2},  {"ST", 3},  {"BHT", 4}, {"REF", -2}, {"NM1", -2}, {"PER", -2}, {"HL", -2},
        {"CLP", -2}, {"N3", -2}, {"N4", -2}, {"SBR", 6}, {"PAT", 7},  {"DMG", -2}, {"CLM", 8},  {"HI", -2},
        {"PRV", -2}, {"DTP", -2}, {"LX", 9}, {"SV1", -2}, {"SV2", -2}, {"SV3", -2}, {"SVC", -2}, {"SE", 3},
        {"GE", 2},  {"IEA", 1},
    };
    for (const Rule& r : rules) {
        if (!begins(head, r.id)) continue;
        if (r.level == -2) return s.current;
        s.current = r.level;
        return r.level;
    }
    return -1;
}

// The loop-id tests run on the growing text of a segment after every byte;
// all patterns are at most six characters long, so replaying the first six
// prefixes gives the same end state as the byte-by-byte walk.
void applyLoopTests(SegmentTable& t, std::size_t row, std::string_view trimmed, char e, std::uint8_t& current) {
    const std::string per = std::string("PER") + e + "IC";
    const std::string nm41 = std::string("NM1") + e + "41";
    const std::string nm40 = std::string("NM1") + e + "40";
    const std::string nm85 = std::string("NM1") + e + "85";
    const std::string nm87 = std::string("NM1") + e + "87";
    const std::string ref1c = std::string("REF") + e + "1C";
    const std::string nmil = std::string("NM1") + e + "IL";
    const std::string nmpr = std::string("NM1") + e + "PR";
    const std::string prvpt = std::string("PRV") + e + "PT";
    auto set = [&](std::uint8_t code) {
        t.setLoop(row, code);
        current = code;
    };
    auto afterPlaceholder = [&](std::uint8_t code) {
        if (row > 1 && t.loopCode(row - 1) == kPlaceholder) {
            t.setLoop(row - 1, code);
            t.setLoop(row, code);
        }
    };
    const std::size_t last = std::min<std::size_t>(trimmed.size(), 6);
    for (std::size_t len = 1; len <= last; ++len) {
        std::string_view s = trimmed.substr(0, len);
        if (begins(s, per) || begins(s, nm41)) set(k1000A);
        else if (begins(s, nm40)) set(k1000B);
        else if (begins(s, nm85) || begins(s, nm87) || begins(s, ref1c)) set(k2010AA);
        else if (begins(s, nmil)) set(k2010BA);
        else if (begins(s, nmpr)) set(k2010BB);
        else if (begins(s, "CLM")) set(k2300);
        else if (begins(s, "LX")) set(k2400);
        else if (begins(s, "HL")) t.setLoop(row, kPlaceholder);
        else if (begins(s, prvpt)) afterPlaceholder(k2000A);
        else if (begins(s, "SBR") || begins(s, "PAT")) afterPlaceholder(k2000B);
        else if (begins(s, "N3") || begins(s, "N4") || begins(s, "DMG") || begins(s, "HI") || begins(s, "SV1") ||
                 begins(s, "SV2") || begins(s, "SV3") || begins(s, "DTP") || begins(s, "PRV"))
            t.setLoop(row, current);
    }
}

RowKind kindOf(std::string_view id, std::string_view text, char e) {
    if (id == "ISA") return kIsa;
    if (id == "ST") return kSt;
    if (begins(id, "HL")) {
        std::string_view hl03 = CTL39400AU(text, 3, std::string_view(&e, 1));
        if (begins(hl03, "20")) return kHl20;
        if (begins(hl03, "22")) return kHl22;
        return kHl;
    }
    if (begins(id, "CLP")) return kClp;
    if (begins(id, "AK3") || begins(id, "AK4")) return kAk34;
    if (begins(id, "IK3") || begins(id, "IK4")) return kIk34;
    if (begins(id, "MSG")) return kMsg;
    return kOther;
}

bool startsClaim(std::string_view setId, RowKind k, std::size_t providers, std::size_t subscribers) {
    const bool hl = k == kHl || k == kHl20 || k == kHl22;
    if (begins(setId, "837")) {
        if (!hl || providers == 0) return false;
        if (providers == 1) return k == kHl22;
        return providers != subscribers ? k == kHl22 : k == kHl20;
    }
    if (begins(setId, "270") || begins(setId, "271") || begins(setId, "277")) return k == kHl22;
    if (begins(setId, "835")) return k == kClp;
    if (begins(setId, "997")) return k == kAk34;
    if (begins(setId, "999")) return k == kIk34;
    if (begins(setId, "864")) return k == kMsg;
    return false;
}

void numberClaims(SegmentTable& t, const std::vector<std::uint8_t>& kinds, std::size_t providers,
                  std::size_t subscribers) {
    std::uint32_t inSet = 0, inFile = 0, inInterchange = 0, providerRows = 0;
    std::string setId;
    for (std::size_t r = 1; r <= t.size(); ++r) {
        const RowKind k = static_cast<RowKind>(kinds[r - 1]);
        if (k == kIsa) {
            setId.clear();
            inSet = inInterchange = 0;
        } else if (k == kSt) {
            inSet = 0;
            setId = std::string(t.element(r, 1));
        }
        if (startsClaim(setId, k, providers, subscribers)) {
            ++inSet;
            ++inFile;
            ++inInterchange;
        }
        if (k == kHl20 && begins(setId, "837")) ++providerRows;
        SegmentTable::ClaimNumbers c;
        c.providers = providerRows;
        if (inSet > 0) {
            c.inSet = inSet;
            c.inFile = inFile;
            c.inInterchange = inInterchange;
        }
        t.setClaim(r, c);
    }
}

void replaceCommas(std::string& buf) {
    char* p = buf.data();
    char* end = p + buf.size();
    while ((p = static_cast<char*>(std::memchr(p, ',', end - p))) != nullptr) *p++ = ' ';
}

}  // namespace

SegmentTable CTL39400B(const std::string& fileName, std::size_t n, const X12Delimiters& delimiters,
                       std::int64_t startOffset) {
    const bool showMeter = startOffset == 0;
    MeterWindow meter;
    if (showMeter) meter = CTL394MTRA({}, "Loading File " + fileName, "Please Wait..");

    std::vector<std::uint8_t> kinds(n, kOther);
    std::size_t providers = 0, subscribers = 0;
    SegmentTable t;
    if (!wl::fileExists(fileName)) {
        wl::WQOUT({fileName + " File Not Found (1)"});
        t = SegmentTable(n, delimiters);
    } else {
        std::string raw = CTL39400AY(fileName);
        replaceCommas(raw);
        auto buffer = std::make_shared<const std::string>(std::move(raw));
        t = SegmentTable(n, delimiters, buffer);

        const char* data = buffer->data();
        const std::size_t size = buffer->size();
        const char term = delimiters.terminator.empty() ? ' ' : delimiters.terminator[0];
        const char elem = delimiters.element.empty() ? ' ' : delimiters.element[0];
        LevelState levels;
        std::uint8_t currentLoop = kNoLoop;
        int lastPercent = 0;
        std::size_t pos = startOffset > 0 ? static_cast<std::size_t>(startOffset) : 0;

        for (std::size_t row = 1; row <= n && pos < size; ++row) {
            const char* seg = data + pos;
            const std::size_t rest = size - pos;
            // The id completes at the first element separator; when the two
            // delimiters are the same byte, its first occurrence is taken as
            // the element separator.
            const char* sep = nullptr;
            const char* end = static_cast<const char*>(std::memchr(seg, term, rest));
            if (elem == term) {
                sep = end;
                end = sep ? static_cast<const char*>(std::memchr(sep + 1, term, data + size - sep - 1)) : nullptr;
            } else if (end) {
                sep = static_cast<const char*>(std::memchr(seg, elem, end - seg));
            }
            if (!end) break;  // text after the last terminator is not stored

            std::string_view text(seg, end - seg);
            SegmentTable::RowData d;
            d.start = pos;
            d.length = static_cast<std::uint32_t>(text.size());
            std::string_view id;
            if (sep) {
                d.level = static_cast<std::int8_t>(levelOf(leftTrimmed(std::string_view(seg, sep - seg)), levels));
                id = trimmedId(std::string_view(seg, sep - seg));
            }
            t.setRow(row, d);
            applyLoopTests(t, row, leftTrimmed(text), elem, currentLoop);

            RowKind k = kindOf(id, text, elem);
            kinds[row - 1] = k;
            providers += k == kHl20;
            subscribers += k == kHl22;

            pos = static_cast<std::size_t>(end - data) + 1;
            if (showMeter) {
                int percent = static_cast<int>(static_cast<double>(pos) * 100.0 / static_cast<double>(size));
                if (percent != lastPercent) {
                    lastPercent = percent;
                    CTL394MTRC(static_cast<double>(pos) * 100.0 / static_cast<double>(size));
                }
            }
        }
    }
    numberClaims(t, kinds, providers, subscribers);
    if (showMeter) CTL394MTRB(meter);
    return t;
}

SegmentTable loadSegmentTable(const std::string& fileName, const X12Delimiters& delimiters,
                              std::int64_t startOffset) {
    std::size_t n = CTL39400I(fileName, 0, delimiters.component, delimiters.element, delimiters.terminator);
    return CTL39400B(fileName, n, delimiters, startOffset);
}

std::size_t CTL39400AN(const SegmentTable& table, int mode) {
    const char* want = mode == 1 ? "20" : mode == 2 ? "22" : nullptr;
    if (!want) return 0;
    std::size_t count = 0;
    for (std::size_t r = 1; r <= table.size(); ++r)
        if (begins(table.id(r), "HL") && begins(table.element(r, 3), want)) ++count;
    return count;
}

}  // namespace zr
