#include "csv_file.hpp"

#include <algorithm>

#include "file_bytes.hpp"

namespace zr {

namespace {

// The length of the line end at text[i] (CR LF, CR or LF), 0 for none.
std::size_t lineEndAt(std::string_view text, std::size_t i) {
    if (text[i] == '\n') return 1;
    if (text[i] != '\r') return 0;
    return i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
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

const std::string& CsvTable::field(std::size_t record, std::size_t column) const {
    static const std::string none;
    if (record < 1 || record > records_.size() || column < 1 || column > columns_) return none;
    return records_[record - 1][column - 1];
}

CsvTable CsvTable::parse(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t end = lineEndAt(text, i)) {
            lines.push_back(text.substr(start, i - start));
            i += end;
            start = i;
        } else {
            ++i;
        }
    }
    lines.push_back(text.substr(start));

    CsvTable t;
    t.columns_ = static_cast<std::size_t>(std::count(lines[0].begin(), lines[0].end(), ',')) + 1;
    t.records_.reserve(lines.size());
    for (std::string_view line : lines) {
        std::vector<std::string> fields = splitFields(line);
        if (fields.size() > t.columns_) {
            // The last field closes the record in the last column.
            fields[t.columns_ - 1] = std::move(fields.back());
        }
        fields.resize(t.columns_);
        t.records_.push_back(std::move(fields));
    }
    return t;
}

CsvTable readCsvFile(const std::string& fileName) {
    const wl::FileBytes bytes = wl::readWholeFile(fileName);
    return CsvTable::parse(bytes.ok() ? bytes.view() : std::string_view());
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

void CsvViewerModel::goToRecord(long long typed) {
    const long long last = static_cast<long long>(table_.records());
    record_ = static_cast<std::size_t>(std::clamp<long long>(typed, 1, std::max<long long>(1, last)));
}

void CsvViewerModel::setColumn(std::size_t n) {
    column_ = std::clamp<std::size_t>(n, 1, table_.columns());
    positioned_ = true;
}

std::string CsvViewerModel::headerLabel() const {
    return headerShown_ ? table_.field(1, column_) : std::string("Header Display Off");
}

std::string CsvViewerModel::positionLabel() const {
    if (!positioned_) return "Column/Row";
    return "Column=" + columnLetters(column_) + " Row=" + std::to_string(record_);
}

}  // namespace zr
