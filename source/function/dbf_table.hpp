// Empty dBASE III tables (version byte 3): a header with the field list and
// no records, as the window designer writes its table of controls.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace wl {

struct DbfField {
    std::string name;  // at most 10 characters are stored
    char type = 'C';   // C character, N numeric, L logical, D date
    int length = 10;
    int decimals = 0;
};

// The table file's bytes: header, one 32-byte descriptor per field, the
// header terminator 0x0D and the end-of-file mark 0x1A. date is {year,
// month, day} of the last update.
std::string dbfTableBytes(const std::vector<DbfField>& fields, const std::array<int, 3>& date);

// Writes an empty table dated today; 0 or the error code.
int createDbfTable(const std::string& path, const std::vector<DbfField>& fields);

}  // namespace wl
