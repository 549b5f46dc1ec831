#include "acknowledgement_screen.hpp"

#include <array>
#include <map>

#include "acknowledgement.hpp"
#include "paths.hpp"

namespace zr {

namespace {

std::string lookupCode(const std::map<std::string, std::string>& table, const std::string& code) {
    auto it = table.find(code);
    return it == table.end() ? std::string() : it->second;
}

bool isItem(std::string_view id) { return id == "AK3" || id == "AK4" || id == "IK3" || id == "IK4"; }
bool isSegmentItem(std::string_view id) { return id == "AK3" || id == "IK3"; }
// A 999 reports its set response in IK5, a 997 in AK5: the same elements.
bool isSetResponse(std::string_view id) { return id == "AK5" || id == "IK5"; }
bool isResponse(std::string_view id) { return isSetResponse(id) || id == "AK9"; }
// Where one acknowledged set's rows end.
bool endsSet(std::string_view id) {
    return id == "AK2" || id == "AK9" || id == "AK1" || id == "SE" || id == "ST" || id == "GE";
}

std::string element(const SegmentTable& t, std::size_t row, int n) {
    return row == 0 ? std::string() : std::string(t.element(row, n));
}

// The last row (the table's last row aside) within [from, to) whose id
// passes the test; 0 when none.
template <class Test>
std::size_t lastRow(const SegmentTable& t, Test test, std::size_t from = 1, std::size_t to = 0) {
    const std::size_t end = to == 0 ? t.size() : std::min(to, t.size());
    std::size_t found = 0;
    for (std::size_t r = from; r < end; ++r)
        if (test(t.id(r))) found = r;
    return found;
}

std::size_t lastOf(const SegmentTable& t, std::string_view id) {
    return lastRow(t, [id](std::string_view s) { return s == id; });
}

// The k-th row (1-based, the table's last row aside) whose id passes.
template <class Test>
std::size_t nthRow(const SegmentTable& t, std::size_t k, Test test) {
    std::size_t seen = 0;
    for (std::size_t r = 1; r < t.size(); ++r)
        if (test(t.id(r)) && ++seen == k) return r;
    return 0;
}

// Header value 3 of one response row: its code's text and its kind.
std::string responseText(const SegmentTable& t, std::size_t row) {
    if (row == 0) return "";
    const bool group = t.id(row) == "AK9";
    return acknowledgementCodeText(element(t, row, 1)) +
           (group ? " (Functional Group Response)" : " (Transaction Set Response)");
}

// Header value 4 of one response row: a set response's first syntax error
// is its second element, a group response's its fifth (after the counts).
std::string responseErrorText(const SegmentTable& t, std::size_t row) {
    if (row == 0) return "";
    return setSyntaxErrorText(element(t, row, t.id(row) == "AK9" ? 5 : 2));
}

// The rows a set of the acknowledgement spans: its AK2 and the response
// that answers it (the last within the set).
struct SetRows {
    std::size_t ak1 = 0, ak2 = 0, response = 0;
};

SetRows setRows(const SegmentTable& t, std::size_t set) {
    SetRows s;
    if (set == 0) {
        s.ak1 = lastOf(t, "AK1");
        s.ak2 = lastOf(t, "AK2");
        s.response = lastRow(t, isResponse);
        return s;
    }
    s.ak2 = nthRow(t, set, [](std::string_view id) { return id == "AK2"; });
    if (s.ak2 == 0) return s;
    s.ak1 = lastRow(t, [](std::string_view id) { return id == "AK1"; }, 1, s.ak2);
    std::size_t end = s.ak2 + 1;
    while (end < t.size() && !endsSet(t.id(end))) ++end;
    s.response = lastRow(t, isSetResponse, s.ak2 + 1, end);
    return s;
}

}  // namespace

std::string acknowledgementCodeText(const std::string& code) {
    static const std::map<std::string, std::string> t = {
        {"A", "Accepted"},         {"E", "Accepted But Errors Were Noted"}, {"M", "Rejected MAC"},
        {"R", "Rejected Advised"}, {"W", "Rejected Validity"},              {"X", "Rejected Decryption"},
    };
    return lookupCode(t, code);
}

std::string interchangeAckCodeText(const std::string& code) {
    static const std::map<std::string, std::string> t = {
        {"A", "Accepted"}, {"E", "Accepted But Errors Were Noted"}, {"R", "Rejected"}};
    return lookupCode(t, code);
}

std::string interchangeNoteText(const std::string& code) {
    // Codes "000" to "031" in order.
    static const std::array<const char*, 32> texts = {
        "No Error",
        "ICN Header Trailer Mismatch",
        "Standard Not Supported",
        "Version Not Supported",
        "Segment Terminator Invalid ",
        "Invalid Interchange Sender ID Qualifier",
        "Invald Interchange Sender ID",
        "Invalid Interchange Receiver ID Qualifier",
        "Invalid Interchange Receiver ID",
        "Unknown Interchange Receiver ID",
        "Invalid Auth Info Qualifier",
        "Invalid Auth Info",
        "Invalid Security Info Qualifier",
        "Invalid Security Info",
        "Invalid Interchange Date",
        "Invalid Interchange Time",
        "Invalid Interchange Standards ID",
        "Invalid Interchange Version ID",
        "Invalid Interchange Control Number",
        "Invalid Acknowledgment Request",
        "Invalid Test Indicator",
        "Invalid Number of Included Groups",
        "Invalid Control Structure",
        "Improper End of File",
        "Invalid Interchange Content",
        "Duplicate Interchange Control Number",
        "Invalid Data Elemnet Seperator",
        "Invalid Component Element Seperator",
        "Invalid Deferred Delivery Date Request",
        "Invalid Deferred Delivery Time Request",
        "Invalid Deferrred Delivery Time Code Request",
        "Invalid Grade of Service Code",
    };
    if (code.size() != 3) return "";
    for (char c : code)
        if (c < '0' || c > '9') return "";
    const std::size_t n = static_cast<std::size_t>(std::stoi(code));
    return n < texts.size() ? texts[n] : "";
}

std::size_t CTL39408AA(const SegmentTable& table) {
    std::size_t n = 0;
    for (std::size_t r = 1; r < table.size(); ++r) n += isItem(table.id(r));
    return n;
}

std::string CTL39408AB(const SegmentTable& table, std::size_t item, int field) {
    const std::size_t row = item == 0 ? 0 : nthRow(table, item, isItem);
    if (row == 0) return "";
    const bool segment = isSegmentItem(table.id(row));
    auto orNotSet = [](std::string text) { return text.empty() ? std::string("Error Code Not Set") : text; };
    switch (field) {
    case 0: return std::string(table.id(row));
    case 1:
    case 2:
    case 3: return segment ? element(table, row, field) : "";
    case 4: return segment ? orNotSet(segmentErrorText(element(table, row, 4))) : "";
    case 5:
    case 6: return segment ? "" : element(table, row, field - 4);
    case 7: return segment ? "" : orNotSet(elementErrorText(element(table, row, 3)));
    case 8: {
        // The set the item reports on: the AK2 above it.
        const std::size_t ak2 = lastRow(table, [](std::string_view id) { return id == "AK2"; }, 1, row);
        return element(table, ak2, 2);
    }
    case 9:
        // Its group's response: the AK9 below it.
        for (std::size_t r = row + 1; r < table.size(); ++r)
            if (table.id(r) == "AK9") return element(table, r, 1);
        return "";
    default: return "";
    }
}

std::size_t acknowledgedSets(const SegmentTable& table) {
    std::size_t n = 0;
    for (std::size_t r = 1; r < table.size(); ++r) n += table.id(r) == "AK2";
    return n;
}

std::string CTL39408AC(const SegmentTable& table, int n, std::size_t set) {
    const SetRows s = (n >= 1 && n <= 4) || n == 10 ? setRows(table, set) : SetRows{};
    const std::size_t ta1 = n >= 5 && n <= 9 ? lastOf(table, "TA1") : 0;
    switch (n) {
    case 1: return element(table, s.ak1, 2);
    case 2: return element(table, s.ak2, 2);
    case 3: return responseText(table, s.response);
    case 4: return responseErrorText(table, s.response);
    case 5: return element(table, ta1, 1);
    case 6: return element(table, ta1, 2);
    case 7: return element(table, ta1, 3);
    case 8: return interchangeAckCodeText(element(table, ta1, 4));
    case 9: return interchangeNoteText(element(table, ta1, 5));
    case 10: return element(table, s.response, 1);
    default: return "";
    }
}

std::string acknowledgementCountLine(const SegmentTable& table) {
    std::size_t errors = 0;
    for (std::size_t r = 1; r < table.size(); ++r) errors += isSegmentItem(table.id(r));
    return "Acknowledgement Error Count :  " + std::to_string(errors);
}

std::vector<std::string> acknowledgementHeaderLines(const SegmentTable& t) {
    return {
        acknowledgementCountLine(t),
        "Interchange Acknowledgment Control Number :  " + CTL39408AC(t, 5),
        "Interchange Acknowledgement Date-Time :  " + CTL39408AC(t, 6) + " " + CTL39408AC(t, 7),
        "Interchange Acknowledgement Code : " + CTL39408AC(t, 8),
        "Interchange Acknowledgement Note :  " + CTL39408AC(t, 9),
        "Group Control Number :  " + CTL39408AC(t, 1),
        "Transaction Set Control Number :  " + CTL39408AC(t, 2),
        "Transaction Set Acknowledgement Code :  " + CTL39408AC(t, 3),
        "Transaction Set Error Code :  " + CTL39408AC(t, 4),
    };
}

std::vector<std::string> acknowledgementErrorLines(const SegmentTable& t) {
    const std::size_t items = CTL39408AA(t);
    if (items == 0) return {""};
    std::vector<std::string> lines;
    // Each response carries its own status: with several sets acknowledged
    // the last one's would stand for all, so each set response names its set.
    const bool severalSets = acknowledgedSets(t) > 1;
    for (std::size_t r = 1; r < t.size(); ++r) {
        if (!isResponse(t.id(r)) || t.claim(r).inSet == 0) continue;
        std::string text = responseText(t, r);
        if (severalSets && isSetResponse(t.id(r))) {
            const std::size_t ak2 = lastRow(t, [](std::string_view id) { return id == "AK2"; }, 1, r);
            text = "Transaction Set " + element(t, ak2, 2) + " : " + text;
        }
        lines.push_back(text);
        lines.push_back("");
    }
    std::size_t number = 0;
    for (std::size_t k = 1; k <= items; ++k) {
        const std::string id = CTL39408AB(t, k, 0);
        if (isSegmentItem(id)) {
            lines.push_back(std::to_string(++number) + ") In Segment " + CTL39408AB(t, k, 2) + ", Loop " +
                            CTL39408AB(t, k, 3) + ", the " + CTL39408AB(t, k, 1));
            lines.push_back("   " + CTL39408AB(t, k, 4) + ".");
        } else {
            lines.push_back("   - Within this segment, element " + CTL39408AB(t, k, 5));
            lines.push_back("     which is element " + CTL39408AB(t, k, 6) + " of the transaction,");
            lines.push_back("     has " + CTL39408AB(t, k, 7) + ".");
            lines.push_back("");
        }
    }
    return lines;
}

std::optional<std::string> acknowledgementOutput(const std::string& fileName, const SegmentTable& table, int mode) {
    if (fileName.empty() || !wl::fileExists(fileName)) return std::string();
    std::string end;
    switch (mode) {
    case 100:
    case 103: end = "\r\n"; break;
    case 101: end = "<BR>"; break;
    // A paragraph mark runs into the next word without its blank.
    case 102: end = "\\par \r\n"; break;
    case 109: return std::string();
    default: return std::nullopt;
    }
    std::vector<std::string> lines = acknowledgementHeaderLines(table);
    if (mode != 103) {
        lines.push_back("");
        std::vector<std::string> errors = acknowledgementErrorLines(table);
        // The list's closing empty line is left out, never a line of text.
        if (!errors.empty() && errors.back().empty()) errors.pop_back();
        lines.insert(lines.end(), errors.begin(), errors.end());
    }
    std::string text;
    for (const std::string& line : lines) text += line + end;
    return text;
}

}  // namespace zr
