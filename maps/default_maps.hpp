// The built-in map text of every transaction, and finding or writing a
// default map from it.
#pragma once

#include <functional>
#include <string>
#include <utility>

namespace zr {

// What distinguishes transactions that share a version identifier (276 and
// 277, 270 and 271, 278 request and response).
struct TransactionHint {
    std::string st01;   // ST01 of the first set ("" when unknown)
    std::string bht02;  // BHT02 of the first set: "13" request, "11" response (278)
};

// CTLD48600Q: mode 1 the name of an existing default map matching the
// given version-based name (first ten characters), mode 2 writes it; "" when
// nothing matches. Rows sharing the ten characters are told apart by the hint.
// A folder in front of the name is where the map is looked for and written.
// A map that could not be written leaves its text in `unsaved` when given.
std::string CTLD48600Q(const std::string& mapName, int mode, const TransactionHint& hint = {},
                       std::string* unsaved = nullptr);

// The mapping tool's dialogs that the other industry's default map asks
// through (they are windows; a caller without them gets no such map).
struct OtherIndustryDialogs {
    // CTL48600U: the choice and the map name, (0, "") for none.
    std::function<std::pair<int, std::string>(const std::string& flag, const std::string& kind)> otherIndustry;
    // CTL48600D: the count asked with the question.
    std::function<std::string(const std::string& question, const std::string& defaultCount)> count;
    // CTLD48600H: the Save Map dialog.
    std::function<std::string(const std::string& name, const std::string& text)> saveMap;
    // The date and time the map's header carries (now, when not given).
    std::function<std::pair<std::string, std::string>()> clock;
};

// CTLD48600R: with the flag "Y" and kind "X12N", offers to write the
// transaction-based default maps of transactions 1..11 into the current
// folder when one is missing. Kind "X12M", when the folder has no map,
// offers another industry's map (the 832) through the dialogs.
void CTLD48600R(const std::string& flag, const std::string& kind, const OtherIndustryDialogs& dialogs = {});

// CTLD48600S: "X12N": the transaction-based maps of transactions 1..11 all
// exist in the current folder; "X12M": any "*.cfg" file exists there.
bool CTLD48600S(const std::string& flag, const std::string& kind);

// CTLD48600I: writes the text to the file of that name (trimmed), asking
// before it replaces an existing file; answers the trimmed name. When the
// file cannot be written, the text goes to `unsaved` when given.
std::string CTLD48600I(const std::string& name, const std::string& text, std::string* unsaved = nullptr);

}  // namespace zr
