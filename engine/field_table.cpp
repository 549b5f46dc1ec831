#include "field_table.hpp"

#include <algorithm>
#include <cstring>

#include "debug_trace.hpp"
#include "function_files.hpp"
#include "text.hpp"

namespace zr {

// ---------------------------------------------------------------------------
// Segments

void SegmentView::reset(std::string_view text, char elementSeparator) {
    text_ = text;
    std::size_t i = 0;
    while (i < text.size() && text[i] != elementSeparator) ++i;  // ids are a few bytes
    id_ = text.substr(0, i);
    elements_.clear();
    elements_.push_back(id_);
    rest_ = i < text.size() ? wl::PieceCursor(text.substr(i + 1), elementSeparator) : wl::PieceCursor();
    if (i >= text.size()) rest_.next();  // no element after the id
}

void SegmentView::splitTo(std::size_t n) {
    while (elements_.size() <= n && !rest_.done()) elements_.push_back(rest_.next());
}

std::string_view SegmentView::element(int n) {
    if (n < 0) return {};
    const auto k = static_cast<std::size_t>(n);
    if (k >= elements_.size()) splitTo(k);
    return k < elements_.size() ? elements_[k] : std::string_view();
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

// Fields by name, for the links between fields: a condition names the
// first field whose name begins with it, a toggle-off name every field whose
// name is a prefix of it. Expanded tables reach many thousands of fields,
// so neither is a walk over the table per field.
class NameIndex {
public:
    explicit NameIndex(const std::vector<FieldRow>& rows) {
        for (std::size_t f = 0; f < rows.size(); ++f) {
            sorted_.push_back({rows[f].name, static_cast<int>(f)});
            byName_[rows[f].name].push_back(static_cast<int>(f));
        }
        std::sort(sorted_.begin(), sorted_.end());
        // Sparse table of the smallest position over ranges of the sorted names.
        least_.push_back({});
        for (const auto& e : sorted_) least_[0].push_back(e.second);
        for (std::size_t w = 1; (std::size_t{1} << w) <= sorted_.size(); ++w) {
            const std::vector<int>& prev = least_[w - 1];
            std::vector<int> row;
            const std::size_t half = std::size_t{1} << (w - 1);
            for (std::size_t i = 0; i + (std::size_t{1} << w) <= sorted_.size(); ++i)
                row.push_back(std::min(prev[i], prev[i + half]));
            least_.push_back(std::move(row));
        }
    }

    // The first field (in table order) whose name begins with `prefix`; -1 when none.
    int firstBeginningWith(const std::string& prefix) const {
        auto lo = std::lower_bound(sorted_.begin(), sorted_.end(), std::make_pair(prefix, -1));
        // Names beginning with the prefix follow one another from there.
        auto hi = std::partition_point(lo, sorted_.end(), [&](const auto& e) { return wl::prefixMatch(e.first, prefix); });
        const std::size_t count = static_cast<std::size_t>(hi - lo);
        if (count == 0) return -1;
        const std::size_t from = static_cast<std::size_t>(lo - sorted_.begin());
        std::size_t w = 0;
        while ((std::size_t{2} << w) <= count) ++w;
        return std::min(least_[w][from], least_[w][from + count - (std::size_t{1} << w)]);
    }

    // Every field whose name is a prefix of `text`, in table order.
    std::vector<int> prefixesOf(const std::string& text) const {
        std::vector<int> out;
        for (std::size_t len = 0; len <= text.size(); ++len)
            if (auto it = byName_.find(text.substr(0, len)); it != byName_.end())
                out.insert(out.end(), it->second.begin(), it->second.end());
        std::sort(out.begin(), out.end());
        return out;
    }

private:
    std::vector<std::pair<std::string, int>> sorted_;
    std::unordered_map<std::string, std::vector<int>> byName_;
    std::vector<std::vector<int>> least_;
};

// Where a field can take a value at all: which tests of the collection
// below stand between it and its value without touching anything.
int onlyAtLine(const FieldPlan& p) {
    const int line = p.serviceLine > 0 ? p.serviceLine : -1;
    if (p.hasQualifier) return p.qualifierPosition <= 0 || p.elementPosition <= 0 ? 0 : line;
    if (p.hasCondition) {
        if (p.conditionField < 0) return 0;
        return p.hasComponentItem || p.hasServiceLineItem ? line : -1;
    }
    return p.elementPosition <= 0 ? 0 : -1;
}

// More distinct ids than any map can use means a file of noise: stop
// remembering them rather than grow without bound.
constexpr std::size_t kIndexLimit = 4096;
}  // namespace

FieldTable::FieldTable(std::vector<FieldRow> r) : rows(std::move(r)) { compile(); }

void FieldTable::compile() {
    const int n = static_cast<int>(rows.size());
    plans.assign(rows.size(), FieldPlan{});
    links.assign(rows.size(), FieldLinks{});
    const std::size_t words = (rows.size() + 63) / 64;
    values_.assign(rows.size(), std::string_view());
    owned_.assign(rows.size(), std::string());
    bits_.assign(words, 0);
    recordBits_.assign(words, 0);
    for (auto& level : levelBits_) level.assign(words, 0);
    counters.clear();
    for (int f = 0; f < n; ++f) {
        if (!rows[f].value.empty()) setOwnedValue(f, rows[f].value);
        counters.push_back(rows[f].occurrenceCounter);
    }
    for (auto& list : byLevel_) list.clear();
    counted_.clear();
    slots_.clear();
    lists_.clear();
    longIds_.clear();
    cachedEntries_ = 0;
    const NameIndex names(rows);
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
        if (p.hasQualifier) links[f].qualifiers = alternatives(row.qualifier);
        if (p.hasCondition) p.conditionField = names.firstBeginningWith(wl::alltrim(row.conditionField));
        if (p.hasToggle) links[f].toggleFields = names.prefixesOf(row.toggleOffField);
        p.onlyAtLine = onlyAtLine(p);
        const std::uint64_t bit = std::uint64_t{1} << (f % 64);
        if (p.level >= 0 && p.level <= 6) {
            byLevel_[static_cast<std::size_t>(p.level)].push_back(f);
            levelBits_[static_cast<std::size_t>(p.level)][static_cast<std::size_t>(f / 64)] |= bit;
        }
        if (p.occurrence > 0) counted_.push_back(f);
        if (p.level != 5 && p.level != 6) recordBits_[static_cast<std::size_t>(f / 64)] |= bit;
    }
    nextClaimLevel_.assign(rows.size() + 1, n);
    for (int f = n - 1; f >= 0; --f) nextClaimLevel_[f] = plans[f].hasServiceLineItem ? nextClaimLevel_[f + 1] : f;
}

FieldTable::CandidateList FieldTable::candidatesOf(std::string_view id) const {
    CandidateList out;
    bool mixed = false;
    for (std::size_t f = 0; f < rows.size(); ++f) {
        if (!wl::prefixMatch(rows[f].segment, id)) continue;
        const FieldPlan& p = plans[f];
        out.all.items.push_back({static_cast<int>(f), p.onlyAtLine});
        if (!p.hasQualifier || p.qualifierPosition <= 0) continue;
        if (out.qualifierPosition < 0) out.qualifierPosition = p.qualifierPosition;
        else if (out.qualifierPosition != p.qualifierPosition) mixed = true;
    }
    if (mixed) out.qualifierPosition = -1;
    return out;
}

namespace {
std::size_t slotOf(std::uint64_t tag, std::size_t slots) {
    return static_cast<std::size_t>((tag * 0x9E3779B97F4A7C15ull) >> 40) & (slots - 1);
}

bool qualifierMatches(const FieldLinks& links, std::string_view element) {
    for (const std::string& alternative : links.qualifiers)
        if (beginsWith(element, alternative)) return true;
    return false;
}

// Qualifier elements remembered per list; noise beyond this is not.
constexpr std::size_t kQualifierLimit = 64;
// Per-line lists are kept for the lines real files have, up to a budget of
// fields in all (a few megabytes); beyond, they are worked out each time.
constexpr int kCachedLines = 100;
constexpr std::size_t kCacheBudget = 1u << 20;
}  // namespace

FieldTable::CandidateList* FieldTable::findShort(std::uint64_t tag) {
    if (slots_.empty()) return nullptr;
    for (std::size_t i = slotOf(tag, slots_.size());; i = (i + 1) & (slots_.size() - 1)) {
        if (slots_[i].tag == tag) return &lists_[slots_[i].list];
        if (slots_[i].tag == 0) return nullptr;
    }
}

void FieldTable::insertShort(std::uint64_t tag, std::uint32_t list) {
    if ((lists_.size() + 1) * 2 > slots_.size()) {
        // Grow to keep the table at most half full.
        std::vector<IdSlot> old = std::move(slots_);
        slots_.assign(old.empty() ? 64 : old.size() * 2, IdSlot{});
        for (const IdSlot& s : old)
            if (s.tag != 0) insertShort(s.tag, s.list);
    }
    std::size_t i = slotOf(tag, slots_.size());
    while (slots_[i].tag != 0) i = (i + 1) & (slots_.size() - 1);
    slots_[i] = {tag, list};
}

FieldTable::CandidateList& FieldTable::listFor(std::string_view id) {
    std::uint64_t key = 0;
    const bool small = packId(id, key);
    const std::uint64_t tag = key | (std::uint64_t{1} << 63);
    if (small) {
        if (CandidateList* found = findShort(tag)) return *found;
    } else if (auto it = longIds_.find(std::string(id)); it != longIds_.end()) {
        return lists_[it->second];
    }
    if (lists_.size() >= kIndexLimit) {
        scratch_ = candidatesOf(id);
        scratch_.qualifierPosition = -1;
        return scratch_;
    }
    const auto list = static_cast<std::uint32_t>(lists_.size());
    lists_.push_back(candidatesOf(id));
    if (small) insertShort(tag, list);
    else longIds_.emplace(std::string(id), list);
    return lists_.back();
}

const std::vector<Candidate>& FieldTable::candidates(std::string_view id) { return listFor(id).all.items; }

FieldTable::Variant& FieldTable::variantFor(CandidateList& list, SegmentView& segment) {
    if (list.qualifierPosition <= 0) return list.all;
    const std::string_view q = segment.element(list.qualifierPosition - 1);
    for (auto& [element, variant] : list.byQualifier)
        if (element.size() == q.size() && beginsWith(element, q)) return variant;
    if (list.byQualifier.size() >= kQualifierLimit) return list.all;
    Variant marked;
    marked.items = list.all.items;
    for (Candidate& k : marked.items) {
        const FieldPlan& p = plans[static_cast<std::size_t>(k.field)];
        if (p.hasQualifier && p.qualifierPosition == list.qualifierPosition &&
            !qualifierMatches(links[static_cast<std::size_t>(k.field)], q))
            k.onlyAtLine = 0;
    }
    list.byQualifier.emplace_back(std::string(q), std::move(marked));
    return list.byQualifier.back().second;
}

void FieldTable::walk(const std::vector<Candidate>& items, int line, std::vector<int>& out) const {
    out.clear();
    if (line != 0) {
        // Every candidate in table order, less those that cannot take a value here.
        for (const Candidate& k : items)
            if (k.onlyAtLine < 0 || k.onlyAtLine == line) out.push_back(k.field);
        return;
    }
    // At line 0 the walk steps over line fields at its current position
    // only; the search for the next matching field does not.
    const int n = static_cast<int>(size());
    std::size_t next = 0;
    int p = 0;
    while (p < n) {
        p = nextClaimLevel(p);
        if (p >= n) break;
        while (next < items.size() && items[next].field < p) ++next;
        if (next == items.size()) break;
        const Candidate& k = items[next++];
        if (k.onlyAtLine < 0) out.push_back(k.field);
        p = k.field + 1;
    }
}

const std::vector<int>& FieldTable::fieldsToHandle(SegmentView& segment, int line) {
    CandidateList& list = listFor(segment.id());
    Variant& v = variantFor(list, segment);
    if (v.items.empty()) {
        scratchFields_.clear();
        return scratchFields_;
    }
    const bool cacheable = &list != &scratch_ && line >= 0 && line < kCachedLines && cachedEntries_ < kCacheBudget;
    if (!cacheable) {
        walk(v.items, line, scratchFields_);
        return scratchFields_;
    }
    const auto l = static_cast<std::size_t>(line);
    if (l >= v.built.size()) {
        v.built.resize(l + 1, 0);
        v.byLine.resize(l + 1);
    }
    if (!v.built[l]) {
        walk(v.items, line, v.byLine[l]);
        v.built[l] = 1;
        cachedEntries_ += v.byLine[l].size() + 1;
    }
    return v.byLine[l];
}

const std::vector<int>& FieldTable::fieldsOfLevel(int level) const {
    static const std::vector<int> none;
    return level >= 0 && level <= 6 ? byLevel_[static_cast<std::size_t>(level)] : none;
}

bool FieldTable::anyRecordValue() const {
    for (std::size_t w = 0; w < bits_.size(); ++w)
        for (std::uint64_t m = bits_[w] & recordBits_[w]; m != 0; m &= m - 1)
            if (!isBlankText(values_[w * 64 + static_cast<std::size_t>(std::countr_zero(m))])) return true;
    return false;
}

void FieldTable::setValue(int f, std::string_view v) {
    values_[static_cast<std::size_t>(f)] = v;
    setBit(f, !v.empty());
}

void FieldTable::setOwnedValue(int f, std::string_view v) {
    // Assigned into the kept text, whose room serves the next value too.
    std::string& kept = owned_[static_cast<std::size_t>(f)];
    kept.assign(v);
    setValue(f, kept);
}

void FieldTable::clearValue(int f) {
    values_[static_cast<std::size_t>(f)] = {};
    setBit(f, false);
}

void FieldTable::clearLevel(int level) {
    if (level < 0 || level > 6) return;
    const std::vector<std::uint64_t>& of = levelBits_[static_cast<std::size_t>(level)];
    for (std::size_t w = 0; w < bits_.size(); ++w) {
        const std::uint64_t hit = bits_[w] & of[w];
        for (std::uint64_t m = hit; m != 0; m &= m - 1)
            values_[w * 64 + static_cast<std::size_t>(std::countr_zero(m))] = {};
        bits_[w] &= ~hit;
    }
}

void FieldTable::snapshot(Snapshot& s) const {
    s.seen.clear();
    std::size_t owned = 0;
    forEachValue([&](int f) {
        const std::string& kept = owned_[static_cast<std::size_t>(f)];
        const std::string_view v = values_[static_cast<std::size_t>(f)];
        if (kept.empty() || v.data() != kept.data()) {
            s.seen.emplace_back(f, v);
        } else if (owned < s.owned.size()) {
            s.owned[owned].first = f;
            s.owned[owned++].second.assign(kept);
        } else {
            s.owned.emplace_back(f, kept);
            ++owned;
        }
    });
    s.owned.resize(owned);
}

void FieldTable::ownViews() {
    forEachValue([&](int f) {
        const std::string& kept = owned_[static_cast<std::size_t>(f)];
        const std::string_view v = values_[static_cast<std::size_t>(f)];
        if (kept.empty() || v.data() != kept.data()) setOwnedValue(f, v);
    });
}

void FieldTable::ownViews(Snapshot& s) {
    for (const auto& [f, v] : s.seen) s.owned.emplace_back(f, std::string(v));
    s.seen.clear();
}

void FieldTable::restore(const Snapshot& s) {
    clearAll();
    for (const auto& [f, v] : s.seen) setValue(f, v);
    for (const auto& [f, v] : s.owned) setOwnedValue(f, v);
}

void FieldTable::clearAll() {
    forEachValue([&](int f) { values_[static_cast<std::size_t>(f)] = {}; });
    std::fill(bits_.begin(), bits_.end(), 0);
}

void fillFileNames(FieldTable& table, const std::string& source, const std::string& output) {
    for (int f : table.fieldsOfLevel(5)) table.setOwnedValue(f, source);
    for (int f : table.fieldsOfLevel(6)) table.setOwnedValue(f, output);
}

// ---------------------------------------------------------------------------
// Collection

namespace {

// The previous-segment test: the newest non-blank history entry whose id
// the required segment id begins with decides. The newest entry is the
// segment being handled, which is not its own previous segment (a second
// PER is told from the first by the PER before it).
bool previousSegmentPasses(const FieldRow& row, const FieldPlan& plan, const CollectContext& c) {
    for (int i = 1; i < SegmentHistory::kSize; ++i) {
        std::string_view entry = c.history.entry(i);
        if (isBlankText(entry)) continue;
        std::string_view id = wl::pieceAt(entry, 0, c.elementSeparator);
        if (!beginsWith(row.previousSegment, id)) continue;
        return beginsWith(row.previousQualifier, wl::pieceAt(entry, plan.previousPosition - 1, c.elementSeparator));
    }
    return false;
}

bool toggleFindsValue(const FieldTable& t, int f) {
    for (int g : t.links[static_cast<std::size_t>(f)].toggleFields)
        if (t.hasValue(g)) return true;
    return false;
}

// The occurrence rule: with an occurrence o, only the o-th time counts.
bool occurrenceAllows(FieldTable& t, int f, const FieldPlan& plan) {
    if (plan.occurrence <= 0) return true;
    return ++t.counters[static_cast<std::size_t>(f)] == plan.occurrence;
}

void takeValue(FieldTable& t, int f, CollectContext& c) {
    const FieldPlan& plan = t.plans[static_cast<std::size_t>(f)];
    std::string_view v = c.segment.element(plan.elementPosition);
    if (plan.component > 0) v = wl::pieceAt(v, plan.component - 1, c.componentSeparator);
    if (plan.hasFunction && !isBlankText(v)) {
        FunctionFiles once;
        FunctionFiles& functions = c.functions ? *c.functions : once;
        t.setOwnedValue(f, functions.apply(t.rows[static_cast<std::size_t>(f)].function, v, c.segment.text()));
    } else if (plan.component == 0 && c.componentSeparator != ':' &&
               v.find(c.componentSeparator) != std::string_view::npos) {
        // A composite taken whole is written with ":", the separator of every
        // X12 file this program builds, not with the source's own.
        std::string whole(v);
        std::replace(whole.begin(), whole.end(), c.componentSeparator, ':');
        t.setOwnedValue(f, std::move(whole));
    } else {
        t.setValue(f, v);
    }
    if (c.trace && c.trace->open()) c.trace->counted(" Field SET " + t.rows[static_cast<std::size_t>(f)].name + " = " + std::string(t.value(f)));
}

bool lineAllows(const FieldPlan& plan, int line) { return plan.serviceLine <= 0 || line == plan.serviceLine; }

void handleField(FieldTable& t, int f, CollectContext& c) {
    const FieldPlan& plan = t.plans[static_cast<std::size_t>(f)];
    if (t.hasValue(f)) return;  // blanks count as a value here
    if (plan.hasCondition && plan.conditionField >= 0 &&
        (!t.hasValue(plan.conditionField) || isBlankText(t.value(plan.conditionField))))
        return;
    if (plan.hasQualifier) {
        if (plan.qualifierPosition <= 0) return;
        if (!qualifierMatches(t.links[static_cast<std::size_t>(f)], c.segment.element(plan.qualifierPosition - 1)) ||
            plan.elementPosition <= 0 || !lineAllows(plan, c.line))
            return;
        if (occurrenceAllows(t, f, plan)) takeValue(t, f, c);
        return;
    }
    if (plan.hasCondition) {
        if (plan.conditionField < 0) return;  // no field of that name: never collected
        if (plan.hasComponentItem || plan.hasServiceLineItem) {
            if (lineAllows(plan, c.line) && occurrenceAllows(t, f, plan)) takeValue(t, f, c);
            return;
        }
        if (plan.occurrence > 0) {
            if (occurrenceAllows(t, f, plan)) takeValue(t, f, c);
            return;
        }
        if (plan.hasPrevious && !previousSegmentPasses(t.rows[static_cast<std::size_t>(f)], plan, c)) return;
        if (plan.hasToggle && toggleFindsValue(t, f)) return;
        takeValue(t, f, c);
        return;
    }
    if (plan.elementPosition <= 0) return;
    if (occurrenceAllows(t, f, plan)) takeValue(t, f, c);
}

}  // namespace

void CTL48400B(FieldTable& table, CollectContext& c) {
    for (int f : table.fieldsToHandle(c.segment, c.line)) handleField(table, f, c);
}

// ---------------------------------------------------------------------------
// The routines without a caller

std::string CTL48400O(std::string_view text, std::string_view piece) {
    return text.find(piece) != std::string_view::npos ? std::string(piece) : std::string();
}

void CTL48400AC(FieldTable& table, std::string_view segmentId) {
    for (std::size_t f = 0; f < table.size(); ++f)
        if (wl::alltrim(table.rows[f].segment) == wl::alltrim(segmentId)) table.clearValue(static_cast<int>(f));
}

}  // namespace zr
