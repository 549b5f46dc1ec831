#include "field_table.hpp"

#include <cstring>

#include "debug_trace.hpp"
#include "function_files.hpp"
#include "text.hpp"

namespace zr {

bool isBlankText(std::string_view text) {
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
    return true;
}

std::string_view pieceOf(std::string_view text, int n, char separator) {
    if (n < 0) return {};
    std::size_t start = 0;
    for (int i = 0; i < n; ++i) {
        const void* p = std::memchr(text.data() + start, separator, text.size() - start);
        if (!p) return {};
        start = static_cast<std::size_t>(static_cast<const char*>(p) - text.data()) + 1;
    }
    std::size_t end = text.find(separator, start);
    return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

// ---------------------------------------------------------------------------
// Segments

void SegmentView::reset(std::string_view text, char elementSeparator) {
    text_ = text;
    separator_ = elementSeparator;
    split_ = false;
    const void* p = std::memchr(text.data(), elementSeparator, text.size());
    id_ = p ? text.substr(0, static_cast<std::size_t>(static_cast<const char*>(p) - text.data())) : text;
}

std::string_view SegmentView::element(int n) {
    if (n < 0) return {};
    if (n == 0) return id_;
    if (!split_) {
        elements_.clear();
        std::size_t start = 0;
        for (;;) {
            std::size_t end = text_.find(separator_, start);
            if (end == std::string_view::npos) {
                elements_.push_back(text_.substr(start));
                break;
            }
            elements_.push_back(text_.substr(start, end - start));
            start = end + 1;
        }
        split_ = true;
    }
    return static_cast<std::size_t>(n) < elements_.size() ? elements_[static_cast<std::size_t>(n)] : std::string_view();
}

// ---------------------------------------------------------------------------
// The table

namespace {
bool present(const std::string& item) { return !isBlankText(item); }

std::vector<std::string> alternatives(std::string_view qualifier) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        std::size_t colon = qualifier.find(':', start);
        out.emplace_back(qualifier.substr(start, colon == std::string_view::npos ? std::string_view::npos : colon - start));
        if (colon == std::string_view::npos) break;
        start = colon + 1;
    }
    return out;
}

// Ids of up to seven bytes packed with their length: no hashing of text for
// the ids that real files have.
bool packId(std::string_view id, std::uint64_t& key) {
    if (id.size() > 7) return false;
    key = static_cast<std::uint64_t>(id.size()) << 56;
    for (std::size_t i = 0; i < id.size(); ++i)
        key |= static_cast<std::uint64_t>(static_cast<unsigned char>(id[i])) << (8 * i);
    return true;
}

// More distinct ids than any map can use means a file of noise: stop
// remembering them rather than grow without bound.
constexpr std::size_t kIndexLimit = 4096;
}  // namespace

FieldTable::FieldTable(std::vector<FieldRow> r) : rows(std::move(r)) { compile(); }

void FieldTable::compile() {
    const int n = static_cast<int>(rows.size());
    plans.assign(rows.size(), FieldPlan{});
    for (auto& list : byLevel_) list.clear();
    counted_.clear();
    recordFields_.clear();
    shortIds_.clear();
    longIds_.clear();
    for (int f = 0; f < n; ++f) {
        const FieldRow& row = rows[f];
        FieldPlan& p = plans[f];
        p.qualifierPosition = mapNumber(row.qualifierPosition);
        p.elementPosition = mapNumber(row.elementPosition);
        p.component = mapNumber(row.subelementPosition);
        p.occurrence = mapNumber(row.occurrence);
        p.level = mapNumber(row.level);
        p.serviceLine = mapNumber(row.serviceLine);
        p.previousPosition = mapNumber(row.previousQualifierPosition);
        p.named = present(row.name);
        p.hasQualifier = present(row.qualifier);
        p.hasComponentItem = present(row.subelementPosition);
        p.hasCondition = present(row.conditionField);
        p.hasServiceLineItem = present(row.serviceLine);
        p.hasFunction = present(row.function);
        p.hasPrevious = present(row.previousSegment);
        p.hasToggle = present(row.toggleOffField);
        if (p.hasQualifier) p.qualifiers = alternatives(row.qualifier);
        if (p.hasCondition) {
            const std::string condition = wl::alltrim(row.conditionField);
            for (int g = 0; g < n && p.conditionField < 0; ++g)
                if (wl::prefixMatch(rows[g].name, condition)) p.conditionField = g;
        }
        if (p.hasToggle)
            for (int g = 0; g < n; ++g)
                if (wl::prefixMatch(row.toggleOffField, rows[g].name)) p.toggleFields.push_back(g);
        if (p.level >= 0 && p.level <= 6) byLevel_[static_cast<std::size_t>(p.level)].push_back(f);
        if (p.occurrence > 0) counted_.push_back(f);
        if (p.level != 5 && p.level != 6) recordFields_.push_back(f);
    }
    nextClaimLevel_.assign(rows.size() + 1, n);
    for (int f = n - 1; f >= 0; --f) nextClaimLevel_[f] = plans[f].hasServiceLineItem ? nextClaimLevel_[f + 1] : f;
}

std::vector<int> FieldTable::candidatesOf(std::string_view id) const {
    std::vector<int> out;
    for (std::size_t f = 0; f < rows.size(); ++f)
        if (wl::prefixMatch(rows[f].segment, id)) out.push_back(static_cast<int>(f));
    return out;
}

const std::vector<int>& FieldTable::candidates(std::string_view id) {
    std::uint64_t key;
    const bool small = packId(id, key);
    if (small) {
        if (auto it = shortIds_.find(key); it != shortIds_.end()) return it->second;
    } else if (auto it = longIds_.find(std::string(id)); it != longIds_.end()) {
        return it->second;
    }
    if (shortIds_.size() + longIds_.size() >= kIndexLimit) {
        scratch_ = candidatesOf(id);
        return scratch_;
    }
    if (small) return shortIds_.emplace(key, candidatesOf(id)).first->second;
    return longIds_.emplace(std::string(id), candidatesOf(id)).first->second;
}

const std::vector<int>& FieldTable::fieldsOfLevel(int level) const {
    static const std::vector<int> none;
    return level >= 0 && level <= 6 ? byLevel_[static_cast<std::size_t>(level)] : none;
}

bool FieldTable::anyRecordValue() const {
    for (int f : recordFields_)
        if (!isBlankText(rows[static_cast<std::size_t>(f)].value)) return true;
    return false;
}

void fillFileNames(FieldTable& table, const std::string& source, const std::string& output) {
    for (int f : table.fieldsOfLevel(5)) table.rows[static_cast<std::size_t>(f)].value = source;
    for (int f : table.fieldsOfLevel(6)) table.rows[static_cast<std::size_t>(f)].value = output;
}

void clearValues(FieldTable& table) {
    for (FieldRow& row : table.rows) row.value.clear();
}

// ---------------------------------------------------------------------------
// Collection

namespace {

// The previous-segment test: the newest non-blank history entry whose id
// the required segment id begins with decides.
bool previousSegmentPasses(const FieldRow& row, const FieldPlan& plan, const CollectContext& c) {
    for (int i = 0; i < SegmentHistory::kSize; ++i) {
        std::string_view entry = c.history.entry(i);
        if (isBlankText(entry)) continue;
        std::string_view id = pieceOf(entry, 0, c.elementSeparator);
        if (!wl::prefixMatch(row.previousSegment, id)) continue;
        return wl::prefixMatch(row.previousQualifier, pieceOf(entry, plan.previousPosition - 1, c.elementSeparator));
    }
    return false;
}

bool toggleFindsValue(const FieldTable& t, const FieldPlan& plan) {
    for (int g : plan.toggleFields)
        if (!t.rows[static_cast<std::size_t>(g)].value.empty()) return true;
    return false;
}

// The occurrence rule: with an occurrence o, only the o-th time counts.
bool occurrenceAllows(FieldRow& row, const FieldPlan& plan) {
    if (plan.occurrence <= 0) return true;
    return ++row.occurrenceCounter == plan.occurrence;
}

void takeValue(FieldTable& t, int f, CollectContext& c) {
    FieldRow& row = t.rows[static_cast<std::size_t>(f)];
    const FieldPlan& plan = t.plans[static_cast<std::size_t>(f)];
    std::string_view v = c.segment.element(plan.elementPosition);
    if (plan.component > 0) v = pieceOf(v, plan.component - 1, c.componentSeparator);
    if (!isBlankText(row.value)) return;
    if (plan.hasFunction && !isBlankText(v)) {
        FunctionFiles& functions = c.functions ? *c.functions : FunctionFiles::shared();
        row.value = functions.apply(row.function, v, c.segment.text());
    } else {
        row.value.assign(v.data(), v.size());
    }
    if (c.trace && c.trace->open()) c.trace->counted(" Field SET " + row.name + " = " + row.value);
}

bool lineAllows(const FieldPlan& plan, int line) { return plan.serviceLine <= 0 || line == plan.serviceLine; }

void handleField(FieldTable& t, int f, CollectContext& c) {
    FieldRow& row = t.rows[static_cast<std::size_t>(f)];
    const FieldPlan& plan = t.plans[static_cast<std::size_t>(f)];
    if (!row.value.empty()) return;  // blanks count as a value here
    if (plan.hasCondition && plan.conditionField >= 0 &&
        isBlankText(t.rows[static_cast<std::size_t>(plan.conditionField)].value))
        return;
    if (plan.hasQualifier) {
        if (plan.qualifierPosition <= 0) return;
        std::string_view q = c.segment.element(plan.qualifierPosition - 1);
        bool any = false;
        for (const std::string& alternative : plan.qualifiers)
            if (wl::prefixMatch(q, alternative)) {
                any = true;
                break;
            }
        if (!any || plan.elementPosition <= 0 || !lineAllows(plan, c.line)) return;
        if (occurrenceAllows(row, plan)) takeValue(t, f, c);
        return;
    }
    if (plan.hasCondition) {
        if (plan.conditionField < 0) return;  // no field of that name: never collected
        if (plan.hasComponentItem || plan.hasServiceLineItem) {
            if (lineAllows(plan, c.line) && occurrenceAllows(row, plan)) takeValue(t, f, c);
            return;
        }
        if (plan.occurrence > 0) {
            if (occurrenceAllows(row, plan)) takeValue(t, f, c);
            return;
        }
        if (plan.hasPrevious && !previousSegmentPasses(row, plan, c)) return;
        if (plan.hasToggle && toggleFindsValue(t, plan)) return;
        takeValue(t, f, c);
        return;
    }
    if (plan.elementPosition <= 0) return;
    if (occurrenceAllows(row, plan)) takeValue(t, f, c);
}

}  // namespace

void CTL48400B(FieldTable& table, CollectContext& c) {
    const std::vector<int>& candidates = table.candidates(c.segment.id());
    if (candidates.empty()) return;
    const int n = static_cast<int>(table.size());
    std::size_t next = 0;
    int p = 0;
    // At line 0 the walk steps over line fields at its current position
    // only; the search for the next matching field does not.
    while (p < n) {
        if (c.line == 0) {
            p = table.nextClaimLevel(p);
            if (p >= n) break;
        }
        while (next < candidates.size() && candidates[next] < p) ++next;
        if (next == candidates.size()) break;
        const int f = candidates[next++];
        handleField(table, f, c);
        p = f + 1;
    }
}

// ---------------------------------------------------------------------------
// Multi-line expansion and the routines without a caller

namespace {
std::string renumbered(const std::string& name, int line) {
    return (name.empty() ? name : name.substr(0, name.size() - 1)) + std::to_string(line);
}
}  // namespace

void expandServiceLines(std::vector<FieldRow>& rows, int lines) {
    if (lines < 2) return;
    std::size_t first = 0;
    while (first < rows.size() && mapNumber(rows[first].serviceLine) != 1) ++first;
    if (first == rows.size()) return;  // no line-1 block to copy
    std::size_t end = first;
    while (end < rows.size() && mapNumber(rows[end].serviceLine) == 1) ++end;
    std::vector<FieldRow> copies;
    copies.reserve((end - first) * static_cast<std::size_t>(lines - 1));
    for (int k = 2; k <= lines; ++k) {
        for (std::size_t f = first; f < end; ++f) {
            FieldRow copy = rows[f];
            copy.name = renumbered(copy.name, k);
            if (!copy.conditionField.empty() && copy.conditionField.back() == '1')
                copy.conditionField = renumbered(copy.conditionField, k);
            copy.serviceLine = std::to_string(k);
            copy.value.clear();
            copy.occurrenceCounter = 0;
            copies.push_back(std::move(copy));
        }
    }
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(end), std::make_move_iterator(copies.begin()),
                std::make_move_iterator(copies.end()));
}

std::string CTL48400O(std::string_view text, std::string_view piece) {
    return text.find(piece) != std::string_view::npos ? std::string(piece) : std::string();
}

void CTL48400AC(FieldTable& table, std::string_view segmentId) {
    for (FieldRow& row : table.rows)
        if (wl::alltrim(row.segment) == wl::alltrim(segmentId)) row.value.clear();
}

}  // namespace zr
