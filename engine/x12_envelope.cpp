#include "x12_envelope.hpp"

#include <algorithm>
#include <initializer_list>

#include "map_file.hpp"
#include "text.hpp"
#include "text_files.hpp"
#include "xml_entities.hpp"
#include "file_io.hpp"
#include "paths.hpp"
#include "system_info.hpp"

namespace zr {

std::string segmentEnd(const X12Output& out) { return std::string(1, out.terminator) + (out.crlf ? "\r\n" : ""); }

namespace {

std::string fit(const std::string& value, std::size_t width) { return wl::padRight(value, width); }

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

}  // namespace

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


std::string recordUsage(const std::vector<FieldRow>& first, const FieldNameIndex& names) {
    const std::string usage = wl::upper(firstValue(first, names, {"PRODTEST", "ISA15"}));
    return usage == "P" || usage == "T" || usage == "I" ? usage : "";
}

EnvelopeValues completeEnvelope(EnvelopeValues v, std::string_view mapText, std::string_view usage) {
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
    // A production file rebuilt stays one: the source's own indicator
    // comes before the test default.
    fromMap(v.isa15, 4, usage.empty() ? "T" : std::string(usage), 1);
    const std::pair<std::string*, int> groupDefaults[] = {{&v.gs01, 5}, {&v.gs02, 6}, {&v.gs03, 7}, {&v.gs06, 8},
                                                          {&v.gs08, 11}, {&v.st02, 9}, {&v.st03, 10}};
    for (auto [value, number] : groupDefaults)
        if (value->empty()) *value = envelopeDefaultFromText(mapText, number);
    return v;
}

namespace {

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
    // A transaction-based map carries no version; its rows are those of
    // 5010, so its interchanges are 00501 ("00000" is no valid ISA12).
    const std::string isa12 = ver.size() >= 3 ? "00" + ver.substr(0, 3) : "00501";
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

namespace {

// The element names of each envelope value, in the order of EnvelopeValues.
struct EnvelopeTag {
    std::string_view names[2];
};
constexpr EnvelopeTag kEnvelopeTags[] = {
    {{"SECQUAL", "ISA03"}},          {{"PASSWORD", "ISA04"}},         {{"SENDICIDQUAL", "ISA05"}},
    {{"SENDERID", "ISA06"}},         {{"RECICIDQUAL", "ISA07"}},      {{"RECEIVERID", "ISA08"}},
    {{"ICNUMBER", "ISA13"}},         {{"PRODTEST", "ISA15"}},         {{"FUNCTIONID", "GS01"}},
    {{"APPSENDERCODE", "GS02"}},     {{"APPRECEIVERCODE", "GS03"}},   {{"GROUPCTLNUM", "GS06"}},
    {{"VERSION", "GS08"}},           {{"TRANSACTIONSETCTLNUM", "ST02"}}, {{"IMPLEMENTATIONREF", "ST03"}},
};
constexpr std::size_t kTagCount = sizeof kEnvelopeTags / sizeof kEnvelopeTags[0];
// "<" + the longest name + ">".
constexpr std::size_t kLongestTag = 22;

// Whether `text` at `at` holds "<" + name + ">", the name in any case.
bool tagAt(std::string_view text, std::size_t at, std::string_view name) {
    if (text.size() - at < name.size() + 2 || text[at + 1 + name.size()] != '>') return false;
    for (std::size_t k = 0; k < name.size(); ++k)
        if (wl::upperChar(text[at + 1 + k]) != name[k]) return false;
    return true;
}

}  // namespace

std::optional<EnvelopeValues> xmlEnvelope(ByteInput& in) {
    // For each value the text after the first start tag of either name, up
    // to the next "<", line breaks removed; "<BATCH>" anywhere makes them count.
    std::string values[kTagCount];
    bool found[kTagCount] = {};
    std::size_t missing = kTagCount;
    bool batch = false;
    for (;;) {
        const std::string_view v = in.view();
        const std::size_t lt = v.find('<');
        if (lt == std::string_view::npos) {
            if (in.atEnd()) break;
            in.consume(v.size());
            in.more();
            continue;
        }
        if (v.size() - lt < kLongestTag && !in.atEnd()) {
            in.consume(lt);
            in.more();
            continue;
        }
        // A closing tag holds no value and no "<BATCH>".
        if (lt + 1 < v.size() && v[lt + 1] == '/') {
            in.consume(lt + 1);
            continue;
        }
        // Names hold no ">": only a name as long as the text up to the first
        // ">" can stand here, and none when that ">" is too far.
        const std::size_t gt = v.substr(lt + 1, kLongestTag).find('>');
        bool waiting = false;
        for (std::size_t t = 0; t < kTagCount && !waiting && gt != std::string_view::npos; ++t) {
            if (found[t]) continue;
            for (std::string_view name : kEnvelopeTags[t].names) {
                if (name.size() != gt || !tagAt(v, lt, name)) continue;
                const std::size_t from = lt + name.size() + 2;
                const std::size_t to = v.find('<', from);
                if (to == std::string_view::npos && !in.atEnd()) {
                    waiting = true;  // the value goes on past the buffer
                    break;
                }
                std::string text;
                for (char c : v.substr(from, to == std::string_view::npos ? std::string_view::npos : to - from))
                    if (c != '\r' && c != '\n') text += c;
                values[t] = decodeXmlText(text);
                found[t] = true;
                --missing;
                break;
            }
        }
        if (waiting) {
            in.consume(lt);
            in.more();
            continue;
        }
        batch = batch || tagAt(v, lt, "BATCH");
        if (batch && missing == 0) break;
        in.consume(lt + 1);
    }
    if (!batch) return std::nullopt;
    EnvelopeValues v;
    v.isa03 = fit(values[0], 2);
    v.isa04 = fit(values[1], 10);
    v.isa05 = fit(values[2], 2);
    v.isa06 = fit(values[3], 15);
    v.isa07 = fit(values[4], 2);
    v.isa08 = fit(values[5], 15);
    v.isa13 = fit(values[6], 9);
    v.isa15 = values[7].substr(0, 1);
    v.gs01 = values[8];
    v.gs02 = values[9];
    v.gs03 = values[10];
    v.gs06 = values[11];
    v.gs08 = values[12];
    v.st02 = values[13];
    v.st03 = values[14];
    return v;
}

std::optional<EnvelopeValues> xmlEnvelope(const std::string& xml) {
    ByteInput in{std::string_view(xml)};
    return xmlEnvelope(in);
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


}  // namespace zr
