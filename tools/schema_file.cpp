#include "schema_file.hpp"

#include <filesystem>
#include <fstream>

#include "messages.hpp"
#include "paths.hpp"
#include "text.hpp"
#include "text_files.hpp"

namespace zr {

const std::array<SchemaTransaction, kSchemaTransactionCount> kSchemaTransactions = {{
    {"837I", "837I Institutional Claims", "837I="},
    {"837P", "837P Professional Claims", "837P="},
    {"837D", "837D Dental Claims", "837D="},
    {"835", "835 Remittance", "835="},
    {"270", "270 Eligibility Inquiry", "270="},
    {"271", "271 Eligibility Response", "271="},
    {"276", "276 Claim Status Inquiry", "276="},
    {"277", "277 Claim Status Response", "277="},
    {"278A", "278 Review Request", "278a="},
    {"278B", "278 Review Response", "278b="},
    {"834", "834 Enrolment", "834="},
    {"820", "820 Payment Order", "820="},
}};

// 837I, 837P, 837D, 835, 276, 277, 270, 271, 278A, 278B, 834, 820.
const std::array<std::size_t, kSchemaTransactionCount> kSchemaScreenOrder = {0, 1, 2, 3, 6, 7, 4, 5, 8, 9, 10, 11};

namespace {

constexpr const char* kCrLf = "\r\n";

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && wl::upper(s.substr(0, prefix.size())) == wl::upper(prefix);
}

std::vector<std::string> splitFieldNames(const std::string& column) {
    std::vector<std::string> names;
    std::size_t start = 0;
    for (std::size_t end; (end = column.find(kCrLf, start)) != std::string::npos; start = end + 2)
        names.push_back(column.substr(start, end - start));
    if (start < column.size()) names.push_back(column.substr(start));
    return names;
}

}  // namespace

bool schemaTablesEmpty(const SchemaTables& tables) {
    return tables.empty() || (tables.size() == 1 && tables.front()[kTableName].empty());
}

std::vector<std::string> schemaIncludedCodes(const SchemaFlags& flags) {
    std::vector<std::string> codes;
    for (std::size_t i = 0; i < kSchemaTransactionCount; ++i)
        if (flags[i]) codes.emplace_back(kSchemaTransactions[i].code);
    return codes;
}

std::string CTLD50900B(const SchemaFlags& flags) {
    std::string joined;
    for (const std::string& code : schemaIncludedCodes(flags)) joined += (joined.empty() ? "" : ",") + code;
    return joined;
}

std::string CTLD50900D(bool flag, const std::string& label, const std::string& mapName) {
    if (flag && !mapName.empty() && wl::fileExists(mapName)) return label + " : Map=" + mapName;
    return label;
}

std::string schemaText(const SchemaFlags& flags, const SchemaMaps& maps, const SchemaTables& tables) {
    std::string text = "************************** Transaction List\r\n[transactions]\r\n";
    for (std::size_t i = 0; i < kSchemaTransactionCount; ++i)
        if (flags[i]) text += std::string(kSchemaTransactions[i].key) + maps[i] + kCrLf;
    for (std::size_t k = 0; k < tables.size(); ++k) {
        const SchemaRow& row = tables[k];
        if (row[kTableName].empty()) continue;
        auto line = [&text](const char* key, const std::string& value) { text += key + value + kCrLf; };
        line("************************** Database ", std::to_string(k + 1));
        text += "[database]\r\n";
        line("TABLE=", row[kTableName]);
        line("TRANSACTIONTYPE=", row[kTransactionTypes]);
        line("DRIVER=", row[kDriver]);
        if (startsWith(row[kDriver], "DBF")) {
            line("DIRECTORY=", row[kDataSet]);
            line("DRIVE=", row[kServer]);
        } else {
            line("DSN=", row[kDataSet]);
            line("SERVER=", row[kServer]);
            line("USER=", row[kUser]);
            line("PASSWORD=", row[kPassword]);
        }
        for (const std::string& name : splitFieldNames(row[kFieldNames])) line("FIELD=", name);
    }
    return text;
}

bool CTLD50900G(const std::string& schemaFile, const SchemaFlags& flags, const SchemaMaps& maps,
                const SchemaTables& tables) {
    // The name as given: prefixing ".\" on a first save broke absolute names.
    std::ofstream out(schemaFile, std::ios::binary | std::ios::trunc);
    const std::string text = schemaText(flags, maps, tables);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(out.flush());
}

std::vector<std::string> schemaLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (const char c : text) {
        if (c == '\r') {
            lines.push_back(wl::alltrim(line));
            line.clear();
        } else if (c != '\n') {
            line += c;
        }
    }
    return lines;
}

SchemaMaps schemaMaps(const std::string& schemaFile) {
    SchemaMaps maps;
    std::array<bool, kSchemaTransactionCount> found{};
    for (const std::string& line : schemaLines(CTL39400AY(schemaFile))) {
        for (std::size_t i = 0; i < kSchemaTransactionCount; ++i) {
            const std::string_view key = kSchemaTransactions[i].key;
            if (!found[i] && startsWith(line, key)) {
                maps[i] = line.substr(key.size());
                found[i] = true;
            }
        }
    }
    return maps;
}

std::string CTLD50900H(const std::string& schemaFile, int number) {
    if (number < 101 || number > 100 + static_cast<int>(kSchemaTransactionCount)) return "";
    return schemaMaps(schemaFile)[static_cast<std::size_t>(number - 101)];
}

std::vector<std::string> CTLD50900I(const std::string& schemaFile) {
    std::vector<std::string> names;
    for (const std::string& line : schemaLines(CTL39400AY(schemaFile)))
        if (startsWithNoCase(line, "TABLE=")) names.push_back(line.substr(6));
    if (names.empty()) names.emplace_back();
    return names;
}

SchemaTables schemaTables(const std::string& schemaFile) {
    struct Key {
        const char* key;
        SchemaColumn column;
    };
    static constexpr Key kKeys[] = {
        {"TRANSACTIONTYPE=", kTransactionTypes}, {"DRIVER=", kDriver}, {"DSN=", kDataSet},
        {"DIRECTORY=", kDataSet}, {"SERVER=", kServer}, {"DRIVE=", kServer},
        {"USER=", kUser}, {"PASSWORD=", kPassword},
    };
    SchemaTables tables;
    for (const std::string& line : schemaLines(CTL39400AY(schemaFile))) {
        if (startsWithNoCase(line, "TABLE=")) {
            tables.emplace_back()[kTableName] = line.substr(6);
            continue;
        }
        if (tables.empty()) continue;
        SchemaRow& row = tables.back();
        if (startsWithNoCase(line, "FIELD=")) {
            row[kFieldNames] += line.substr(6) + kCrLf;
            continue;
        }
        for (const Key& k : kKeys) {
            const std::string_view key = k.key;
            if (startsWithNoCase(line, key)) {
                row[k.column] = line.substr(key.size());
                break;
            }
        }
    }
    if (tables.empty()) tables.emplace_back();
    return tables;
}

SchemaTables CTLD50900J(SchemaTables tables, const std::vector<std::string>& names, std::size_t row) {
    if (row == 0) row = 1;
    if (row > tables.size()) return tables;
    for (const std::string& name : names) tables[row - 1][kFieldNames] += name + kCrLf;
    return tables;
}

SchemaTables CTLD50900K(std::size_t row, SchemaTables tables, const std::string& schemaFile, SchemaListMode mode,
                        const std::array<std::string, 7>& columns) {
    switch (mode) {
    case SchemaListMode::Unchanged:
        return tables;
    case SchemaListMode::ReadFile:
        return schemaTables(schemaFile);
    case SchemaListMode::Append: {
        SchemaRow added;
        for (std::size_t i = 0; i < columns.size(); ++i) added[i] = columns[i];
        if (schemaTablesEmpty(tables)) tables.clear();
        tables.push_back(added);
        return tables;
    }
    case SchemaListMode::Remove:
        if (row == 0 || row > tables.size()) return tables;
        if (tables.size() == 1) return SchemaTables(1);
        tables.erase(tables.begin() + static_cast<std::ptrdiff_t>(row - 1));
        return tables;
    }
    return tables;
}

SchemaTables CTLD50900M(SchemaTables tables, std::size_t row, std::size_t column, const std::string& value) {
    if (row >= 1 && row <= tables.size() && column >= 1 && column <= kSchemaColumns)
        tables[row - 1][column - 1] = value;
    return tables;
}

std::vector<std::string> CTLD50900N(const SchemaTables& tables, std::size_t row) {
    if (row == 0 || row > tables.size()) return {};
    return splitFieldNames(tables[row - 1][kFieldNames]);
}

std::size_t schemaTransactionIndex(const std::string& code) {
    for (std::size_t i = 0; i < kSchemaTransactionCount; ++i)
        if (code == kSchemaTransactions[i].code) return i;
    return kSchemaTransactionCount;
}

std::vector<std::string> CTLD50900O(const std::string& code, const SchemaMaps& maps) {
    const std::size_t i = schemaTransactionIndex(code);
    if (i == kSchemaTransactionCount || maps[i].empty() || !wl::fileExists(maps[i])) return {};
    std::vector<std::string> names;
    auto take = [&names](const std::string& line) {
        const std::string trimmed = wl::alltrim(line);
        if (!startsWith(trimmed, "FIELD=")) return;
        const std::string rest = trimmed.substr(6);
        names.push_back(rest.substr(0, rest.find(',')));
    };
    std::string line;
    for (const char c : CTL39400AY(maps[i])) {
        if (c == '\r') {
            take(line);
            line.clear();
        } else if (c == '\n') {
            line.clear();
        } else {
            line += c;
        }
    }
    take(line);
    return names;
}

}  // namespace zr

namespace zr {

std::string CTLD50900C(bool flag, const std::string& mapName) {
    if (!flag) return mapName;
    wl::FileDialogRequest r;
    r.filter = !mapName.empty() && wl::fileExists(mapName) ? mapName : "*.cfg";
    r.title = "Select Map File";
    r.initialDir = std::filesystem::current_path().string();
    return wl::CGETFILE(r);
}

}  // namespace zr
