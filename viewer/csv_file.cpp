#include "csv_file.hpp"

#include <algorithm>

#include "file_bytes.hpp"

namespace zr {

namespace {

// The length of the line end at text[i], a CR or an LF: 2 for CR LF.
std::size_t lineEndAt(std::string_view text, std::size_t i) {
    return text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
}

std::vector<std::string> splitFields(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t at = 0;
    for (;;) {
        const std::size_t comma = line.find(',', at);
        fields.emplace_back(line.substr(at, comma == std::string_view::npos ? std::string_view::npos : comma - at));
        if (comma == std::string_view::npos) return fields;
        at = comma + 1;
    }
}

}  // namespace

std::vector<std::string> CsvTable::record(std::size_t record) const {
    if (record < 1 || record > lines_.size()) return std::vector<std::string>(columns_);
    const Line& line = lines_[record - 1];
    std::vector<std::string> fields = splitFields(std::string_view(text_).substr(line.start, line.length));
    if (fields.size() > columns_) {
        // The last field closes the record in the last column.
        fields[columns_ - 1] = std::move(fields.back());
    }
    fields.resize(columns_);
    return fields;
}

std::string CsvTable::field(std::size_t record, std::size_t column) const {
    if (column < 1 || column > columns_) return "";
    return this->record(record)[column - 1];
}

CsvTable CsvTable::parse(std::string text) {
    CsvTable t;
    t.text_ = std::move(text);
    const std::string_view all(t.text_);
    std::size_t start = 0;
    for (std::size_t i = all.find_first_of("\r\n"); i != std::string_view::npos; i = all.find_first_of("\r\n", start)) {
        t.lines_.push_back({start, i - start});
        start = i + lineEndAt(all, i);
    }
    t.lines_.push_back({start, all.size() - start});
    const std::string_view first = all.substr(0, t.lines_[0].length);
    t.columns_ = static_cast<std::size_t>(std::count(first.begin(), first.end(), ',')) + 1;
    return t;
}

CsvTable readCsvFile(const std::string& fileName) {
    const wl::FileBytes bytes = wl::readWholeFile(fileName);
    return CsvTable::parse(bytes.ok() ? std::string(bytes.view()) : std::string());
}

std::string columnLetters(std::size_t column) {
    // Bijective base 26: there is no zero digit, "Z" is 26.
    std::string letters;
    while (column > 0) {
        const std::size_t digit = (column - 1) % 26;
        letters.insert(letters.begin(), static_cast<char>('A' + digit));
        column = (column - 1) / 26;
    }
    return letters;
}

CsvViewerModel::CsvViewerModel(CsvTable table)
    : table_(std::move(table)), names_(table_.record(1)), fields_(names_) {}

void CsvViewerModel::goToRecord(long long typed) {
    const long long last = static_cast<long long>(table_.records());
    record_ = static_cast<std::size_t>(std::clamp<long long>(typed, 1, std::max<long long>(1, last)));
    fields_ = table_.record(record_);
}

std::string CsvViewerModel::line(std::size_t column) const {
    return column >= 1 && column <= fields_.size() ? fields_[column - 1] : std::string();
}

void CsvViewerModel::setColumn(std::size_t n) {
    column_ = std::clamp<std::size_t>(n, 1, table_.columns());
    positioned_ = true;
}

std::string CsvViewerModel::headerLabel() const {
    return headerShown_ ? names_[column_ - 1] : std::string("Header Display Off");
}

std::string CsvViewerModel::positionLabel() const {
    if (!positioned_) return "Column/Row";
    return "Column=" + columnLetters(column_) + " Row=" + std::to_string(record_);
}

}  // namespace zr
