// The schema generator's dialogs: the transactions and their maps, the
// schema editor with its tables, the table dialog, and the transaction and
// field choosers. No menu starts them; the generator is an entry a caller
// may start with the schema file's name.
#pragma once

#include <string>
#include <vector>

#include "schema_file.hpp"
#include "viewer_dialog.hpp"

namespace zr {

using SchemaLabels = std::array<std::string, kSchemaTransactionCount>;

// The labels of kSchemaTransactions, in table order.
SchemaLabels schemaLabels();

// CTLD50900: the "Schema Generator" dialog over the schema file.
void CTLD50900(const std::string& schemaFile, const ViewerUi& ui = {});

// CTLD50900A: the "Schema Editor" dialog: the tables of the file, saved
// with the flags and map names.
void CTLD50900A(const std::string& schemaFile, const SchemaFlags& flags, const SchemaMaps& maps,
                const SchemaLabels& labels, const ViewerUi& ui = {});

enum class TableDialogMode { Edit = 0, Add = 1 };
// CTLD50900E: the "Edit Table" / "Add Table" dialog; answers the table list
// as it leaves it. `row` is 1-based (edit mode).
SchemaTables CTLD50900E(const std::vector<std::string>& includedCodes, std::size_t row, TableDialogMode mode,
                        const std::string& schemaFile, SchemaTables tables, const SchemaFlags& flags,
                        const SchemaMaps& maps, const SchemaLabels& labels, const ViewerUi& ui = {});

// CTLD50900F: "Add Field to Table": the names chosen from the transaction's
// map; none on "Exit".
std::vector<std::string> CTLD50900F(const std::string& code, const SchemaMaps& maps, const ViewerUi& ui = {});

// CTLD50900P: "Select a Transaction Type": the chosen code, "" on "Exit".
std::string CTLD50900P(const std::vector<std::string>& includedCodes, const ViewerUi& ui = {});

}  // namespace zr
