#include "acknowledgement.hpp"

#include "text.hpp"

#include <map>
#include <optional>

#include "delimiters.hpp"
#include "elements.hpp"
#include "messages.hpp"
#include "paths.hpp"

namespace zr {

namespace {

std::string lookup(const std::map<std::string, std::string>& table, const std::string& code) {
    auto it = table.find(code);
    return it == table.end() ? std::string() : it->second;
}


// GS06 of the last GS row: the group the acknowledgement must answer.
std::string batchKey(const SegmentTable& t) {
    std::string key = "?";
    for (std::size_t r = 1; r <= t.size(); ++r)
        if (t.id(r) == "GS") key = std::string(t.element(r, 6));
    return key;
}

// The acknowledgement's own table; nothing when it is missing, not X12 or
// without segments.
std::optional<SegmentTable> loadAcknowledgement(const std::string& file) {
    if (file.empty() || !wl::fileExists(file)) return std::nullopt;
    X12Delimiters d = readDelimiters(file, 0);
    std::size_t n = CTL39400I(file, 0, d.component, d.element, d.terminator);
    if (n == 0) return std::nullopt;
    return CTL39400B(file, n, d, 0);
}

// "At least two elements": the id and two more pieces.
bool hasTwoElements(const SegmentTable& t, std::size_t r) {
    return CTL39400F(t.text(r), t.delimiters().element) >= 3;
}

// The ST row whose ST02 is the control number an AK2 names, looked for in
// the last group first (the one whose GS06 is the batch key).
std::optional<std::size_t> setHeaderRow(const SegmentTable& t, std::string_view controlNumber) {
    std::size_t lastGs = 1;
    for (std::size_t r = 1; r <= t.size(); ++r)
        if (t.id(r) == "GS") lastGs = r;
    for (std::size_t from : {lastGs, std::size_t{1}})
        for (std::size_t r = from; r <= t.size(); ++r)
            if (t.id(r) == "ST" && t.element(r, 2) == controlNumber) return r;
    return std::nullopt;
}

}  // namespace

std::string segmentErrorText(const std::string& code) {
    static const std::map<std::string, std::string> t = {
        {"1", "Unrecognized segment ID"},
        {"2", "Unexpected segment"},
        {"3", "Mandatory segment missing"},
        {"4", "Loop occurs over maximum times"},
        {"5", "Segment exceeds maximum use"},
        {"6", "Segment not in defined transaction set"},
        {"7", "Segment not in proper sequence"},
        {"8", "Segment has data element errors"},
    };
    return lookup(t, code);
}

std::string elementErrorText(const std::string& code) {
    static const std::map<std::string, std::string> t = {
        {"1", "Mandatory data element missing"},
        {"2", "Conditional required data element missing"},
        {"3", "Too many data elements"},
        {"4", "Data element too short"},
        {"5", "Data element too long"},
        {"6", "Invalid character in data element"},
        {"7", "Invalid code value"},
        {"8", "Invalid date"},
        {"9", "Invalid time"},
        {"10", "Exclusion condition violated"},
    };
    return lookup(t, code);
}

std::string setAcknowledgementText(const std::string& code) {
    static const std::map<std::string, std::string> t = {
        {"A", "Accepted Advised"},  {"E", "Accepted with Errors"}, {"M", "Rejected MAC"},
        {"R", "Rejected Advised"}, {"W", "Rejected Validity"},    {"X", "Rejected Decryption"},
    };
    return lookup(t, code);
}

std::string setSyntaxErrorText(const std::string& code) {
    static const std::map<std::string, std::string> t = {
        {"1", "Transaction set not supported"},
        {"2", "Transaction set trailer missing"},
        {"3", "Header and trailer control numbers do not match"},
        {"4", "Segment count is off"},
        {"5", "One or more segments in error"},
        {"6", "Set identifier in error"},
        {"7", "Set control number error"},
        {"8", "Authentification key unknown"},
        {"9", "Encryption key unknown"},
        {"10", "Reqested service unavailable"},
        {"11", "Unknown recipiant"},
        {"12", "Incorrect message length"},
        {"13", "aithentification failed"},
        {"15", "Unknown originator"},
        {"16", "Syntax error"},
        {"17", "Not supported"},
        {"23", "Set control function unique error "},
        {"24", "S3E segment missing"},
        {"25", "S3S segment missing"},
        {"26", "S4E segment missing"},
        {"27", "S4S segment missing"},
    };
    return lookup(t, code);
}

std::string CTL39400Q(int flag, const std::string& mask) {
    if (flag != 0) return "";
    wl::FileDialogRequest r;
    r.filter = mask;
    r.title = "Select 997 File";
    return wl::CGETFILE(r);
}

SegmentTable CTL39400O(const std::string& acknowledgementFile, SegmentTable table) {
    const std::string key = batchKey(table);
    bool groupMatched = false;
    if (auto ack = loadAcknowledgement(acknowledgementFile)) {
        const std::string& comp = ack->delimiters().component;
        std::optional<std::size_t> stRow;  // the ST row of the set being answered
        std::optional<std::size_t> target;  // the row of the latest AK3/IK3
        auto row = [&](std::string_view position) -> std::optional<std::size_t> {
            if (!stRow || position.empty()) return std::nullopt;
            std::size_t p = 0;
            for (char c : position) {
                if (c < '0' || c > '9') return std::nullopt;
                p = p * 10 + static_cast<std::size_t>(c - '0');
            }
            // Position 1 is the ST segment itself.
            std::size_t r = *stRow + p - 1;
            if (p == 0 || r > table.size()) return std::nullopt;
            return r;
        };
        for (std::size_t r = 1; r <= ack->size(); ++r) {
            std::string_view id = ack->id(r);
            if (id == "AK1") {
                groupMatched = hasTwoElements(*ack, r) && wl::prefixMatch(key, ack->element(r, 2));
                stRow.reset();
            } else if (!groupMatched) {
                continue;
            } else if (id == "AK2") {
                stRow = hasTwoElements(*ack, r) ? setHeaderRow(table, ack->element(r, 2)) : std::nullopt;
            } else if (id == "AK3" || id == "IK3") {
                target = row(ack->element(r, 2));
                std::string note = segmentErrorText(std::string(ack->element(r, 4)));
                if (target && !note.empty()) table.setSegmentNote(*target, note);
            } else if (id == "AK4" || id == "IK4") {
                std::string note = elementErrorText(std::string(ack->element(r, 3)));
                if (target && !note.empty()) table.setElementNote(*target, note);
            } else if (id == "CTX" && target) {
                std::string_view ctx01 = ack->element(r, 1);
                std::string note = table.segmentNotes(*target)[0];
                note.append(" ").append(CTL39400AU(ctx01, 0, comp));
                note.append(" ").append(CTL39400AU(ctx01, 1, comp));
                table.setSegmentNote(*target, note);
            }
        }
    }
    if (!groupMatched) wl::WQOUT({"The 997/999 for batch " + key + " was not found in this file."});
    return table;
}

std::string CTL39400P(const std::string& acknowledgementFile, const SegmentTable& table, int statusMode) {
    const std::string key = batchKey(table);
    auto ack = loadAcknowledgement(acknowledgementFile);
    if (!ack) return "";
    std::string result;
    bool groupMatched = false, mark = false;
    for (std::size_t r = 1; r <= ack->size(); ++r) {
        std::string_view id = ack->id(r);
        if (id == "AK1") {
            groupMatched = mark = hasTwoElements(*ack, r) && wl::prefixMatch(key, ack->element(r, 2));
        } else if (id == "AK2") {
            // A set response counts when it answers a set of this file.
            mark = groupMatched && hasTwoElements(*ack, r) && setHeaderRow(table, ack->element(r, 2));
        } else if ((id == "AK5" || id == "IK5") && mark) {
            std::string code(ack->element(r, statusMode == 1 ? 1 : 2));
            result = statusMode == 1 ? setAcknowledgementText(code) : setSyntaxErrorText(code);
        }
    }
    return result;
}

}  // namespace zr
