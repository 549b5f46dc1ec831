#include "record_writer.hpp"

#include "text.hpp"

namespace zr {

namespace {

// A column of row k in line mode: claim-level (line item reading 0) or of
// line k. The title is row 1.
bool inLine(const FieldPlan& plan, int k) { return plan.serviceLine == 0 || plan.serviceLine == k; }

void emptyLevel(FieldTable& table, int level) {
    for (int f : table.fieldsOfLevel(level)) table.rows[static_cast<std::size_t>(f)].value.clear();
}

}  // namespace

void appendXmlEscaped(std::string& out, std::string_view text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* entity = nullptr;
        switch (text[i]) {
            case '&': entity = "&amp;"; break;
            case '<': entity = "&lt;"; break;
            case '>': entity = "&gt;"; break;
            default: continue;
        }
        out.append(text.substr(start, i - start)).append(entity);
        start = i + 1;
    }
    out.append(text.substr(start));
}

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
    // A line begins where the line item rises above the highest seen so far;
    // it counts once when one of its fields holds a value.
    int highest = 0, rows = 0;
    bool open = false, counted = false;
    for (std::size_t f = 0; f < table.size(); ++f) {
        const int line = table.plans[f].serviceLine;
        if (line > highest) {
            highest = line;
            open = true;
            counted = false;
        }
        if (open && !counted && !isBlankText(table.rows[f].value)) {
            counted = true;
            ++rows;
        }
    }
    return rows > 0 ? rows : 1;
}

RecordWriter::RecordWriter(const FieldTable& table, OutputForm form) : form_(form) {
    for (std::size_t f = 0; f < table.size(); ++f) {
        if (!table.plans[f].named) continue;
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
}

void RecordWriter::writeRecord(FieldTable& table, std::string& out) const {
    if (form_.xml) {
        out += "<CLAIM>\r\n";
        for (const Column& c : columns_) {
            out += c.open;
            appendXmlEscaped(out, table.rows[static_cast<std::size_t>(c.field)].value);
            out += c.close;
        }
        out += "</CLAIM>\r\n";
    } else {
        bool first = true;
        for (const Column& c : columns_) {
            if (!first) out += ',';
            first = false;
            out += table.rows[static_cast<std::size_t>(c.field)].value;
        }
        out += "\r\n";
    }
    emptyLevel(table, 0);
}

void RecordWriter::writeLines(FieldTable& table, std::string& out) const {
    const int rows = serviceLineRows(table);
    for (int k = 1; k <= rows; ++k) {
        if (form_.xml) out += "<CLAIM>\r\n";
        bool first = true;
        for (const Column& c : columns_) {
            FieldRow& row = table.rows[static_cast<std::size_t>(c.field)];
            const FieldPlan& plan = table.plans[static_cast<std::size_t>(c.field)];
            const bool carried = inLine(plan, k);
            if (form_.xml) {
                // Every field is a tag of every line record; other lines' fields stay empty.
                out += c.open;
                if (carried) appendXmlEscaped(out, row.value);
                out += c.close;
            } else {
                if (!carried) continue;  // other lines' fields are no columns of this row
                if (!first) out += ',';
                first = false;
                out += row.value;
            }
            if (!carried) continue;
            // Level 4 leaves with its first output; in XML a line's own
            // level-0 field, written once, goes at once.
            const bool ofThisLine = plan.serviceLine == k;
            if (plan.level == 4 && (!ofThisLine || form_.xml)) row.value.clear();
            else if (form_.xml && ofThisLine && plan.level == 0) row.value.clear();
        }
        out += form_.xml ? "</CLAIM>\r\n" : "\r\n";
    }
    emptyLevel(table, 0);
}

bool RecordWriter::write(FieldTable& table, std::string& out) const {
    if (!table.anyRecordValue()) return false;
    if (form_.lineMode) writeLines(table, out);
    else writeRecord(table, out);
    for (int f : table.countedFields()) table.rows[static_cast<std::size_t>(f)].occurrenceCounter = 0;
    return true;
}

bool CTL48400C(FieldTable& table, const OutputForm& form, std::string& out) {
    return RecordWriter(table, form).write(table, out);
}

}  // namespace zr
