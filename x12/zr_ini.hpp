// The general options reader of "zr.ini" (ZRINI), the letter strings it
// keeps up to date, and the data-folder reader (ZRINIA).
//
// Every call reads the file again, so a changed setting counts from the next
// read on. Lines are compared upper-cased and by prefix, so values come back
// in upper case.
#pragma once

#include <cstdint>
#include <string>

#include "value.hpp"

namespace zr {

// Texts of option letters: each position is one option, "A" mostly the
// default. ZRINI sets single positions and never changes a string's length.
struct OptionFlagStrings {
    std::string system;       // mode 1, 16 letters
    std::string enrollment;   // mode 2, 16
    std::string claimScreen;  // mode 3, 16
    std::string processing;   // mode 4, 64
    std::string spare5;       // mode 5, 64: no key sets it
    std::string cms1500;      // mode 6, 64: the claim form printer reads it
    std::string spare7;       // modes 7 to 9, 16 each: no key sets them
    std::string spare8;
    std::string spare9;
    std::string x12;  // mode 20, 64

    // The strings the program starts from, before "zr.ini" is read.
    static OptionFlagStrings startUp();

    // The string of a mode (1 to 9 or 20); nullptr for any other mode.
    std::string* byMode(int mode);
    const std::string* byMode(int mode) const;
};

// ZRINI: reads "zr.ini" of `folder` ("" for the current folder) and answers,
// by mode:
//   1-9, 20  the string of that mode, updated by its section's keys;
//   10, 11   [SYSTEM] DATACOMMUNICATIONS= or [TRANSLATOR] COMMAND=, the later
//            in the file (48 blanks by default; COMMAND= padded to 48);
//   12       [SYSTEM] COMMUNICATIONSDIRECTORY= (48 blanks);
//   13       SETPOS= of the CMS-1500 section (two blanks);
//   14       SETTOS= (one blank);
//   15-19    SETTOSUDF1= .. SETTOSUDF5=, or a later SETTOS= (one blank);
//   21       the number after [X12] TRANSACTIONSEGOFFSET= (0), a number;
//   other    "".
// `id` picks the sections with a suffix ([PROCESSING-id], [CMS1500-id],
// [HCFA1500-id], [X12-id]); "" matches every suffix. Without "zr.ini" the
// strings come back as received and the values as their defaults.
wl::Value ZRINI(int mode, const std::string& id, const OptionFlagStrings& strings,
                const std::string& folder = "");

// ZRINIA: the [SYSTEM] DATADIRECTORY= value (the last one) when "zr.ini" has
// one; otherwise `fallback` in mode 1 and "" in other modes.
std::string ZRINIA(int mode, const std::string& fallback, const std::string& folder = "");

// The start-up read: the start-up strings passed through ZRINI with the id
// "?" for modes 1 to 8 and 20, in that order.
OptionFlagStrings readOptionFlagStrings(const std::string& folder = "");

}  // namespace zr
