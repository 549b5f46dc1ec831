#include "table_transfer.hpp"

#include "database_functions.hpp"
#include "text.hpp"

namespace wl {

namespace {

std::vector<std::string> transferNames(const std::string& list) {
    std::vector<std::string> names;
    std::size_t at = 0;
    while (at <= list.size()) {
        const std::size_t comma = std::min(list.find(',', at), list.size());
        const std::string name = alltrim(list.substr(at, comma - at));
        if (!name.empty()) names.push_back(name);
        at = comma + 1;
    }
    return names;
}

bool transferEmpty(const Value& v) {
    if (v.isNil()) return true;
    if (v.isText()) return alltrim(v.text()).empty();
    if (v.isNumber()) return v.number() == 0;
    if (v.isLogical()) return !v.logical();
    if (v.isDate()) return std::get<Date>(v.storage()).blank();
    if (v.isList()) return v.list().empty();
    return false;
}

char transferType(const Value& v) {
    if (v.isText()) return 'C';
    if (v.isNumber()) return 'N';
    if (v.isDate()) return 'D';
    if (v.isLogical()) return 'L';
    return 'U';
}

// The value in the field's type ("M" takes texts as "C" does).
Value toFieldType(const Value& v, const DbfField& f) {
    const char want = f.type == 'M' ? 'C' : f.type;
    return transferType(v) == want ? v : CONVERTTYPE(v, f.type);
}

// Restores the record pointer however the command ends.
struct KeepPlace {
    explicit KeepPlace(DbfArea& a) : area(a), recNo(a.RecNo()) {}
    ~KeepPlace() { area.GoTo(recNo); }
    DbfArea& area;
    std::uint32_t recNo;
};

}  // namespace

void dbfEval(DbfArea& area, const DbfScope& scope, const std::function<void(DbfArea&)>& visit) {
    if (scope.record) {
        area.GoTo(*scope.record);
        if (!area.Eof() && !area.Deleted() && (!scope.forTrue || scope.forTrue(area))) visit(area);
        return;
    }
    const bool fromHere = scope.next || scope.rest || scope.whileTrue;
    if (!fromHere) area.GoTop();
    int left = scope.next.value_or(-1);
    for (; !area.Eof() && left != 0; area.Skip(1)) {
        if (scope.whileTrue && !scope.whileTrue(area)) break;
        if (left > 0) --left;
        if (area.Deleted()) continue;
        if (!scope.forTrue || scope.forTrue(area)) visit(area);
    }
}

std::vector<int> dbfFieldPositions(DbfArea& area, const std::string& fields) {
    std::vector<int> out;
    const std::vector<std::string> names = transferNames(fields);
    if (names.empty())
        for (std::size_t i = 0; i < area.fields().size(); ++i) out.push_back(static_cast<int>(i) + 1);
    for (const std::string& name : names)
        if (const int pos = area.FieldPos(name)) out.push_back(pos);
    return out;
}

ValueList WL_DBFTOARRAY(DbfArea& area, const std::string& fields, const DbfScope& scope, ValueList appendTo) {
    KeepPlace keep(area);
    const std::vector<int> positions = dbfFieldPositions(area, fields);
    dbfEval(area, scope, [&](DbfArea& a) {
        ValueList row;
        for (const int pos : positions) row.push_back(a.FieldGet(pos));
        appendTo.push_back(Value(row));
    });
    return appendTo;
}

void RecordHash::set(const std::string& name, const Value& v) {
    for (auto& item : items_)
        if (upper(item.first) == upper(name)) {
            item.second = v;
            return;
        }
    items_.emplace_back(name, v);
}

const Value* RecordHash::find(const std::string& name) const {
    for (const auto& item : items_)
        if (upper(item.first) == upper(name)) return &item.second;
    return nullptr;
}

RecordHash WL_RECTOHASH(DbfArea& area, const std::string& fields, const std::string& names) {
    RecordHash hash;
    const std::vector<int> positions = dbfFieldPositions(area, fields);
    const std::vector<std::string> given = transferNames(names);
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const std::string name = i < given.size() ? given[i] : area.fields()[positions[i] - 1].name;
        hash.set(name, area.FieldGet(positions[i]));
    }
    return hash;
}

bool WL_HASHTOREC(DbfArea& area, const RecordHash& values, const std::string& fieldNames) {
    if (area.Eof()) return false;
    const bool held = area.FileLocked() || area.IsLocked(area.RecNo());
    if (!held && !area.RLock()) return false;
    const std::vector<std::string> names = transferNames(fieldNames);
    bool written = false;
    for (std::size_t i = 0; i < values.items().size(); ++i) {
        const std::string& name = names.empty() ? values.items()[i].first : i < names.size() ? names[i] : "";
        const int pos = name.empty() ? 0 : area.FieldPos(name);
        if (!pos) continue;
        const DbfField& f = area.fields()[static_cast<std::size_t>(pos - 1)];
        if (area.FieldPut(pos, toFieldType(values.items()[i].second, f))) written = true;
    }
    if (!held) area.UnLock();
    return written;
}

bool WL_ARRAYTODBF(DbfArea& area, const ValueList& rows, const std::string& fields,
                   const std::function<void(int, int)>& progress) {
    const std::vector<int> positions = dbfFieldPositions(area, fields);
    const int count = static_cast<int>(rows.size());
    if (progress) progress(0, count);
    for (int r = 0; r < count; ++r) {
        const Value& row = rows[static_cast<std::size_t>(r)];
        const ValueList values = row.isList() ? row.list() : ValueList{row};
        if (!area.Append()) return false;
        for (std::size_t i = 0; i < values.size() && i < positions.size(); ++i) {
            const DbfField& f = area.fields()[static_cast<std::size_t>(positions[i] - 1)];
            if (f.type == '+' || f.type == '@' || transferEmpty(values[i])) continue;
            area.FieldPut(positions[i], toFieldType(values[i], f));
        }
        if (progress) progress(r + 1, count);
    }
    return true;
}

bool dbfCopyTo(DbfArea& area, const std::string& file, const std::string& fields, const DbfScope& scope) {
    const std::vector<int> positions = dbfFieldPositions(area, fields);
    std::vector<DbfField> structure;
    for (const int pos : positions) structure.push_back(area.fields()[static_cast<std::size_t>(pos - 1)]);
    if (structure.empty()) return false;
    std::optional<DbfFile> out = DbfFile::create(file, structure);
    if (!out) return false;
    KeepPlace keep(area);
    bool ok = true;
    dbfEval(area, scope, [&](DbfArea& a) {
        ValueList values;
        for (const int pos : positions) values.push_back(a.FieldGet(pos));
        if (!out->append(values)) ok = false;
    });
    return ok;
}

bool dbfAppendFrom(DbfArea& area, const std::string& file, const std::string& fields,
                   const std::function<bool(DbfArea&)>& forTrue) {
    const std::string alias = CGETNEWALIAS("APP");
    const std::shared_ptr<DbfArea> from = DbfArea::open(file, alias);
    if (!from) return false;
    const std::vector<int> targets = dbfFieldPositions(area, fields);
    std::vector<std::pair<int, int>> pairs;  // {target, source}
    for (const int t : targets)
        if (const int s = from->FieldPos(area.fields()[static_cast<std::size_t>(t - 1)].name)) pairs.emplace_back(t, s);
    bool ok = true;
    DbfScope scope;
    scope.forTrue = forTrue;
    dbfEval(*from, scope, [&](DbfArea& src) {
        if (!area.Append()) {
            ok = false;
            return;
        }
        for (const auto& [t, s] : pairs) {
            const DbfField& f = area.fields()[static_cast<std::size_t>(t - 1)];
            const Value v = src.FieldGet(s);
            if (!transferEmpty(v)) area.FieldPut(t, toFieldType(v, f));
        }
    });
    return ok;
}

}  // namespace wl
