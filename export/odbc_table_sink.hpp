// The ODBC connection of the export's "D" writer over the library's TOdbc
// (Windows builds): a connection failure is shown as the library shows it;
// later failures are answered to the writer, which logs the rows concerned.
#pragma once

#include <memory>

#include "export_prompts.hpp"

namespace zr {

std::unique_ptr<ExportTableSink> odbcTableSink();

}  // namespace zr
