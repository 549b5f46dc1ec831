#include "records_to_x12.hpp"

#include <algorithm>
#include <filesystem>
#include <unordered_set>

#include "file_io.hpp"
#include "output_file.hpp"
#include "record_writer.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "progress_meter.hpp"
#include "system_info.hpp"
#include "text.hpp"
#include "text_files.hpp"

namespace zr {

namespace {

std::string upperTrimmed(std::string_view name) { return wl::upper(wl::alltrim(name)); }

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

std::string fit(const std::string& value, std::size_t width) { return wl::padRight(value, width); }

}  // namespace

FieldNameIndex::FieldNameIndex(const std::vector<FieldRow>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) positions_.emplace(upperTrimmed(fields[i].name), i);
}

const FieldRow* FieldNameIndex::find(const std::vector<FieldRow>& fields, std::string_view name) const {
    auto it = positions_.find(upperTrimmed(name));
    return it == positions_.end() || it->second >= fields.size() ? nullptr : &fields[it->second];
}

FieldRow* FieldNameIndex::find(std::vector<FieldRow>& fields, std::string_view name) const {
    auto it = positions_.find(upperTrimmed(name));
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

EnvelopeValues completeEnvelope(EnvelopeValues v, std::string_view mapText) {
    auto fromMap = [&](std::string& value, int number, const std::string& fallback, std::size_t width) {
        if (wl::alltrim(value).empty()) value = envelopeDefaultFromText(mapText, number);
        if (wl::alltrim(value).empty()) value = fallback;
        value = fit(value, width);
    };
    if (wl::alltrim(v.isa03).empty()) v.isa03 = "00";
    if (wl::alltrim(v.isa04).empty()) v.isa04 = std::string(10, ' ');
    v.isa03 = fit(v.isa03, 2);
    v.isa04 = fit(v.isa04, 10);
    fromMap(v.isa05, 14, "ZZ", 2);
    fromMap(v.isa06, 1, std::string(15, ' '), 15);
    fromMap(v.isa07, 15, "ZZ", 2);
    fromMap(v.isa08, 2, std::string(15, ' '), 15);
    fromMap(v.isa13, 3, std::string(9, ' '), 9);
    fromMap(v.isa15, 4, "T", 1);
    const std::pair<std::string*, int> groupDefaults[] = {{&v.gs01, 5}, {&v.gs02, 6}, {&v.gs03, 7}, {&v.gs06, 8},
                                                          {&v.gs08, 11}, {&v.st02, 9}, {&v.st03, 10}};
    for (auto [value, number] : groupDefaults)
        if (value->empty()) *value = envelopeDefaultFromText(mapText, number);
    return v;
}

namespace {

std::string segmentEnd(const X12Output& out) { return std::string(1, out.terminator) + (out.crlf ? "\r\n" : ""); }

// A segment of the items; with `trimTrailing` empty trailing elements are
// left out, as X12 requires.
std::string joinSegment(std::vector<std::string> items, bool trimTrailing, const X12Output& out) {
    if (trimTrailing)
        while (items.size() > 1 && items.back().empty()) items.pop_back();
    std::string s;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i) s += out.element;
        s += items[i];
    }
    return s + segmentEnd(out);
}

}  // namespace

std::string interchangeHeader(const std::string& version, const X12Output& out, const EnvelopeValues& v,
                              const std::string& date, const std::string& time) {
    const std::string ver = wl::alltrim(version);
    const std::string isa12 = ver.size() >= 3 ? "00" + ver.substr(0, 3) : "00000";
    // From 00402 on ISA11 is the repetition separator: a "U" there would
    // split every element holding a U.
    const std::string repetition = isa12 >= "00402" ? "^" : "U";
    return joinSegment({"ISA", "00", std::string(10, ' '), v.isa03, v.isa04, v.isa05, v.isa06, v.isa07, v.isa08,
                        date.substr(2, 6), time, repetition, isa12, v.isa13, "1", v.isa15, std::string(1, out.component)},
                       false, out) +
           joinSegment({"GS", v.gs01, v.gs02, v.gs03, date, time, v.gs06, "X", v.gs08}, true, out);
}

std::string setHeader(const std::string& transactionType, const X12Output& out, const std::string& st02,
                      const std::string& st03) {
    // A receiver takes the numeric set id: "837P" is written "837".
    return joinSegment({"ST", transactionType.substr(0, 3), st02, wl::alltrim(st03)}, true, out);
}

std::string envelopeHeader(const std::string& transactionType, const std::string& version, const X12Output& out,
                           const EnvelopeValues& v, const std::string& date, const std::string& time) {
    return interchangeHeader(version, out, v, date, time) + setHeader(transactionType, out, v.st02, v.st03);
}

std::string CTL48400E(const std::string& transactionType, const std::string& version, const X12Output& out,
                      const std::string& mapPath, const EnvelopeValues& values, const std::string& date,
                      const std::string& time) {
    const std::string mapText = wl::fileExists(mapPath) ? CTL39400AY(mapPath) : std::string();
    return envelopeHeader(transactionType, version, out, completeEnvelope(values, mapText), date, time);
}

std::string CTL48400F(const X12Output& out, std::size_t segmentCount, const EnvelopeValues& v) {
    const std::string E(1, out.element);
    const std::string end = std::string(1, out.terminator) + (out.crlf ? "\r\n" : "");
    return "SE" + E + std::to_string(segmentCount + 2) + E + v.st02 + end + "GE" + E + "1" + E + v.gs06 + end +
           "IEA" + E + "1" + E + v.isa13 + end;
}

std::optional<EnvelopeValues> xmlEnvelope(const std::string& xml) {
    const std::string up = wl::upper(xml);
    if (up.find("<BATCH>") == std::string::npos) return std::nullopt;
    // The text after the first start tag of either name, up to the next "<",
    // line breaks removed.
    auto tag = [&](std::initializer_list<const char*> names) {
        std::size_t best = std::string::npos;
        std::size_t bestLen = 0;
        for (const char* n : names) {
            std::string open = std::string("<") + n + ">";
            std::size_t p = up.find(open);
            if (p < best) {
                best = p;
                bestLen = open.size();
            }
        }
        if (best == std::string::npos) return std::string();
        std::size_t from = best + bestLen;
        std::size_t to = xml.find('<', from);
        std::string v;
        for (char c : xml.substr(from, to == std::string::npos ? std::string::npos : to - from))
            if (c != '\r' && c != '\n') v += c;
        return decodeXmlText(v);
    };
    EnvelopeValues v;
    v.isa03 = fit(tag({"SECQUAL", "ISA03"}), 2);
    v.isa04 = fit(tag({"PASSWORD", "ISA04"}), 10);
    v.isa05 = fit(tag({"SENDICIDQUAL", "ISA05"}), 2);
    v.isa06 = fit(tag({"SENDERID", "ISA06"}), 15);
    v.isa07 = fit(tag({"RECICIDQUAL", "ISA07"}), 2);
    v.isa08 = fit(tag({"RECEIVERID", "ISA08"}), 15);
    v.isa13 = fit(tag({"ICNUMBER", "ISA13"}), 9);
    v.isa15 = tag({"PRODTEST", "ISA15"}).substr(0, 1);
    v.gs01 = tag({"FUNCTIONID", "GS01"});
    v.gs02 = tag({"APPSENDERCODE", "GS02"});
    v.gs03 = tag({"APPRECEIVERCODE", "GS03"});
    v.gs06 = tag({"GROUPCTLNUM", "GS06"});
    v.gs08 = tag({"VERSION", "GS08"});
    v.st02 = tag({"TRANSACTIONSETCTLNUM", "ST02"});
    v.st03 = tag({"IMPLEMENTATIONREF", "ST03"});
    return v;
}

void expandServiceLines(std::vector<FieldRow>& fields, int lines) {
    if (lines < 2) return;
    std::size_t first = fields.size();
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (mapNumber(fields[i].serviceLine) == 1 && !fields[i].serviceLine.empty()) {
            first = i;
            break;
        }
    if (first == fields.size()) return;  // no line-1 block to copy
    std::size_t last = first;
    while (last < fields.size() && mapNumber(fields[last].serviceLine) == 1 && !fields[last].serviceLine.empty()) ++last;
    std::vector<FieldRow> copies;
    for (int k = 2; k <= lines; ++k)
        for (std::size_t i = first; i < last; ++i) {
            FieldRow f = fields[i];
            const std::string n = std::to_string(k);
            if (!f.name.empty()) f.name = f.name.substr(0, f.name.size() - 1) + n;
            if (!f.conditionField.empty() && f.conditionField.back() == '1')
                f.conditionField = f.conditionField.substr(0, f.conditionField.size() - 1) + n;
            f.serviceLine = n;
            f.value.clear();
            copies.push_back(std::move(f));
        }
    fields.insert(fields.begin() + static_cast<std::ptrdiff_t>(last), copies.begin(), copies.end());
}

namespace {

// The largest number of service lines in a LINELEVEL group of the XML.
int xmlServiceLines(const std::string& xml) {
    const std::string up = wl::upper(xml);
    const std::string_view all(up);
    int most = 0;
    for (std::size_t p = all.find("<LINELEVEL>"); p != std::string_view::npos; p = all.find("<LINELEVEL>", p + 1)) {
        const std::size_t end = all.find("</LINELEVEL>", p);
        const std::string_view group = all.substr(p + 11, end == std::string_view::npos ? std::string_view::npos : end - p - 11);
        std::string_view stem;
        int count = 0;
        for (std::size_t t = group.find('<'); t != std::string_view::npos; t = group.find('<', t + 1)) {
            const std::size_t gt = group.find('>', t);
            if (gt == std::string_view::npos || group[t + 1] == '/') continue;
            const std::string_view name = group.substr(t + 1, gt - t - 1);
            if (stem.empty() && !name.empty()) stem = name.substr(0, name.size() - 1);
            if (!stem.empty() && name.substr(0, stem.size()) == stem) ++count;
        }
        most = std::max(most, count);
        // Groups without an end are counted once: the rest is one group.
        if (end == std::string_view::npos) break;
    }
    return most;
}

void fillRecord(std::vector<FieldRow>& fields, const FieldNameIndex& names, const SourceRecord& r) {
    for (std::size_t i = 0; i < r.columns.size() && i < fields.size(); ++i) fields[i].value = r.columns[i];
    for (const auto& [name, value] : r.byName)
        if (FieldRow* f = names.find(fields, name)) f->value = value;
}

// The fields whose values templates write: whole elements ("$", "!") and
// components of "%" composites; names as written at levels 1, 2 and 4,
// stems that take the line number at level 3.
class WrittenFields {
public:
    explicit WrittenFields(const std::vector<TemplateRow>& templates) {
        for (const TemplateRow& t : templates) {
            const bool line = mapNumber(t[0]) == 3;
            for (std::size_t i = 2; i < t.size(); ++i) {
                std::string_view cell = t[i];
                // What follows ":$" is a condition, never written.
                if (std::size_t colon = cell.find(":$"); colon != std::string_view::npos) cell = cell.substr(0, colon);
                if (cell.empty()) continue;
                if (cell[0] == '$' || cell[0] == '!') elements_.add(cell.substr(1), line);
                if (cell[0] != '%') continue;
                for (std::size_t p = 1; p < cell.size();) {
                    const std::size_t end = std::min(cell.find(';', p), cell.size());
                    if (cell[p] == '$') components_.add(cell.substr(p + 1, end - p - 1), line);
                    p = end + 1;
                }
            }
        }
    }
    bool written(std::string_view field) const { return elements_.has(field) || components_.has(field); }
    bool component(std::string_view field) const { return components_.has(field); }

private:
    struct Names {
        std::unordered_set<std::string> plain, stems;
        void add(std::string_view name, bool line) { (line ? stems : plain).insert(upperTrimmed(name)); }
        bool has(std::string_view field) const {
            const std::string name = upperTrimmed(field);
            if (plain.count(name)) return true;
            std::size_t digits = name.size();
            while (digits > 0 && name[digits - 1] >= '0' && name[digits - 1] <= '9') --digits;
            return digits < name.size() && stems.count(name.substr(0, digits)) > 0;
        }
    };
    Names elements_, components_;
};

// The name of the first written field of the record whose value holds a
// delimiter that would end its element or segment and start new ones: the
// segment terminator, the element separator or the repetition separator
// "^" anywhere, the component separator within a composite (a value
// written as a whole element may be a composite itself, as the X12 to
// CSV direction reads whole elements). "" when none.
std::string fieldWithDelimiter(const std::vector<FieldRow>& fields, const WrittenFields& written,
                               const SourceRecord& r, const X12Output& out) {
    const char breaking[] = {out.terminator, out.element, '^'};
    const std::string_view set(breaking, sizeof breaking);
    auto unsafe = [&](std::string_view name, const std::string& value) {
        return (value.find_first_of(set) != std::string::npos && written.written(name)) ||
               (value.find(out.component) != std::string::npos && written.component(name));
    };
    for (std::size_t i = 0; i < r.columns.size() && i < fields.size(); ++i)
        if (unsafe(fields[i].name, r.columns[i])) return wl::alltrim(fields[i].name);
    for (const auto& [name, value] : r.byName)
        if (unsafe(name, value)) return name;
    return "";
}

// The first envelope value holding a delimiter, by its tag; "" when none.
std::string envelopeWithDelimiter(const EnvelopeValues& v, const X12Output& out) {
    const char delimiters[] = {out.terminator, out.element, out.component, '^'};
    const std::string_view set(delimiters, sizeof delimiters);
    const std::pair<const char*, const std::string*> values[] = {
        {"ISA03", &v.isa03}, {"ISA04", &v.isa04}, {"ISA05", &v.isa05}, {"ISA06", &v.isa06}, {"ISA07", &v.isa07},
        {"ISA08", &v.isa08}, {"ISA13", &v.isa13}, {"ISA15", &v.isa15}, {"GS01", &v.gs01},   {"GS02", &v.gs02},
        {"GS03", &v.gs03},   {"GS06", &v.gs06},   {"GS08", &v.gs08},   {"ST02", &v.st02},   {"ST03", &v.st03}};
    for (const auto& [tag, value] : values)
        if (value->find_first_of(set) != std::string::npos) return tag;
    return "";
}

void reportAndLog(const std::string& text, RunLog& log) {
    wl::WQOUT({text});
    log.timed(text);
}

// Writes the X12 text: a new file replaces the output only when complete;
// with "MF" it is appended to an existing X12 file of this program.
bool writeX12(const X12BuildRequest& request, const std::string& x12, RunLog& log) {
    std::error_code ec;
    const bool merging = request.merge && wl::fileExists(request.output) &&
                         std::filesystem::file_size(request.output, ec) > 0 && !ec;
    int error = 0;
    if (merging) {
        if (!fitsMerge(request.output, OutputKind::X12)) {
            reportAndLog("Merge Refused : not an X12 output of this program : " + request.output, log);
            return false;
        }
        OutputFile file;
        error = file.append(request.output);
        if (error == 0) {
            file.write(x12);
            error = file.commit();
        }
    } else {
        error = wl::writeFileAtomically(request.output, x12);
    }
    if (error != 0)
        reportAndLog("Cfile <ERROR> FC-Create #" + wl::rightAligned(error, 2) + " " + request.output, log);
    return error == 0;
}

}  // namespace

namespace {

bool allDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// GS01: the functional identifier code of the transaction set.
std::string functionalId(const std::string& type) {
    static const std::pair<const char*, const char*> codes[] = {
        {"837", "HC"}, {"835", "HP"}, {"820", "RA"}, {"834", "BE"}, {"270", "HS"},
        {"271", "HB"}, {"276", "HR"}, {"277", "HN"}, {"278", "HI"}};
    for (const auto& [set, code] : codes)
        if (wl::prefixMatch(type, set)) return code;
    return "";
}

// GS08 of the map's transaction and version: the guide's published
// identifier, which readers (this program included) know.
std::string versionId(const std::string& type, const std::string& version) {
    struct Row {
        const char* type;
        const char* v4010;
        const char* v5010;
    };
    static const Row rows[] = {
        {"837I", "004010X096A1", "005010X223A2"}, {"837D", "004010X097A1", "005010X224A2"},
        {"837", "004010X098A1", "005010X222A1"},  {"835", "004010X091A1", "005010X221A1"},
        {"820", "004010X061A1", "005010X218"},    {"834", "004010X095A1", "005010X220A1"},
        {"270", "004010X092A1", "005010X279A1"},  {"271", "004010X092A1", "005010X279A1"},
        {"276", "004010X093A1", "005010X212"},    {"277", "004010X093A1", "005010X212"},
        {"278", "004010X094A1", "005010X217"}};
    const bool v4010 = wl::prefixMatch(wl::alltrim(version), "40");
    for (const Row& r : rows)
        if (wl::prefixMatch(type, r.type)) return v4010 ? r.v4010 : r.v5010;
    return "";
}

// The first of the named fields that holds a value in the record.
std::string firstValue(const std::vector<FieldRow>& fields, const FieldNameIndex& names,
                       std::initializer_list<const char*> candidates) {
    for (const char* name : candidates)
        if (const FieldRow* f = names.find(fields, name); f && !wl::alltrim(f->value).empty()) return wl::alltrim(f->value);
    return "";
}

// Completes what the map and the source left blank, so that every envelope
// is valid X12: sender and receiver (from the record when the map collects
// them), control numbers, GS01, GS08 and ST03.
EnvelopeValues completeForOutput(EnvelopeValues v, const MapFile& map, const std::vector<FieldRow>& first,
                                 const FieldNameIndex& names) {
    if (wl::alltrim(v.isa06).empty()) {
        std::string sender = firstValue(first, names, {"ISA06", "SENDERID", "SUBMITTERID", "TRACEORIGINATORID"});
        v.isa06 = fit(sender.empty() ? "SENDER" : sender, 15);
    }
    if (wl::alltrim(v.isa08).empty()) {
        std::string receiver = firstValue(first, names, {"ISA08", "RECEIVERID", "PAYEEID"});
        v.isa08 = fit(receiver.empty() ? "RECEIVER" : receiver, 15);
    }
    const std::string icn = wl::alltrim(v.isa13);
    v.isa13 = allDigits(icn) ? wl::padLeft(icn, 9, '0').substr(0, 9) : icn.empty() ? "000000001" : fit(icn, 9);
    if (wl::alltrim(v.gs01).empty()) v.gs01 = functionalId(map.transactionType);
    if (wl::alltrim(v.gs02).empty()) v.gs02 = wl::alltrim(v.isa06);
    if (wl::alltrim(v.gs03).empty()) v.gs03 = wl::alltrim(v.isa08);
    if (wl::alltrim(v.gs06).empty()) {
        std::string n = v.isa13;
        n.erase(0, std::min(n.find_first_not_of('0'), n.size() - 1));
        v.gs06 = allDigits(wl::alltrim(n)) ? wl::alltrim(n) : "1";
    }
    if (wl::alltrim(v.gs08).empty()) v.gs08 = versionId(map.transactionType, map.version);
    if (wl::alltrim(v.st03).empty() && wl::prefixMatch(wl::alltrim(v.gs08), "00501")) v.st03 = wl::alltrim(v.gs08);
    return v;
}

// ST02 of set k (1-based): a numeric ST02 counts on from itself, others
// are used for the first set; without one, 0001, 0002 ...
std::string setControlNumber(const std::string& given, std::size_t k) {
    const std::string g = wl::alltrim(given);
    if (allDigits(g)) {
        const unsigned long long n = std::stoull(g.substr(0, 9)) + k - 1;
        return wl::padLeft(std::to_string(n), std::max<std::size_t>(4, g.size()), '0');
    }
    if (!g.empty() && k == 1) return g;
    return wl::padLeft(std::to_string(k), 4, '0');
}

// The names a template cell refers to ("$NAME", "!NAME", composites and
// conditions), in the order written.
void referencedNames(std::string_view cell, std::vector<std::string>& out) {
    for (std::size_t i = 0; i < cell.size(); ++i) {
        if (cell[i] != '$' && cell[i] != '!') continue;
        std::size_t e = cell.find_first_of(";:$!%,", i + 1);
        if (e == std::string_view::npos) e = cell.size();
        if (e > i + 1) out.emplace_back(cell.substr(i + 1, e - i - 1));
        i = e - 1;
    }
}

// The fields of the header templates (level 1): the values of one
// transaction set, such as an 835's payment.
std::vector<const FieldRow*> headerFields(const MapFile& map, const std::vector<FieldRow>& fields,
                                          const FieldNameIndex& names) {
    std::vector<std::string> referenced;
    for (const TemplateRow& t : map.templates) {
        if (mapNumber(t[0]) != 1) continue;
        for (std::size_t i = 1; i < t.size(); ++i) referencedNames(t[i], referenced);
    }
    std::vector<const FieldRow*> out;
    for (const std::string& n : referenced)
        if (const FieldRow* f = names.find(fields, n); f && std::find(out.begin(), out.end(), f) == out.end())
            out.push_back(f);
    return out;
}

// A CSV first line that holds the map's titles is the title line ("HO"),
// not a record: column by column the description, or else the name, of
// each named field, exactly as the title line writes them.
bool isTitleLine(const SourceRecord& r, const std::vector<FieldRow>& fields) {
    std::vector<std::string> titles;
    for (const FieldRow& f : fields)
        if (!wl::alltrim(f.name).empty()) titles.push_back(wl::alltrim(f.description).empty() ? wl::alltrim(f.name) : wl::alltrim(f.description));
    const std::size_t n = std::min(titles.size(), r.columns.size());
    if (n == 0 || wl::alltrim(r.columns.front()).empty()) return false;
    for (std::size_t i = 0; i < n; ++i)
        if (wl::alltrim(r.columns[i]) != titles[i]) return false;
    return true;
}

// The field of the claim id (CLM01 or CLP01), -1 when the map has none.
int claimIdField(const std::vector<FieldRow>& fields) {
    for (std::size_t f = 0; f < fields.size(); ++f) {
        const std::string seg = wl::alltrim(fields[f].segment);
        if ((seg == "CLM" || seg == "CLP") && mapNumber(fields[f].elementPosition) == 1 &&
            mapNumber(fields[f].subelementPosition) == 0)
            return static_cast<int>(f);
    }
    return -1;
}

// A claim map's record without a claim id holds no claim (a row of header
// values only): built, it would be a made-up claim. Removes such records;
// answers their numbers ("" when none).
std::string dropRecordsWithoutClaim(std::vector<SourceRecord>& records, const std::vector<FieldRow>& map,
                                    const FieldNameIndex& names) {
    const int claimId = claimIdField(map);
    if (claimId < 0) return "";
    std::vector<FieldRow> fields = map;
    std::vector<SourceRecord> kept;
    std::string left;
    for (std::size_t i = 0; i < records.size(); ++i) {
        fillRecord(fields, names, records[i]);
        if (wl::alltrim(fields[static_cast<std::size_t>(claimId)].value).empty())
            left += (left.empty() ? "" : ", ") + std::to_string(i + 1);
        else
            kept.push_back(std::move(records[i]));
        for (FieldRow& f : fields)
            if (mapNumber(f.level) == 0) f.value.clear();
    }
    records = std::move(kept);
    return left;
}

// A pass over the records on a copy of the fields: the header values of
// each record (a change starts a new transaction set), and the fields as
// the first record fills them (for the envelope).
std::vector<std::vector<std::string>> headerValues(const std::vector<SourceRecord>& records, const MapFile& map,
                                                   const FieldNameIndex& names, std::vector<FieldRow>& firstRecord) {
    std::vector<std::vector<std::string>> heads;
    std::vector<FieldRow> fields = map.fields;
    const std::vector<const FieldRow*> header = headerFields(map, fields, names);
    for (const SourceRecord& r : records) {
        fillRecord(fields, names, r);
        std::vector<std::string> values;
        for (const FieldRow* f : header) values.push_back(wl::alltrim(f->value));
        heads.push_back(std::move(values));
        if (firstRecord.empty()) firstRecord = fields;
        for (FieldRow& f : fields)
            if (mapNumber(f.level) == 0) f.value.clear();
    }
    return heads;
}

// A failure said on screen and in the log; nothing is written.
X12BuildResult refuse(const std::string& text, RunLog& log) {
    reportAndLog(text, log);
    X12BuildResult r;
    r.failed = true;
    r.reason = text;
    return r;
}

}  // namespace

bool expansionFits(const std::vector<FieldRow>& fields, int lines) {
    if (lines < 2) return true;
    std::size_t first = 0;
    while (first < fields.size() && mapNumber(fields[first].serviceLine) != 1) ++first;
    std::size_t end = first;
    while (end < fields.size() && mapNumber(fields[end].serviceLine) == 1) ++end;
    const std::size_t block = end - first;
    return block == 0 ||
           static_cast<std::size_t>(lines - 1) <=
               (kMaxExpandedFields - std::min(kMaxExpandedFields, fields.size())) / block;
}

std::string expansionError(int lines) {
    return "ML Expansion Error : " + std::to_string(lines) + " Service Lines Exceed " +
           std::to_string(kMaxExpandedFields) + " Fields.";
}

X12BuildResult buildX12(MapFile& map, const X12BuildRequest& request, RunLog& log) {
    X12BuildResult result;
    if (!wl::fileExists(request.source)) return result;
    // Without templates every source would give an empty envelope.
    if (map.templates.empty())
        return refuse("Map Has No Segment Templates (X12 Out Mapping), No X12 Built : " + request.mapPath, log);
    MeterWindow meter;
    if (request.meterMode == 0) meter = CTL394MTRA({}, "Creating X12 files ", "Please Stand By..");
    auto fail = [&](const std::string& text) {
        reportAndLog(text, log);
        result.failed = true;
        result.reason = text;
        if (request.meterMode == 0) CTL394MTRB(meter);
        return result;
    };
    const std::string text = CTL39400AY(request.source);
    if (request.xml && request.multiLine) {
        const int lines = xmlServiceLines(text);
        if (!expansionFits(map.fields, lines)) return fail(expansionError(lines));
        expandServiceLines(map.fields, lines);
    }
    const FieldNameIndex names(map.fields);  // after the "ML" expansion

    X12Output out;
    out.crlf = request.crlf;
    EnvelopeValues envelope;
    if (request.xml)
        if (auto v = xmlEnvelope(text)) envelope = *v;
    // The envelope's values from the file are checked as record values are.
    if (std::string tag = envelopeWithDelimiter(envelope, out); !tag.empty())
        return fail("Envelope Refused : " + tag + " Holds an X12 Delimiter.");
    std::vector<SourceRecord> records;
    if (request.xml) {
        XmlRecords read = readXmlSource(text);
        // A file cut short makes no output: its missing claims would go unnoticed.
        if (!read.complete) return fail("XML Incomplete : the file ends before its root element closes : " + request.source);
        records = std::move(read.records);
    } else {
        records = readCsvRecords(text);
        if (!records.empty() && isTitleLine(records.front(), map.fields)) {
            records.erase(records.begin());
            log.timed("Title Line Skipped : " + request.source);
        }
    }

    // A value carrying a delimiter would add elements or segments of its
    // own: its record is refused, and the run reports the failure.
    const WrittenFields written(map.templates);
    std::vector<SourceRecord> accepted;
    accepted.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (std::string field = fieldWithDelimiter(map.fields, written, records[i], out); !field.empty()) {
            const std::string refused = "Record " + std::to_string(i + 1) + " Refused : Field " + field +
                                        " Holds an X12 Delimiter.";
            reportAndLog(refused, log);
            result.failed = true;
            result.reason = refused;
            continue;
        }
        accepted.push_back(std::move(records[i]));
    }
    if (std::string left = dropRecordsWithoutClaim(accepted, map.fields, names); !left.empty()) {
        result.problems.push_back("Records Without a Claim Id Not Built : " + left + " : " + request.source);
        log.timed(result.problems.back());
    }
    if (accepted.empty()) return fail("No Record in Source, No X12 Built : " + request.source);

    std::vector<FieldRow> firstRecord;
    const std::vector<std::vector<std::string>> heads = headerValues(accepted, map, names, firstRecord);
    const std::string date = request.date.empty() ? wl::localTimeText("%Y%m%d") : request.date;
    const std::string time = request.time.empty() ? wl::localTimeText("%H%M") : request.time;
    // The completed values open and close the envelope.
    const EnvelopeValues completed = completeForOutput(completeEnvelope(envelope, map.text), map, firstRecord, names);
    const std::string end = segmentEnd(out);
    const std::string E(1, out.element);

    // One interchange and group; a transaction set per run of records that
    // share their header values.
    std::string x12 = interchangeHeader(map.version, out, completed, date, time);
    std::size_t sets = 0, inSet = 0;
    std::string st02;
    TemplateRunState state;
    for (std::size_t i = 0; i < accepted.size(); ++i) {
        const bool opens = i == 0 || heads[i] != heads[i - 1];
        const bool closes = i + 1 == accepted.size() || heads[i + 1] != heads[i];
        if (opens) {
            ++sets;
            inSet = 0;
            state = TemplateRunState{};  // HL numbers start again in each set
            st02 = setControlNumber(completed.st02, sets);
            x12 += setHeader(map.transactionType, out, st02, completed.st03);
        }
        ++inSet;
        fillRecord(map.fields, names, accepted[i]);
        // Level 1 with the set's first record, level 4 with its last.
        x12 += CTL48400G(map.templates, map.fields, closes ? inSet : 0, inSet, out, state, &names);
        for (FieldRow& f : map.fields)
            if (mapNumber(f.level) == 0) f.value.clear();
        if (closes) x12 += "SE" + E + std::to_string(state.segments + 2) + E + st02 + end;
        const double percent = 100.0 * static_cast<double>(i + 1) / static_cast<double>(accepted.size());
        if (request.meterMode == 0) CTL394MTRC(percent);
        if (request.meterMode == 2) CTL394MTRE(percent);
    }
    x12 += "GE" + E + std::to_string(sets) + E + wl::alltrim(completed.gs06) + end;
    x12 += "IEA" + E + "1" + E + completed.isa13 + end;
    if (sets > 1) log.timed("Transaction Sets Written : " + std::to_string(sets));
    result.records = accepted.size();
    if (!writeX12(request, x12, log)) {
        result.failed = true;
        result.reason = "Output Not Written : " + request.output;
    }
    if (request.meterMode == 0) CTL394MTRB(meter);
    return result;
}

DirectionResult convertToX12(const EngineRequest& request, MapFile& map, const std::string& mapPath, RunLog& log) {
    X12BuildRequest b;
    b.xml = request.type && infoOf(*request.type).xml;
    b.source = request.spec.sourceFile;
    b.output = request.spec.destinationFile;
    b.mapPath = mapPath;
    b.crlf = request.options.crlf;
    b.multiLine = request.options.multiLine;
    b.merge = request.options.merge;
    b.meterMode = request.meterMode.value_or(-1);
    X12BuildResult built = buildX12(map, b, log);
    DirectionResult result;
    result.complete = !built.failed;
    result.problems = std::move(built.problems);
    result.failure = std::move(built.reason);
    return result;
}

}  // namespace zr
