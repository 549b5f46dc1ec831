// Whole-file reading, the line loader that turns a text file into table
// records, and the small text-file writers.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zr {

// CTL39400AY: the whole content of the file, "" when it does not exist.
// Read with large reads; the result is byte for byte the file (a short read
// leaves blanks where bytes could not be read).
std::string CTL39400AY(const std::string& fileName);

// The table open in the current work area, as the line loader sees it: a
// list of character fields and the records appended to it.
struct LineTable {
    struct Field {
        std::string name;
        std::size_t width = 0;
    };
    std::vector<Field> fields;
    std::vector<std::vector<std::string>> records;  // one value per field

    // The scratch table of the "zr.ini" readers: one field "JKZ00A" of 80.
    static LineTable iniScratch();

    int fieldIndex(const std::string& name) const;  // -1 when absent
    // Appends an empty record (blank values) and returns its index.
    std::size_t appendBlank();
    // Stores a value, cut to the field's width; nothing when there is no
    // such field.
    void store(std::size_t record, const std::string& field, const std::string& value);
    // The value of a field (the stored text, without padding).
    std::string value(std::size_t record, const std::string& field) const;
};

// The field that a control number of the line loader writes ("" for none).
std::string lineLoaderField(int control);

// ZQK_0026: appends the file's lines to the table and returns the collected
// error reports ("" when there were none).
std::string ZQK_0026(const std::string& fileName, int control, LineTable& table);

// ZQK_0001E: mode 1 creates the file empty; mode 2 appends the text to an
// existing file (nothing when it does not exist); modes 10, 11 and 12 create
// it empty with the read-only, hidden or system attribute.
void ZQK_0001E(const std::string& text, const std::string& fileName, int mode);
// Older forms of modes 1 and 2.
void ZQK_0001D(const std::string& text, const std::string& ignored, const std::string& fileName, int mode);
void ZQK_0001F(const std::string& text, const std::string& fileName, int mode);

// CTL39400AL: writes the small file-upload page.
void CTL39400AL(const std::string& fileName, int mode);

}  // namespace zr
