// TDbOdbc: a table, some columns of a table, or a SELECT of an ODBC data
// source as a navigable record set over a scrollable cursor (one row per
// rowset, moved with SQLExtendedFetch). The current row's values sit in a
// buffer; changed values are written back with UPDATE, keyed on the
// table's primary key, before the row is left. Orders, filters and seeks
// are new statements.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "odbc.hpp"
#include "text.hpp"

namespace wl {

class TDbOdbc {
public:
    // New: builds the statement from the source, reads the primary keys,
    // runs it and stands on the first row. A failure leaves lNetErr set.
    TDbOdbc(const std::string& source, TOdbc* odbc, int workArea = 0, const std::string& alias = "",
            bool readOnly = false, SourcePlace where = SourcePlace::current());
    ~TDbOdbc();
    TDbOdbc(const TDbOdbc&) = delete;
    TDbOdbc& operator=(const TDbOdbc&) = delete;

    void End();
    int Execute(std::optional<std::string> sql);
    bool AllocStatement();
    int InitFields();
    void PrimaryKeys();
    void AddPrimaryKey(const std::string& name) { aFldPrimary_.push_back(upper(name)); }

    void GoTop(SourcePlace where = SourcePlace::current());
    void GoBottom(SourcePlace where = SourcePlace::current());
    bool GoToId(std::int64_t n, SourcePlace where = SourcePlace::current());
    bool GoTo(std::int64_t n, SourcePlace where = SourcePlace::current()) { return GoToId(n, where); }
    int Skip(int n = 1, SourcePlace where = SourcePlace::current());
    std::int64_t Skipper(std::int64_t n = 1, SourcePlace where = SourcePlace::current());
    std::int64_t RecCount(bool force = false, SourcePlace where = SourcePlace::current());
    std::int64_t LastRec(bool force = false) { return RecCount(force); }
    std::int64_t RecNo() const { return nRecno_; }
    bool Bof() const { return lBof_; }
    bool Eof() const { return lEof_; }
    bool Found() const { return lFound_; }

    void Load(bool blank = false);
    Value FieldGet(int n) const;
    bool FieldPut(int n, const Value& v);
    bool PutValue(int n, char type, const Value& v);
    bool FieldModified(int n) const;
    // The time of day, in seconds, of a timestamp column's value on the
    // current row (its value keeps the date alone); 0 for other columns.
    int FieldSeconds(int n) const;
    std::string FieldName(int n) const;
    std::string Field(int n) const { return FieldName(n); }
    char FieldType(int n) const;
    int FieldLen(int n) const;
    int FieldDec(int n) const;
    int FieldTypeSQL(int n) const;
    bool FieldNull(int n) const;
    int Fieldpos(const std::string& name) const;
    int FCount() const { return static_cast<int>(aFields_.size()); }
    const std::vector<ColumnDescription>& aStruct() const { return aFields_; }

    // Writes the changed values. Values that cannot be written stay in the
    // buffer, still marked changed, and the row is not left.
    bool Update(bool force = false, SourcePlace where = SourcePlace::current());
    bool Append(SourcePlace where = SourcePlace::current());
    bool Delete(SourcePlace where = SourcePlace::current());
    bool Deleted() const { return false; }
    bool CanEdit();
    int Cancel();
    // Gives up the buffer's changes: the row's values as read.
    void CancelUpdate();
    bool Refresh(bool top = false, SourcePlace where = SourcePlace::current());
    void SetOrder(const std::string& order, SourcePlace where = SourcePlace::current());
    void OrdListAdd(const std::string& order) { SetOrder(order); }
    void SetFilter(const std::string& filter, SourcePlace where = SourcePlace::current());
    bool Seek(const Value& v, SourcePlace where = SourcePlace::current());

    int Prepare(const std::string& sql);
    std::string GetOptions(int option);
    int SetCurName(const std::string& name);
    std::string GetCurName();
    bool RecordLock();
    bool Lock() const;
    bool UnLock() { return Update(); }
    std::string OrdInfo() const { return {}; }
    void OrdListClear() {}
    void OrdListFocus() {}
    void Pack() {}

    // A dBASE table of the cursor's structure (in TEMP when no file is
    // given); with fill, every row copied into it and the cursor returned
    // to its row. The file name, "" when the table could not be made.
    std::string GenDbf(std::string file = {}, bool fill = false);
    // The column at the position of the selected work area's field, and the
    // field at the position of the column; "" when absent.
    std::string DbfFld2SQLFld(const std::string& dbfField) const;
    std::string SQLFld2DbfFld(const std::string& column) const;

    const std::string& cFileName() const { return cFileName_; }
    const std::string& cSelect() const { return cSelect_; }
    const std::string& cOrder() const { return cOrder_; }
    const std::string& cFilter() const { return cFilter_; }
    const std::vector<std::string>& aFldPrimary() const { return aFldPrimary_; }
    const std::vector<OrderItem>& aIndex() const { return aIndex_; }
    bool lNeedUpd() const { return lNeedUpd_; }
    bool lError() const { return lError_; }
    bool lNetErr() const { return lNetErr_; }
    bool lReadOnly() const { return lReadOnly_; }
    int nWorkArea() const { return nWorkArea_; }
    const std::string& cAliasName() const { return cAliasName_; }
    SQLHSTMT hStmt() const { return hStmt_.get(); }
    TOdbc* oOdbc() const { return oOdbc_; }

private:
    bool runAndRefresh(OdbcStatement& stmt, const std::string& sql);
    // The place of the first caller outside the class, for error locations.
    struct Entry {
        Entry(TDbOdbc& t, const SourcePlace& where);
        ~Entry();
        TDbOdbc& table;
    };
    void SQLError(SQLHSTMT stmt, const std::string& operation);
    std::string GenSelect(const std::string& source);
    std::string GenWhere() const;
    int fetchTo(int orientation, std::int64_t offset, const std::string& operation, bool acceptNoData = true);
    int Fetch(int n, const std::string& operation);
    Value readColumn(int n, SQLHSTMT stmt, bool& isNull);
    void loadRow();
    bool columnIndex(int n) const { return n >= 1 && n <= FCount(); }
    std::string keyDefault(const ColumnDescription& c);

    TOdbc* oOdbc_ = nullptr;
    OdbcStatement hStmt_;
    std::vector<ColumnDescription> aFields_;
    std::vector<std::string> aFldPrimary_;
    ValueList aBuffer_, aDataOrg_;
    std::vector<bool> aDataNull_;
    std::vector<int> aSeconds_;
    std::vector<OrderItem> aIndex_;
    std::string cFileName_, cAliasName_, cSource_, cSelect_, cOrder_, cFilter_;
    std::int64_t nRecno_ = 0;
    std::optional<std::int64_t> nRecCount_;
    int nWorkArea_ = 0;
    bool lBof_ = true, lEof_ = true, lFound_ = false;
    bool lNeedUpd_ = false, lError_ = false, lReadOnly_ = false, lNetErr_ = false;
    SourcePlace caller_;
    int depth_ = 0;
};

}  // namespace wl
