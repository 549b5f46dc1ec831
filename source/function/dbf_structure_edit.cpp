#include "dbf_structure_edit.hpp"

#include <algorithm>

#include "text.hpp"

namespace wl {

const std::vector<DbfStructType>& dbfStructTypes() {
    static const std::vector<DbfStructType> types{{"AutoInc", '+'},  {"Numeric", 'N'},   {"Character", 'C'},
                                                  {"Date", 'D'},     {"DateTime", 'T'},  {"TimeStamp", '='},
                                                  {"Logical", 'L'},  {"Memo", 'M'}};
    return types;
}

std::string dbfStructTypeCaption(char type) {
    for (const DbfStructType& t : dbfStructTypes())
        if (t.type == type) return t.caption;
    return {};
}

bool dbfStructNameAccepted(const std::vector<DbfStructRow>& rows, std::size_t at, const std::string& name) {
    const std::string n = alltrim(name);
    if (n.size() <= 2) return false;
    if (!(n[0] >= 'A' && n[0] <= 'Z') && !(n[0] >= 'a' && n[0] <= 'z')) return false;
    const std::string up = upper(n);
    const bool valid = std::all_of(up.begin(), up.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
    if (!valid || up != n) return false;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (i != at && upper(alltrim(rows[i].name)) == up) return false;
    return true;
}

void dbfStructSetType(DbfStructRow& row, char type) {
    row.type = type;
    if (type != 'N') row.decimals = 0;
    if (type == 'M') row.length = 10;
    if (type == '=' || type == 'D' || type == 'T') row.length = 8;
    if (type == '+') row.length = std::min(row.length, 10);
    if (type == 'N') row.length = std::min(row.length, 19);
    if (type == 'L') row.length = 1;
}

bool dbfStructLengthEditable(const DbfStructRow& row) {
    return row.type == '+' || row.type == 'N' || row.type == 'C';
}

bool dbfStructDecimalsEditable(const DbfStructRow& row) { return row.type == 'N' && row.length > 2; }

bool dbfStructSetLength(DbfStructRow& row, int length) {
    if (!dbfStructLengthEditable(row) || length < 0) return false;
    const int limit = row.type == 'C' ? 255 : row.type == 'N' ? 19 : 10;
    if (length > limit) return false;
    row.length = length;
    if (row.type == 'N' && row.decimals > std::max(0, length - 2)) row.decimals = std::max(0, length - 2);
    return true;
}

bool dbfStructSetDecimals(DbfStructRow& row, int decimals) {
    if (!dbfStructDecimalsEditable(row) || decimals < 0 || decimals > row.length - 2) return false;
    row.decimals = decimals;
    return true;
}

void dbfStructTrimNames(std::vector<DbfStructRow>& rows) {
    for (DbfStructRow& r : rows) r.name = alltrim(r.name);
}

}  // namespace wl
