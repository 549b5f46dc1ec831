#include "record_writer.hpp"

#include <cstdio>
#include <cstring>

#include "text.hpp"

namespace zr {

namespace {

// A column of row k in line mode: claim-level (line item reading 0) or of
// line k. The title is row 1.
bool inLine(const FieldPlan& plan, int k) { return plan.serviceLine == 0 || plan.serviceLine == k; }

}  // namespace

namespace {
// The character of a whole UTF-8 sequence of two to four bytes at `at`
// (no overlong form, no surrogate), with its length; 0 when the bytes are
// no such sequence (a single-byte character of the code page).
char32_t utf8At(std::string_view text, std::size_t at, std::size_t& length) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
    const unsigned char lead = byte(0);
    length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + length > text.size()) return 0;
    char32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(k) & 0x3F);
    }
    const char32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return code;
}

// XML 1.0 allows no control character but tab, LF and CR: any other is
// written as "?". UTF-8 text in a value (a source written in UTF-8) is
// written as character references, so that the document, declared
// ISO-8859-1, means what the source meant. Answers whether a control
// character was replaced.
template <class Out>
bool escapeInto(Out& out, std::string_view text) {
    std::size_t start = 0;
    bool replaced = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            std::size_t length = 0;
            const char32_t code = utf8At(text, i, length);
            if (code == 0) continue;
            char reference[16];
            const int n = std::snprintf(reference, sizeof reference, "&#%u;", static_cast<unsigned>(code));
            out.append(text.substr(start, i - start));
            out.append(std::string_view(reference, static_cast<std::size_t>(n)));
            i += length - 1;
            start = i + 1;
            continue;
        }
        std::string_view entity;
        switch (c) {
            case '&': entity = "&amp;"; break;
            case '<': entity = "&lt;"; break;
            case '>': entity = "&gt;"; break;
            case '\t':
            case '\n':
            case '\r': continue;
            default:
                if (c >= 0x20) continue;
                entity = "?";
                replaced = true;
        }
        out.append(text.substr(start, i - start));
        out.append(entity);
        start = i + 1;
    }
    out.append(text.substr(start));
    return replaced;
}
}  // namespace

namespace {
// A CSV value holding a comma or a quote is quoted, its quotes doubled
// (RFC 4180), so that it reads back whole. Answers the bytes it takes.
bool needsQuotes(std::string_view value) { return value.find_first_of(",\"") != std::string_view::npos; }
std::size_t csvSize(std::string_view value) {
    if (!needsQuotes(value)) return value.size();
    std::size_t n = value.size() + 2;
    for (char c : value) n += c == '"';
    return n;
}
char* copyCsv(char* p, std::string_view value) {
    if (!needsQuotes(value)) return copyText(p, value);
    *p++ = '"';
    for (char c : value) {
        if (c == '"') *p++ = '"';
        *p++ = c;
    }
    *p++ = '"';
    return p;
}
void appendCsv(ByteBuffer& out, std::string_view value) {
    if (!needsQuotes(value)) return out.append(value);
    char* p = out.extend(csvSize(value));
    copyCsv(p, value);
}
}  // namespace

bool appendXmlEscaped(std::string& out, std::string_view text) { return escapeInto(out, text); }
bool appendXmlEscaped(ByteBuffer& out, std::string_view text) { return escapeInto(out, text); }

std::string csvTitleLine(const FieldTable& table, bool lineMode) {
    std::string out;
    bool first = true;
    for (std::size_t f = 0; f < table.size(); ++f) {
        const FieldPlan& plan = table.plans[f];
        if (!plan.named || (lineMode && !inLine(plan, 1))) continue;
        if (!first) out += ',';
        first = false;
        const FieldRow& row = table.rows[f];
        out += isBlankText(row.description) ? wl::alltrim(row.name) : wl::alltrim(row.description);
    }
    return out + "\r\n";
}

int serviceLineRows(const FieldTable& table) {
    return countServiceLineRows(
        table.size(), [&](std::size_t f) { return table.plans[f].serviceLine; },
        [&](std::size_t f) { return !isBlankText(table.value(static_cast<int>(f))); });
}

RecordWriter::RecordWriter(const FieldTable& table, OutputForm form) : form_(form) {
    columnOf_.assign(table.size(), -1);
    for (std::size_t f = 0; f < table.size(); ++f) {
        if (!table.plans[f].named) continue;
        columnOf_[f] = static_cast<int>(columns_.size());
        Column c{static_cast<int>(f), "", ""};
        if (form.xml) {
            c.open = "<";
            appendXmlEscaped(c.open, table.rows[f].name);
            c.open += ">";
            c.close = "</";
            appendXmlEscaped(c.close, table.rows[f].name);
            c.close += ">\r\n";
        }
        columns_.push_back(std::move(c));
    }
    if (form.xml && !form.lineMode) {
        xmlTemplate_ = "<CLAIM>\r\n";
        for (const Column& c : columns_) {
            xmlTemplate_ += c.open;
            valueAt_.push_back(xmlTemplate_.size());
            xmlTemplate_ += c.close;
        }
        xmlTemplate_ += "</CLAIM>\r\n";
    }
}

void RecordWriter::writeCsvRecord(FieldTable& table, ByteBuffer& out) const {
    // The row is commas around the few values the record holds: the empty
    // columns between two values are a run of commas.
    const std::size_t n = columns_.size();
    std::size_t length = (n > 0 ? n - 1 : 0) + 2;
    table.forEachValue([&](int f) {
        if (columnOf_[static_cast<std::size_t>(f)] >= 0) length += csvSize(table.value(f));
    });
    char* p = out.extend(length);
    std::size_t next = 0;  // the first column not yet written
    table.forEachValue([&](int f) {
        const int column = columnOf_[static_cast<std::size_t>(f)];
        if (column < 0) return;
        const auto c = static_cast<std::size_t>(column);
        // A comma before every column but the first, empty ones included.
        const std::size_t commas = c + 1 - next - (next == 0 ? 1 : 0);
        std::memset(p, ',', commas);
        p = copyCsv(p + commas, table.value(f));
        next = c + 1;
    });
    if (next < n) {
        const std::size_t commas = n - next - (next == 0 ? 1 : 0);
        std::memset(p, ',', commas);
        p += commas;
    }
    *p++ = '\r';
    *p = '\n';
}

void RecordWriter::writeXmlRecord(FieldTable& table, ByteBuffer& out) const {
    std::size_t from = 0;
    const std::string_view frame = xmlTemplate_;
    table.forEachValue([&](int f) {
        const int column = columnOf_[static_cast<std::size_t>(f)];
        if (column < 0) return;
        const std::size_t at = valueAt_[static_cast<std::size_t>(column)];
        out.append(frame.substr(from, at - from));
        if (appendXmlEscaped(out, table.value(f))) noteReplaced(table, f);
        from = at;
    });
    out.append(frame.substr(from));
}

void RecordWriter::writeLines(FieldTable& table, ByteBuffer& out) const {
    const int rows = serviceLineRows(table);
    for (int k = 1; k <= rows; ++k) {
        if (form_.xml) out.append("<CLAIM>\r\n");
        bool first = true;
        for (const Column& c : columns_) {
            const std::string_view value = table.value(c.field);
            const FieldPlan& plan = table.plans[static_cast<std::size_t>(c.field)];
            const bool carried = inLine(plan, k);
            if (form_.xml) {
                // Every field is a tag of every line record; other lines' fields stay empty.
                out.append(c.open);
                if (carried && appendXmlEscaped(out, value)) noteReplaced(table, c.field);
                out.append(c.close);
            } else {
                if (!carried) continue;  // other lines' fields are no columns of this row
                if (!first) out.push_back(',');
                first = false;
                appendCsv(out, value);
            }
            if (!carried) continue;
            // Level 4 leaves with its first output, a claim-level value after
            // the first line, a line's value after its own line (so it cannot
            // reach the next record). In XML a line's level-0 field, written
            // once, goes at once too.
            if (plan.level == 4) table.clearValue(c.field);
            else if (form_.xml && plan.level == 0 && plan.serviceLine == k) table.clearValue(c.field);
        }
        out.append(form_.xml ? "</CLAIM>\r\n" : "\r\n");
    }
}

void RecordWriter::noteReplaced(const FieldTable& table, int field) const {
    if (replacedIn_.empty()) replacedIn_ = wl::alltrim(table.rows[static_cast<std::size_t>(field)].name);
}

bool RecordWriter::write(FieldTable& table, ByteBuffer& out) const {
    if (!table.anyRecordValue()) return false;
    if (form_.lineMode) writeLines(table, out);
    else if (form_.xml) writeXmlRecord(table, out);
    else writeCsvRecord(table, out);
    table.clearLevel(0);
    for (int f : table.countedFields()) table.counters[static_cast<std::size_t>(f)] = 0;
    return true;
}

bool CTL48400C(FieldTable& table, const OutputForm& form, std::string& out) {
    ByteBuffer b;
    const bool written = RecordWriter(table, form).write(table, b);
    out.append(b.view());
    return written;
}

}  // namespace zr
