// A dBASE table opened in a work area: the table with its record pointer
// and the two end flags, moved the way the table functions move it (a
// skip past the last record stands on the phantom record after it with
// the end flag up; a skip before the first stays on it with the start flag
// up). The areas open in the process are found by alias, and one of them
// is the selected (current) table.
// The engine keeps no index orders: the records' own order stands in for
// one, so a seek walks the records from the first. Record locks are held
// within this process: a record locked through one area cannot be locked
// through another area open on the same file.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "dbf_file.hpp"
#include "value.hpp"

namespace wl {

// Records locked in the process: the file's key and the record number.
using DbfLocks = std::set<std::pair<std::string, std::uint32_t>>;

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

    // Locks the current record; false when another area holds its lock.
    bool RLock();
    void UnLock();
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

    DbfFile file_;
    std::string path_, alias_;
    std::uint32_t recNo_ = 1;
    bool bof_ = false, eof_ = false;
    std::optional<std::uint32_t> locked_;
    std::shared_ptr<DbfLocks> locks_;
};

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
