#include "line_expansion.hpp"

#include <algorithm>
#include <set>
#include <string>

#include "text.hpp"

namespace zr {

namespace {

bool lineOne(const FieldRow& f) { return !f.serviceLine.empty() && mapNumber(f.serviceLine) == 1; }

// The runs of line 1's fields, [first, end) each, in order: a map keeps
// one, a map with line fields added later (at the end, after the file
// names) keeps a second.
std::vector<std::pair<std::size_t, std::size_t>> lineOneRuns(const std::vector<FieldRow>& fields) {
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t i = 0; i < fields.size();) {
        if (!lineOne(fields[i])) {
            ++i;
            continue;
        }
        const std::size_t first = i;
        while (i < fields.size() && lineOne(fields[i])) ++i;
        runs.emplace_back(first, i);
    }
    return runs;
}

}  // namespace

void expandServiceLines(std::vector<FieldRow>& fields, int lines) {
    if (lines < 2) return;
    const auto runs = lineOneRuns(fields);
    // A line the map already has fields for keeps them: a copy of the same
    // name would give that line's values twice (two cells of a CSV row).
    std::set<std::string> names;
    for (const FieldRow& f : fields) names.insert(wl::upper(wl::alltrim(f.name)));
    // From the last run back, so that the places of the runs before stay.
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        const auto [first, last] = *run;
        std::vector<FieldRow> copies;
        for (int k = 2; k <= lines; ++k)
            for (std::size_t i = first; i < last; ++i) {
                FieldRow f = fields[i];
                const std::string n = std::to_string(k);
                if (!f.name.empty()) f.name = f.name.substr(0, f.name.size() - 1) + n;
                if (!f.conditionField.empty() && f.conditionField.back() == '1')
                    f.conditionField = f.conditionField.substr(0, f.conditionField.size() - 1) + n;
                f.serviceLine = n;
                f.value.clear();
                if (!f.name.empty() && names.count(wl::upper(wl::alltrim(f.name)))) continue;
                copies.push_back(std::move(f));
            }
        fields.insert(fields.begin() + static_cast<std::ptrdiff_t>(last), copies.begin(), copies.end());
    }
}


bool expansionFits(const std::vector<FieldRow>& fields, int lines) {
    if (lines < 2) return true;
    std::size_t block = 0;
    for (const auto& [first, end] : lineOneRuns(fields)) block += end - first;
    return block == 0 ||
           static_cast<std::size_t>(lines - 1) <=
               (kMaxExpandedFields - std::min(kMaxExpandedFields, fields.size())) / block;
}

std::string expansionError(int lines) {
    return "ML Expansion Error : " + std::to_string(lines) + " Service Lines Exceed " +
           std::to_string(kMaxExpandedFields) + " Fields.";
}



namespace {

// The first "<" + tag + ">" (tag upper-case) at or after `from`, in any case.
std::size_t findTag(std::string_view text, std::string_view tag, std::size_t from) {
    for (std::size_t lt = text.find('<', from); lt != std::string_view::npos; lt = text.find('<', lt + 1)) {
        if (text.size() - lt < tag.size() + 2) return std::string_view::npos;
        std::size_t k = 0;
        while (k < tag.size() && wl::upperChar(text[lt + 1 + k]) == tag[k]) ++k;
        if (k == tag.size() && text[lt + 1 + k] == '>') return lt;
    }
    return std::string_view::npos;
}

// The service lines of one group: its first tag's name less its last
// character is the stem; the tags that begin with it are counted.
int groupLines(std::string_view text) {
    const std::string up = wl::upper(text);
    const std::string_view group(up);
    std::string_view stem;
    int count = 0;
    for (std::size_t t = group.find('<'); t != std::string_view::npos; t = group.find('<', t + 1)) {
        const std::size_t gt = group.find('>', t);
        if (gt == std::string_view::npos || group[t + 1] == '/') continue;
        const std::string_view name = group.substr(t + 1, gt - t - 1);
        if (stem.empty() && !name.empty()) stem = name.substr(0, name.size() - 1);
        if (!stem.empty() && name.substr(0, stem.size()) == stem) ++count;
    }
    return count;
}

}  // namespace

int xmlServiceLines(ByteInput& in) {
    constexpr std::string_view kOpen = "LINELEVEL", kClose = "/LINELEVEL";
    int most = 0;
    for (;;) {
        const std::string_view v = in.view();
        const std::size_t p = findTag(v, kOpen, 0);
        if (p == std::string_view::npos) {
            if (in.atEnd()) break;
            // A tail that may hold the start of a tag cut by the buffer stays.
            in.consume(v.size() > kClose.size() + 2 ? v.size() - kClose.size() - 2 : 0);
            in.more();
            continue;
        }
        const std::size_t end = findTag(v, kClose, p);
        if (end == std::string_view::npos && !in.atEnd()) {
            in.consume(p);
            in.more();
            continue;
        }
        const std::size_t from = p + kOpen.size() + 2;
        most = std::max(most, groupLines(v.substr(from, end == std::string_view::npos ? std::string_view::npos : end - from)));
        // Groups without an end are counted once: the rest is one group.
        if (end == std::string_view::npos) break;
        in.consume(p + 1);
    }
    return most;
}

}  // namespace zr
