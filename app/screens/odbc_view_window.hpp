// The log display's ODBC screens: the data view of mode 5 ("View ODBC
// Data"), its table picker "Select Table" (CTLD33501A) and the conversion
// tool's "Select DSN" dialog (CTLD48401G), over TOdbc and TDbOdbc.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "db_odbc.hpp"
#include "odbc.hpp"
#include "odbc_view.hpp"
#include "viewer_dialog.hpp"

namespace zr {

// CTLD33501A: the table chosen in "Select Table" (a browse titled "ODBC
// File" of the connection's tables, "Cancel" and "Select"); "" when
// cancelled, and after "Table Error" when the count is 0.
std::string CTLD33501A(int count, wl::TOdbc& connection, const ViewerUi& ui = {});
// CTL33501B: the table shown in row index (from 1) of "Select Table".
std::string CTL33501B(const std::vector<std::string>& tables, std::size_t index);

// CTL33500H: the number of tables of the connection.
int CTL33500H(wl::TOdbc& connection);
// CTL33500J: the record count of the open table.
std::int64_t CTL33500J(wl::TDbOdbc& table);
// CTL33500I: the field list (record 0) or the values of the record.
std::vector<std::string> CTL33500I(wl::TDbOdbc& table, std::int64_t record);
// What the view shows: its lines and its status line.
struct OdbcViewPage {
    std::vector<std::string> lines;
    std::string status;
};
// CTL33500K: the page of the table at the record (0: its fields).
OdbcViewPage CTL33500K(wl::TDbOdbc& table, const std::string& name, std::int64_t record);
// CTL33500G: the text of browse row index (from 1) of the page.
std::string CTL33500G(const OdbcViewPage& page, std::size_t index);

// CTL33500M: prints the lines on the default printer as the job " ODBC
// View ", 60 lines a page. No menu offers it.
void CTL33500M(const std::vector<std::string>& lines);
// CTL33500N: copies the table of the data source into a new dBASE table
// "testdata" in the folder, with the same fields; false (after saying why)
// when it could not. No menu offers it.
bool CTL33500N(const std::string& dataSource, const std::string& table, const std::string& folder);

// Mode 5 of the log display: "View ODBC Data".
void odbcDataView(const ViewerUi& ui = {});

// CTLD48401G: "Select DSN": data source + ":" + table, or "" when
// cancelled or no data source is offered.
std::string CTLD48401G(const ViewerUi& ui = {});

}  // namespace zr
