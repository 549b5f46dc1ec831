#include "odbc_table_sink.hpp"

#include "odbc.hpp"
#include "odbc_export_text.hpp"
#include "value.hpp"

namespace zr {

namespace {

class OdbcTableSink : public ExportTableSink {
public:
    bool connect(const std::string& dataSource) override {
        odbc_ = std::make_unique<wl::TOdbc>(dataSource);
        // Past the connection a failing row is the writer's to report, not
        // a box per row.
        odbc_->lShowError = false;
        return odbc_->lSuccess();
    }
    std::vector<std::string> tables() override { return odbc_->GetTables("*", false); }
    bool create(const std::string& table, const std::vector<Column>& columns) override {
        std::vector<wl::CreateColumn> c;
        for (const Column& col : columns) {
            wl::CreateColumn cc{col.name, 'C', col.width, 0, std::nullopt};
            if (col.primaryKey) cc.extra = "NOT NULL PRIMARY KEY";
            c.push_back(cc);
        }
        return odbc_->Create(table, c);
    }
    std::vector<std::string> columnValues(const std::string& table, const std::string& column) override {
        std::vector<std::string> values;
        rows(sqlSelectColumn(table, column), [&](const std::vector<wl::ColumnDescription>& columns, SQLHSTMT stmt) {
            values.push_back(wl::CVALTOCHAR(odbc_->GetValue(1, stmt, columns)));
        });
        return values;
    }
    long long countRows(const std::string& sql) override {
        long long n = 0;
        if (!rows(sql, [&](const std::vector<wl::ColumnDescription>&, SQLHSTMT) { ++n; })) return -1;
        return n;
    }
    bool insert(const std::string& table, const std::vector<std::string>& names,
                const std::vector<std::string>& values) override {
        return odbc_->Execute(sqlInsert(table, names, values), "Export row");
    }
    void commit() override { odbc_->Commit(); }

private:
    // Runs the query and hands each row to `row`; false when it fails.
    template <class Row>
    bool rows(const std::string& sql, const Row& row) {
        wl::OdbcStatement stmt(odbc_->AllocStatement());
        if (!stmt || !odbc_->Execute(sql, "Export query", stmt.get())) return false;
        const std::vector<wl::ColumnDescription> columns = odbc_->CursorFields(stmt.get());
        while (odbc_->Fetch(stmt.get())) row(columns, stmt.get());
        return true;
    }

    std::unique_ptr<wl::TOdbc> odbc_;
};

}  // namespace

std::unique_ptr<ExportTableSink> odbcTableSink() { return std::make_unique<OdbcTableSink>(); }

}  // namespace zr
