#include "export_dialog_model.hpp"

#include <algorithm>

#include "claim_status_getters.hpp"
#include "claims_listing.hpp"
#include "decimal_amount.hpp"
#include "export_maps.hpp"
#include "money_form.hpp"
#include "remittance_getters.hpp"
#include "text.hpp"

namespace zr {

namespace {

constexpr const char* kCrLf = "\r\n";

const DictionaryRow* dictionaryRowOf(const std::string& name, const ExportDictionary& dictionary) {
    for (const DictionaryRow& row : dictionary)
        if (row.name == name) return &row;
    return nullptr;
}

// The listing's view of one selected field.
struct ListedField {
    std::string name;
    std::string description;
    int width = 0;
    char type = 'C';
    bool serviceLine = false;
};

std::vector<ListedField> listedFields(const std::vector<std::string>& fields, const ExportDictionary& dictionary,
                                      const ListingSource& source) {
    std::vector<ListedField> out;
    for (const std::string& name : fields) {
        if (name.empty()) continue;
        const DictionaryRow row = CTL39404AB(name, dictionary);
        const bool line = source.isServiceLineField && source.isServiceLineField(name);
        out.push_back({name, row.description, row.width, row.type, line});
    }
    return out;
}

// A cell of the layout: the text cut to the field's width, then a blank.
std::string layoutCell(const std::string& text, int width) {
    return wl::padRight(text, static_cast<std::size_t>(std::max(width, 1))) + " ";
}

std::string listedValue(const ListedField& f, std::string value) {
    if (f.type == '$' && !wl::alltrim(value).empty()) value = CTL39410W(wl::alltrim(value));
    return value;
}

// The claim's lines: its own fields on one line (a new line where a run of
// fields of another level starts), then the service-line fields once per line.
void claimLines(const std::vector<ListedField>& fields, const ListingSource& source, std::size_t k, std::string& out) {
    std::string line;
    bool any = false;
    for (const ListedField& f : fields) {
        if (f.serviceLine) continue;
        line += layoutCell(listedValue(f, source.value(k, f.name, 0)), f.width);
        any = true;
    }
    if (any) out += wl::rtrim(line) + kCrLf;
    const std::size_t lines = source.serviceLines ? source.serviceLines(k) : 0;
    for (std::size_t s = 1; s <= lines; ++s) {
        std::string l;
        bool anyLine = false;
        for (const ListedField& f : fields) {
            if (!f.serviceLine) continue;
            l += layoutCell(listedValue(f, source.value(k, f.name, s)), f.width);
            anyLine = true;
        }
        if (anyLine) out += wl::rtrim(l) + kCrLf;
    }
}

std::string fieldsListing(const std::vector<ListedField>& fields) {
    const std::string rule(80, '-');
    std::string out = std::string("Basic Field Location:") + kCrLf + rule + kCrLf + kCrLf;
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0 && fields[i].serviceLine != fields[i - 1].serviceLine) {
            out += wl::rtrim(line) + kCrLf;
            line.clear();
        }
        line += layoutCell("Field_" + std::to_string(i + 1), fields[i].width);
    }
    if (!line.empty()) out += wl::rtrim(line) + kCrLf;
    out += std::string("Field Descriptions") + kCrLf + rule + kCrLf + kCrLf;
    for (std::size_t i = 0; i < fields.size(); ++i)
        out += wl::padRight("Field_" + std::to_string(i + 1), 14) + wl::padRight(fields[i].name, 32) +
               fields[i].description + kCrLf;
    return out;
}

// Each field's description and the sum of its values over every claim (and
// every service line of a service-line field); fields that are not money
// have no total.
std::string totalsListing(const std::vector<ListedField>& fields, const ListingSource& source) {
    std::string out;
    for (const ListedField& f : fields) {
        std::string total;
        if (f.type == '$') {
            DecimalAmount sum;
            for (std::size_t k = 1; k <= source.claims; ++k) {
                if (!f.serviceLine) {
                    sum += DecimalAmount::parse(wl::alltrim(source.value(k, f.name, 0)));
                    continue;
                }
                const std::size_t lines = source.serviceLines ? source.serviceLines(k) : 0;
                for (std::size_t s = 1; s <= lines; ++s)
                    sum += DecimalAmount::parse(wl::alltrim(source.value(k, f.name, s)));
            }
            total = CTL39410W(sum.text());
        }
        out += wl::padRight(f.description, 60) + wl::padLeft(total, 7) + kCrLf;
    }
    return out;
}

}  // namespace

std::size_t exportClaimCount(const SegmentTable& table) {
    if (const std::size_t n = subscriberLoops(table)) return n;
    if (const std::size_t n = CTL39407AA(1, "CLP", table)) return n;
    return CTL39410AA(table);
}

std::string exportDialogTitle(int kind, ExportLetter letter) {
    if (kind == 2) return "Print Field Select";
    switch (letter) {
    case ExportLetter::Csv: return "Export Data to CSV";
    case ExportLetter::Xml: return "Export Data to XML";
    case ExportLetter::Dbf: return "Export Data to DBF";
    case ExportLetter::Odbc: return "Export Data to ODBC";
    case ExportLetter::Remittance: return "Export Data to 835";
    case ExportLetter::Ywx: return "Export Data to YWX";
    }
    return "";
}

std::string CTL39404B(const std::string& name, const ExportDictionary& dictionary) {
    const DictionaryRow* row = dictionaryRowOf(name, dictionary);
    return row ? row->description : name;
}

std::vector<std::string> CTL39404D(std::vector<std::string> fields, const std::string& name) {
    if (fields.size() == 1 && fields.front().empty()) fields.clear();
    fields.push_back(name);
    return fields;
}

std::vector<std::string> CTL39404E(std::vector<std::string> fields, std::size_t n) {
    if (n >= 1 && n <= fields.size()) fields.erase(fields.begin() + static_cast<std::ptrdiff_t>(n - 1));
    if (fields.empty()) fields.emplace_back();
    return fields;
}

std::size_t CTL39404F(std::size_t current, std::size_t count) { return current < count ? current + 1 : current; }

std::string CTL39404M(const std::string& flag) { return flag == "HO" ? "" : "HO"; }

std::string CTL39404N(const std::string& flag) {
    return flag == "HO" ? "Header in file is ON" : "Header in file is OFF";
}

std::string CTL39404I(const std::vector<std::string>& names, const ExportDictionary& dictionary) {
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) out += "  ";
        out += CTL39404B(names[i], dictionary);
    }
    return out;
}

void ExportDialogModel::add() {
    if (dictionaryRow < 1 || dictionaryRow > dictionary.size()) return;
    fields = CTL39404D(std::move(fields), dictionary[dictionaryRow - 1].name);
    dictionaryRow = CTL39404F(dictionaryRow, dictionary.size());
}

void ExportDialogModel::remove() {
    fields = CTL39404E(std::move(fields), fieldRow);
    fieldRow = std::min(fieldRow, fields.size());
    if (fieldRow < 1) fieldRow = 1;
}

std::vector<std::string> ExportDialogModel::availableLines() const {
    std::vector<std::string> out;
    out.reserve(dictionary.size());
    for (const DictionaryRow& row : dictionary) out.push_back(row.description);
    return out;
}

std::vector<std::string> ExportDialogModel::fieldLines() const {
    std::vector<std::string> out;
    out.reserve(fields.size());
    for (const std::string& name : fields) out.push_back(CTL39404B(name, dictionary));
    return out;
}

ListingSource remittanceListingSource(const SegmentTable& table, const ClaimIndex& index, int claimColumnMode) {
    ListingSource source;
    source.claims = CTL39407AA(1, "CLP", table);
    source.serviceLines = [&table, claimColumnMode](std::size_t k) { return CTL39407A(1, k, table, claimColumnMode); };
    source.value = [&table, &index, claimColumnMode](std::size_t k, const std::string& name, std::size_t s) {
        if (s > 0) return CTL39407AE(1, index, table, k, name + std::to_string(s), claimColumnMode);
        std::string v = CTL39407AB(1, index, table, k, name, claimColumnMode);
        if (v.empty()) v = CTL39407AC(1, table, name);
        if (v.empty()) v = CTL39407AE(1, index, table, k, name, claimColumnMode);
        return v;
    };
    source.isServiceLineField = [](const std::string& name) { return CTL39407AO(name); };
    return source;
}

FieldListing CTL39404H(int subMode, const std::string& st01, const ExportDictionary& dictionary,
                       const std::vector<std::string>& fields, const ListingSource& source) {
    FieldListing out;
    out.title = subMode == 1 ? "Fields" : subMode == 2 ? "Totals" : "Listing";
    if (st01 != "835") return out;
    const std::vector<ListedField> listed = listedFields(fields, dictionary, source);
    if (subMode == 1) {
        out.text = fieldsListing(listed);
    } else if (subMode == 2) {
        out.text = totalsListing(listed, source);
    } else {
        for (std::size_t k = 1; k <= source.claims; ++k) claimLines(listed, source, k, out.text);
    }
    return out;
}

ExportDictionary exportDialogDictionary(const ExportDialogCall& call, const ExportPrompts& prompts) {
    if (!call.table || !call.index) return {};
    return CTL39404C(*call.table, *call.index, call.st01, 0, prompts, call.workFolder);
}

ExportRequest exportRequestOf(const ExportDialogCall& call, ExportLetter letter, std::vector<std::string> fields,
                              const std::string& headerFlag, int subMode) {
    ExportRequest r;
    r.letter = letter;
    r.sourceFile = call.fileName;
    r.folder = call.folder;
    r.table = call.table;
    r.rowCount = call.table ? call.table->size() : 0;
    r.component = call.component;
    r.element = call.element;
    r.terminator = call.terminator;
    r.loopIds = call.loopIds;
    r.checks = call.checks;
    r.outputMode = call.outputMode;
    r.st01 = call.st01;
    r.index = call.index;
    r.fields = std::move(fields);
    r.claimColumnMode = call.claimColumnMode;
    r.spec = call.spec;
    r.headerFlag = headerFlag;
    r.subMode = subMode;
    r.workFolder = call.workFolder;
    return r;
}

bool exportBatch(const ExportDialogCall& call, const ExportPrompts& prompts, const ExportClock& clock) {
    if (!call.table || !call.index || exportClaimCount(*call.table) == 0) return false;
    ExportLetter letter{};
    if (!exportLetterOfType(wl::upper(wl::alltrim(call.spec.parseType)), letter)) return false;
    const ExportDictionary dictionary = CTL39404C(*call.table, *call.index, call.st01, 0, prompts, call.workFolder);
    const std::string claimType = call.st01 == "837" ? exportClaimType(*call.table, *call.index) : "";
    std::vector<std::string> fields = CTL39404J(call.st01, {""}, 0, claimType, dictionary, "", call.workFolder, clock);
    ExportDialogCall batch = call;
    batch.claimColumnMode = 3;
    batch.outputMode = OutputMode::Export;
    CTL39404G(exportRequestOf(batch, letter, std::move(fields), "", 0), prompts, clock);
    return true;
}

void exportBegin(const ExportDialogCall& call, ExportLetter letter, const std::vector<std::string>& fields,
                 const std::string& headerFlag, const ExportPrompts& prompts, const ExportClock& clock) {
    CTL39404Y(call.modelCode, call.workFolder, clock);
    CTL39404G(exportRequestOf(call, letter, fields, headerFlag, 1), prompts, clock);
    CTL39404Z(call.modelCode, call.workFolder, clock);
}

}  // namespace zr
