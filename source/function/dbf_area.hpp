// A dBASE table opened in a work area: the table with its record pointer
// and the two end flags, moved the way the table functions move it (a
// skip past the last record stands on the phantom record after it with
// the end flag up; a skip before the first stays on it with the start flag
// up). The areas open in the process are found by alias, and one of them
// is the selected (current) table.
// Index orders are kept in memory per area (built from the records when an
// order is created and again after a write changes them): with an order
// active, movement follows its keys and seeks find keys by halving; with
// none, the records' own order. A filter passes over the records it
// refuses. A record locked through one area cannot be locked through
// another area open on the same file, nor can the file while another area
// holds a lock on it; the locks are also byte ranges of the file (the
// dBASE convention), so other programs sharing the table see them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "dbf_file.hpp"
#include "file_region_lock.hpp"
#include "value.hpp"

namespace wl {

// Records locked in the process: the file's key and the record number;
// record 0 stands for the whole file.
using DbfLocks = std::set<std::pair<std::string, std::uint32_t>>;

// An index order: its tag, its key expression (field names joined by "+",
// optionally inside UPPER(...)), and the records in key order.
struct DbfOrder {
    std::string tag, key;
    std::vector<int> fields;  // positions from 1
    bool upperCase = false;
    bool descend = false;
    std::vector<std::uint32_t> records;
    std::vector<std::uint32_t> positions;  // by record number: index in records
};

// A filter: true for a record the area shows (the area stands on it).
class DbfArea;
using DbfFilter = std::function<bool(DbfArea&)>;

class DbfArea {
public:
    // Opens the table; the alias defaults to the file's base name in
    // upper case. Nothing when the file cannot be opened as a table.
    static std::shared_ptr<DbfArea> open(const std::string& path, std::string alias = {});
    ~DbfArea();
    DbfArea(const DbfArea&) = delete;
    DbfArea& operator=(const DbfArea&) = delete;

    const std::string& Alias() const { return alias_; }
    const std::string& path() const { return path_; }
    const std::vector<DbfField>& fields() const { return file_.fields(); }
    DbfFile& file() { return file_; }

    int RecCount() const { return static_cast<int>(file_.recordCount()); }
    // The current record; RecCount() + 1 on the phantom record.
    std::uint32_t RecNo() const { return recNo_; }
    bool Bof() const { return bof_; }
    bool Eof() const { return eof_; }

    void GoTop();
    void GoBottom();
    void GoTo(std::uint32_t n);
    void Skip(int n = 1);

    // The field's position from 1 (names compared ignoring case), 0 none.
    int FieldPos(const std::string& name) const;
    // The field's value on the current record; the blank value of the
    // field's type on the phantom record.
    Value FieldGet(int pos);
    ValueList Record();
    // Writes the field of the current record; false on the phantom record
    // or a write error.
    bool FieldPut(int pos, const Value& v);

    // Locks the current record (or record n); false when another area
    // holds its lock or the file's. One record lock per area: locking
    // another record releases the first.
    bool RLock(std::uint32_t n = 0);
    // Locks the file; false when another area holds a lock on it.
    bool FLock();
    // Releases the area's record and file locks.
    void UnLock();
    bool IsLocked(std::uint32_t n) const { return fileLocked_ || (locked_ && *locked_ == n); }
    bool FileLocked() const { return fileLocked_; }

    bool Deleted();
    bool Recall();
    bool Zap();

    // Orders. OrdCreate builds (or rebuilds) the tag and makes it active;
    // false for a key naming no field. SetOrder(0 or "") returns to the
    // records' own order; the result is the order active before (0 none).
    bool OrdCreate(const std::string& tag, const std::string& key, bool descend = false);
    int SetOrder(int n);
    int SetOrder(const std::string& tag);
    int IndexOrd() const { return order_; }
    int OrdCount() const { return static_cast<int>(orders_.size()); }
    const DbfOrder* Order(int n) const;
    bool OrdDestroy(const std::string& tag);
    // The active order's key value of the current record (texts joined).
    Value OrdKeyVal();
    // Seek on the active order: the first record whose key starts with the
    // key (soft: else the first above it, or the end). With lLast the last
    // record matching. With no active order, false and the area stays.
    bool Seek(const Value& key, bool soft = false, bool last = false);
    bool Found() const { return found_; }
    // The current record's position in the active order (or record
    // number), the records visible (filter applied), and going to one.
    int KeyNo();
    int KeyCount();
    void KeyGoTo(int n);

    void SetFilter(DbfFilter filter);
    bool HasFilter() const { return static_cast<bool>(filter_); }
    // Appends a blank record and stands on it.
    bool Append();
    // Marks the current record deleted.
    bool Delete();
    // Removes the deleted records and goes to the first record.
    bool Pack();
    // Soft seek on a field: the first record whose field is at least the
    // value (texts compared over the value's length), else the end.
    void SoftSeek(int pos, const Value& v);

private:
    DbfArea(DbfFile file, std::string path, std::string alias);
    void settle();
    void changed();
    void rebuild(DbfOrder& o);
    ValueList keyOf(const DbfOrder& o, std::uint32_t rec);
    // The record after (dir 1) or before (dir -1) rec in the sequence the
    // area walks; 0 past either end. first(dir) is the first of the walk.
    std::uint32_t step(std::uint32_t rec, int dir);
    std::uint32_t first(int dir);
    bool visible(std::uint32_t rec);
    // Stands on a visible record from rec walking dir (rec itself when
    // visible); the end when none.
    void land(std::uint32_t rec, int dir);
    std::size_t orderPos(std::uint32_t rec);
    DbfOrder* active();

    DbfFile file_;
    std::string path_, alias_;
    std::uint32_t recNo_ = 1;
    bool bof_ = false, eof_ = false;
    std::optional<std::uint32_t> locked_;
    bool fileLocked_ = false;
    bool found_ = false;
    std::shared_ptr<DbfLocks> locks_;
    FileRegionLocks regions_;
    std::vector<DbfOrder> orders_;
    int order_ = 0;
    bool ordersStale_ = false;
    DbfFilter filter_;
};

// The aliases of the open areas, in alphabetical order.
std::vector<std::string> AGETWORKAREAS();
// alias when no area uses it, else the first of alias + "001", "002", ...
// that is free.
std::string CGETNEWALIAS(const std::string& alias);

// Orders two field values as the table does for keys: texts over the
// right-hand side's length (so "ABC" equals "A"), numbers, dates, logicals
// (false first). Values of different kinds compare equal.
int dbfCompare(const Value& field, const Value& key);

// The areas of the process by alias (upper case). Opening under an alias
// in use closes the table that held it.
std::shared_ptr<DbfArea> USEAREA(const std::string& path, const std::string& alias = {});
std::shared_ptr<DbfArea> dbfAreaOf(const std::string& alias);
// The selected area and its alias ("" when none is open).
std::shared_ptr<DbfArea> dbfSelected();
void dbfSelect(const std::string& alias);
// Closes the area (the selected one when alias is ""); false when none.
bool dbfCloseArea(const std::string& alias = {});

}  // namespace wl
