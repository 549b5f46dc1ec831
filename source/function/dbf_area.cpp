#include "dbf_area.hpp"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "paths.hpp"
#include "process_state.hpp"
#include "text.hpp"

namespace wl {

namespace {

// The process's areas, the selected alias and the records locked, by the
// file's key so that two areas on one file see each other's locks.
struct WorkAreas {
    std::map<std::string, std::shared_ptr<DbfArea>> byAlias;
    std::string selected;
    // Shared with every area, which may outlive this registry.
    std::shared_ptr<DbfLocks> locks = std::make_shared<DbfLocks>();
};

WorkAreas& areas() { return processState().workAreas.get<WorkAreas>(); }

Value blankOf(const DbfField& f) {
    switch (f.type) {
    case 'N': return Value(0);
    case 'L': return Value(false);
    case 'D': return Value(Date{});
    default: return Value(std::string(f.type == 'M' ? 0 : static_cast<std::size_t>(f.length), ' '));
    }
}

int dateKey(const Date& d) { return d.year * 10000 + d.month * 100 + d.day; }

template <class T>
int order(const T& a, const T& b) {
    return a < b ? -1 : b < a ? 1 : 0;
}

}  // namespace

int dbfCompare(const Value& field, const Value& key) {
    if (field.isText() && key.isText()) {
        const std::string& k = key.text();
        return order(field.text().substr(0, k.size()), k);
    }
    if (field.isNumber() && key.isNumber()) return order(field.number(), key.number());
    if (field.isDate() && key.isDate()) return order(dateKey(std::get<Date>(field.storage())), dateKey(std::get<Date>(key.storage())));
    if (field.isLogical() && key.isLogical()) return order(field.logical(), key.logical());
    return 0;
}

DbfArea::DbfArea(DbfFile file, std::string path, std::string alias)
    : file_(std::move(file)),
      path_(std::move(path)),
      alias_(std::move(alias)),
      locks_(areas().locks),
      regions_(path_) {
    GoTop();
}

DbfArea::~DbfArea() { UnLock(); }

std::shared_ptr<DbfArea> DbfArea::open(const std::string& path, std::string alias) {
    std::optional<DbfFile> f = DbfFile::open(path);
    if (!f) return nullptr;
    if (alias.empty()) {
        alias = fileNamePart(path);
        if (const auto dot = alias.rfind('.'); dot != std::string::npos && dot > 0) alias.resize(dot);
    }
    return std::shared_ptr<DbfArea>(new DbfArea(std::move(*f), path, upper(alias)));
}

// The flags follow the pointer: an empty table is at both ends.
void DbfArea::settle() {
    const auto count = static_cast<std::uint32_t>(RecCount());
    if (recNo_ < 1 || recNo_ > count) {
        recNo_ = count + 1;
        eof_ = true;
    }
    if (count == 0) bof_ = eof_ = true;
}

void DbfArea::GoTop() {
    bof_ = eof_ = false;
    land(first(1), 1);
    if (eof_) bof_ = true;
}

void DbfArea::GoBottom() {
    bof_ = eof_ = false;
    land(first(-1), -1);
    if (eof_) bof_ = true;
}

void DbfArea::GoTo(std::uint32_t n) {
    recNo_ = n;
    bof_ = eof_ = false;
    settle();
}

void DbfArea::Skip(int n) {
    const auto count = static_cast<std::uint32_t>(RecCount());
    bof_ = eof_ = false;
    if (count == 0) {
        settle();
        return;
    }
    if (recNo_ < 1 || recNo_ > count) recNo_ = count + 1;
    if (n == 0 && recNo_ > count) eof_ = true;
    for (int i = 0; i < n; ++i) {
        std::uint32_t r = recNo_ > count ? 0 : step(recNo_, 1);
        while (r && !visible(r)) r = step(r, 1);
        if (!r) {
            recNo_ = count + 1;
            eof_ = true;
            return;
        }
        recNo_ = r;
    }
    for (int i = 0; i > n; --i) {
        std::uint32_t r = recNo_ > count ? first(-1) : step(recNo_, -1);
        while (r && !visible(r)) r = step(r, -1);
        if (!r) {
            // Before the first: the first visible record, start flag up.
            if (recNo_ > count) land(first(1), 1);
            bof_ = true;
            if (recNo_ > count) eof_ = true;
            return;
        }
        recNo_ = r;
    }
}

void DbfArea::changed() { ordersStale_ = true; }

DbfOrder* DbfArea::active() {
    if (order_ < 1) return nullptr;
    if (ordersStale_) {
        ordersStale_ = false;
        for (DbfOrder& o : orders_) rebuild(o);
    }
    return &orders_[static_cast<std::size_t>(order_ - 1)];
}

const DbfOrder* DbfArea::Order(int n) const {
    return n >= 1 && n <= OrdCount() ? &orders_[static_cast<std::size_t>(n - 1)] : nullptr;
}

ValueList DbfArea::keyOf(const DbfOrder& o, std::uint32_t rec) {
    const ValueList values = file_.read(rec);
    ValueList key;
    for (int f : o.fields) {
        Value v = static_cast<std::size_t>(f) <= values.size() ? values[static_cast<std::size_t>(f - 1)] : Value();
        if (o.upperCase && v.isText()) v = Value(upper(v.text()));
        key.push_back(std::move(v));
    }
    return key;
}

namespace {

// Full comparison of two key parts (texts over their whole length).
int keyPartOrder(const Value& a, const Value& b) {
    if (a.isText() && b.isText()) return order(a.text(), b.text());
    return dbfCompare(a, b);
}

int keyOrder(const ValueList& a, const ValueList& b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (const int c = keyPartOrder(a[i], b[i])) return c;
    return 0;
}

// The key as one value: texts joined (C fields are padded, so the join
// orders as the parts do), else the first part.
Value keyValue(const ValueList& key) {
    if (key.empty()) return Value();
    if (!std::all_of(key.begin(), key.end(), [](const Value& v) { return v.isText(); })) return key.front();
    std::string joined;
    for (const Value& v : key) joined += v.text();
    return Value(joined);
}

}  // namespace

void DbfArea::rebuild(DbfOrder& o) {
    const auto count = static_cast<std::uint32_t>(RecCount());
    std::vector<std::pair<ValueList, std::uint32_t>> keys;
    keys.reserve(count);
    for (std::uint32_t r = 1; r <= count; ++r) keys.emplace_back(keyOf(o, r), r);
    std::stable_sort(keys.begin(), keys.end(), [&o](const auto& a, const auto& b) {
        const int c = keyOrder(a.first, b.first);
        return o.descend ? c > 0 : c < 0;
    });
    o.records.clear();
    o.positions.assign(count + 1, 0);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        o.records.push_back(keys[i].second);
        o.positions[keys[i].second] = static_cast<std::uint32_t>(i);
    }
}

std::size_t DbfArea::orderPos(std::uint32_t rec) {
    DbfOrder* o = active();
    return o && rec < o->positions.size() ? o->positions[rec] : 0;
}

std::uint32_t DbfArea::step(std::uint32_t rec, int dir) {
    const auto count = static_cast<std::uint32_t>(RecCount());
    if (DbfOrder* o = active()) {
        if (rec < 1 || rec > count) return 0;
        const std::size_t pos = orderPos(rec);
        if (dir > 0) return pos + 1 < o->records.size() ? o->records[pos + 1] : 0;
        return pos > 0 ? o->records[pos - 1] : 0;
    }
    const std::int64_t to = static_cast<std::int64_t>(rec) + dir;
    return to >= 1 && to <= count ? static_cast<std::uint32_t>(to) : 0;
}

std::uint32_t DbfArea::first(int dir) {
    const auto count = static_cast<std::uint32_t>(RecCount());
    if (count == 0) return 0;
    if (DbfOrder* o = active()) return dir > 0 ? o->records.front() : o->records.back();
    return dir > 0 ? 1 : count;
}

bool DbfArea::visible(std::uint32_t rec) {
    if (!filter_) return true;
    const std::uint32_t was = recNo_;
    const bool bof = bof_, eof = eof_;
    recNo_ = rec;
    bof_ = eof_ = false;
    const bool shown = filter_(*this);
    recNo_ = was;
    bof_ = bof;
    eof_ = eof;
    return shown;
}

void DbfArea::land(std::uint32_t rec, int dir) {
    while (rec && !visible(rec)) rec = step(rec, dir);
    if (rec) {
        recNo_ = rec;
        return;
    }
    recNo_ = static_cast<std::uint32_t>(RecCount()) + 1;
    eof_ = true;
}

bool DbfArea::OrdCreate(const std::string& tag, const std::string& key, bool descend) {
    DbfOrder o;
    o.tag = upper(tag);
    o.key = key;
    o.descend = descend;
    std::string expr = upper(alltrim(key));
    if (expr.rfind("UPPER(", 0) == 0 && !expr.empty() && expr.back() == ')') {
        o.upperCase = true;
        expr = expr.substr(6, expr.size() - 7);
    }
    std::size_t at = 0;
    while (at <= expr.size()) {
        const std::size_t plus = std::min(expr.find('+', at), expr.size());
        const int pos = FieldPos(alltrim(expr.substr(at, plus - at)));
        if (pos == 0) return false;
        o.fields.push_back(pos);
        at = plus + 1;
    }
    rebuild(o);
    const auto same = std::find_if(orders_.begin(), orders_.end(), [&](const DbfOrder& x) { return x.tag == o.tag; });
    if (same != orders_.end()) {
        *same = std::move(o);
        order_ = static_cast<int>(same - orders_.begin()) + 1;
    } else {
        orders_.push_back(std::move(o));
        order_ = OrdCount();
    }
    GoTop();
    return true;
}

int DbfArea::SetOrder(int n) {
    const int was = order_;
    if (n >= 0 && n <= OrdCount()) order_ = n;
    return was;
}

int DbfArea::SetOrder(const std::string& tag) {
    const std::string wanted = upper(alltrim(tag));
    if (wanted.empty()) return SetOrder(0);
    for (int i = 1; i <= OrdCount(); ++i)
        if (orders_[static_cast<std::size_t>(i - 1)].tag == wanted) return SetOrder(i);
    return order_;
}

bool DbfArea::OrdDestroy(const std::string& tag) {
    const std::string wanted = upper(alltrim(tag));
    const auto it = std::find_if(orders_.begin(), orders_.end(), [&](const DbfOrder& x) { return x.tag == wanted; });
    if (it == orders_.end()) return false;
    const int n = static_cast<int>(it - orders_.begin()) + 1;
    orders_.erase(it);
    if (order_ == n) order_ = 0;
    else if (order_ > n) --order_;
    return true;
}

Value DbfArea::OrdKeyVal() {
    DbfOrder* o = active();
    if (!o || eof_ || recNo_ > static_cast<std::uint32_t>(RecCount())) return Value();
    return keyValue(keyOf(*o, recNo_));
}

bool DbfArea::Seek(const Value& key, bool soft, bool last) {
    found_ = false;
    DbfOrder* o = active();
    if (!o) return false;
    const Value wanted = o->upperCase && key.isText() ? Value(upper(key.text())) : key;
    auto cmp = [&](std::uint32_t rec) {
        const int c = dbfCompare(keyValue(keyOf(*o, rec)), wanted);
        return o->descend ? -c : c;
    };
    const auto& recs = o->records;
    const auto at = last ? std::partition_point(recs.begin(), recs.end(), [&](std::uint32_t r) { return cmp(r) <= 0; })
                         : std::partition_point(recs.begin(), recs.end(), [&](std::uint32_t r) { return cmp(r) < 0; });
    std::uint32_t rec = 0;
    if (last) {
        if (at != recs.begin() && cmp(*(at - 1)) == 0) rec = *(at - 1);
    } else if (at != recs.end()) {
        rec = *at;
    }
    bof_ = eof_ = false;
    if (last) {
        land(rec, -1);
    } else {
        land(rec, 1);
    }
    found_ = !eof_ && cmp(recNo_) == 0;
    if (!found_ && !soft) {
        recNo_ = static_cast<std::uint32_t>(RecCount()) + 1;
        eof_ = true;
    }
    return found_;
}

int DbfArea::KeyNo() {
    const auto count = static_cast<std::uint32_t>(RecCount());
    if (eof_ || recNo_ < 1 || recNo_ > count) return 0;
    if (!filter_) return active() ? static_cast<int>(orderPos(recNo_)) + 1 : static_cast<int>(recNo_);
    int n = 0;
    for (std::uint32_t r = first(1); r; r = step(r, 1)) {
        if (visible(r)) ++n;
        if (r == recNo_) return n;
    }
    return 0;
}

int DbfArea::KeyCount() {
    if (!filter_) return RecCount();
    int n = 0;
    for (std::uint32_t r = first(1); r; r = step(r, 1))
        if (visible(r)) ++n;
    return n;
}

void DbfArea::KeyGoTo(int n) {
    GoTop();
    if (n > 1) Skip(n - 1);
}

void DbfArea::SetFilter(DbfFilter filter) { filter_ = std::move(filter); }

int DbfArea::FieldPos(const std::string& name) const {
    const std::string wanted = upper(name);
    const auto& f = fields();
    for (std::size_t i = 0; i < f.size(); ++i)
        if (upper(f[i].name) == wanted) return static_cast<int>(i) + 1;
    return 0;
}

Value DbfArea::FieldGet(int pos) {
    if (pos < 1 || pos > static_cast<int>(fields().size())) return Value();
    const auto i = static_cast<std::size_t>(pos - 1);
    if (eof_ || recNo_ > static_cast<std::uint32_t>(RecCount())) return blankOf(fields()[i]);
    ValueList rec = file_.read(recNo_);
    return i < rec.size() ? rec[i] : blankOf(fields()[i]);
}

ValueList DbfArea::Record() {
    ValueList rec;
    for (int i = 1; i <= static_cast<int>(fields().size()); ++i) rec.push_back(FieldGet(i));
    return rec;
}

bool DbfArea::FieldPut(int pos, const Value& v) {
    if (pos < 1 || pos > static_cast<int>(fields().size())) return false;
    if (recNo_ < 1 || recNo_ > static_cast<std::uint32_t>(RecCount())) return false;
    ValueList rec = file_.read(recNo_);
    rec[static_cast<std::size_t>(pos - 1)] = v;
    changed();
    return file_.write(recNo_, rec);
}

bool DbfArea::RLock(std::uint32_t n) {
    if (n == 0) n = recNo_;
    if (n < 1 || n > static_cast<std::uint32_t>(RecCount())) return false;
    if (IsLocked(n)) return true;
    const std::string key = pathKey(path_);
    if (locks_->count({key, 0})) return false;  // another area holds the file
    if (locks_->count({key, n})) return false;
    if (!regions_.lockRecord(n)) return false;  // another program holds it
    if (locked_) {
        locks_->erase({key, *locked_});
        regions_.unlockRecord(*locked_);
    }
    locks_->insert({key, n});
    locked_ = n;
    return true;
}

bool DbfArea::FLock() {
    if (fileLocked_) return true;
    const std::string key = pathKey(path_);
    for (auto it = locks_->lower_bound({key, 0}); it != locks_->end() && it->first == key; ++it)
        if (!(locked_ && it->second == *locked_)) return false;
    // The file's region covers the record's: the record's goes first (a
    // handle may not lock over its own lock), and comes back on failure.
    if (locked_) regions_.unlockRecord(*locked_);
    if (!regions_.lockFile()) {
        if (locked_) regions_.lockRecord(*locked_);
        return false;
    }
    locks_->insert({key, 0});
    fileLocked_ = true;
    return true;
}

void DbfArea::UnLock() {
    const std::string key = pathKey(path_);
    if (locked_) locks_->erase({key, *locked_});
    if (fileLocked_) locks_->erase({key, 0});
    regions_.unlockAll();
    locked_.reset();
    fileLocked_ = false;
}

bool DbfArea::Append() {
    if (!fileLocked_) UnLock();
    if (!file_.append({})) return false;
    changed();
    GoTo(static_cast<std::uint32_t>(RecCount()));
    return true;
}

bool DbfArea::Delete() {
    if (recNo_ < 1 || recNo_ > static_cast<std::uint32_t>(RecCount())) return false;
    return file_.setDeleted(recNo_, true);
}

bool DbfArea::Deleted() {
    return recNo_ >= 1 && recNo_ <= static_cast<std::uint32_t>(RecCount()) && file_.deleted(recNo_);
}

bool DbfArea::Recall() {
    if (recNo_ < 1 || recNo_ > static_cast<std::uint32_t>(RecCount())) return false;
    return file_.setDeleted(recNo_, false);
}

bool DbfArea::Pack() {
    UnLock();
    const bool ok = file_.pack();
    changed();
    GoTop();
    return ok;
}

bool DbfArea::Zap() {
    UnLock();
    const bool ok = file_.zap();
    changed();
    GoTop();
    return ok;
}

void DbfArea::SoftSeek(int pos, const Value& v) {
    GoTop();
    while (!eof_ && dbfCompare(FieldGet(pos), v) < 0) Skip(1);
    bof_ = false;
}

// ------------------------------------------------------------ work areas

std::shared_ptr<DbfArea> USEAREA(const std::string& path, const std::string& alias) {
    std::shared_ptr<DbfArea> a = DbfArea::open(path, alias);
    if (!a) return nullptr;
    WorkAreas& w = areas();
    w.byAlias[a->Alias()] = a;
    w.selected = a->Alias();
    return a;
}

std::shared_ptr<DbfArea> dbfAreaOf(const std::string& alias) {
    WorkAreas& w = areas();
    const auto it = w.byAlias.find(upper(alias));
    return it == w.byAlias.end() ? nullptr : it->second;
}

std::shared_ptr<DbfArea> dbfSelected() { return dbfAreaOf(areas().selected); }

void dbfSelect(const std::string& alias) { areas().selected = upper(alias); }

std::vector<std::string> AGETWORKAREAS() {
    std::vector<std::string> out;
    for (const auto& [alias, area] : areas().byAlias) out.push_back(alias);
    return out;
}

std::string CGETNEWALIAS(const std::string& alias) {
    const std::string base = upper(alltrim(alias));
    if (!dbfAreaOf(base)) return base;
    for (int n = 1;; ++n) {
        std::string number = std::to_string(n);
        const std::string candidate = base + std::string(number.size() < 3 ? 3 - number.size() : 0, '0') + number;
        if (!dbfAreaOf(candidate)) return candidate;
    }
}

bool dbfCloseArea(const std::string& alias) {
    WorkAreas& w = areas();
    const std::string key = alias.empty() ? w.selected : upper(alias);
    const auto it = w.byAlias.find(key);
    if (it == w.byAlias.end()) return false;
    it->second->UnLock();
    w.byAlias.erase(it);
    return true;
}

}  // namespace wl
