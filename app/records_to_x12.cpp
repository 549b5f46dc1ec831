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

std::string trimmed(std::string_view s) { return wl::alltrim(s); }

std::string upperTrimmed(std::string_view name) { return wl::upper(trimmed(name)); }

// The number of service-line rows of a record, counted as the line-mode
// writer counts them.
std::size_t lineRows(const std::vector<FieldRow>& fields) {
    return static_cast<std::size_t>(countServiceLineRows(
        fields.size(), [&](std::size_t f) { return mapNumber(fields[f].serviceLine); },
        [&](std::size_t f) { return !trimmed(fields[f].value).empty(); }));
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
    return f ? trimmed(f->value) : std::string();
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
        if (e.conditionMet) e.text = trimmed(evaluate(cell.substr(0, colon), c, e, true));
        return e;
    }
    e.text = trimmed(evaluate(cell, c, e, false));
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
    std::string seg = trimmed(id);
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
        if (trimmed(value).empty()) value = envelopeDefaultFromText(mapText, number);
        if (trimmed(value).empty()) value = fallback;
        value = fit(value, width);
    };
    if (trimmed(v.isa03).empty()) v.isa03 = "00";
    if (trimmed(v.isa04).empty()) v.isa04 = std::string(10, ' ');
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

std::string envelopeHeader(const std::string& transactionType, const std::string& version, const X12Output& out,
                           const EnvelopeValues& v, const std::string& date, const std::string& time) {
    const std::string ver = trimmed(version);
    const std::string isa12 = ver.size() >= 3 ? "00" + ver.substr(0, 3) : "00000";
    const char E = out.element;
    const std::string end = std::string(1, out.terminator) + (out.crlf ? "\r\n" : "");
    auto join = [&](std::vector<std::string> items, bool trimTrailing) {
        if (trimTrailing)
            while (items.size() > 1 && items.back().empty()) items.pop_back();
        std::string s;
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (i) s += E;
            s += items[i];
        }
        return s + end;
    };
    std::string isa = join({"ISA", "00", std::string(10, ' '), v.isa03, v.isa04, v.isa05, v.isa06, v.isa07, v.isa08,
                            date.substr(2, 6), time, "U", isa12, v.isa13, "1", v.isa15, std::string(1, out.component)},
                           false);
    // A receiver takes the numeric set id: "837P" is written "837". Empty
    // trailing elements are left out, as X12 requires.
    std::string gs = join({"GS", v.gs01, v.gs02, v.gs03, date, time, v.gs06, "X", v.gs08}, true);
    std::string st = join({"ST", transactionType.substr(0, 3), v.st02, v.st03}, true);
    return isa + gs + st;
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
        if (unsafe(fields[i].name, r.columns[i])) return trimmed(fields[i].name);
    for (const auto& [name, value] : r.byName)
        if (unsafe(name, value)) return name;
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
    MeterWindow meter;
    if (request.meterMode == 0) meter = CTL394MTRA({}, "Creating X12 files ", "Please Stand By..");
    auto fail = [&](const std::string& text) {
        reportAndLog(text, log);
        result.failed = true;
        if (request.meterMode == 0) CTL394MTRB(meter);
        return result;
    };
    const std::string text = CTL39400AY(request.source);
    if (request.xml && request.multiLine) {
        const int lines = xmlServiceLines(text);
        if (!expansionFits(map.fields, lines)) return fail(expansionError(lines));
        expandServiceLines(map.fields, lines);
    }

    EnvelopeValues envelope;
    if (request.xml)
        if (auto v = xmlEnvelope(text)) envelope = *v;
    std::vector<SourceRecord> records;
    if (request.xml) {
        XmlRecords read = readXmlSource(text);
        // A file cut short makes no output: its missing claims would go unnoticed.
        if (!read.complete) return fail("XML Incomplete : the file ends before its root element closes : " + request.source);
        records = std::move(read.records);
    } else {
        records = readCsvRecords(text);
    }

    X12Output out;
    out.crlf = request.crlf;
    // A value carrying a delimiter would add elements or segments of its
    // own: its record is refused, and the run reports the failure.
    const WrittenFields written(map.templates);
    std::vector<SourceRecord> accepted;
    accepted.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (std::string field = fieldWithDelimiter(map.fields, written, records[i], out); !field.empty()) {
            reportAndLog("Record " + std::to_string(i + 1) + " Refused : Field " + field +
                             " Holds an X12 Delimiter.", log);
            result.failed = true;
            continue;
        }
        accepted.push_back(std::move(records[i]));
    }
    const std::string date = request.date.empty() ? wl::localTimeText("%Y%m%d") : request.date;
    const std::string time = request.time.empty() ? wl::localTimeText("%H%M") : request.time;
    // The map's envelope defaults are read once; the completed values open
    // and close the envelope.
    const std::string mapText = wl::fileExists(request.mapPath) ? CTL39400AY(request.mapPath) : std::string();
    const EnvelopeValues completed = completeEnvelope(envelope, mapText);
    std::string x12 = envelopeHeader(map.transactionType, map.version, out, completed, date, time);
    const FieldNameIndex names(map.fields);  // after the "ML" expansion
    TemplateRunState state;
    for (std::size_t i = 0; i < accepted.size(); ++i) {
        fillRecord(map.fields, names, accepted[i]);
        x12 += CTL48400G(map.templates, map.fields, accepted.size(), i + 1, out, state, &names);
        for (FieldRow& f : map.fields)
            if (mapNumber(f.level) == 0) f.value.clear();
        const double percent = 100.0 * static_cast<double>(i + 1) / static_cast<double>(accepted.size());
        if (request.meterMode == 0) CTL394MTRC(percent);
        if (request.meterMode == 2) CTL394MTRE(percent);
    }
    x12 += CTL48400F(out, state.segments, completed);
    result.records = accepted.size();
    if (!writeX12(request, x12, log)) result.failed = true;
    if (request.meterMode == 0) CTL394MTRB(meter);
    return result;
}

}  // namespace zr
