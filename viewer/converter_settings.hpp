// The [X12] section of "zr.ini": the sender, receiver and control values
// the writers of derived 276, 837, 835 and HL7 text put in their envelopes,
// asked one key per call by its number.
#pragma once

#include <string>

namespace zr {

// The number of keys: 1 "ISA06=" to 65 "PER08.1.1000A=".
constexpr int kConverterSettingCount = 65;

// The key of a number ("ISA06=" for 1); "" outside 1 to 65.
std::string converterSettingKey(int number);

// CTL39406L: the value of key `number` in "zr.ini" of `folder` ("" for the
// current folder): the rest of the first line that begins with it, upper
// case, leading blanks removed; "" without "zr.ini", without the key, or
// for a number outside 1 to 65. Lines count from "[X12]" until "COMMAND=0"
// (a later section header does not end them).
std::string CTL39406L(int number, const std::string& folder = "");

}  // namespace zr
