// What the export asks of its caller: the save dialog, the questions and
// messages, and the ODBC connection. The dialog and the batch mode answer
// them with their windows; tests answer them from a script.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zr {

// The ODBC connection the "D" writer works through. The Windows build hands
// one over the driver manager; tests hand one of their own.
class ExportTableSink {
public:
    virtual ~ExportTableSink() = default;
    struct Column {
        std::string name;
        int width = 0;
        bool primaryKey = false;
    };
    // Connects to the data source; false when that fails.
    virtual bool connect(const std::string& dataSource) = 0;
    virtual std::vector<std::string> tables() = 0;
    virtual bool create(const std::string& table, const std::vector<Column>& columns) = 0;
    // The values of one column of every row of the table.
    virtual std::vector<std::string> columnValues(const std::string& table, const std::string& column) = 0;
    // Runs a query; the number of rows it finds (-1 when it fails).
    virtual long long countRows(const std::string& sql) = 0;
    // Inserts one row (names and values in the same order); false on failure.
    virtual bool insert(const std::string& table, const std::vector<std::string>& names,
                        const std::vector<std::string>& values) = 0;
    virtual void commit() = 0;
};

// One table the ODBC data-source mode fills: where, for which set, with
// which fields (the first is the table's key).
struct OdbcExportDefinition {
    std::string dataSource;
    std::string table;
    std::string transactionType;  // "837", "835"...
    std::vector<std::string> fields;
};

// What the engine asks its caller. Missing answers mean: no name (the save
// dialog cancelled), No, and nothing shown.
struct ExportPrompts {
    // The save dialog "Export to File": the title, the offered name and the
    // folder in, the chosen path out ("" when cancelled).
    std::function<std::string(const std::string& title, const std::string& offered, const std::string& folder)>
        saveName;
    // A no/yes question: the text and the title in, true for Yes.
    std::function<bool(const std::string& text, const std::string& title)> askYes;
    // A message window.
    std::function<void(const std::string& text)> show;
    // The "D" writer's connection; without one nothing reaches a table.
    std::function<std::unique_ptr<ExportTableSink>()> openSink;
    // The definitions of the data-source mode for the request's sixth item;
    // none (nothing exported) when not given.
    std::function<std::vector<OdbcExportDefinition>(const std::string& item)> odbcDefinitions;
};

}  // namespace zr
