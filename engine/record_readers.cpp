#include "record_readers.hpp"

#include <algorithm>

#include "text.hpp"
#include "xml_entities.hpp"

namespace zr {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t npos = std::string_view::npos;

bool startsAt(std::string_view text, std::size_t at, std::string_view what) {
    return text.substr(at, what.size()) == what;
}

// Where the cell from `i` ends: at its comma or line break, or the end.
// Cells are a few bytes long: a plain loop beats a library search per byte.
std::size_t cellEnd(std::string_view text, std::size_t i) {
    while (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n') ++i;
    return i;
}

// One cell from `i` (at its first byte) up to its ending comma or line
// break, which is left in place; `i` ends there. A plain cell is a view
// of the text; a quoted one is unquoted into `scratch` and viewed there.
std::string_view readCell(std::string_view text, std::size_t& i, std::string& scratch) {
    if (i < text.size() && text[i] == '"') {
        std::string& cell = scratch;
        cell.clear();
        ++i;
        for (;;) {
            const std::size_t quote = text.find('"', i);
            if (quote == npos) {  // an unclosed quote runs to the end
                cell.append(text.substr(i));
                i = text.size();
                return cell;
            }
            cell.append(text.substr(i, quote - i));
            i = quote + 1;
            if (i < text.size() && text[i] == '"') {
                cell += '"';
                ++i;
                continue;
            }
            break;
        }
        // Text after the closing quote stays with the cell.
        const std::size_t end = cellEnd(text, i);
        cell.append(text.substr(i, end - i));
        i = end;
        return cell;
    }
    const std::size_t end = cellEnd(text, i);
    const std::string_view cell = text.substr(i, end - i);
    i = end;
    return cell;
}

void appendWithoutLineBreaks(std::string& out, std::string_view text) {
    for (char c : text)
        if (c != '\r' && c != '\n') out += c;
}

// The position of the ">" that ends the tag opened before `from`; quoted
// attribute values may hold ">".
std::size_t tagEnd(std::string_view text, std::size_t from) {
    char quote = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
        const char c = text[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i;
        }
    }
    return npos;
}

// Whether a tag's inside holds a "<" outside quoted attribute values: a
// tag left open runs into the next one.
bool holdsTagStart(std::string_view inner) {
    char quote = 0;
    for (const char c : inner) {
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '<') {
            return true;
        }
    }
    return false;
}

// A tag's name, upper-cased: up to the first blank, "/" or the end.
std::string tagName(std::string_view inner) {
    std::string name;
    for (char c : inner) {
        if (c == '\r' || c == '\n') continue;
        if (c == ' ' || c == '\t' || c == '/') break;
        name += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return name;
}

// The text of a value element from `i` (after its start tag) to the next
// tag: character data decoded, CDATA sections as written, comments left
// out, line breaks removed. `i` ends at that tag; false when the text ends
// inside a CDATA section or comment. `reachedEnd`: the value ran to the
// end of the text (a longer text could extend it).
bool readValue(std::string_view text, std::size_t& i, std::string& value, bool& reachedEnd) {
    reachedEnd = false;
    for (;;) {
        const std::size_t lt = text.find('<', i);
        const std::string_view data = text.substr(i, (lt == npos ? text.size() : lt) - i);
        // Most values hold no entity and no line break: taken as they stand.
        if (std::none_of(data.begin(), data.end(), [](char c) { return c == '&' || c == '\r' || c == '\n'; }))
            value.append(data);
        else appendWithoutLineBreaks(value, decodeXmlText(data));
        if (lt == npos || text.size() - lt < 9) reachedEnd = true;
        if (lt == npos) {
            i = text.size();
            return true;
        }
        std::string_view close;
        std::size_t skip = 0;
        if (lt + 1 >= text.size() || text[lt + 1] != '!') {
            i = lt;  // a tag: the value ends
            return true;
        }
        if (startsAt(text, lt, "<![CDATA[")) {
            close = "]]>";
            skip = 9;
        } else if (startsAt(text, lt, "<!--")) {
            close = "-->";
            skip = 4;
        } else {
            i = lt;
            return true;
        }
        const std::size_t end = text.find(close, lt + skip);
        if (end == npos) {
            reachedEnd = true;
            i = text.size();
            return false;
        }
        if (close == "]]>") appendWithoutLineBreaks(value, text.substr(lt + skip, end - lt - skip));
        i = end + close.size();
    }
}

// One CSV line from the start of `text`: its columns, and `used` the bytes
// up to and including its line break.
enum class Got { Record, NoRecord, NeedMore, End };

// A line without quotes, the common case, cut at its commas in one pass:
// false (nothing decided) when a quote comes before the line's end.
// The cells past `keep` are not held (a line of millions of cells would
// take many times its size): `beyond` says whether one held a value.
struct CellsKept {
    std::size_t keep;
    bool beyond = false;
    void add(std::vector<std::string_view>& cells, std::string_view cell) {
        if (cells.size() < keep) cells.push_back(cell);
        else if (!wl::alltrimView(cell).empty()) beyond = true;
    }
};

bool plainCsvLine(std::string_view text, std::size_t& i, bool& comma, std::vector<std::string_view>& cells,
                  CellsKept& kept) {
    std::size_t start = 0;
    for (i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c > ',') continue;  // no special byte sorts above the comma
        if (c == ',') {
            kept.add(cells, text.substr(start, i - start));
            start = i + 1;
            comma = true;
        } else if (c == '\r' || c == '\n') {
            break;
        } else if (c == '"') {
            cells.clear();
            comma = false;
            kept.beyond = false;
            return false;
        }
    }
    kept.add(cells, text.substr(start, i - start));
    return true;
}

Got csvLine(std::string_view text, bool atEnd, std::size_t& used, std::vector<std::string_view>& cells,
            std::deque<std::string>& scratch, std::string_view& plain, CellsKept& kept) {
    if (text.empty()) return atEnd ? Got::End : Got::NeedMore;
    cells.clear();
    plain = {};
    kept.beyond = false;
    std::size_t i = 0;
    bool comma = false;
    if (plainCsvLine(text, i, comma, cells, kept)) {
        plain = text.substr(0, i);
    } else {
        // A line with quotes, cell by cell; the scratch strings are reused
        // from line to line: no allocation per cell (cells not held share
        // one).
        i = 0;
        for (std::size_t n = 0;; ++n) {
            const std::size_t room = std::min(n, kept.keep);
            if (room == scratch.size()) scratch.emplace_back();
            kept.add(cells, readCell(text, i, scratch[room]));
            if (i < text.size() && text[i] == ',') {
                comma = true;
                ++i;
                continue;
            }
            break;
        }
    }
    // CR LF, LF or CR ends a record, and so does the end of the file.
    if (i < text.size() && text[i] == '\r') ++i;
    if (i < text.size() && text[i] == '\n') ++i;
    // Touching the end of what is buffered, the line may go on.
    if (i >= text.size() && !atEnd) return Got::NeedMore;
    used = i;
    // A line without a comma is no record (an empty line in particular).
    return comma ? Got::Record : Got::NoRecord;
}

// The byte order mark, once, when the input starts with it.
void dropByteOrderMark(ByteInput& in) {
    while (in.view().size() < kByteOrderMark.size() && !in.atEnd()) in.more();
    if (startsAt(in.view(), 0, kByteOrderMark)) in.consume(kByteOrderMark.size());
}

}  // namespace

bool CsvReader::next(SourceRecord& r) {
    if (!nextCells(cells_)) return false;
    r.byName.clear();
    r.columns.resize(cells_.size());
    for (std::size_t n = 0; n < cells_.size(); ++n) r.columns[n].assign(cells_[n]);
    return true;
}

bool CsvReader::nextCells(std::vector<std::string_view>& cells) {
    if (!started_) {
        dropByteOrderMark(in_);
        started_ = true;
    }
    for (;;) {
        std::size_t used = 0;
        CellsKept kept{keep_};
        const Got got = csvLine(in_.view(), in_.atEnd(), used, cells, unquoted_, plainLine_, kept);
        beyondKept_ = kept.beyond;
        switch (got) {
            case Got::End: return false;
            case Got::NeedMore:
                if (in_.view().size() >= longLine_) {
                    if (longLine(cells)) return true;
                    continue;
                }
                in_.more();
                continue;
            case Got::NoRecord: in_.consume(used); continue;
            case Got::Record: in_.consume(used); return true;
        }
    }
}

// The same cells as csvLine finds (a cell opening with a quote is unquoted,
// text after its closing quote stays with it; CR LF, LF or CR ends the line
// outside quotes; a line without a comma is no record), read byte by byte
// across blocks that are consumed as they go. Whether the line is a record;
// the input stands after its line break.
bool CsvReader::longLine(std::vector<std::string_view>& cells) {
    enum class At { CellStart, Plain, Quoted, QuoteSeen };
    At at = At::CellStart;
    std::size_t n = 0;  // the cell being read
    bool comma = false, cr = false, blank = true, ended = false;
    beyondKept_ = false;
    plainLine_ = {};
    for (std::string& cell : longCells_) cell.clear();
    auto kept = [&]() -> std::string& {
        if (n == longCells_.size()) longCells_.emplace_back();
        return longCells_[n];
    };
    auto append = [&](char c) {
        if (n < keep_) kept() += c;
        else if (c != ' ' && c != '\t' && c != '\r' && c != '\n') blank = false;  // what alltrim keeps
    };
    auto endCell = [&] {
        if (n < keep_) kept();
        else if (!blank) beyondKept_ = true;
        ++n;
        blank = true;
    };
    while (!ended) {
        const std::string_view v = in_.view();
        if (v.empty()) {
            if (!in_.more() && in_.view().empty()) break;  // the file ends the line
            continue;
        }
        std::size_t i = 0;
        for (; i < v.size() && !ended; ++i) {
            const char c = v[i];
            if (cr) {  // a CR ended the line: an LF right after it belongs to it
                ended = true;
                if (c != '\n') break;
                continue;
            }
            if (at == At::CellStart) {
                at = c == '"' ? At::Quoted : At::Plain;
                if (at == At::Quoted) continue;
            }
            if (at == At::Quoted) {
                if (c == '"') at = At::QuoteSeen;
                else append(c);
                continue;
            }
            if (at == At::QuoteSeen) {
                at = c == '"' ? At::Quoted : At::Plain;  // "" is a quote within the cell
                if (at == At::Quoted) {
                    append(c);
                    continue;
                }
            }
            if (c == ',') {
                endCell();
                comma = true;
                at = At::CellStart;
            } else if (c == '\r') {
                cr = true;
            } else if (c == '\n') {
                ended = true;
            } else {
                append(c);
            }
        }
        in_.consume(i);
    }
    endCell();
    cells.clear();
    for (std::size_t k = 0; k < n && k < keep_; ++k) cells.emplace_back(longCells_[k]);
    return comma;
}

XmlReader::Step XmlReader::step(std::string_view text, bool atEnd, std::size_t& used) {
    const std::size_t lt = text.find('<');
    if (lt == npos) {
        if (atEnd) return Step::End;
        if (text.empty()) return Step::NeedMore;
        used = text.size();  // text between elements carries nothing
        return Step::Next;
    }
    // Too few bytes to tell the markup apart: wait for more.
    if (text.size() - lt < 9 && !atEnd) return Step::NeedMore;
    // Markup without elements: comments, CDATA between elements,
    // processing instructions and declarations.
    std::string_view close;
    const char kind = lt + 1 < text.size() ? text[lt + 1] : '\0';
    if (kind == '!' && startsAt(text, lt, "<!--")) close = "-->";
    else if (kind == '!' && startsAt(text, lt, "<![CDATA[")) close = "]]>";
    else if (kind == '?') close = "?>";
    if (!close.empty()) {
        const std::size_t end = text.find(close, lt + 2);
        if (end == npos) {
            if (!atEnd) return Step::NeedMore;
            complete_ = false;
            return Step::End;
        }
        used = end + close.size();
        return Step::Next;
    }
    const std::size_t gt = tagEnd(text, lt + 1);
    if (gt == npos) {  // the text ends inside a tag
        if (!atEnd) return Step::NeedMore;
        complete_ = false;
        return Step::End;
    }
    const std::string_view inner = text.substr(lt + 1, gt - lt - 1);
    if (holdsTagStart(inner)) {
        // "</SUBLNAME" without its ">": read on, the next tag and its
        // value would vanish into this one.
        malformedLine_ = line_ + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(lt), '\n'));
        complete_ = false;
        return Step::End;
    }
    std::size_t i = gt + 1;
    used = i;
    if (!inner.empty() && inner[0] == '!') return Step::Next;  // a declaration
    const bool closing = !inner.empty() && inner[0] == '/';
    const std::string name = tagName(closing ? inner.substr(1) : inner);
    if (name.empty()) return Step::Next;
    if (closing) {
        for (std::size_t k = open_.size(); k > 0; --k)
            if (open_[k - 1] == name) {
                open_.resize(k - 1);
                break;
            }
        if (name == "CLAIM" && claimDepth_ > 0 && --claimDepth_ == 0) return Step::Record;
        return Step::Next;
    }
    const bool selfClosing = inner.back() == '/';
    // Structural elements carry no value.
    const bool structural = name == "CLAIM" || name == "EXPORTDATA" || name == "LINELEVEL";
    std::string value;
    bool whole = true;
    if (!structural && !selfClosing) {
        bool reachedEnd = false;
        whole = readValue(text, i, value, reachedEnd);
        if (reachedEnd && !atEnd) return Step::NeedMore;
        used = i;
    }
    if (!selfClosing) open_.push_back(name);
    if (name == "CLAIM") {
        // A claim inside a claim belongs to the outer one.
        if (!selfClosing) ++claimDepth_;
        return Step::Next;
    }
    if (structural) return Step::Next;
    if (!whole) complete_ = false;
    // Values outside a record (the envelope's) fill no record.
    if (claimDepth_ > 0) current_.byName.emplace_back(name, std::move(value));
    return Step::Next;
}

void XmlReader::consume(std::size_t used) {
    const std::string_view text = in_.view().substr(0, used);
    line_ += static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    in_.consume(used);
}

// The record read goes to `r`; the room of r's values serves the next one.
void XmlReader::takeRecord(SourceRecord& r) {
    std::swap(r, current_);
    current_.byName.clear();
    current_.columns.clear();
}

bool XmlReader::next(SourceRecord& r) {
    if (!started_) {
        dropByteOrderMark(in_);
        started_ = true;
    }
    while (!ended_) {
        std::size_t used = 0;
        switch (step(in_.view(), in_.atEnd(), used)) {
            case Step::NeedMore: in_.more(); break;
            case Step::Next: consume(used); break;
            case Step::Record:
                consume(used);
                takeRecord(r);
                return true;
            case Step::End:
                ended_ = true;
                if (!open_.empty()) complete_ = false;
                // End of input ends a pending record.
                if (claimDepth_ > 0) {
                    takeRecord(r);
                    return true;
                }
                break;
        }
    }
    return false;
}

std::vector<SourceRecord> readCsvRecords(std::string_view text) {
    ByteInput in(text);
    CsvReader reader(in);
    std::vector<SourceRecord> records;
    for (SourceRecord r; reader.next(r);) records.push_back(std::move(r));
    return records;
}

XmlRecords readXmlSource(std::string_view text) {
    ByteInput in(text);
    XmlReader reader(in);
    XmlRecords result;
    for (SourceRecord r; reader.next(r);) result.records.push_back(std::move(r));
    result.complete = reader.complete();
    return result;
}

std::vector<SourceRecord> readXmlRecords(std::string_view text) { return readXmlSource(text).records; }

}  // namespace zr
