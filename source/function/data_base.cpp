#include "data_base.hpp"

#include <algorithm>
#include <cmath>
#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "database_functions.hpp"
#include "messages.hpp"
#include "text.hpp"
#include "text_tokens.hpp"
#include "value_conversion.hpp"
#include "xbrowse_model.hpp"

namespace wl {

namespace {

bool dataBaseSameValue(const Value& a, const Value& b) {
    if (a.isNumber() && b.isNumber()) return a.number() == b.number();
    if (a.isText() && b.isText()) return rtrim(a.text()) == rtrim(b.text());
    return CVALTOCHAR(a) == CVALTOCHAR(b) && a.isNil() == b.isNil();
}

bool dataBaseFileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

}  // namespace

TDataBase::TDataBase() {
    if (auto a = dbfSelected()) SetArea(a);
}

TDataBase::TDataBase(const std::string& aliasOrFile) {
    if (auto a = dbfAreaOf(aliasOrFile)) SetArea(a);
    else if (dataBaseFileExists(aliasOrFile)) cFile = aliasOrFile;
}

TDataBase::TDataBase(std::string alias, std::string file, std::string driver, bool shared, bool readOnly)
    : lShared(shared), cAlias(std::move(alias)), cFile(std::move(file)), cDriver(std::move(driver)),
      lReadOnly(readOnly) {}

TDataBase::~TDataBase() {
    UnLock();
    // The area may stay open after the object: its filter must not call
    // into an object that is gone.
    if (filtered_ && area_) area_->SetFilter({});
}

bool TDataBase::Open(const std::string& alias, const std::string& file, const std::string& driver, bool shared,
                     bool readOnly) {
    cAlias = alias;
    cFile = file;
    cDriver = driver;
    lShared = shared;
    lReadOnly = readOnly;
    return Use();
}

bool TDataBase::Use() {
    std::string alias = cAlias.empty() ? CGETNEWALIAS("TDF") : upper(cAlias);
    if (dbfAreaOf(alias)) alias = CGETNEWALIAS(alias.substr(0, 3));
    if (auto a = USEAREA(cFile, alias)) SetArea(a);
    return Used();
}

void TDataBase::SetArea(std::shared_ptr<DbfArea> area) {
    area_ = std::move(area);
    if (!area_) return;
    cAlias = area_->Alias();
    cFile = area_->path();
    if (!lBuffer) lBuffer = true;
    if (!bNetError)
        bNetError = [](TDataBase&) {
            MSGSTOP(Value("Record in use"), Value("Please, retry"));
            return Value();
        };
    aStruct.clear();
    aFldNames.clear();
    hFlds.clear();
    const std::vector<std::string> orders = ORDERTAGINFO(*area_);
    for (std::size_t i = 0; i < area_->fields().size(); ++i) {
        const DbfField& f = area_->fields()[i];
        TDataBaseColumn c{f.name, f.type, f.length, f.decimals, {}, orders[i], {}};
        if (f.type == 'N') c.picture = NUMPICT(f.length, f.decimals);
        aStruct.push_back(c);
        aFldNames.push_back(f.name);
        hFlds[upper(f.name)] = static_cast<int>(i) + 1;
    }
    Load();
}

bool TDataBase::Activate() {
    if (Used()) return true;
    if (cFile.empty()) return false;
    if (auto a = USEAREA(cFile, CGETNEWALIAS(cAlias.empty() ? "TDF" : cAlias))) {
        area_ = a;
        cAlias = a->Alias();
    }
    return Used();
}

void TDataBase::Close() {
    if (Used()) dbfCloseArea(area_->Alias());
}

void TDataBase::Deactivate() {
    Close();
    area_.reset();
}

bool TDataBase::Used() const { return area_ && dbfAreaOf(area_->Alias()) == area_; }

// ------------------------------------------------------------ columns

int TDataBase::areaField(int n) const {
    if (n < 1 || n > fieldCount()) return 0;
    return area_ ? area_->FieldPos(aFldNames[static_cast<std::size_t>(n - 1)]) : 0;
}

Value TDataBase::FieldGet(int n) {
    if (n < 1 || n > FCount() || !area_) return Value();
    const TDataBaseColumn& c = aStruct[static_cast<std::size_t>(n - 1)];
    if (c.block) return c.block(*this, nullptr);
    if (buffered() && static_cast<std::size_t>(n) <= aBuffer.size()) return aBuffer[static_cast<std::size_t>(n - 1)];
    return area_->FieldGet(areaField(n));
}

bool TDataBase::lockHere(bool& lockedHere) {
    lockedHere = false;
    if (!lShared || area_->IsLocked(area_->RecNo())) return true;
    if (!area_->RLock()) return false;
    lockedHere = true;
    return true;
}

Value TDataBase::FieldPut(int n, const Value& v) {
    if (n < 1 || n > FCount() || !area_) return Value();
    const std::size_t i = static_cast<std::size_t>(n - 1);
    const TDataBaseColumn& c = aStruct[i];
    if (buffered()) {
        if (c.block) c.block(*this, &v);
        else if (i < aBuffer.size()) aBuffer[i] = v;
        return FieldGet(n);
    }
    if (lReadOnly) return FieldGet(n);
    bool lockedHere = false;
    if (!lockHere(lockedHere)) return bNetError ? bNetError(*this) : Value();
    if (c.block) c.block(*this, &v);
    else area_->FieldPut(areaField(n), v);
    if (lockedHere) area_->UnLock();
    return FieldGet(n);
}

int TDataBase::FieldPos(const std::string& name) const {
    const auto it = hFlds.find(upper(alltrim(name)));
    return it == hFlds.end() ? 0 : it->second;
}

std::string TDataBase::FieldName(int n) const {
    return n >= 1 && n <= FCount() ? aStruct[static_cast<std::size_t>(n - 1)].name : std::string();
}

char TDataBase::FieldType(int n) const {
    return n >= 1 && n <= FCount() ? aStruct[static_cast<std::size_t>(n - 1)].type : 0;
}

void TDataBase::FieldType(int n, char type) {
    if (n >= 1 && n <= FCount()) aStruct[static_cast<std::size_t>(n - 1)].type = type;
}

std::function<Value(const Value*)> TDataBase::FieldBlock(int n) {
    return [this, n](const Value* v) { return v ? FieldPut(n, *v) : FieldGet(n); };
}

int TDataBase::AddCol(std::string name, std::function<Value(TDataBase&, const Value*)> block, char type, int length,
                      int decimals, std::string picture, std::string order) {
    name = upper(alltrim(name));
    if (FieldPos(name)) {
        std::string free;
        for (int k = 1; k <= 99 && free.empty(); ++k) {
            const std::string candidate = name + (k < 10 ? "0" : "") + std::to_string(k);
            if (!FieldPos(candidate)) free = candidate;
        }
        if (free.empty()) return 0;
        name = free;
    }
    if (!block && !order.empty() && area_) {
        // The order's key read as the column.
        const std::string tag = upper(order);
        block = [tag](TDataBase& db, const Value*) {
            const int was = db.area()->SetOrder(tag);
            Value key = db.area()->OrdKeyVal();
            db.area()->SetOrder(was);
            return key;
        };
    }
    if (!block) block = [](TDataBase&, const Value*) { return Value(); };
    const Value sample = block(*this, nullptr);
    if (type == 0) {
        type = sample.isNumber() ? 'N' : sample.isDate() ? 'D' : sample.isLogical() ? 'L' : 'C';
    }
    if (length < 0) {
        switch (type) {
        case 'L': length = 1; decimals = 0; break;
        case 'D':
        case 'T': length = 8; decimals = 0; break;
        case 'C': length = sample.isText() ? static_cast<int>(sample.text().size()) : 10; break;
        case 'N': {
            const double x = sample.isNumber() ? sample.number() : 0.0;
            if (decimals < 0) decimals = x == std::floor(x) ? 0 : 2;
            const int whole = static_cast<int>(std::to_string(static_cast<long long>(std::fabs(x))).size()) + (x < 0);
            length = whole + decimals + (decimals > 0 ? 1 : 0);
            break;
        }
        default: length = 10; decimals = 0;
        }
    }
    if (decimals < 0) decimals = 0;
    if (type == 'N' && picture.empty()) picture = NUMPICT(length, decimals, decimals > 0);
    aStruct.push_back({name, type, length, decimals, picture, upper(order), std::move(block)});
    aFldNames.push_back("");
    hFlds[name] = FCount();
    return FCount();
}

bool TDataBase::MapCol(const std::string& field, const std::string& newName) {
    const int n = FieldPos(field);
    if (n < 1 || n > fieldCount() || FieldPos(newName)) return false;
    hFlds.erase(upper(aStruct[static_cast<std::size_t>(n - 1)].name));
    aStruct[static_cast<std::size_t>(n - 1)].name = upper(alltrim(newName));
    hFlds[upper(alltrim(newName))] = n;
    return true;
}

// ------------------------------------------------------------ rows

TDataBaseRow TDataBase::RowGet(const std::vector<std::string>& names, bool blank) {
    TDataBaseRow row;
    std::vector<int> columns;
    if (names.empty()) {
        for (int n = 1; n <= fieldCount(); ++n) columns.push_back(n);
    } else {
        for (const std::string& name : names)
            if (const int n = FieldPos(name)) columns.push_back(n);
    }
    const bool empty = blank || Eof();
    for (int n : columns) {
        const TDataBaseColumn& c = aStruct[static_cast<std::size_t>(n - 1)];
        row.push_back({c.name, empty ? UTYPETOBLANK(c.type, c.length, c.decimals) : FieldGet(n), true,
                       c.type == 'N' ? c.picture : std::string()});
    }
    return row;
}

int TDataBase::RowPut(TDataBaseRow& row, int record, bool commit) {
    const bool append = record <= 0 || LastRec() == 0 || record > LastRec();
    if (!append && record != RecNo()) {
        const int back = RecNo();
        GoTo(record);
        const int result = RowPut(row, false, commit);
        GoTo(back);
        return result;
    }
    return RowPut(row, append, commit);
}

int TDataBase::RowPut(TDataBaseRow& row, bool append, bool commit) {
    (void)commit;  // every write reaches the file at once
    if (!area_) return 0;
    if (lReadOnly && append) {
        for (TDataBaseRowItem& item : row) {
            const int n = FieldPos(item.name);
            item.value = n ? UTYPETOBLANK(FieldType(n), aStruct[static_cast<std::size_t>(n - 1)].length) : Value();
        }
        return 0;
    }
    bool lockedHere = false;
    if (append) {
        if (!area_->Append()) return 0;
        // A file lock held by the caller covers the new record and stays.
        lockedHere = lShared && !area_->FileLocked() && area_->RLock();
    } else if (!lReadOnly && !lockHere(lockedHere)) {
        if (bNetError) bNetError(*this);
        return 0;
    }
    for (TDataBaseRowItem& item : row) {
        const int n = FieldPos(item.name);
        if (n < 1 || n > fieldCount()) continue;
        if (!lReadOnly) area_->FieldPut(areaField(n), item.value);
        item.value = area_->FieldGet(areaField(n));
    }
    if (lockedHere) area_->UnLock();
    Load();
    return RecNo();
}

// ------------------------------------------------------------ buffer

void TDataBase::Load() {
    if (!buffered() || !area_) return;
    aBuffer.clear();
    for (int n = 1; n <= fieldCount(); ++n) aBuffer.push_back(area_->FieldGet(areaField(n)));
}

void TDataBase::SaveBuff() {
    for (int n = 1; n <= fieldCount() && static_cast<std::size_t>(n) <= aBuffer.size(); ++n)
        area_->FieldPut(areaField(n), aBuffer[static_cast<std::size_t>(n - 1)]);
}

bool TDataBase::Save() {
    if (!buffered() || !area_ || Eof() || lReadOnly) return false;
    bool lockedHere = false;
    if (!lockHere(lockedHere)) {
        if (bNetError) bNetError(*this);
        else MSGALERT(Value("Record in use"), Value("Please, retry"));
        return false;
    }
    SaveBuff();
    if (lockedHere) area_->UnLock();
    Load();
    return true;
}

bool TDataBase::Blank() {
    if (!buffered()) return false;
    for (int n = 1; n <= fieldCount() && static_cast<std::size_t>(n) <= aBuffer.size(); ++n) {
        const TDataBaseColumn& c = aStruct[static_cast<std::size_t>(n - 1)];
        aBuffer[static_cast<std::size_t>(n - 1)] = UTYPETOBLANK(c.type, c.length, c.decimals);
    }
    return false;
}

bool TDataBase::Modified() {
    if (!buffered() || !area_) return false;
    for (int n = 1; n <= fieldCount() && static_cast<std::size_t>(n) <= aBuffer.size(); ++n)
        if (!dataBaseSameValue(aBuffer[static_cast<std::size_t>(n - 1)], area_->FieldGet(areaField(n)))) return true;
    return false;
}

bool TDataBase::SetBuffer(bool on) {
    lBuffer = on;
    if (on) Load();
    else aBuffer.clear();
    return on;
}

// ------------------------------------------------------------ records

bool TDataBase::Delete() {
    if (!area_ || Eof() || lReadOnly || area_->Deleted()) return false;
    bool lockedHere = false;
    if (!lockHere(lockedHere)) {
        MSGALERT(Value("DataBase in use"), Value("Please try again"));
        return false;
    }
    const bool done = area_->Delete();
    if (lockedHere) area_->UnLock();
    return done;
}

void TDataBase::ReCall() {
    if (!area_ || Eof() || lReadOnly || !area_->Deleted()) return;
    bool lockedHere = false;
    if (!lockHere(lockedHere)) {
        MSGALERT(Value("DataBase in use"), Value("Please try again"));
        return;
    }
    area_->Recall();
    if (lockedHere) area_->UnLock();
}

bool TDataBase::RecLock(int record) { return area_ && area_->RLock(static_cast<std::uint32_t>(std::max(record, 0))); }
void TDataBase::RecUnLock() { UnLock(); }

bool TDataBase::IsRecLocked(int record) const {
    if (!area_) return false;
    return area_->IsLocked(record > 0 ? static_cast<std::uint32_t>(record) : area_->RecNo());
}

bool TDataBase::Lock() { return area_ && area_->FLock(); }
void TDataBase::UnLock() {
    if (area_) area_->UnLock();
}

// ------------------------------------------------------------ movement

void TDataBase::moved() {
    Load();
    for (auto& [child, key] : relations_) {
        child->Seek(key(*this));
        child->Load();
    }
}

void TDataBase::Skip(int n) {
    if (!area_) return;
    area_->Skip(n);
    moved();
    if (Eof() && bEoF) bEoF(*this);
    if (Bof() && bBoF) bBoF(*this);
}

int TDataBase::Skipper(int n) {
    if (!area_ || LastRec() == 0) return 0;
    int moved = 0;
    if (n > 0) {
        while (moved < n) {
            area_->Skip(1);
            if (area_->Eof()) {
                area_->Skip(-1);
                break;
            }
            ++moved;
        }
    } else {
        while (moved > n) {
            area_->Skip(-1);
            if (area_->Bof()) break;
            --moved;
        }
    }
    this->moved();
    return moved;
}

void TDataBase::GoTo(int n) {
    if (!area_) return;
    area_->GoTo(static_cast<std::uint32_t>(std::max(n, 0)));
    moved();
}

void TDataBase::GoTop() {
    if (!area_) return;
    area_->GoTop();
    moved();
}

void TDataBase::GoBottom() {
    if (!area_) return;
    area_->GoBottom();
    moved();
}

void TDataBase::KeyGoTo(int n) {
    if (!area_) return;
    area_->KeyGoTo(n);
    moved();
}

int TDataBase::BookMark(int record) {
    if (record > 0) GoTo(record);
    return RecNo();
}

bool TDataBase::Seek(const Value& key, bool soft, bool wild, bool last) {
    (void)wild;
    if (!area_ || area_->IndexOrd() == 0) return false;
    const bool found = area_->Seek(key, soft, last);
    moved();
    return found;
}

int TDataBase::SetOrder(const Value& order) {
    if (!area_) return 0;
    if (order.isNumber()) return area_->SetOrder(static_cast<int>(order.number()));
    if (order.isText()) return area_->SetOrder(order.text());
    return area_->IndexOrd();
}

bool TDataBase::CreateIndex(const std::string& tag, const std::string& key, bool descend) {
    if (!area_ || !area_->OrdCreate(tag, key, descend)) return false;
    const std::vector<std::string> orders = ORDERTAGINFO(*area_);
    for (int n = 1; n <= fieldCount(); ++n) {
        const int f = areaField(n);
        if (f > 0) aStruct[static_cast<std::size_t>(n - 1)].order = orders[static_cast<std::size_t>(f - 1)];
    }
    moved();
    return true;
}

bool TDataBase::DeleteIndex(const std::string& tag) { return area_ && area_->OrdDestroy(tag); }

std::string TDataBase::IndexKey(int n) const {
    if (!area_) return {};
    const DbfOrder* o = area_->Order(n ? n : area_->IndexOrd());
    return o ? o->key : std::string();
}

std::string TDataBase::IndexName(int n) const {
    if (!area_) return {};
    const DbfOrder* o = area_->Order(n ? n : area_->IndexOrd());
    return o ? o->tag : std::string();
}

int TDataBase::IndexOrder() const { return area_ ? area_->IndexOrd() : 0; }
int TDataBase::KeyNo() { return area_ ? area_->KeyNo() : 0; }
int TDataBase::KeyCount() { return area_ ? area_->KeyCount() : 0; }

void TDataBase::SetFilter(std::function<bool(TDataBase&)> filter) {
    if (!area_) return;
    filtered_ = static_cast<bool>(filter);
    if (!filter) {
        area_->SetFilter({});
        return;
    }
    // The filter reads the area's values, not a buffer of another record.
    area_->SetFilter([this, filter](DbfArea&) {
        const std::optional<bool> was = lBuffer;
        lBuffer = false;
        const bool shown = filter(*this);
        lBuffer = was;
        return shown;
    });
}

void TDataBase::SetRelation(TDataBase& child, std::function<Value(TDataBase&)> key) {
    relations_.emplace_back(&child, std::move(key));
    moved();
}

void TDataBase::ClearRelation() { relations_.clear(); }

bool TDataBase::Append() {
    if (!area_ || lReadOnly || !area_->Append()) return false;
    moved();
    return true;
}

bool TDataBase::Pack() {
    if (!area_ || lReadOnly) return false;
    const bool ok = area_->Pack();
    moved();
    return ok;
}

bool TDataBase::Zap() {
    if (!area_ || lReadOnly) return false;
    const bool ok = area_->Zap();
    moved();
    return ok;
}

bool TDataBase::Found() const { return area_ && area_->Found(); }
bool TDataBase::Bof() const { return !area_ || area_->Bof(); }
bool TDataBase::Eof() const { return !area_ || area_->Eof(); }
bool TDataBase::Deleted() { return area_ && area_->Deleted(); }
int TDataBase::LastRec() const { return area_ ? area_->RecCount() : 0; }
int TDataBase::RecNo() const { return area_ ? static_cast<int>(area_->RecNo()) : 0; }

// ------------------------------------------------------------ grid browse

void TDataBase::SetXBrowse(XBrowseModel& browse, const std::vector<std::string>& columns, bool sortable,
                           std::optional<bool> autoCols) {
    // The browse lets go of the source it held (its table or rows) and of
    // that source's columns.
    browse.SetArray({}, false);
    browse.aCols.clear();
    browse.aDisplay.clear();
    XbrSource& s = browse.src;
    s.bGoTop = [this] { GoTop(); };
    s.bGoBottom = [this] { GoBottom(); };
    s.bSkip = [this](int n) { return Skipper(n); };
    s.bBof = [this] { return Bof(); };
    s.bEof = [this] { return Eof(); };
    s.bKeyNo = [this] { return KeyNo(); };
    s.bKeyGoTo = [this](int n) { KeyGoTo(n); };
    s.bKeyCount = [this] { return KeyCount(); };
    s.bBookMark = [this] { return Value(RecNo()); };
    s.bBookGoTo = [this](const Value& v) { GoTo(static_cast<int>(v.number())); };
    s.bSaveData = [this] { return !buffered() || !Modified() || Save(); };
    s.bLock = [this] { return !lShared || RecLock(); };
    s.bUnLock = [this] { UnLock(); };
    s.bDelete = [this] { Delete(); };
    browse.nDataType = DATATYPE_ODBF;
    std::vector<std::string> names = columns;
    if (names.empty() && autoCols.value_or(true))
        for (const TDataBaseColumn& c : aStruct) names.push_back(c.name);
    for (const std::string& name : names) {
        const int n = FieldPos(name);
        TXBrwColumn& col = browse.AddCol();
        if (n == 0) {
            col.cHeader = "Col_" + std::to_string(col.nCreationOrder);
            continue;
        }
        const TDataBaseColumn& c = aStruct[static_cast<std::size_t>(n - 1)];
        col.cHeader = c.name;
        col.cDataType = c.type;
        col.nDataLen = c.length;
        col.nDataDec = c.decimals;
        col.lReadOnly = lReadOnly;
        if (sortable && !c.order.empty()) col.cSortOrder = Value(c.order);
        // Buffered edits reach the file when the row is saved.
        col.bEditValue = [this, n](const Value* v) {
            if (!v) return FieldGet(n);
            Value back = FieldPut(n, *v);
            if (buffered()) Save();
            return back;
        };
    }
}

// ------------------------------------------------------------ functions

std::vector<std::string> GETTOKENS(const std::string& expression) {
    std::string e = upper(expression);
    for (std::size_t at; (at = e.find("->")) != std::string::npos;) e.replace(at, 2, "!");
    std::replace(e.begin(), e.end(), '=', ' ');
    std::vector<std::string> tokens;
    std::size_t i = 0;
    auto word = [](char ch) { return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_'; };
    while (i < e.size() && tokens.size() < 10) {
        if (!word(e[i])) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < e.size() && word(e[j])) ++j;
        std::size_t k = j;
        while (k < e.size() && e[k] == ' ') ++k;
        const bool skip = k < e.size() && (e[k] == '!' || e[k] == '(');
        if (!skip && !std::isdigit(static_cast<unsigned char>(e[i]))) tokens.push_back(e.substr(i, j - i));
        i = j;
    }
    return tokens;
}

std::string FIELDINEXPR(const std::string& expression, const std::vector<DbfField>& fields) {
    for (const std::string& t : GETTOKENS(expression))
        for (const DbfField& f : fields)
            if (upper(f.name) == t) return t;
    return {};
}

std::vector<std::string> ORDERTAGINFO(const DbfArea& area) {
    const auto& fields = area.fields();
    std::vector<std::string> tags(fields.size());
    std::vector<std::size_t> placeIn(fields.size(), 0);
    for (int n = 1; n <= area.OrdCount(); ++n) {
        const DbfOrder& o = *area.Order(n);
        const std::vector<std::string> tokens = GETTOKENS(o.key);
        for (std::size_t t = 0; t < tokens.size(); ++t)
            for (std::size_t f = 0; f < fields.size(); ++f)
                if (upper(fields[f].name) == tokens[t] && (tags[f].empty() || t < placeIn[f])) {
                    tags[f] = o.tag;
                    placeIn[f] = t;
                }
    }
    return tags;
}

std::vector<std::string> GETORDNAMES(const DbfArea& area) {
    std::vector<std::string> out;
    for (int n = 1; n <= area.OrdCount(); ++n) {
        out.push_back(STRCAPFIRST(area.Order(n)->tag));
    }
    return out;
}

bool DUPRECORD(DbfArea& area) {
    if (area.Eof()) return false;
    const ValueList copy = area.Record();
    if (!area.Append()) return false;
    if (!area.RLock()) {
        MSGINFO(Value("Record in use"), Value("Please, try again"));
        return false;
    }
    for (int n = 1; n <= static_cast<int>(copy.size()); ++n) area.FieldPut(n, copy[static_cast<std::size_t>(n - 1)]);
    area.UnLock();
    return true;
}

bool TDataBase::CopyTo(const std::string& file, const std::string& fields, const DbfScope& scope) {
    return area_ && dbfCopyTo(*area_, file, fields, scope);
}

bool TDataBase::AppendFrom(const std::string& file, const std::string& fields,
                           const std::function<bool(DbfArea&)>& forTrue) {
    if (!area_ || lReadOnly) return false;
    const bool ok = dbfAppendFrom(*area_, file, fields, forTrue);
    Load();
    return ok;
}

}  // namespace wl
