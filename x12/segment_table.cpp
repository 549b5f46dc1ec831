#include "segment_table.hpp"

#include <algorithm>
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


// Terminators are a few bytes apart: one library call per terminator costs
// more than comparing every byte, which the compiler does many at a time
// (in stretches short enough for a byte-wide sum).
std::size_t countByte(std::string_view bytes, char c) {
    std::size_t count = 0;
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const std::size_t n = std::min<std::size_t>(left, 255);
        unsigned char hits = 0;
        for (std::size_t i = 0; i < n; ++i) hits += static_cast<unsigned char>(p[i] == c);
        count += hits;
        p += n;
        left -= n;
    }
    return count;
}

}  // namespace

// ---------------------------------------------------------------- the table

SegmentTable::SegmentTable(std::size_t n, X12Delimiters delimiters, std::shared_ptr<const wl::FileBytes> buffer)
    : buffer_(std::move(buffer)),
      delimiters_(std::make_shared<X12Delimiters>(std::move(delimiters))),
      starts_(n, 0),
      lengths_(n, 0),
      levels_(n, -1),
      loops_(n, kNoLoop),
      runs_of_(n, 0) {}

SegmentTable::SegmentTable(std::size_t n, X12Delimiters delimiters, std::shared_ptr<const wl::FileBytes> buffer, Unset)
    : buffer_(std::move(buffer)),
      delimiters_(std::make_shared<X12Delimiters>(std::move(delimiters))),
      starts_(n),
      lengths_(n),
      levels_(n),
      loops_(n),
      runs_of_(n) {}

void SegmentTable::clearRowsFrom(std::size_t row) {
    for (std::size_t r = row; r <= size(); ++r) setRow(r, RowData{0, 0, -1, kNoLoop});
}

const std::vector<std::string>& SegmentTable::loopNames() { return kLoopNames; }

std::string_view SegmentTable::text(std::size_t row) const {
    if (!buffer_ || lengths_[row - 1] == 0) return {};
    return buffer_->view().substr(starts_[row - 1], lengths_[row - 1]);
}

std::optional<SegmentTable> SegmentTable::overBytes(std::shared_ptr<const wl::FileBytes> bytes) const {
    if (!bytes || !buffer_ || bytes->size() != buffer_->size()) return std::nullopt;
    SegmentTable copy = *this;
    copy.buffer_ = std::move(bytes);
    return copy;
}

std::string_view SegmentTable::id(std::size_t row) const {
    std::string_view t = text(row);
    const std::string& e = delimiters_->element;
    if (e.empty()) return {};
    std::size_t sep = t.find(e[0]);
    if (sep == std::string_view::npos) return {};
    return wl::alltrimView(t.substr(0, sep));
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
    if (wl::prefixMatch(head, "HL")) return p - 2;
    if (wl::prefixMatch(head, "CLP")) return p - 3;
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

void SegmentTable::setClaimRange(std::size_t first, std::size_t last, const ClaimNumbers& numbers) {
    if (last < first) return;
    if (!(runs_.back() == numbers)) runs_.push_back(numbers);
    std::fill(runs_of_.begin() + (first - 1), runs_of_.begin() + last, static_cast<std::uint32_t>(runs_.size() - 1));
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
    while (std::size_t got = f.read(buf.data(), buf.size())) count += countByte(std::string_view(buf.data(), got), t);
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
    auto set = [&](int level) {
        s.current = level;
        return level;
    };
    auto is = [&](std::string_view id) { return wl::prefixMatch(head, id); };
    if (head.empty()) return -1;
    switch (head[0]) {
        case 'I':
            if (is("ISA")) return set(1);
            if (is("IEA")) return set(1);
            break;
        case 'G':
            if (is("GS")) return set(2);
            if (is("GE")) return set(2);
            break;
        case 'S':
            if (is("ST")) return set(3);
            if (is("SBR")) return set(6);
            if (is("SV1") || is("SV2") || is("SV3") || is("SVC")) return s.current;
            if (is("SE")) return set(3);
            break;
        case 'B':
            if (is("BHT")) return set(4);
            break;
        case 'R':
            if (is("REF")) return s.current;
            break;
        case 'N':
            if (is("NM1") || is("N3") || is("N4")) return s.current;
            break;
        case 'P':
            if (is("PER") || is("PRV")) return s.current;
            if (is("PAT")) return set(7);
            break;
        case 'H':
            if (is("HL") || is("HI")) return s.current;
            break;
        case 'C':
            if (is("CLP")) return s.current;
            if (is("CLM")) return set(8);
            break;
        case 'D':
            if (is("DMG") || is("DTP")) return s.current;
            break;
        case 'L':
            if (is("LX")) return set(9);
            break;
        default: break;
    }
    return -1;
}

// The loop-id tests run on the growing text of a segment after every byte,
// first match wins. No pattern's shorter prefix matches another rule except
// "PRV", which the "PRV" + separator + "PT" test follows, so the test of the
// whole text, preceded by the "PRV" one, ends where the byte walk ends.
void applyLoopTests(SegmentTable& t, std::size_t row, std::string_view s, char e, std::uint8_t& current) {
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
    // id + separator + two characters
    auto withQualifier = [&](std::string_view id, std::string_view q) {
        return s.size() >= 6 && wl::prefixMatch(s, id) && s[3] == e && s[4] == q[0] && s[5] == q[1];
    };
    if (s.size() < 2) return;
    switch (s[0]) {
        case 'P':
            if (withQualifier("PER", "IC")) return set(k1000A);
            if (wl::prefixMatch(s, "PRV")) {
                t.setLoop(row, current);
                if (withQualifier("PRV", "PT")) afterPlaceholder(k2000A);
                return;
            }
            if (wl::prefixMatch(s, "PAT")) return afterPlaceholder(k2000B);
            return;
        case 'N':
            if (withQualifier("NM1", "41")) return set(k1000A);
            if (withQualifier("NM1", "40")) return set(k1000B);
            if (withQualifier("NM1", "85") || withQualifier("NM1", "87")) return set(k2010AA);
            if (withQualifier("NM1", "IL")) return set(k2010BA);
            if (withQualifier("NM1", "PR")) return set(k2010BB);
            if (wl::prefixMatch(s, "N3") || wl::prefixMatch(s, "N4")) t.setLoop(row, current);
            return;
        case 'R':
            if (withQualifier("REF", "1C")) set(k2010AA);
            return;
        case 'C':
            if (wl::prefixMatch(s, "CLM")) set(k2300);
            return;
        case 'L':
            if (wl::prefixMatch(s, "LX")) set(k2400);
            return;
        case 'H':
            if (wl::prefixMatch(s, "HL")) t.setLoop(row, kPlaceholder);
            else if (wl::prefixMatch(s, "HI")) t.setLoop(row, current);
            return;
        case 'S':
            if (wl::prefixMatch(s, "SBR")) afterPlaceholder(k2000B);
            else if (wl::prefixMatch(s, "SV1") || wl::prefixMatch(s, "SV2") || wl::prefixMatch(s, "SV3")) t.setLoop(row, current);
            return;
        case 'D':
            if (wl::prefixMatch(s, "DMG") || wl::prefixMatch(s, "DTP")) t.setLoop(row, current);
            return;
        default: return;
    }
}

RowKind kindOf(std::string_view id, std::string_view text, char e) {
    if (id.size() < 2) return kOther;
    switch (id[0]) {
        case 'I':
            if (id == "ISA") return kIsa;
            if (wl::prefixMatch(id, "IK3") || wl::prefixMatch(id, "IK4")) return kIk34;
            return kOther;
        case 'S': return id == "ST" ? kSt : kOther;
        case 'H': {
            if (id[1] != 'L') return kOther;
            std::string_view hl03 = CTL39400AU(text, 3, std::string_view(&e, 1));
            if (wl::prefixMatch(hl03, "20")) return kHl20;
            if (wl::prefixMatch(hl03, "22")) return kHl22;
            return kHl;
        }
        case 'C': return wl::prefixMatch(id, "CLP") ? kClp : kOther;
        case 'A': return wl::prefixMatch(id, "AK3") || wl::prefixMatch(id, "AK4") ? kAk34 : kOther;
        case 'M': return wl::prefixMatch(id, "MSG") ? kMsg : kOther;
        default: return kOther;
    }
}

bool startsClaim(std::string_view setId, RowKind k, std::size_t providers, std::size_t subscribers) {
    const bool hl = k == kHl || k == kHl20 || k == kHl22;
    if (wl::prefixMatch(setId, "837")) {
        if (!hl || providers == 0) return false;
        if (providers == 1) return k == kHl22;
        return providers != subscribers ? k == kHl22 : k == kHl20;
    }
    if (wl::prefixMatch(setId, "270") || wl::prefixMatch(setId, "271") || wl::prefixMatch(setId, "277")) return k == kHl22;
    if (wl::prefixMatch(setId, "835")) return k == kClp;
    if (wl::prefixMatch(setId, "997")) return k == kAk34;
    if (wl::prefixMatch(setId, "999")) return k == kIk34;
    if (wl::prefixMatch(setId, "864")) return k == kMsg;
    return false;
}

// A row that matters to the claim numbering; all others keep the numbers
// of the row above.
struct KeyRow {
    std::uint32_t row;
    RowKind kind;
};

void numberClaims(SegmentTable& t, const std::vector<KeyRow>& keys, std::size_t providers, std::size_t subscribers) {
    std::uint32_t inSet = 0, inFile = 0, inInterchange = 0, providerRows = 0;
    std::string setId;
    SegmentTable::ClaimNumbers current;
    std::size_t from = 1;  // first row not yet numbered
    for (const KeyRow& key : keys) {
        const std::size_t r = key.row;
        const RowKind k = key.kind;
        t.setClaimRange(from, r - 1, current);
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
        if (k == kHl20 && wl::prefixMatch(setId, "837")) ++providerRows;
        current = SegmentTable::ClaimNumbers{};
        current.providers = providerRows;
        if (inSet > 0) {
            current.inSet = inSet;
            current.inFile = inFile;
            current.inInterchange = inInterchange;
        }
        t.setClaimRange(r, r, current);
        from = r + 1;
    }
    t.setClaimRange(from, t.size(), current);
}

// Only the pages holding a comma are written to (and so copied from the
// mapped file).
void replaceCommas(wl::FileBytes& buf) {
    // An empty file has no buffer at all: memchr must not see its null.
    if (buf.size() == 0) return;
    char* p = buf.data();
    char* end = p + buf.size();
    while ((p = static_cast<char*>(std::memchr(p, ',', end - p))) != nullptr) *p++ = ' ';
}

}  // namespace

namespace {

// Fills n rows from the file's bytes in one walk, then numbers the claims.
void fillRows(SegmentTable& t, std::size_t n, std::int64_t startOffset, const LoadProgress& progress) {
    const std::string_view buffer = t.buffer()->view();
    const X12Delimiters& delimiters = t.delimiters();
    const char* data = buffer.data();
    const std::size_t size = buffer.size();
    const char term = delimiters.terminator.empty() ? ' ' : delimiters.terminator[0];
    const char elem = delimiters.element.empty() ? ' ' : delimiters.element[0];
    LevelState levels;
    std::uint8_t currentLoop = kNoLoop;
    std::vector<KeyRow> keys;
    std::size_t providers = 0, subscribers = 0;
    // The meter moves only when the whole percentage changes.
    int percent = 0;
    auto percentStep = [&](int p) { return static_cast<std::size_t>((static_cast<double>(p) * size) / 100.0); };
    std::size_t nextPercentAt = percentStep(1);
    std::size_t pos = startOffset > 0 ? static_cast<std::size_t>(startOffset) : 0;

    std::size_t row = 1;
    for (; row <= n && pos < size; ++row) {
        const char* seg = data + pos;
        // The id completes at the first element separator; when the two
        // delimiters are the same byte, its first occurrence is taken as the
        // element separator.
        const char* sep = nullptr;
        const char* end = nullptr;
        if (elem == term) {
            sep = static_cast<const char*>(std::memchr(seg, term, size - pos));
            end = sep ? static_cast<const char*>(std::memchr(sep + 1, term, data + size - sep - 1)) : nullptr;
        } else {
            // Segments are short: one byte loop finding both beats two
            // library calls.
            const char* p = seg;
            const char* stop = data + size;
            while (p < stop && *p != elem && *p != term) ++p;
            if (p < stop && *p == elem) {
                sep = p;
                end = static_cast<const char*>(std::memchr(p + 1, term, stop - p - 1));
            } else if (p < stop) {
                end = p;
            }
        }
        if (!end) break;  // text after the last terminator is not stored

        std::string_view text(seg, end - seg);
        SegmentTable::RowData d;
        d.start = pos;
        d.length = static_cast<std::uint32_t>(text.size());
        std::string_view id;
        if (sep) {
            std::string_view head = leftTrimmed(std::string_view(seg, sep - seg));
            d.level = static_cast<std::int8_t>(levelOf(head, levels));
            id = wl::alltrimView(head);
        }
        t.setRow(row, d);
        applyLoopTests(t, row, leftTrimmed(text), elem, currentLoop);

        if (RowKind k = kindOf(id, text, elem); k != kOther) {
            keys.push_back({static_cast<std::uint32_t>(row), k});
            providers += k == kHl20;
            subscribers += k == kHl22;
        }

        pos = static_cast<std::size_t>(end - data) + 1;
        // A terminator of several bytes (a UTF-8 character): its other bytes
        // end the segment too, and do not begin the next one.
        for (std::size_t k = 1; k < delimiters.terminator.size() && pos < size && data[pos] == delimiters.terminator[k]; ++k)
            ++pos;
        if (progress && pos >= nextPercentAt) {
            const double exact = static_cast<double>(pos) * 100.0 / static_cast<double>(size);
            percent = static_cast<int>(exact);
            nextPercentAt = percentStep(percent + 1);
            progress(exact);
        }
    }
    t.clearRowsFrom(row);
    numberClaims(t, keys, providers, subscribers);
}

// The documented loaders: the meter while the rows are filled (a load from
// a start offset shows none) and the failures said on screen.
SegmentTable load(const std::string& fileName, std::optional<std::size_t> n, const X12Delimiters& delimiters,
                  std::int64_t startOffset) {
    const bool showMeter = startOffset == 0;
    ScopedMeter meter(showMeter ? MeterMode::Show : MeterMode::None, "Loading File " + fileName, "Please Wait..");
    TableLoad loaded = readSegmentTable(fileName, n, delimiters, startOffset,
                                        showMeter ? LoadProgress([&meter](double v) { meter.set(v); }) : LoadProgress());
    if (loaded.missing) wl::WQOUT({fileName + " File Not Found (1)"});
    if (loaded.readError != 0) wl::showFileError("FC-Fread", loaded.readError);
    meter.close();
    return std::move(loaded.table);
}

}  // namespace

TableLoad readSegmentTable(const std::string& fileName, std::optional<std::size_t> n, const X12Delimiters& delimiters,
                           std::int64_t startOffset, const LoadProgress& progress) {
    TableLoad out;
    SegmentTable& t = out.table;
    if (!wl::fileExists(fileName)) {
        out.missing = true;
        t = SegmentTable(n.value_or(0), delimiters);
        numberClaims(t, {}, 0, 0);
        return out;
    }
    // The file mapped (or read into unfilled memory): no pass over a fresh
    // file-sized buffer, no fault per page of it.
    wl::FileBytes raw = wl::readWholeFile(fileName);
    if (!raw.ok()) out.readError = raw.error();
    const std::size_t rows =
        n ? *n : (delimiters.terminator.empty() ? 0 : countByte(raw.view(), delimiters.terminator[0]));
    replaceCommas(raw);
    t = SegmentTable(rows, delimiters, std::make_shared<const wl::FileBytes>(std::move(raw)), SegmentTable::Unset{});
    fillRows(t, rows, startOffset, progress);
    return out;
}

SegmentTable CTL39400B(const std::string& fileName, std::size_t n, const X12Delimiters& delimiters,
                       std::int64_t startOffset) {
    return load(fileName, n, delimiters, startOffset);
}

SegmentTable loadSegmentTable(const std::string& fileName, const X12Delimiters& delimiters,
                              std::int64_t startOffset) {
    return load(fileName, std::nullopt, delimiters, startOffset);
}

std::size_t CTL39400AN(const SegmentTable& table, int mode) {
    const char* want = mode == 1 ? "20" : mode == 2 ? "22" : nullptr;
    if (!want) return 0;
    std::size_t count = 0;
    for (std::size_t r = 1; r <= table.size(); ++r)
        if (wl::prefixMatch(table.id(r), "HL") && wl::prefixMatch(table.element(r, 3), want)) ++count;
    return count;
}

}  // namespace zr
