#include "database_functions.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "messages.hpp"
#include "odbc_text.hpp"
#include "text.hpp"

namespace wl {

namespace {

std::vector<std::string> splitSpec(std::string_view spec) {
    std::vector<std::string> items;
    std::size_t pos = 0;
    for (;;) {
        std::size_t comma = spec.find(',', pos);
        items.push_back(alltrim(spec.substr(pos, comma == std::string_view::npos ? std::string_view::npos
                                                                                 : comma - pos)));
        if (comma == std::string_view::npos) break;
        pos = comma + 1;
    }
    while (items.size() < 5) items.emplace_back();
    return items;
}

const RdbmsRow* rowOf(RdbmsKind kind) {
    for (const auto& r : RdbmsTable()) {
        if (r.kind == kind) return &r;
    }
    return nullptr;
}

const RdbmsRow* rowNamed(std::string_view name) {
    for (const auto& r : RdbmsTable()) {
        if (name == r.name) return &r;
    }
    return nullptr;
}

std::string lowerExtension(std::string_view file) {
    std::size_t dot = file.rfind('.');
    return dot == std::string_view::npos ? std::string() : lower(file.substr(dot + 1));
}

std::string replaceAll(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string dateDigits(const Date& d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}

std::string hexText(std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

// The parts of a connection string, before the provider is put in.
struct SpecParts {
    const RdbmsRow* row = nullptr;
    std::string server, database, user, password;
};

SpecParts readSpec(std::string_view spec, std::string_view computerName) {
    SpecParts p;
    auto items = splitSpec(spec);
    if (items[0].empty()) return p;
    p.server = items[1];
    p.database = items[2];
    p.user = items[3];
    p.password = items[4];
    std::string first = items[0].substr(0, items[0].find(' '));
    RdbmsKind fileKind = RdbmsKind::None;
    if (first.find(":memory:") != std::string::npos) {
        fileKind = RdbmsKind::Sqlite;
        p.database = first;
        p.server.clear();
    } else if (first.find('.') != std::string::npos) {
        std::string ext = lowerExtension(first);
        if (ext == "db") {
            fileKind = RdbmsKind::Sqlite;
            p.database = first;
            p.server.clear();
        } else if (ext == "mdb" || ext == "accdb") {
            fileKind = RdbmsKind::MsAccess;
            p.server = first;
        } else {
            return {};
        }
    } else if (std::error_code ec; std::filesystem::is_directory(items[0], ec)) {
        fileKind = RdbmsKind::DBase;
        p.server = items[0];
    }
    if (fileKind != RdbmsKind::None) {
        if (p.password.empty() && !items[1].empty()) p.password = items[1];
        if (fileKind == RdbmsKind::Sqlite || fileKind == RdbmsKind::MsAccess) {
            if (fileKind == RdbmsKind::Sqlite) p.server.clear();
        }
        if (p.user.empty()) p.user = "admin";
        p.row = rowOf(fileKind);
        return p;
    }
    std::string kind = upper(items[0]);
    if (kind == "SQLEXPRESS") {
        std::string s = upper(p.server);
        if (s.empty() || s == "SQLEXPRESS" || s == "LOCALHOST") p.server = std::string(computerName) + "\\SQLEXPRESS";
        else if (p.server.find('\\') == std::string::npos) p.server += "\\SQLEXPRESS";
    }
    if (kind == "SQLSERVER" || kind == "SQLEXPRESS" || kind == "SQLOLEDB") kind = "MSSQL";
    p.row = rowNamed(kind);
    return p;
}

std::string buildString(const SpecParts& p, std::string_view computerName) {
    const RdbmsRow& r = *p.row;
    bool mssql = r.kind == RdbmsKind::MsSql;
    std::string serverKey = r.odbc ? "Server" : "Data Source";
    std::string userKey = r.odbc ? "User" : "User ID";
    std::string server = upper(p.server) == "SQLEXPRESS" ? std::string(computerName) + "\\SQLEXPRESS" : p.server;
    std::string text = r.providers.size() == 1 ? std::string(r.odbc ? "" : "Provider=") + r.providers[0] : "<?>";
    text += ";" + serverKey + "=" + server + ";";
    if (!p.database.empty()) text += std::string(mssql ? "Initial Catalog" : "Database") + "=" + p.database + ";";
    if (mssql && p.user.empty() && p.password.empty()) {
        text += "Integrated Security=SSPI";
    } else {
        std::string passwordKey = r.kind == RdbmsKind::MsAccess && !p.password.empty()
                                      ? "Jet OLEDB:Database Password"
                                      : "Password";
        text += userKey + "=" + p.user + ";" + passwordKey + "=" + p.password + ";";
    }
    if (*r.extra) text += std::string(r.extra) + ";";
    return text;
}

// One token of a filter: a date function over a literal, evaluated.
std::optional<DateTime> dateCall(std::string_view name, std::string_view argument) {
    if (name == "STOD") return DateTime{DCHARTODATE(argument), 0};
    if (name == "CTOD") return DateTime{DCHARTODATE(argument), 0};
    if (name == "STOT" || name == "RT_STOT") return WL_STOT(argument);
    return std::nullopt;
}

// "{^2024-01-31}" or "{^2024/01/31 10:20:30}": a date or a timestamp.
DateTime braceDate(std::string_view body, char& type) {
    std::string digits;
    for (char c : body) {
        if (c >= '0' && c <= '9') digits += c;
    }
    type = digits.size() > 8 ? 'T' : 'D';
    if (digits.size() < 8) return DateTime{};
    DateTime t{DCHARTODATE(digits.substr(0, 8)), 0};
    if (digits.size() >= 12) {
        int h = std::stoi(digits.substr(8, 2)), m = std::stoi(digits.substr(10, 2));
        int s = digits.size() >= 14 ? std::stoi(digits.substr(12, 2)) : 0;
        t.seconds = h * 3600 + m * 60 + s;
    }
    return t;
}

std::string dateForFilter(const DateTime& t, char type, bool ado, RdbmsKind kind) {
    if (ado) return WL_DATETOADO(t, type).value_or("NULL");
    return WL_DATETOSQL(t, type, kind);
}

bool startsAt(std::string_view text, std::size_t at, std::string_view word) {
    return text.substr(at, word.size()) == word;
}

// The operators of a stretch outside literals, as SQL.
std::string operatorsAsSql(std::string_view text) {
    static const std::pair<const char*, const char*> words[] = {
        {".AND.", " AND "}, {".OR.", " OR "}, {".NOT.", " NOT "}, {".T.", "1"}, {".F.", "0"},
        {"==", "="},        {"!=", "<>"},    {"!", " NOT "}};
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& [from, to] : words) {
            if (startsAt(text, i, from)) {
                out += to;
                i += std::string_view(from).size();
                replaced = true;
                break;
            }
        }
        if (!replaced) out += text[i++];
    }
    return out;
}

std::string collapseBlanks(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == ' ' && !out.empty() && out.back() == ' ') continue;
        out += c;
    }
    return out;
}

}  // namespace

const std::vector<RdbmsRow>& RdbmsTable() {
    static const std::vector<RdbmsRow> rows = {
        {RdbmsKind::DBase, "DBASE", false, {"Microsoft.ACE.OLEDB.12.0", "Microsoft.Jet.OLEDB.4.0"},
         "Extended Properties=dBASE III"},
        {RdbmsKind::MsAccess, "MSACCESS", false, {"Microsoft.ACE.OLEDB.12.0", "Microsoft.Jet.OLEDB.4.0"}, ""},
        {RdbmsKind::MsSql, "MSSQL", false, {"SQLNCLI11", "SQLNCLI10", "SQLNCLI", "SQLOLEDB"}, ""},
        {RdbmsKind::MySql, "MYSQL", true, {"Driver={MySQL ODBC 5.1 Driver}", "Driver={MySQL ODBC 3.51 Driver}"},
         "Option=3"},
        {RdbmsKind::Oracle, "ORACLE", false, {"MSDAORA", "OraOLEDB.Oracle"}, ""},
        {RdbmsKind::Sqlite, "SQLITE", true, {"Driver=SQLite3 ODBC Driver"}, ""},
    };
    return rows;
}

std::string rdbmsName(RdbmsKind kind) {
    const RdbmsRow* r = rowOf(kind);
    return r ? r->name : "";
}

std::string WL_ADOCONNECTIONSTRING(std::string_view spec, RdbmsKind* kind, std::string_view computerName) {
    SpecParts p = readSpec(spec, computerName);
    if (kind) *kind = p.row ? p.row->kind : RdbmsKind::None;
    return p.row ? buildString(p, computerName) : std::string();
}

std::vector<std::string> connectionStringsPerProvider(std::string_view spec, std::string_view computerName) {
    SpecParts p = readSpec(spec, computerName);
    if (!p.row) return {};
    std::string text = buildString(p, computerName);
    if (text.rfind("<?>", 0) != 0) return {text};
    std::vector<std::string> out;
    for (const char* provider : p.row->providers) {
        out.push_back((p.row->odbc ? std::string() : std::string("Provider=")) + provider + text.substr(3));
    }
    return out;
}

std::string WL_QUOTEDCOLSQL(std::string_view names, RdbmsKind kind) {
    std::string text = replaceAll(std::string(names), ", ", ",");
    auto quoteEach = [&](const std::string& open, const std::string& close) {
        std::string out;
        std::size_t pos = 0;
        for (;;) {
            std::size_t comma = text.find(',', pos);
            std::string item = text.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
            out += open + item + close;
            if (comma == std::string::npos) break;
            out += ",";
            pos = comma + 1;
        }
        return out;
    };
    switch (kind) {
    case RdbmsKind::MySql: return quoteEach("`", "`");
    case RdbmsKind::Sqlite: return quoteEach("\"", "\"");
    case RdbmsKind::MsAccess:
    case RdbmsKind::MsSql: return quoteEach("[", "]");
    case RdbmsKind::Oracle: return replaceAll(text, " ", "_");
    default: return text;
    }
}

std::string ADOCREATECOLSQL(const SqlColumn& c, RdbmsKind kind, int serverVersion) {
    std::string name = WL_QUOTEDCOLSQL(c.name, kind);
    std::string out = " " + name;
    if (c.type.size() > 1) return out + " " + c.type + " ";
    char t = c.type.empty() ? ' ' : c.type[0];
    int n = c.length;
    std::string p = std::to_string(n + 1) + ", " + std::to_string(c.decimals);
    using K = RdbmsKind;
    switch (t) {
    case '+':
        out += kind == K::MsAccess ? " AUTOINCREMENT"
               : kind == K::MsSql  ? " INT IDENTITY( 1, 1 )"
               : kind == K::MySql  ? " INT AUTO_INCREMENT"
               : kind == K::Oracle ? " INT"
                                   : " INTEGER";
        return out + " PRIMARY KEY";
    case '=':
        return out + (kind == K::MsAccess ? " DATETIME NOT NULL DEFAULT Now()"
                      : kind == K::MsSql  ? " DATETIME NOT NULL DEFAULT (GetDate())"
                      : kind == K::MySql  ? " TIMESTAMP DEFAULT CURRENT_TIMESTAMP"
                      : kind == K::Oracle ? " DATE DEFAULT SysDate"
                                          : " DATETIME  DEFAULT CURRENT_TIMESTAMP");
    case 'C':
        return out + (kind == K::Oracle ? " VARCHAR2 ( " : " VARCHAR ( ") + std::to_string(n) + " )";
    case 'c':
        return out + (kind == K::Oracle ? " VARCHAR2 ( " : " VARBINARY ( ") + std::to_string(n) + " )";
    case 'D':
        return out + (kind == K::MsSql ? " SmallDateTime" : " DATE");
    case 'T':
    case '@':
        return out + (kind == K::Oracle ? " DATE" : " DATETIME");
    case 'L':
        return out + (kind == K::Oracle ? " NUMBER(1,0) DEFAULT 0 CHECK ( " + name + " IN ( 0, 1 ) )"
                                        : " BIT DEFAULT 0");
    case 'M':
        return out + (kind == K::MsAccess ? " MEMO" : kind == K::Oracle ? " CLOB" : " TEXT");
    case 'P':
    case 'm':
        return out + (kind == K::MsAccess ? " LONGBINARY"
                      : kind == K::MsSql  ? (serverVersion > 0 && serverVersion < 9 ? " IMAGE" : " VARBINARY(max)")
                      : kind == K::MySql  ? " LONGBLOB"
                                          : " BLOB");
    case 'N':
        if (kind == K::Oracle) return out + " NUMBER( " + p + " ) DEFAULT 0";
        if (kind == K::Sqlite) {
            if (c.decimals == 0) return out + (n <= 9 ? " INT" : " BIGINT");
            return out + " DOUBLE";
        }
        if (kind == K::MsAccess) {
            if (c.decimals == 0 && n <= 9) return out + (n <= 2 ? " BYTE" : n <= 4 ? " INT" : " LONG");
            return out + (c.decimals == 2 ? " MONEY" : " DOUBLE");
        }
        if (c.decimals == 0) return out + (n <= 2 ? " TINYINT" : n <= 4 ? " SMALLINT" : n <= 9 ? " INT" : " BIGINT");
        if (kind == K::MsSql && c.decimals == 2) return out + " MONEY";
        return out + " DECIMAL( " + p + " )";
    default:
        return out + " CHAR(1)";
    }
}

std::string WL_ADOCREATETABLESQL(std::string_view table, std::vector<SqlColumn> columns, RdbmsKind kind,
                                 bool addAutoInc, int serverVersion) {
    if (static_cast<int>(kind) < 2) {
        MSGALERT(rdbmsName(kind) + " not supported by the function");
        return {};
    }
    if (addAutoInc && (columns.empty() || columns.front().type != "+")) {
        columns.insert(columns.begin(), SqlColumn{"ID", "+", 10, 0});
    }
    std::string quoted = WL_QUOTEDCOLSQL(table, kind);
    std::string text = "CREATE TABLE " + quoted + " ( ";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        text += (i ? "," : "") + ADOCREATECOLSQL(columns[i], kind, serverVersion);
    }
    text += " )";
    if (kind == RdbmsKind::Oracle && addAutoInc) {
        text += "|CREATE SEQUENCE " + quoted + "_ID_SEQ";
        text += "|CREATE OR REPLACE TRIGGER " + quoted + "_BI_TRG BEFORE INSERT ON " + quoted +
                " FOR EACH ROW BEGIN  SELECT " + quoted + "_ID_SEQ.nextval INTO :new.id FROM DUAL; END;";
    }
    return text;
}

std::optional<std::string> WL_DATETOADO(const DateTime& t, char type) {
    if (t.date.blank()) return std::nullopt;
    std::string text = dateDigits(t.date);
    if (type == 'T') {
        char buf[48];
        std::snprintf(buf, sizeof buf, " %02d:%02d:%02d", t.seconds / 3600, t.seconds / 60 % 60, t.seconds % 60);
        text += buf;
    }
    return "#" + text + "#";
}

std::string WL_DATETOSQL(const DateTime& t, char type, RdbmsKind kind) {
    auto ado = WL_DATETOADO(t, type);
    if (!ado) return "NULL";
    std::string text = replaceAll(*ado, "#", "'");
    if (kind == RdbmsKind::Oracle) text = (type == 'T' ? "TIMESTAMP " : "DATE ") + text;
    if (kind == RdbmsKind::MsSql) text = replaceAll(text, " ", "T");
    return text;
}

std::string WL_VALTOSQL(const Value& v, std::optional<bool> binary, RdbmsKind kind) {
    if (v.isList()) {
        std::string out = "( ";
        const ValueList& items = v.list();
        for (std::size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + WL_VALTOSQL(items[i], binary, kind);
        return out + " )";
    }
    if (v.isText()) {
        const std::string& text = v.text();
        bool isBinary = binary.value_or(ISBINARYDATA(text));
        if (isBinary) {
            std::string hex = hexText(text);
            if (kind == RdbmsKind::Sqlite) return "x'" + hex + "'";
            if (kind == RdbmsKind::Oracle) return "'" + hex + "'";
            return "0x" + hex;
        }
        if (text.size() >= 2 && text.front() == '<' && text.back() == '>') return text.substr(1, text.size() - 2);
        if (!binary.has_value() && ISBINARYDATA(text)) return sqlQuoted(text);
        std::string t = alltrim(text);
        std::string up = upper(t);
        if (up == "DEFAULT" || up == "NULL") return up;
        return sqlQuoted(t);
    }
    if (v.isDate()) return WL_DATETOSQL(DateTime{std::get<Date>(v.storage()), 0}, 'D', kind);
    if (v.isLogical()) return v.logical() ? "1" : "0";
    if (v.isNumber()) return CVALTOCHAR(v);
    return "NULL";
}

std::string WL_FILTER2WHERE(std::string_view filter, bool ado, RdbmsKind kind) {
    std::string text = alltrim(upper(filter));
    if (text.rfind("!DELETED()", 0) == 0) {
        text = alltrim(text.substr(10));
        for (std::string_view joint : {".AND.", ".OR.", "AND ", "OR "}) {
            if (text.rfind(joint, 0) == 0) {
                text = alltrim(text.substr(joint.size()));
                break;
            }
        }
    }
    std::string out;
    std::string plain;  // the stretch outside literals not yet converted
    auto flush = [&] {
        out += collapseBlanks(operatorsAsSql(plain));
        plain.clear();
    };
    for (std::size_t i = 0; i < text.size();) {
        char c = text[i];
        if (c == '\'' || c == '"') {
            std::size_t close = text.find(c, i + 1);
            if (close == std::string::npos) close = text.size();
            std::string literal = text.substr(i + 1, close - i - 1);
            // A date function around this literal: STOD("20240131").
            std::size_t open = plain.size();
            while (open > 0 && (std::isalnum(static_cast<unsigned char>(plain[open - 1])) || plain[open - 1] == '_' ||
                                plain[open - 1] == '(')) {
                --open;
            }
            std::string call = plain.substr(open);
            std::string callName = call.empty() || call.back() != '(' ? "" : call.substr(0, call.size() - 1);
            std::size_t after = std::min(close + 1, text.size());
            if (!callName.empty() && after < text.size() && text[after] == ')') {
                if (auto t = dateCall(callName, literal)) {
                    plain.erase(open);
                    flush();
                    out += dateForFilter(*t, callName.find("TOT") != std::string::npos ? 'T' : 'D', ado, kind);
                    i = after + 1;
                    continue;
                }
            }
            flush();
            out += sqlQuoted(literal);
            i = after;
            continue;
        }
        if (c == '{' && i + 1 < text.size() && text[i + 1] == '^') {
            std::size_t close = text.find('}', i);
            if (close == std::string::npos) close = text.size();
            char type = 'D';
            DateTime t = braceDate(std::string_view(text).substr(i + 2, close - i - 2), type);
            flush();
            out += dateForFilter(t, type, ado, kind);
            i = std::min(close + 1, text.size());
            continue;
        }
        plain += c;
        ++i;
    }
    flush();
    return alltrim(out);
}

Value CONVERTTYPE(const Value& v, char type) {
    switch (type) {
    case 'C':
    case 'M': return Value(CVALTOSTR(v));
    case 'D':
    case 'T':
        if (v.isDate()) return v;
        return Value(v.isText() ? DCHARTODATE(alltrim(v.text())) : Date{});
    case 'L': {
        if (v.isLogical()) return v;
        if (v.isNumber()) return Value(v.number() != 0);
        if (!v.isText()) return Value(false);
        std::string t = upper(alltrim(v.text()));
        for (const char* item : {"Y", "YES", "T", ".T.", "TRUE"}) {
            if (t == item) return Value(true);
        }
        return Value(false);
    }
    case 'N':
        if (v.isNumber()) return v;
        return v.isText() ? UCHARTOVAL(alltrim(v.text()), "N") : Value(0);
    default: return Value();
    }
}

Value UTYPETOBLANK(char type, int length, int decimals) {
    switch (type) {
    case 'C': return Value(std::string(static_cast<std::size_t>(std::max(length, 0)), ' '));
    case 'D':
    case 'T': return Value(Date{});
    case 'L': return Value(false);
    case 'M':
    case 'm': return Value(std::string());
    case '+': return Value(0);
    case 'N': return decimals > 0 ? Value(0.0) : Value(0);
    default: return Value(std::string());
    }
}

}  // namespace wl
