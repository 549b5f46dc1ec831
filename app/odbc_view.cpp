#include "odbc_view.hpp"

#include <algorithm>

#include "text.hpp"

namespace zr {

namespace {

constexpr char kNoDataSets[] = "No Data Sets Available";

std::string fieldPrefix(int number, const std::string& name) {
    return wl::rightAligned(number, 3) + "> " + wl::padRight(name, 28);
}

}  // namespace

std::vector<std::string> CTL33500F(const std::vector<std::string>& entries) {
    std::vector<std::string> sources;
    for (const std::string& e : entries) {
        const std::string name = wl::alltrim(e);
        if (!name.empty()) sources.push_back(name);
    }
    if (sources.empty()) sources.push_back(kNoDataSets);
    return sources;
}

bool isDataSource(const std::string& entry) {
    const std::string name = wl::alltrim(entry);
    return !name.empty() && name != kNoDataSets;
}

std::string odbcFieldLine(int number, const OdbcViewField& field) {
    return fieldPrefix(number, field.name) + " Type=" + std::string(1, field.type) +
           " Len=" + std::to_string(field.length);
}

std::string odbcValueLine(int number, const OdbcViewField& field, const wl::Value& value) {
    const std::string text = value.isText() ? wl::alltrim(value.text()) : wl::CVALTOCHAR(value);
    return fieldPrefix(number, field.name) + " " + text;
}

std::string odbcFieldStatus(const std::string& table, int fields, std::int64_t records) {
    return table + "   " + std::to_string(fields) + " Fields.  " + std::to_string(records) + " Records";
}

std::string odbcRecordStatus(const std::string& table, std::int64_t record, std::int64_t records) {
    return table + "  Record " + std::to_string(record) + "  of  " + std::to_string(records) + " Records";
}

std::int64_t CTL33500L(std::int64_t record, int step, std::int64_t records) {
    return std::clamp<std::int64_t>(record + step, 0, std::max<std::int64_t>(records, 0));
}

int odbcPrintPageCount(std::size_t lines) {
    return static_cast<int>((lines + kOdbcPrintLines - 1) / kOdbcPrintLines);
}

int odbcPrintLineTop(std::size_t index, int pageHeight) {
    return static_cast<int>(index % kOdbcPrintLines) * pageHeight / kOdbcPrintLines;
}

std::vector<wl::DbfField> testdataFields(const std::vector<OdbcViewField>& fields) {
    std::vector<wl::DbfField> out;
    for (const OdbcViewField& f : fields) {
        wl::DbfField d;
        d.name = f.name;
        switch (f.type) {
        case 'N':
            d.type = 'N';
            d.length = std::clamp(f.length, 1, 19);
            d.decimals = std::clamp(f.decimals, 0, std::max(0, d.length - 2));
            break;
        case 'D': d.type = 'D', d.length = 8; break;
        case 'L': d.type = 'L', d.length = 1; break;
        case 'M': d.type = 'M', d.length = 10; break;
        default: d.type = 'C', d.length = std::clamp(f.length, 1, 254); break;
        }
        out.push_back(d);
    }
    return out;
}

std::string dataSourceChoice(const std::string& dataSource, const std::string& table) {
    return wl::alltrim(dataSource) + ":" + wl::alltrim(table);
}

}  // namespace zr
