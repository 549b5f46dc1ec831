// The user-defined fields of the [X12UDF] section of "zr.ini": names the
// 837 field getters answer by searching the declared segment and qualifier
// and returning the declared piece.
#pragma once

#include <string>
#include <vector>

namespace zr {

struct UserDefinedField {
    std::string name;       // UDF=
    std::string segment;    // SEGMENT=
    std::string qualifier;  // QUALIFIER=
    std::string loop;       // LOOP=
    std::string piece;      // RETURN=: 1 is the segment id

    // The requested name, upper-cased, begins with the declared one.
    bool matches(const std::string& requestedUpper) const;
    // A claim field: LOOP= begins with "23" or "24".
    bool isClaimField() const;
};

// CTL39404V: the entries of "zr.ini" in `folder` ("" for the current one),
// in file order: after the line "[X12UDF]" (any case) every "UDF=" line
// starts an entry and SEGMENT=, QUALIFIER=, LOOP= and RETURN= fill it (keys
// in any case, values as written, trimmed). None when there is no "zr.ini"
// or no UDF= line.
std::vector<UserDefinedField> CTL39404V(const std::string& folder = "");

}  // namespace zr
