#include "record_set_functions.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "dbf_area.hpp"
#include "dbf_file.hpp"
#include "messages.hpp"
#include "text.hpp"

namespace wl {

std::unique_ptr<TOdbc> WL_OPENADOCONNECTION(const std::string& source, bool showError) {
    auto connection = std::make_unique<TOdbc>(source);
    if (connection->lSuccess()) return connection;
    if (showError) WL_SHOWADOERROR(*connection);
    return nullptr;
}

std::unique_ptr<TDbOdbc> WL_OPENRECORDSET(TOdbc& connection, const std::string& source) {
    auto recordSet = std::make_unique<TDbOdbc>(source, &connection);
    if (!recordSet->lNetErr()) return recordSet;
    WL_SHOWADOERROR(connection);
    return nullptr;
}

std::string WL_SHOWADOERROR(const TOdbc& connection, bool silent) {
    const auto& errors = connection.aErrors().entries();
    if (errors.empty()) {
        MSGALERT(Value("ADO ERROR UNKNOWN"));
        return {};
    }
    const OdbcError& last = errors.back();
    const std::string text = last.message + "\r\nSource       : " + last.operation +
                             "\r\nNativeError  : " + std::to_string(last.code) + "\r\n" + std::string(50, '-') +
                             "\r\n" + last.location;
    if (!silent) MSGALERT(Value(text), Value(std::string("ADO ERROR")));
    return last.message;
}

RdbmsKind rdbmsKindOf(TOdbc& connection) {
    const std::string dbms = upper(connection.GetInfo(SQL_DBMS_NAME));
    if (dbms.find("MYSQL") != std::string::npos) return RdbmsKind::MySql;
    if (dbms.find("SQLITE") != std::string::npos) return RdbmsKind::Sqlite;
    if (dbms.find("MICROSOFT SQL SERVER") != std::string::npos) return RdbmsKind::MsSql;
    if (dbms.find("ORA") != std::string::npos) return RdbmsKind::Oracle;
    if (dbms.find("DBASE") != std::string::npos) return RdbmsKind::DBase;
    const std::string connect = upper(connection.cConnect());
    if (connect.find(".MDB") != std::string::npos || connect.find(".ACCDB") != std::string::npos)
        return RdbmsKind::MsAccess;
    return RdbmsKind::None;
}

std::string WL_RDBMSNAME(TOdbc& connection) { return rdbmsName(rdbmsKindOf(connection)); }

std::vector<std::string> WL_ADOTABLES(TOdbc& connection) { return connection.GetTables("*", false); }

bool WL_ADOTABLEEXISTS(const std::string& table, TOdbc& connection) {
    const std::vector<std::string> tables = WL_ADOTABLES(connection);
    return std::any_of(tables.begin(), tables.end(), [&](const std::string& t) { return upper(t) == upper(table); });
}

bool WLADOCREATETABLE(const std::string& table, const std::vector<SqlColumn>& columns, TOdbc& connection,
                      bool addAutoInc) {
    const std::string sql = WL_ADOCREATETABLESQL(table, columns, rdbmsKindOf(connection), addAutoInc);
    if (sql.empty()) return false;
    std::size_t at = 0;
    while (at <= sql.size()) {
        const std::size_t bar = std::min(sql.find('|', at), sql.size());
        const std::string statement = alltrim(sql.substr(at, bar - at));
        if (!statement.empty() && !connection.Execute(statement, "WLADOCREATETABLE")) {
            WL_SHOWADOERROR(connection);
            return false;
        }
        at = bar + 1;
    }
    return true;
}

std::vector<SqlColumn> WLADOSTRUCT(const TDbOdbc& recordSet) {
    std::vector<SqlColumn> out;
    for (const ColumnDescription& c : recordSet.aStruct())
        out.push_back({c.name, std::string(1, c.type == 'U' ? 'C' : c.type), c.length, c.decimals});
    return out;
}

TDataBaseRow WLADOLOADRECORD(TDbOdbc& recordSet, bool blank) {
    TDataBaseRow row;
    const bool blanks = blank || recordSet.Eof() || recordSet.RecCount() == 0;
    for (int n = 1; n <= recordSet.FCount(); ++n) {
        const char type = recordSet.FieldType(n);
        const int length = recordSet.FieldLen(n);
        Value v = blanks || recordSet.FieldNull(n) ? Value() : recordSet.FieldGet(n);
        if (v.isNil()) v = UTYPETOBLANK(type, length, recordSet.FieldDec(n));
        if (v.isText() && type == 'C' && static_cast<int>(v.text().size()) < length)
            v = Value(v.text() + std::string(static_cast<std::size_t>(length) - v.text().size(), ' '));
        row.push_back({recordSet.FieldName(n), v, true, ""});
    }
    return row;
}

namespace {

// A dBASE field name: blanks as "_", only A-Z, 0-9 and "_", ten at most;
// a repeated name becomes its first seven characters and its position.
std::string recordSetDbfName(const std::string& name, const std::vector<DbfField>& earlier, std::size_t position) {
    std::string out;
    for (char c : upper(name)) {
        if (c == ' ') c = '_';
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') out += c;
    }
    out = out.substr(0, 10);
    const bool taken =
        std::any_of(earlier.begin(), earlier.end(), [&](const DbfField& f) { return f.name == out; });
    if (taken) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%03d", static_cast<int>(position % 1000));
        out = out.substr(0, 7) + digits;
    }
    return out;
}

}  // namespace

bool WL_ADOEXPORTTODBF(TDbOdbc& recordSet, const std::string& dbfFile) {
    std::vector<DbfField> fields;
    for (const SqlColumn& c : WLADOSTRUCT(recordSet)) {
        DbfField f{recordSetDbfName(c.name, fields, fields.size() + 1), static_cast<char>(std::toupper(c.type[0])),
                   c.length, c.decimals};
        if (f.type == 'N') f.length = std::min(f.length, 19);
        if (f.type == 'C' && f.length > 255) f = {f.name, 'M', 10, 0};
        if (f.type == 'D') f.length = 8;
        if (f.type == 'L') f.length = 1;
        fields.push_back(f);
    }
    if (!DbfFile::create(dbfFile, fields)) {
        MSGALERT(Value("Can not create " + dbfFile));
        return false;
    }
    const std::string alias = CGETNEWALIAS("DST");
    std::shared_ptr<DbfArea> area = USEAREA(dbfFile, alias);
    if (!area) {
        MSGALERT(Value("Can not create " + dbfFile));
        return false;
    }
    const std::int64_t noted = recordSet.RecNo();
    for (recordSet.GoTop(); !recordSet.Eof(); recordSet.Skip(1)) {
        ValueList values;
        for (const TDataBaseRowItem& item : WLADOLOADRECORD(recordSet)) values.push_back(item.value);
        area->file().append(values);
    }
    dbfCloseArea(alias);
    recordSet.GoToId(noted);
    return true;
}

namespace {

// Closes the source area however the import ends.
struct RecordSetSourceArea {
    std::string alias;
    ~RecordSetSourceArea() {
        if (!alias.empty()) dbfCloseArea(alias);
    }
};

}  // namespace

bool WL_ADOIMPORTFROMDBF(TOdbc& connection, const std::string& dbfFile, std::string table, const std::string& prefix,
                         int batch) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(dbfFile, ec)) {
        MSGINFO(Value(dbfFile + " not found"));
        return false;
    }
    RecordSetSourceArea source{CGETNEWALIAS("SRC")};
    std::shared_ptr<DbfArea> area = USEAREA(dbfFile, source.alias);
    if (!area) {
        source.alias.clear();
        MSGINFO(Value("Can not open " + dbfFile));
        return false;
    }
    if (table.empty()) table = std::filesystem::path(dbfFile).stem().string();
    const RdbmsKind kind = rdbmsKindOf(connection);
    if (WL_ADOTABLEEXISTS(table, connection)) {
        if (!MSGNOYES(Value(table + " Already Exists. OverWrite? (Y/N)"))) return false;
        if (!connection.Execute("DROP TABLE " + table, "WL_ADOIMPORTFROMDBF")) {
            MSGINFO(Value("Can not drop table " + table));
            return false;
        }
        if (kind == RdbmsKind::Oracle) connection.Execute("DROP SEQUENCE " + table + "_ID_SEQ");
    }
    std::vector<SqlColumn> columns;
    std::string names;
    for (const DbfField& f : area->fields()) {
        columns.push_back({prefix + f.name, std::string(1, f.type), f.length, f.decimals});
        names += (names.empty() ? "" : ",") + columns.back().name;
    }
    if (!WLADOCREATETABLE(table, columns, connection, false)) {
        MSGINFO(Value("Error Creating " + table));
        return false;
    }
    if (batch < 0) return true;
    if (kind == RdbmsKind::MsAccess) batch = 0;
    const std::string start =
        "INSERT INTO " + WL_QUOTEDCOLSQL(table, kind) + " ( " + WL_QUOTEDCOLSQL(names, kind) + " ) VALUES ";
    std::string statement;
    int rows = 0;
    bool ok = true;
    auto send = [&] {
        if (!statement.empty() && !connection.Execute(statement, "WL_ADOIMPORTFROMDBF")) ok = false;
        statement.clear();
        rows = 0;
    };
    for (area->GoTop(); !area->Eof(); area->Skip(1)) {
        std::string row = "(";
        const ValueList values = area->Record();
        for (std::size_t i = 0; i < values.size(); ++i)
            row += (i ? "," : "") + WL_VALTOSQL(values[i], std::nullopt, kind);
        row += ")";
        if (statement.empty()) {
            statement = start + row;
        } else {
            statement += "," + row;
            ++rows;
        }
        if (rows >= batch) send();
    }
    send();
    if (!ok) WL_SHOWADOERROR(connection);
    return ok;
}

}  // namespace wl
