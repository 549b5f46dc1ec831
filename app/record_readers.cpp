#include "record_readers.hpp"

#include <algorithm>

#include "text.hpp"

namespace zr {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t npos = std::string_view::npos;

bool startsAt(std::string_view text, std::size_t at, std::string_view what) {
    return text.substr(at, what.size()) == what;
}

// One cell from `i` (at its first byte) up to its ending comma or line
// break, which is left in place; `i` ends there.
std::string readCell(std::string_view text, std::size_t& i) {
    if (i < text.size() && text[i] == '"') {
        std::string cell;
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
        const std::size_t end = std::min(text.find_first_of(",\r\n", i), text.size());
        cell.append(text.substr(i, end - i));
        i = end;
        return cell;
    }
    const std::size_t end = std::min(text.find_first_of(",\r\n", i), text.size());
    std::string cell(text.substr(i, end - i));
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

// A tag's name, upper-cased: up to the first blank, "/" or the end.
std::string tagName(std::string_view inner) {
    std::string name;
    for (char c : inner) {
        if (c == '\r' || c == '\n') continue;
        if (c == ' ' || c == '\t' || c == '/') break;
        name += c;
    }
    return wl::upper(name);
}

// The text of a value element from `i` (after its start tag) to the next
// tag: character data decoded, CDATA sections as written, comments left
// out, line breaks removed. `i` ends at that tag; false when the file ends
// inside a CDATA section or comment.
bool readValue(std::string_view text, std::size_t& i, std::string& value) {
    for (;;) {
        const std::size_t lt = text.find('<', i);
        appendWithoutLineBreaks(value, decodeXmlText(text.substr(i, (lt == npos ? text.size() : lt) - i)));
        if (lt == npos) {
            i = text.size();
            return true;
        }
        std::string_view close;
        std::size_t skip = 0;
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
            i = text.size();
            return false;
        }
        if (close == "]]>") appendWithoutLineBreaks(value, text.substr(lt + skip, end - lt - skip));
        i = end + close.size();
    }
}

}  // namespace

std::string decodeXmlText(std::string_view s) {
    struct Entity {
        std::string_view text;
        char c;
    };
    static const Entity entities[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        if (s[i] != '&') {
            const std::size_t amp = std::min(s.find('&', i), s.size());
            out.append(s.substr(i, amp - i));
            i = amp;
            continue;
        }
        bool matched = false;
        for (const Entity& e : entities)
            if (startsAt(s, i, e.text)) {
                out += e.c;
                i += e.text.size();
                matched = true;
                break;
            }
        if (!matched && startsAt(s, i, "&#")) {
            const bool hex = i + 2 < s.size() && (s[i + 2] == 'x' || s[i + 2] == 'X');
            std::size_t j = i + (hex ? 3 : 2);
            unsigned long code = 0;
            std::size_t digits = 0;
            for (; j < s.size() && digits < 8; ++j, ++digits) {
                const char c = s[j];
                int d = -1;
                if (c >= '0' && c <= '9') d = c - '0';
                else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
                else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
                if (d < 0) break;
                code = code * (hex ? 16 : 10) + static_cast<unsigned long>(d);
            }
            if (digits > 0 && j < s.size() && s[j] == ';') {
                out += code <= 0xFF ? static_cast<char>(code) : '?';
                i = j + 1;
                matched = true;
            }
        }
        if (!matched) out += s[i++];
    }
    return out;
}

std::vector<SourceRecord> readCsvRecords(std::string_view text) {
    if (startsAt(text, 0, kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    std::vector<SourceRecord> records;
    std::size_t i = 0;
    while (i < text.size()) {
        SourceRecord r;
        bool comma = false;
        for (;;) {
            r.columns.push_back(readCell(text, i));
            if (i < text.size() && text[i] == ',') {
                comma = true;
                ++i;
                continue;
            }
            break;
        }
        // CR LF, LF or CR ends a record, and so does the end of the file.
        if (i < text.size() && text[i] == '\r') ++i;
        if (i < text.size() && text[i] == '\n') ++i;
        // A line without a comma is no record (an empty line in particular).
        if (comma) records.push_back(std::move(r));
    }
    return records;
}

XmlRecords readXmlSource(std::string_view text) {
    if (startsAt(text, 0, kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    XmlRecords result;
    SourceRecord current;
    int claimDepth = 0;
    std::vector<std::string> open;  // elements not yet closed, outermost first
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t lt = text.find('<', i);
        if (lt == npos) break;
        // Markup without elements: comments, CDATA between elements,
        // processing instructions and declarations.
        std::string_view close;
        if (startsAt(text, lt, "<!--")) close = "-->";
        else if (startsAt(text, lt, "<![CDATA[")) close = "]]>";
        else if (startsAt(text, lt, "<?")) close = "?>";
        if (!close.empty()) {
            const std::size_t end = text.find(close, lt + 2);
            if (end == npos) {
                result.complete = false;
                break;
            }
            i = end + close.size();
            continue;
        }
        const std::size_t gt = tagEnd(text, lt + 1);
        if (gt == npos) {  // the file ends inside a tag
            result.complete = false;
            break;
        }
        const std::string_view inner = text.substr(lt + 1, gt - lt - 1);
        i = gt + 1;
        if (!inner.empty() && inner[0] == '!') continue;  // a declaration
        const bool closing = !inner.empty() && inner[0] == '/';
        const std::string name = tagName(closing ? inner.substr(1) : inner);
        if (name.empty()) continue;
        if (closing) {
            for (std::size_t k = open.size(); k > 0; --k)
                if (open[k - 1] == name) {
                    open.resize(k - 1);
                    break;
                }
            if (name == "CLAIM" && claimDepth > 0 && --claimDepth == 0) {
                result.records.push_back(std::move(current));
                current = SourceRecord{};
            }
            continue;
        }
        const bool selfClosing = inner.back() == '/';
        if (!selfClosing) open.push_back(name);
        if (name == "CLAIM") {
            // A claim inside a claim belongs to the outer one.
            if (!selfClosing) ++claimDepth;
            continue;
        }
        // Structural elements carry no value.
        if (name == "EXPORTDATA" || name == "LINELEVEL") continue;
        std::string value;
        if (!selfClosing && !readValue(text, i, value)) result.complete = false;
        // Values outside a record (the envelope's) fill no record.
        if (claimDepth > 0) current.byName.emplace_back(name, std::move(value));
    }
    // End of input ends a pending record.
    if (claimDepth > 0) result.records.push_back(std::move(current));
    if (!open.empty()) result.complete = false;
    return result;
}

std::vector<SourceRecord> readXmlRecords(std::string_view text) { return readXmlSource(text).records; }

}  // namespace zr
