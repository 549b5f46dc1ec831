#include "map_text.hpp"

#include <array>
#include <set>

#include "map_rows.hpp"
#include "text.hpp"

namespace zr {

using namespace maprows;

namespace {

const TransactionText& textOf(int index) {
    using Getter = const TransactionText& (*)();
    static constexpr std::array<Getter, 12> kTexts = {
        text837I, text835,         text276,          text277, text270,  text271,
        text278Request, text278Response, text834, text837P, text837D, text820,
    };
    return kTexts[index - 1]();
}

// Which of the generator's questions a transaction asks; a question that is
// not asked counts as answered Yes.
bool partWanted(Part part, int index, const MapAnswers& a) {
    const bool claims = index == 1 || index == 10 || index == 11;
    const bool withRemittance = claims || index == 2;
    switch (part) {
    case Part::Always: return true;
    case Part::Billing: return index != 1 || a.billingProvider;
    case Part::BillingAddress: return index != 1 || (a.billingProvider && a.billingProviderAtBatch);
    case Part::Subscriber: return !withRemittance || a.subscriber;
    case Part::Patient: return !withRemittance || a.patient;
    case Part::Coverage: return !claims || a.coverage;
    case Part::ServiceProvider: return !withRemittance || a.serviceProvider;
    }
    return true;
}

// Scheme 1 takes the 4010 rows, scheme 2 the 5010 rows; the transaction
// based map reads files of either version, so it takes the 5010 rows (whose
// qualifiers also accept the 4010 codes) and the 4010 rows no 5010 row
// replaces.
bool versionWanted(Ver ver, int scheme) {
    if (ver == Ver::Both) return true;
    if (scheme == 1) return ver == Ver::V4010;
    return ver == Ver::V5010;
}

std::string rowName(const char* text) {
    std::string s(text);
    return s.substr(0, s.find(','));
}

std::string twoDigits(int n) { return std::string(n < 10 ? "0" : "").append(std::to_string(n)); }

class Builder {
public:
    Builder(const TransactionText& t, int index, int scheme, const MapAnswers& a)
        : t_(t), index_(index), scheme_(scheme), a_(a) {
        if (scheme_ == 3) collectModernNames();
    }

    std::string build() {
        lines_.push_back("");
        lines_.push_back(std::string("X12TRANSACTIONTYPE=") + t_.type);
        if (scheme_ == 1) lines_.push_back("VERSION=4010");
        if (scheme_ == 2) lines_.push_back("VERSION=5010");
        for (const char* key : t_.keys) lines_.push_back(key);
        addFields(t_.fields, 0);
        addCodeLists();
        if (t_.extra) t_.extra(lines_, a_);
        for (int n = 1; n <= a_.serviceLines; ++n) {
            addFields(t_.lineFields, n);
            addLineInclude(n);
        }
        addFields(t_.tailFields, 0);
        lines_.push_back("FIELD=SOURCEFILE,64,,,,,,,,5");
        lines_.push_back("FIELD=DESTINATIONFILE,64,,,,,,,,6");
        addFields(t_.laterFields, 0);
        for (int n = 1; n <= a_.serviceLines; ++n) addFields(t_.laterLineFields, n);
        // The interchange's usage indicator (ISA15), read before the first
        // set: a production file rebuilt from the records stays one.
        lines_.push_back("FIELD=PRODTEST,1,ISA,,,15,,,,1");
        addFields(t_.lastFields, 0);
        if (t_.lastExtra) t_.lastExtra(lines_, a_);
        addTemplates();
        for (const char* screen : t_.screens) lines_.push_back(std::string("SCREEN=") + screen);
        std::string out;
        for (const auto& line : lines_) out += line + "\r\n";
        return out;
    }

private:
    bool wanted(const Row& row) const {
        if (!partWanted(row.part, index_, a_)) return false;
        if (scheme_ == 3 && row.ver == Ver::V4010) return !modernNames_.count(rowName(row.text));
        return versionWanted(row.ver, scheme_);
    }

    void collectModernNames() {
        for (auto rows : {t_.fields, t_.lineFields, t_.tailFields, t_.laterFields, t_.laterLineFields, t_.lastFields})
            for (const Row& row : rows)
                if (row.ver != Ver::V4010) modernNames_.insert(rowName(row.text));
    }

    void addFields(std::span<const Row> rows, int line) {
        for (const Row& row : rows)
            if (wanted(row)) lines_.push_back(fieldLine(row.text, line));
    }

    // One HI segment gives NAME01..NAME12; more give NAME01_k.. with k as
    // the occurrence, so that each set reads its own segment.
    static std::string suffix(int item, int k, int segments) {
        return twoDigits(item) + (segments > 1 ? std::string("_").append(std::to_string(k)) : "");
    }

    bool listWanted(const CodeList& list) const { return versionWanted(list.ver, scheme_ == 3 ? 2 : scheme_); }

    void addCodeLists() {
        for (const CodeList& list : t_.codeLists) {
            if (!listWanted(list)) continue;
            const int segments = a_.*list.segments;
            for (int k = 1; k <= segments; ++k)
                for (int item = 1; item <= 12; ++item) {
                    std::string line = std::string("FIELD=") + list.name + suffix(item, k, segments) + "," +
                                       std::to_string(list.width) + ",HI," + list.qualifier + ",2," +
                                       std::to_string(item) + "," + std::to_string(list.component) + ",SUBID";
                    if (segments > 1) line += std::string(",").append(std::to_string(k));
                    lines_.push_back(line);
                }
        }
    }

    static std::string replaceAll(std::string s, const std::string& from, const std::string& to) {
        for (auto at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
            s.replace(at, from.size(), to);
        return s;
    }

    // One HI template per segment of the named list.
    void addCodeListTemplates(const std::string& name) {
        for (const CodeList& list : t_.codeLists) {
            if (!listWanted(list) || !list.composite || name != list.name) continue;
            const int segments = a_.*list.segments;
            for (int k = 1; k <= segments; ++k) {
                const std::string first = std::string(list.name) + suffix(1, k, segments);
                std::string line = "SEGMENT=2,HI:$" + first;
                for (int item = 1; item <= 12; ++item) {
                    const std::string s = suffix(item, k, segments);
                    line.append(",").append(replaceAll(list.composite, "@", s));
                    if (item > 1) line.append(":$").append(list.name).append(s);
                }
                lines_.push_back(line);
            }
        }
    }

    // The include file's text follows each line's fields of the 271 map.
    void addLineInclude(int n) {
        if (index_ != 6 || a_.serviceLineInclude.empty()) return;
        const std::string replaced = CTL48600AB(n, a_.serviceLineInclude);
        std::string line;
        auto flush = [&] {
            if (!wl::alltrim(line).empty()) lines_.push_back(wl::alltrim(line));
            line.clear();
        };
        for (char c : replaced) {
            if (c == '\r' || c == '\n') flush();
            else line += c;
        }
        flush();
    }

    void addTemplates() {
        bool first = true;
        auto mark = [&] {
            if (first) lines_.push_back("************************************* X12 Out Mapping");
            first = false;
        };
        for (const Row& row : t_.templates) {
            if (!partWanted(row.part, index_, a_) || !versionWanted(row.ver, scheme_ == 3 ? 2 : scheme_)) continue;
            mark();
            const std::string text = row.text;
            if (text.rfind(kCodeListMark, 0) == 0) addCodeListTemplates(text.substr(std::string(kCodeListMark).size()));
            else lines_.push_back(std::string("SEGMENT=") + row.text);
        }
        if (t_.extraTemplates) {
            std::vector<std::string> extra;
            t_.extraTemplates(extra, a_);
            if (!extra.empty()) mark();
            lines_.insert(lines_.end(), extra.begin(), extra.end());
        }
    }

    const TransactionText& t_;
    int index_;
    int scheme_;
    const MapAnswers& a_;
    std::set<std::string> modernNames_;
    std::vector<std::string> lines_;
};

std::vector<std::string> splitItems(const std::string& s) {
    std::vector<std::string> out(1);
    for (char c : s) {
        if (c == ',') out.emplace_back();
        else out.back() += c;
    }
    return out;
}

}  // namespace

namespace maprows {

std::string fieldLine(const std::string& rowText, int line) {
    const auto bar = rowText.find('|');
    std::vector<std::string> items = splitItems(rowText.substr(0, bar));
    if (line > 0) {
        const std::string number = std::to_string(line);
        for (auto& item : items) {
            std::string replaced;
            for (char c : item) replaced += c == '#' ? number : std::string(1, c);
            item = replaced;
        }
        if (items.size() < 11) items.resize(11);
        items[10] = number;
    }
    if (bar != std::string::npos) {
        items.resize(15);
        for (auto& item : splitItems(rowText.substr(bar + 1))) items.push_back(item);
    }
    while (items.size() > 1 && items.back().empty()) items.pop_back();
    std::string out = "FIELD=";
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + items[i];
    return out;
}

std::vector<Row> joinRows(std::initializer_list<std::span<const Row>> parts) {
    std::vector<Row> out;
    for (auto part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

}  // namespace maprows

std::string builtInMapText(int index, int scheme, const MapAnswers& answers) {
    if (index < 1 || index > 12 || scheme < 1 || scheme > 3) return "";
    return Builder(textOf(index), index, scheme, answers).build();
}

std::string CTL48600AB(int number, const std::string& text) {
    const std::string digits = std::to_string(number);
    std::string out;
    for (char c : text) out += c == '&' ? digits : std::string(1, c);
    return out;
}

std::string mapGeneratorHeader(int index, int scheme, const std::string& fileName, const std::string& date,
                               const std::string& time) {
    static const std::array<const char*, 12> kTitles = {
        "********* 837I Claim Submission Configuration",
        "********* 835 Claim Submission Configuration",
        "*********  276 Claim Status Inquiry Configuration",
        "********* 277 Claim Status Response Configuration",
        "********* 270 Eligibility Inquiry Configuration",
        "********* 271 Eligibility Response Configuration",
        "********* 278 Health Care Services Review Request Configuration",
        "",
        "********* 834 Benefit Enrollment and Maintenance",
        "********* 837P Claim Submission Configuration",
        "********* 837D Claim Submission Configuration",
        "********* 820",
    };
    const std::string stars(50, '*');
    std::string out;
    auto line = [&out](const std::string& s) { out += s + "\r\n"; };
    line("********** Zarn Software   Parser Map");
    line("********** Generated :" + date + " " + time);
    line("********** Made by the mapping tool from the built-in map; lines beginning with * are comments");
    line(stars);
    line("********* File Name : " + fileName);
    if (scheme == 1) line("********* X12 Version 4010");
    if (scheme == 2) line("********* X12 Version 5010");
    if (index >= 1 && index <= 12 && *kTitles[index - 1]) {
        line(kTitles[index - 1]);
        line(stars);
    }
    return out;
}

}  // namespace zr
