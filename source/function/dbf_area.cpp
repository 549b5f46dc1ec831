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
    : file_(std::move(file)), path_(std::move(path)), alias_(std::move(alias)), locks_(areas().locks) {
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
    recNo_ = 1;
    bof_ = eof_ = false;
    settle();
}

void DbfArea::GoBottom() {
    recNo_ = static_cast<std::uint32_t>(RecCount());
    bof_ = eof_ = false;
    settle();
}

void DbfArea::GoTo(std::uint32_t n) {
    recNo_ = n;
    bof_ = eof_ = false;
    settle();
}

void DbfArea::Skip(int n) {
    const auto count = static_cast<std::int64_t>(RecCount());
    bof_ = eof_ = false;
    if (count == 0) {
        settle();
        return;
    }
    const std::int64_t to = static_cast<std::int64_t>(recNo_) + n;
    if (to < 1) {
        recNo_ = 1;
        bof_ = true;
    } else if (to > count) {
        recNo_ = static_cast<std::uint32_t>(count + 1);
        eof_ = true;
    } else {
        recNo_ = static_cast<std::uint32_t>(to);
    }
}

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
    return file_.write(recNo_, rec);
}

bool DbfArea::RLock() {
    if (recNo_ < 1 || recNo_ > static_cast<std::uint32_t>(RecCount())) return false;
    if (locked_ == recNo_) return true;
    UnLock();
    if (!locks_->insert({pathKey(path_), recNo_}).second) return false;
    locked_ = recNo_;
    return true;
}

void DbfArea::UnLock() {
    if (!locked_) return;
    locks_->erase({pathKey(path_), *locked_});
    locked_.reset();
}

bool DbfArea::Append() {
    UnLock();
    if (!file_.append({})) return false;
    GoTo(static_cast<std::uint32_t>(RecCount()));
    return true;
}

bool DbfArea::Delete() {
    if (recNo_ < 1 || recNo_ > static_cast<std::uint32_t>(RecCount())) return false;
    return file_.setDeleted(recNo_, true);
}

bool DbfArea::Pack() {
    UnLock();
    const bool ok = file_.pack();
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
