#include "segment_templates.hpp"

#include <algorithm>
#include <cstring>
#include <optional>

#include "record_writer.hpp"
#include "text.hpp"

namespace zr {

std::string fieldNameKey(std::string_view name) { return wl::upper(wl::alltrim(name)); }

namespace {

// Trims text[from..] as wl::alltrim does, in place.
void trimFrom(std::string& text, std::size_t from) {
    // Most values written have no blank at either end.
    if (text.size() == from ||
        (static_cast<unsigned char>(text[from]) > ' ' && text.back() != ' '))
        return;
    const std::string_view v = wl::alltrimView(std::string_view(text).substr(from));
    const std::size_t at = static_cast<std::size_t>(v.data() - text.data());
    if (at > from && !v.empty()) std::memmove(text.data() + from, v.data(), v.size());
    text.resize(from + v.size());
}

}  // namespace

FieldNameIndex::FieldNameIndex(const std::vector<FieldRow>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) positions_.emplace(fieldNameKey(fields[i].name), i);
}

// Whether the name is its own key: trimmed and without lower-case letters
// (XML element names come upper-cased), so no key need be made.
bool isKeyForm(std::string_view name) {
    if (wl::alltrimView(name).size() != name.size()) return false;
    for (char c : name)
        if (c >= 'a' && c <= 'z') return false;
    return true;
}

std::size_t FieldNameIndex::position(std::string_view name) const {
    auto it = isKeyForm(name) ? positions_.find(name) : positions_.find(fieldNameKey(name));
    return it == positions_.end() ? kNone : it->second;
}

const FieldRow* FieldNameIndex::find(const std::vector<FieldRow>& fields, std::string_view name) const {
    const std::size_t at = position(name);
    return at < fields.size() ? &fields[at] : nullptr;
}

FieldRow* FieldNameIndex::find(std::vector<FieldRow>& fields, std::string_view name) const {
    const std::size_t at = position(name);
    return at < fields.size() ? &fields[at] : nullptr;
}

// ------------------------------------------------------------- the plan

// What a record's build looks values up in: its fields and the positions
// for the line number being written.
struct TemplatePlan::Line {
    const std::vector<std::string_view>& values;
    const std::vector<std::size_t>& positions;
};

TemplatePlan::TemplatePlan(const std::vector<TemplateRow>& templates, const std::vector<FieldRow>& fields,
                           const FieldNameIndex& names)
    : names_(names) {
    // Lines count as rows in the order they first rise above every line
    // before them (countServiceLineRows).
    std::vector<int> counted;
    for (std::size_t f = 0; f < fields.size(); ++f) {
        const int line = mapNumber(fields[f].serviceLine);
        if (line <= 0) continue;
        if (counted.empty() || line > counted.back()) counted.push_back(line);
        const auto it = std::find(counted.begin(), counted.end(), line);
        lineFields_.emplace_back(f, it == counted.end() ? FieldNameIndex::kNone
                                                        : static_cast<std::size_t>(it - counted.begin()));
    }
    countedLines_ = counted.size();
    lineFilled_.assign(countedLines_, 0);
    for (const TemplateRow& t : templates) {
        const int level = mapNumber(t[0]);
        if (level < 1 || level > 4) continue;
        Segment seg;
        std::string_view head = t[1];
        const std::size_t colon = head.find(':');
        seg.id = wl::alltrim(head.substr(0, colon));
        for (std::size_t at = colon; at != std::string_view::npos;) {
            const std::size_t next = head.find(':', at + 1);
            seg.conditions.push_back(conditionOf(head.substr(at + 1, next == std::string_view::npos ? next : next - at - 1)));
            at = next;
        }
        for (std::size_t i = 2; i < t.size(); ++i) {
            std::string_view cell = t[i];
            // A composite's component separator is ";": a ":" in the cell
            // always introduces the condition.
            const std::size_t c = cell.find(':');
            if (c != std::string_view::npos && cell.substr(c + 1, 1) == "$") {
                Cell conditional = cellOf(cell.substr(0, c), true);
                conditional.conditional = true;
                conditional.conditionSlot = slotOf(cell.substr(c + 2));
                seg.cells.push_back(std::move(conditional));
            } else {
                seg.cells.push_back(cellOf(cell, false));
            }
        }
        if (level == 3) {
            for (const Condition& c : seg.conditions) lineSlots_.push_back(c.slot);
            for (const Cell& c : seg.cells) {
                if (c.kind == Kind::Value || c.kind == Kind::Required) lineSlots_.push_back(c.slot);
                if (c.conditional) lineSlots_.push_back(c.conditionSlot);
                for (const Part& p : c.parts)
                    if (p.reference) lineSlots_.push_back(p.slot);
            }
        }
        levels_[level - 1].push_back(std::move(seg));
    }
    read_.assign(fields.size(), false);
    for (const auto& [f, rank] : lineFields_) read_[f] = true;
    for (std::size_t line = 0; line <= countedLines_; ++line)
        for (std::size_t at : fieldsFor(line))
            if (at < read_.size()) read_[at] = true;
}

std::size_t TemplatePlan::slotOf(std::string_view stem) {
    for (std::size_t i = 0; i < stems_.size(); ++i)
        if (stems_[i] == stem) return i;
    stems_.emplace_back(stem);
    return stems_.size() - 1;
}

TemplatePlan::Condition TemplatePlan::conditionOf(std::string_view text) {
    Condition c;
    if (text.size() > 1 && (text[0] == '!' || text[0] == '^') && text[1] == '$') {
        c.test = text[0] == '!' ? Test::Empty : Test::Changed;
        text.remove_prefix(1);
    }
    if (!text.empty() && text[0] == '$') text.remove_prefix(1);
    c.slot = slotOf(text);
    if (c.test == Test::Changed) {
        const auto at = std::find(changeSlots_.begin(), changeSlots_.end(), c.slot);
        c.change = static_cast<std::size_t>(at - changeSlots_.begin());
        if (at == changeSlots_.end()) changeSlots_.push_back(c.slot);
    }
    return c;
}

std::vector<std::size_t> TemplatePlan::changeFields() {
    std::vector<std::size_t> out;
    for (std::size_t slot : changeSlots_) out.push_back(fieldsFor(0)[slot]);
    return out;
}

bool TemplatePlan::conditionsHold(const Segment& s, const Line& l, const TemplateRunState& state) const {
    for (const Condition& c : s.conditions) {
        const bool has = !value(l, c.slot).empty();
        switch (c.test) {
            case Test::Has:
                if (!has) return false;
                break;
            case Test::Empty:
                if (has) return false;
                break;
            case Test::Changed:
                if (!has || (c.change < state.changed.size() && !state.changed[c.change])) return false;
                break;
        }
    }
    return true;
}

TemplatePlan::Cell TemplatePlan::cellOf(std::string_view cell, bool keepAll) {
    Cell c;
    c.keepAll = keepAll;
    if (cell.empty()) return c;
    switch (cell[0]) {
        case '$':
        case '!':
            c.kind = cell[0] == '$' ? Kind::Value : Kind::Required;
            c.slot = slotOf(cell.substr(1));
            return c;
        case '%': {
            c.kind = Kind::Composite;
            std::string_view spec = cell.substr(1);
            for (std::size_t start = 0;;) {
                const std::size_t end = std::min(spec.find(';', start), spec.size());
                const std::string_view raw = spec.substr(start, end - start);
                Part p;
                p.reference = !raw.empty() && raw[0] == '$';
                if (p.reference) p.slot = slotOf(raw.substr(1));
                else p.literal = std::string(raw);
                c.parts.push_back(std::move(p));
                if (end == spec.size()) break;
                start = end + 1;
            }
            return c;
        }
        case '&':
            if (cell == "&HL") c.kind = Kind::Hl;
            else if (cell.substr(1, 2) == "LX") c.kind = Kind::Lx;
            else break;
            return c;
        default: break;
    }
    c.kind = Kind::Literal;
    c.literal = std::string(cell);
    return c;
}

const std::vector<std::size_t>& TemplatePlan::fieldsFor(std::size_t line) {
    while (fieldsByLine_.size() <= line) {
        const std::size_t k = fieldsByLine_.size();
        const std::string suffix = k == 0 ? "" : std::to_string(k);
        std::vector<std::size_t> positions;
        positions.reserve(stems_.size());
        for (const std::string& stem : stems_) positions.push_back(names_.position(stem + suffix));
        fieldsByLine_.push_back(std::move(positions));
    }
    return fieldsByLine_[line];
}

// The field's value, trimmed; "" when no field has the name.
std::string_view TemplatePlan::value(const Line& l, std::size_t slot) const {
    const std::size_t at = l.positions[slot];
    if (at >= l.values.size()) return {};
    const std::string_view v = l.values[at];
    // Most values are empty or have no blank at either end.
    if (v.empty() || (static_cast<unsigned char>(v.front()) > ' ' && v.back() != ' ')) return v;
    return wl::alltrimView(v);
}

// A composite: components joined by the component separator, output stops
// after the last component with text (a literal counts only when another
// component follows); with no text at all nothing is written, as separators
// alone would invent an element the record never held.
void TemplatePlan::writeComposite(std::string& text, const Cell& c, const Line& l, char component) {
    partValues_.clear();
    std::size_t lastWithText = 0;
    for (std::size_t i = 0; i < c.parts.size(); ++i) {
        const Part& p = c.parts[i];
        const std::string_view v = p.reference ? value(l, p.slot) : std::string_view(p.literal);
        if (!v.empty() && (p.reference || i + 1 < c.parts.size())) lastWithText = i + 1;
        partValues_.push_back(v);
    }
    if (lastWithText == 0) return;
    const std::size_t end = c.keepAll ? c.parts.size() : lastWithText;
    for (std::size_t i = 0; i < end; ++i) {
        if (i) text += component;
        text.append(partValues_[i]);
    }
}

bool TemplatePlan::write(std::string& text, const Cell& c, const Line& l, char component, TemplateRunState& state) {
    switch (c.kind) {
        case Kind::Empty: return true;
        case Kind::Value: text.append(value(l, c.slot)); return true;
        case Kind::Required: {
            const std::string_view v = value(l, c.slot);
            text.append(v);
            return !v.empty();
        }
        case Kind::Composite: writeComposite(text, c, l, component); return true;
        case Kind::Hl: {
            const std::size_t at = text.size();
            text += std::to_string(++state.hl);
            if (state.hlMarks) state.hlMarks->push_back({at, text.size() - at, state.hl});
            return true;
        }
        case Kind::Lx: text += std::to_string(++state.lx); return true;
        case Kind::Literal: text += c.literal; return true;
    }
    return true;
}

// One template's segment; nothing when it is left out.
void TemplatePlan::writeSegment(std::string& text, const Segment& s, const Line& l, const X12Output& out,
                                TemplateRunState& state) {
    if (!conditionsHold(s, l, state)) return;
    const std::size_t start = text.size();
    // A segment left out takes its marks with it (its HL numbers stay used).
    auto dropMarks = [&] {
        while (state.hlMarks && !state.hlMarks->empty() && state.hlMarks->back().at >= start) state.hlMarks->pop_back();
    };
    text += s.id;
    std::size_t keep = text.size();  // trailing empty elements are dropped
    for (const Cell& c : s.cells) {
        // An unmet condition ends the segment before this element.
        if (c.conditional && value(l, c.conditionSlot).empty()) break;
        text += out.element;
        const std::size_t at = text.size();
        if (!write(text, c, l, out.component, state)) {
            text.resize(start);  // a required value is empty: no segment
            dropMarks();
            return;
        }
        trimFrom(text, at);
        if (text.size() > at) keep = text.size();
    }
    text.resize(keep);
    if (keep == start + s.id.size()) {
        text.resize(start);
        dropMarks();
        return;
    }
    text += out.terminator;
    if (out.crlf) text += "\r\n";
    ++state.segments;
}

std::size_t TemplatePlan::lineRows(const std::vector<std::string_view>& values) {
    std::fill(lineFilled_.begin(), lineFilled_.end(), 0);
    for (const auto& [f, rank] : lineFields_)
        if (rank != FieldNameIndex::kNone && !lineFilled_[rank] && f < values.size() && !values[f].empty() &&
            !wl::alltrimView(values[f]).empty())
            lineFilled_[rank] = 1;
    const auto rows = static_cast<std::size_t>(std::count(lineFilled_.begin(), lineFilled_.end(), 1));
    if (rows > 0) return rows;
    // No counted line holds a value: the first line is written only when a
    // value its templates read is there (no bare "LX*1" for a claim
    // without lines).
    const std::vector<std::size_t>& first = fieldsFor(1);
    for (std::size_t slot : lineSlots_)
        if (const std::size_t at = first[slot]; at < values.size() && !wl::alltrimView(values[at]).empty()) return 1;
    return 0;
}

void TemplatePlan::build(std::string& text, const std::vector<FieldRow>& fields, std::size_t recordCount,
                         std::size_t recordNumber, const X12Output& out, TemplateRunState& state) {
    fieldValues_.clear();
    for (const FieldRow& f : fields) fieldValues_.emplace_back(f.value);
    build(text, fieldValues_, recordCount, recordNumber, out, state);
}

void TemplatePlan::build(std::string& text, const std::vector<std::string_view>& values, std::size_t recordCount,
                         std::size_t recordNumber, const X12Output& out, TemplateRunState& state) {
    state.lx = 0;
    const std::size_t rows = lineRows(values);
    auto level = [&](int wanted, std::size_t line) {
        const Line l{values, fieldsFor(line)};
        for (const Segment& s : levels_[wanted - 1]) writeSegment(text, s, l, out, state);
    };
    if (recordNumber == 1) level(1, 0);
    level(2, 0);
    for (std::size_t k = 1; k <= rows; ++k) level(3, k);
    if (recordNumber == recordCount) level(4, 0);
}

std::string CTL48400H(const std::string& reference, const std::vector<FieldRow>& fields) {
    if (reference.empty()) return "";
    const FieldRow* f = FieldNameIndex(fields).find(fields, reference.substr(1));
    return f ? f->value : std::string();
}

std::string CTL48400G(const std::vector<TemplateRow>& templates, const std::vector<FieldRow>& fields,
                      std::size_t recordCount, std::size_t recordNumber, const X12Output& out,
                      TemplateRunState& state, const FieldNameIndex* names) {
    std::optional<FieldNameIndex> own;
    if (!names) names = &own.emplace(fields);
    std::string text;
    TemplatePlan(templates, fields, *names).build(text, fields, recordCount, recordNumber, out, state);
    return text;
}

}  // namespace zr
