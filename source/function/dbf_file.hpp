// dBASE tables with records: character (C), numeric (N), date (D), logical
// (L) and memo (M) fields, the memos in a dBASE III .DBT beside the table
// (512-byte blocks, each text ended by two 0x1A bytes). Records are read
// and written in place; the header's record count follows each append.
#pragma once

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "dbf_table.hpp"
#include "value.hpp"

namespace wl {

class DbfFile {
public:
    // Creates the table (and its .DBT when a field is a memo), replacing
    // files of those names; nullopt when they cannot be written.
    static std::optional<DbfFile> create(const std::string& path, const std::vector<DbfField>& fields);
    // Opens an existing table for reading and writing.
    static std::optional<DbfFile> open(const std::string& path);

    DbfFile(DbfFile&&) = default;
    DbfFile& operator=(DbfFile&&) = default;

    const std::vector<DbfField>& fields() const { return fields_; }
    std::uint32_t recordCount() const { return count_; }
    // The memo file's path, "" when the table has no memo field.
    const std::string& memoPath() const { return memoPath_; }

    // Appends a record (missing values blank); false on a write error.
    bool append(const ValueList& values);
    // The values of record n (from 1): C padded text, N number, D date,
    // L logical, M text; {} beyond the records.
    ValueList read(std::uint32_t n);
    // Rewrites record n with the values.
    bool write(std::uint32_t n, const ValueList& values);
    bool deleted(std::uint32_t n);
    bool setDeleted(std::uint32_t n, bool deleted);
    // Empties the table (and its memo file).
    bool zap();
    // Removes the deleted records, keeping the others in order.
    bool pack();

    // The field's bytes of a value (memo fields: the block number text).
    std::string fieldBytes(const DbfField& f, const Value& v);
    Value fieldValue(const DbfField& f, std::string_view bytes);

private:
    DbfFile() = default;
    bool readHeader();
    bool writeCount();
    std::uint64_t recordOffset(std::uint32_t n) const { return headerSize_ + std::uint64_t(n - 1) * recordSize_; }
    std::string recordBytes(const ValueList& values, bool deleted);
    std::uint32_t writeMemo(const std::string& text);
    std::string readMemo(std::uint32_t block);

    std::string path_, memoPath_;
    std::fstream file_, memo_;
    std::vector<DbfField> fields_;
    std::uint32_t count_ = 0;
    std::uint32_t headerSize_ = 0, recordSize_ = 0;
};

// A file name in folder that does not exist yet: "__" + the time of day as
// hhmmss + "." + extension (formed again, a moment later, while it exists).
std::string CTEMPFILE(const std::string& folder = "", const std::string& extension = "");

// The memo file's name of a table: the table's name with the extension .DBT.
std::string dbfMemoPath(const std::string& tablePath);

}  // namespace wl
