#include "segment_templates.hpp"

#include <optional>

#include "record_writer.hpp"
#include "text.hpp"

namespace zr {

std::string fieldNameKey(std::string_view name) { return wl::upper(wl::alltrim(name)); }

namespace {

// The number of service-line rows of a record, counted as the line-mode
// writer counts them.
std::size_t lineRows(const std::vector<FieldRow>& fields) {
    return static_cast<std::size_t>(countServiceLineRows(
        fields.size(), [&](std::size_t f) { return mapNumber(fields[f].serviceLine); },
        [&](std::size_t f) { return !wl::alltrim(fields[f].value).empty(); }));
}

struct CellContext {
    const std::vector<FieldRow>& fields;
    const FieldNameIndex& names;
    const std::string& suffix;  // the line number at level 3
    const X12Output& out;
    TemplateRunState& state;
};

// The value (trimmed) of the field of that name; "" when there is none.
std::string valueOf(const CellContext& c, const std::string& name) {
    const FieldRow* f = c.names.find(c.fields, name);
    return f ? wl::alltrim(f->value) : std::string();
}

// A composite: components joined by the component separator, output stops
// after the last component with text (a literal counts only when another
// component follows); with no text at all every component is written.
std::string composite(std::string_view spec, const CellContext& c, bool keepAll) {
    std::vector<std::string> parts;
    std::vector<bool> hasText;
    std::size_t start = 0;
    std::vector<std::string_view> raw;
    for (std::size_t p = spec.find(';'); p != std::string_view::npos; p = spec.find(';', start)) {
        raw.push_back(spec.substr(start, p - start));
        start = p + 1;
    }
    raw.push_back(spec.substr(start));
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const bool reference = !raw[i].empty() && raw[i][0] == '$';
        std::string text = reference ? valueOf(c, std::string(raw[i].substr(1)) + c.suffix) : std::string(raw[i]);
        const bool counts = reference ? !text.empty() : (!text.empty() && i + 1 < raw.size());
        parts.push_back(std::move(text));
        hasText.push_back(counts);
    }
    std::size_t end = parts.size();
    if (!keepAll) {
        std::size_t last = parts.size();
        for (std::size_t i = parts.size(); i > 0; --i)
            if (hasText[i - 1]) {
                last = i;
                break;
            }
        bool any = false;
        for (bool h : hasText) any = any || h;
        if (any) end = last;
    }
    std::string joined;
    for (std::size_t i = 0; i < end; ++i) {
        if (i) joined += c.out.component;
        joined += parts[i];
    }
    return joined;
}

struct Element {
    std::string text;
    bool required = false;     // "!" reference
    bool requiredEmpty = false;
    bool conditional = false;  // "...:$FIELD"
    bool conditionMet = true;
};

std::string evaluate(std::string_view cell, const CellContext& c, Element& e, bool keepAll) {
    if (cell.empty()) return "";
    switch (cell[0]) {
        case '$': return valueOf(c, std::string(cell.substr(1)) + c.suffix);
        case '%': return composite(cell.substr(1), c, keepAll);
        case '!': {
            std::string v = valueOf(c, std::string(cell.substr(1)) + c.suffix);
            e.required = true;
            e.requiredEmpty = v.empty();
            return v;
        }
        case '&':
            if (cell == "&HL") return std::to_string(++c.state.hl);
            if (cell.substr(1, 2) == "LX") return std::to_string(++c.state.lx);
            return std::string(cell);
        default: return std::string(cell);
    }
}

Element element(std::string_view cell, const CellContext& c) {
    Element e;
    std::size_t colon = cell.find(':');
    // A composite's component separator is ";": a ":" in the cell always
    // introduces the condition.
    if (colon != std::string_view::npos && cell.substr(colon + 1, 1) == "$") {
        e.conditional = true;
        std::string condition(cell.substr(colon + 2));
        e.conditionMet = !valueOf(c, condition + c.suffix).empty();
        if (e.conditionMet) e.text = wl::alltrim(evaluate(cell.substr(0, colon), c, e, true));
        return e;
    }
    e.text = wl::alltrim(evaluate(cell, c, e, false));
    return e;
}

// One template's segment, or "" when it is left out.
std::string segmentOf(const TemplateRow& t, const CellContext& c) {
    std::string_view head = t[1];
    std::string id(head.substr(0, head.find(':')));
    if (std::size_t colon = head.find(':'); colon != std::string_view::npos) {
        std::string condition(head.substr(colon + 1));
        if (!condition.empty() && condition[0] == '$') condition.erase(0, 1);
        if (valueOf(c, condition + c.suffix).empty()) return "";
    }
    std::vector<std::string> elements;
    for (std::size_t i = 2; i < t.size(); ++i) {
        Element e = element(t[i], c);
        if (e.requiredEmpty) return "";
        // An unmet condition ends the segment before this element.
        if (e.conditional && !e.conditionMet) break;
        elements.push_back(std::move(e.text));
    }
    while (!elements.empty() && elements.back().empty()) elements.pop_back();
    if (elements.empty()) return "";
    std::string seg = wl::alltrim(id);
    for (const std::string& e : elements) seg.append(1, c.out.element).append(e);
    seg += c.out.terminator;
    if (c.out.crlf) seg += "\r\n";
    ++c.state.segments;
    return seg;
}


}  // namespace

FieldNameIndex::FieldNameIndex(const std::vector<FieldRow>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) positions_.emplace(fieldNameKey(fields[i].name), i);
}

const FieldRow* FieldNameIndex::find(const std::vector<FieldRow>& fields, std::string_view name) const {
    auto it = positions_.find(fieldNameKey(name));
    return it == positions_.end() || it->second >= fields.size() ? nullptr : &fields[it->second];
}

FieldRow* FieldNameIndex::find(std::vector<FieldRow>& fields, std::string_view name) const {
    auto it = positions_.find(fieldNameKey(name));
    return it == positions_.end() || it->second >= fields.size() ? nullptr : &fields[it->second];
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
    state.lx = 0;
    const std::size_t rows = lineRows(fields);
    std::string text;
    auto level = [&](int wanted, const std::string& suffix) {
        const CellContext c{fields, *names, suffix, out, state};
        for (const TemplateRow& t : templates)
            if (mapNumber(t[0]) == wanted) text += segmentOf(t, c);
    };
    if (recordNumber == 1) level(1, "");
    level(2, "");
    for (std::size_t k = 1; k <= rows; ++k) level(3, std::to_string(k));
    if (recordNumber == recordCount) level(4, "");
    return text;
}

}  // namespace zr
