#include "odbc_export_text.hpp"

namespace zr {

std::string sqlLiteral(const std::string& value) {
    std::string out = "'";
    for (char c : value) {
        if (c == '\'') out += '\'';
        out += c;
    }
    return out + "'";
}

std::string sqlName(const std::string& name) {
    bool plain = !name.empty() && !(name[0] >= '0' && name[0] <= '9');
    for (char c : name)
        plain = plain && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_');
    if (plain) return name;
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string sqlInsert(const std::string& table, const std::vector<std::string>& names,
                      const std::vector<std::string>& values) {
    std::string columns, literals;
    for (std::size_t i = 0; i < names.size(); ++i) {
        columns += (i ? ", " : "") + sqlName(names[i]);
        literals += (i ? ", " : "") + sqlLiteral(i < values.size() ? values[i] : "");
    }
    return "INSERT INTO " + sqlName(table) + " (" + columns + ") VALUES (" + literals + ")";
}

std::string sqlSelectColumn(const std::string& table, const std::string& column) {
    return "SELECT " + sqlName(column) + " FROM " + sqlName(table);
}

std::string sqlKeyProbe(const std::string& table, const std::string& column, const std::string& value) {
    return "SELECT * FROM " + sqlName(table) + " WHERE " + sqlName(column) + " = " + sqlLiteral(value);
}

}  // namespace zr
