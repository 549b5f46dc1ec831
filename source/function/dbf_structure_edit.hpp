// The rules of the "DBF STRUCTURE" dialog, where the user edits a dBASE
// structure before a table is made: which names are accepted, what choosing
// a type does to the length and decimals, and which lengths and decimals
// may be entered. The dialog shows the rows and asks these functions.
#pragma once

#include <string>
#include <vector>

namespace wl {

struct DbfStructRow {
    std::string name;
    char type = 'C';
    int length = 10;
    int decimals = 0;
    int adoType = 0;  // the source field's type number, shown only
    bool include = true;
};

// The types offered, by caption: "AutoInc" '+', "Numeric" 'N',
// "Character" 'C', "Date" 'D', "DateTime" 'T', "TimeStamp" '=',
// "Logical" 'L', "Memo" 'M'.
struct DbfStructType {
    const char* caption;
    char type;
};
const std::vector<DbfStructType>& dbfStructTypes();
// The caption of a type letter, "" for one not offered.
std::string dbfStructTypeCaption(char type);

// A name of more than two characters, beginning with a letter, of A-Z,
// 0-9 and "_" only, that no other row (than row at) carries.
bool dbfStructNameAccepted(const std::vector<DbfStructRow>& rows, std::size_t at, const std::string& name);
// Sets the type: decimals 0 for types other than "N"; length 10 for "M",
// 8 for "=", "D" and "T", at most 10 for "+", at most 19 for "N".
void dbfStructSetType(DbfStructRow& row, char type);
bool dbfStructLengthEditable(const DbfStructRow& row);    // "+", "N", "C"
bool dbfStructDecimalsEditable(const DbfStructRow& row);  // "N" longer than 2
// False (nothing changed) for a length that may not be entered: negative,
// above 255 for "C", 19 for "N", 10 for "+", or on another type.
bool dbfStructSetLength(DbfStructRow& row, int length);
// False for decimals outside 0 to length - 2, or where not editable.
bool dbfStructSetDecimals(DbfStructRow& row, int decimals);
// When the dialog closes: names trimmed.
void dbfStructTrimNames(std::vector<DbfStructRow>& rows);

}  // namespace wl
