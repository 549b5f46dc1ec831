#include "rule_checker.hpp"

#include <optional>

#include "ini_lines.hpp"
#include "messages.hpp"
#include "text.hpp"

namespace zr {

namespace {

struct Rule {
    std::string head;  // before the first comma: "LOOP2300"
    std::string segment, element, expected;
};

Rule splitRule(const std::string& line) {
    Rule r;
    std::vector<std::string> fields;
    std::size_t at = 0;
    for (;;) {
        const std::size_t comma = line.find(',', at);
        fields.push_back(line.substr(at, comma == std::string::npos ? std::string::npos : comma - at));
        if (comma == std::string::npos) break;
        at = comma + 1;
    }
    r.head = fields[0];
    if (fields.size() > 1) r.segment = fields[1];
    if (fields.size() > 2) r.element = fields[2];
    if (fields.size() > 3) r.expected = fields[3];
    return r;
}

// A "%" value fits when a pair of the check table names it and its value
// begins with the element's value.
bool tableFits(const CheckTable& checks, const std::string& expected, std::string_view value) {
    const std::string wanted = wl::rtrim(expected);
    if (wanted.size() <= 2) return false;
    const std::string name = wl::upper(wanted.substr(1));
    for (const auto& [pairName, pairValue] : checks) {
        if (wl::alltrim(pairName).empty() || wl::alltrim(pairValue).empty()) continue;
        if (wl::prefixMatch(name, wl::upper(pairName)) && wl::prefixMatch(pairValue, value)) return true;
    }
    return false;
}

}  // namespace

namespace {

// One rule, its element number counted as `counting` says.
int testRule(const CheckTable& checks, const SegmentTable& table, std::size_t rowCount, const std::string& line,
             const std::vector<std::string>& loops, std::size_t loopIndex, RuleElementCount counting) {
    const Rule rule = splitRule(line);
    if (rule.head.size() < 8 || loopIndex < 1 || loopIndex > loops.size()) return 0;
    const std::string& loop = loops[loopIndex - 1];
    const std::string segment = wl::upper(rule.segment);
    const int elementNo = rule.element.empty() ? 0 : static_cast<int>(iniNumber(rule.element));
    bool segMissing = false, elemMissing = false, mismatch = false;
    std::string found, expectedShown = rule.expected;
    const std::size_t last = std::min(rowCount, table.size());
    std::optional<std::size_t> stopRow;
    for (std::size_t r = 1; r <= last && !stopRow; ++r) {
        if (segment.empty() || !wl::prefixMatch(table.loopId(r), loop)) continue;
        segMissing = true;
        if (!wl::prefixMatch(segment, table.id(r))) continue;
        segMissing = false;
        if (rule.element.empty()) {
            stopRow = r;
            break;
        }
        elemMissing = true;
        // Counted from the id, number n names the element before n; 0 names none.
        const std::string_view value = counting == RuleElementCount::FromFirstElement ? table.element(r, elementNo)
                                       : elementNo >= 1                              ? table.element(r, elementNo - 1)
                                                                                     : std::string_view();
        if (value.empty()) continue;
        elemMissing = false;
        if (rule.expected.empty()) {
            stopRow = r;
            break;
        }
        found = std::string(value);
        if (rule.expected[0] == '%') {
            mismatch = !tableFits(checks, rule.expected, value);
            if (mismatch) expectedShown = "in a table";
        } else {
            mismatch = !wl::prefixMatch(wl::upper(value), rule.expected);
        }
        stopRow = r;
    }
    const long long n = stopRow ? static_cast<long long>(*stopRow) - 2 : static_cast<long long>(rowCount) - 1;
    const std::string at = "In line " + std::to_string(n);
    std::string message;
    if (segMissing)
        message = at + " " + rule.segment + " Segment not found in Loop" + loop;
    else if (elemMissing)
        message = at + " Data Element " + rule.element + " not found in the " + rule.segment + " Segment in Loop" + loop;
    else if (mismatch)
        message = at + " Data Element " + rule.element + " in the " + rule.segment + " Segment in Loop" + loop +
                  " the value " + expectedShown + " was expected and " + found + " was found.";
    if (message.empty()) return 0;
    return wl::MSGYESNO(message + "\rContinue?", wl::Value(" WARNING.")) ? 0 : 1;
}

}  // namespace

int CTL39400S(const CheckTable& checks, const SegmentTable& table, std::size_t rowCount, const std::string& line,
              const std::vector<std::string>& loops, std::size_t loopIndex, const std::string& /*element*/) {
    return testRule(checks, table, rowCount, line, loops, loopIndex, RuleElementCount::FromFirstElement);
}

int CTL39406S(const CheckTable& checks, const SegmentTable& table, std::size_t rowCount, const std::string& line,
              const std::vector<std::string>& loops, std::size_t loopIndex, const std::string& /*element*/) {
    return testRule(checks, table, rowCount, line, loops, loopIndex, RuleElementCount::FromId);
}

void CTL39400U(const CheckTable&, const SegmentTable& table, std::size_t rowCount, const std::vector<std::string>& rules,
               const std::vector<std::string>&, std::size_t ruleCount, const std::string&) {
    std::vector<std::string> segments;
    for (std::size_t i = 0; i < std::min(ruleCount, rules.size()); ++i) {
        const Rule rule = splitRule(rules[i]);
        if (rule.head.size() >= 6) segments.push_back(wl::upper(rule.segment));
    }
    const std::size_t last = std::min(rowCount, table.size());
    for (std::size_t r = 1; r <= last; ++r) {
        const std::string_view id = table.id(r);
        bool mentioned = false;
        for (const std::string& s : segments)
            if (wl::prefixMatch(s, id)) {
                mentioned = true;
                break;
            }
        if (mentioned) continue;
        std::string text = "Found unexpected segment in ";
        if (r > 2) text += " line " + std::to_string(r - 2);
        text += " Segment=" + std::string(id);
        if (!table.loopId(r).empty()) text += " Loop=" + std::string(table.loopId(r));
        wl::MSGINFO(text);
    }
}

namespace {

void runCheck(const CheckTable& checks, const SegmentTable& table, std::size_t rowCount, const std::string& element,
              const std::vector<std::string>& loops, const std::string& folder, RuleElementCount counting) {
    std::vector<std::string> recorded;
    bool inSection = false, stopped = false;
    walkZrIni(folder, [&](const std::string& line) {
        if (stopped) return;
        if (wl::prefixMatch(line, "[X12CHECK]")) inSection = true;
        else if (wl::prefixMatch(line, "COMMAND=0")) inSection = false;
        if (!inSection) return;
        // The list holds kMaxRuleLines rules; a longer configuration's
        // excess lines are ignored rather than written past its end.
        if (wl::prefixMatch(line, "LOOP")) {
            int last = 0;
            const std::size_t ids = std::min<std::size_t>(loops.size(), 39);
            for (std::size_t i = 1; i <= ids && recorded.size() < kMaxRuleLines; ++i) {
                if (loops[i - 1].empty() || !wl::prefixMatch(line, "LOOP" + loops[i - 1])) continue;
                last = testRule(checks, table, rowCount, line, loops, i, counting);
                recorded.push_back(line);
            }
            stopped = last == 1;
        } else if (wl::prefixMatch(line, "CONTROL") && recorded.size() < kMaxRuleLines) {
            recorded.push_back(line);
        }
    });
    CTL39400U(checks, table, rowCount, recorded, loops, recorded.size(), element);
    wl::WQOUT({"CHECK COMPLETE\r\n" + std::to_string(recorded.size()) + " configured items have been checked\r\naginst " +
               std::to_string(rowCount) + " claim file segments."});
}

}  // namespace

void CTL39400K(const CheckTable& checks, const SegmentTable& table, std::size_t rowCount, const std::string& element,
               const std::vector<std::string>& loops, const std::string& folder) {
    runCheck(checks, table, rowCount, element, loops, folder, RuleElementCount::FromFirstElement);
}

void CTL39406K(const CheckTable& checks, const SegmentTable& table, std::size_t rowCount, const std::string& element,
               const std::vector<std::string>& loops, const std::string& folder) {
    runCheck(checks, table, rowCount, element, loops, folder, RuleElementCount::FromId);
}

}  // namespace zr
