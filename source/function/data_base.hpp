// TDataBase: one work area as an object. It adopts (or opens) a dBASE
// table's area, moves its record pointer, optionally holds the current
// record's values in a buffer until they are saved, locks records in
// shared mode before writing, adds computed columns and aliases for
// fields, exchanges rows as name/value lists, seeks on the area's orders,
// filters and relates areas, and binds a grid browse model. The small
// functions of the same job (type conversion, key tokens, order names of
// fields) live here too.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dbf_area.hpp"
#include "table_transfer.hpp"
#include "value.hpp"

namespace wl {

class XBrowseModel;
class TDataBase;

// A column: a field of the area or a computed column (block set).
struct TDataBaseColumn {
    std::string name;
    char type = 'C';
    int length = 10, decimals = 0;
    std::string picture;  // numeric columns: NUMPICT(length, decimals)
    std::string order;    // an order whose key uses the field
    // Computed columns: reads with nullptr, writes with a value.
    std::function<Value(TDataBase&, const Value*)> block;
};

// One item of RowGet/RowPut: the name, the value, always true, and the
// numeric column's picture.
struct TDataBaseRowItem {
    std::string name;
    Value value;
    bool edit = true;
    std::string picture;
};
using TDataBaseRow = std::vector<TDataBaseRowItem>;

class TDataBase {
public:
    // With no argument: the selected area adopted. With a text: the alias
    // of an open area adopted, or else the name of an existing file kept
    // in cFile (nothing opened).
    TDataBase();
    explicit TDataBase(const std::string& aliasOrFile);
    // Only the values are kept; nothing is opened.
    TDataBase(std::string alias, std::string file, std::string driver, bool shared = true, bool readOnly = false);
    ~TDataBase();
    TDataBase(const TDataBase&) = delete;
    TDataBase& operator=(const TDataBase&) = delete;

    bool Open(const std::string& alias, const std::string& file, const std::string& driver = "DBFNTX",
              bool shared = true, bool readOnly = false);
    // Opens cFile in a new area (alias CGETNEWALIAS of cAlias or "TDF").
    bool Use();
    void SetArea(std::shared_ptr<DbfArea> area);
    // Opens the table again when its area was closed.
    bool Activate();
    void Close();
    void Deactivate();
    bool Used() const;

    // Columns: fields first, then computed columns.
    Value FieldGet(int n);
    Value FieldGet(const std::string& name) { return FieldGet(FieldPos(name)); }
    Value FieldPut(int n, const Value& v);
    Value FieldPut(const std::string& name, const Value& v) { return FieldPut(FieldPos(name), v); }
    int FieldPos(const std::string& name) const;
    std::string FieldName(int n) const;
    char FieldType(int n) const;
    void FieldType(int n, char type);
    int FCount() const { return static_cast<int>(aStruct.size()); }
    // Reads with nullptr, writes with a value.
    std::function<Value(const Value*)> FieldBlock(int n);
    // A computed column; the name gets "01".."99" when taken. type 0, or
    // length/decimals -1, are learnt from the value. Its position.
    int AddCol(std::string name, std::function<Value(TDataBase&, const Value*)> block, char type = 0, int length = -1,
               int decimals = -1, std::string picture = {}, std::string order = {});
    // A field seen under another name; false when the new name is taken.
    bool MapCol(const std::string& field, const std::string& newName);

    // {name, value, true, picture}; blank values with blank or at the end.
    TDataBaseRow RowGet(const std::vector<std::string>& names = {}, bool blank = false);
    // Writes the row's fields to record `record` (0 or less, or beyond the
    // last, or an empty table: a new record); the items take the values
    // read back. The record written, 0 when read-only with a new record.
    int RowPut(TDataBaseRow& row, int record, bool commit = true);
    int RowPut(TDataBaseRow& row, bool append, bool commit = true);

    // The buffer.
    void Load();
    // Writes the buffer (locking in shared mode); false when refused.
    bool Save();
    void SaveBuff();
    bool Blank();
    bool Modified();
    bool Updated() { return Modified(); }
    void RollBack() { Load(); }
    bool SetBuffer(bool on = true);

    // COPY TO from the object's area and APPEND FROM into it (the buffer
    // reloaded after an append); false when the other table fails.
    bool CopyTo(const std::string& file, const std::string& fields = {}, const DbfScope& scope = {});
    bool AppendFrom(const std::string& file, const std::string& fields = {},
                    const std::function<bool(DbfArea&)>& forTrue = {});

    bool Delete();
    void ReCall();
    bool RecLock(int record = 0);
    void RecUnLock();
    bool IsRecLocked(int record = 0) const;
    bool Lock();
    void UnLock();

    void Skip(int n = 1);
    int Skipper(int n = 1);
    void GoTo(int n);
    void GoTop();
    void GoBottom();
    void KeyGoTo(int n);
    void MoveFirst() { GoTop(); }
    void MoveLast() { GoBottom(); }
    void MovePrevious() { Skip(-1); }
    void MoveNext() { Skip(1); }
    void Move(int n) { Skip(n); }
    int BookMark(int record = 0);

    // False with no active order; upper-cased for an UPPER key; wild
    // seeks are not kept by the engine and seek as a plain prefix.
    bool Seek(const Value& key, bool soft = false, bool wild = false, bool last = false);
    // Orders of the area: by tag or number; the one active before.
    int SetOrder(const Value& order);
    bool CreateIndex(const std::string& tag, const std::string& key, bool descend = false);
    bool DeleteIndex(const std::string& tag);
    std::string IndexKey(int n = 0) const;
    std::string IndexName(int n = 0) const;
    int IndexOrder() const;
    int KeyNo();
    int KeyCount();

    void SetFilter(std::function<bool(TDataBase&)> filter);
    // After each movement of this area, child (which must outlive the
    // relation) seeks the key.
    void SetRelation(TDataBase& child, std::function<Value(TDataBase&)> key);
    void ClearRelation();

    bool Append();
    void Commit() {}
    bool Pack();
    bool Zap();
    bool Found() const;
    bool Bof() const;
    bool Eof() const;
    bool Deleted();
    int LastRec() const;
    int RecCount() const { return LastRec(); }
    int RecNo() const;

    // Binds the grid browse model (which must not outlive the object): the
    // object as its source (data type
    // 16), one column per name of columns (every column when none and
    // autoCols), editing through FieldBlock, sorting by the column's order
    // with sortable; a row is saved when left.
    void SetXBrowse(XBrowseModel& browse, const std::vector<std::string>& columns = {}, bool sortable = false,
                    std::optional<bool> autoCols = std::nullopt);

    DbfArea* area() const { return area_.get(); }

    std::optional<bool> lBuffer;
    bool lShared = true;
    ValueList aBuffer;
    std::function<void(TDataBase&)> bBoF, bEoF;
    // A record could not be locked; the result is the failed call's.
    std::function<Value(TDataBase&)> bNetError;
    std::string cAlias, cFile, cDriver = "DBFNTX";
    bool lReadOnly = false;
    std::vector<std::string> aFldNames;
    std::vector<TDataBaseColumn> aStruct;
    std::map<std::string, int> hFlds;  // upper-case name to position
    Value Cargo;

private:
    bool buffered() const { return lBuffer.value_or(false); }
    int fieldCount() const { return static_cast<int>(aFldNames.size()); }
    int areaField(int n) const;
    bool lockHere(bool& lockedHere);
    void moved();

    std::shared_ptr<DbfArea> area_;
    bool filtered_ = false;
    std::vector<std::pair<TDataBase*, std::function<Value(TDataBase&)>>> relations_;
};

// Up to ten upper-case tokens of a key expression, leaving out alias and
// function names.
std::vector<std::string> GETTOKENS(const std::string& expression);
// The first token of the expression that is a field name, "" when none.
std::string FIELDINEXPR(const std::string& expression, const std::vector<DbfField>& fields);
// The order names of the area's fields (upper case, "" none): a later
// order replaces an earlier one when the field stands earlier in its key.
std::vector<std::string> ORDERTAGINFO(const DbfArea& area);
// The area's order names, first letter upper case, the rest lower.
std::vector<std::string> GETORDNAMES(const DbfArea& area);
// Appends a copy of the current record; false (after "Record in use")
// when the new record cannot be locked.
bool DUPRECORD(DbfArea& area);

}  // namespace wl
