// The table-configuration file: per table its transaction type, data
// source and fields. The engine can take its map name from it; the driver
// never names such a file, so in this system it is read only when a caller
// passes one.
#pragma once

#include <string>
#include <vector>

namespace zr {

struct TableConfigEntry {
    std::string name;             // TABLE=
    // TRANSACTIONTYPE=, DRIVER=, DSN= and DIRECTORY= share this one value
    // (the last of them wins).
    std::string transactionType;
    std::string server;           // SERVER= or DRIVE=
    std::string user;             // USER=
    std::string password;         // PASSWORD=
    std::string keyField;         // KEYFIELD=
    std::string options;          // OPTIONS=
    std::string fields;           // every FIELD= value followed by CR LF
};

struct TableConfig {
    std::vector<TableConfigEntry> entries;
    std::vector<std::string> lines;  // the trimmed lines of the file
};

// CTLD48400AD: reads the file (no entries when it does not exist).
TableConfig CTLD48400AD(const std::string& fileName);

// CTLD48400AE: with an existing configuration file and no map chosen yet,
// the map named by the configuration line of the source's transaction type;
// otherwise the map name it was given.
std::string CTLD48400AE(const std::string& configFile, const std::string& mapName, const std::string& source);

}  // namespace zr
