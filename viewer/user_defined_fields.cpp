#include "user_defined_fields.hpp"

#include "ini_lines.hpp"
#include "text.hpp"
#include "text_files.hpp"

namespace zr {

namespace {

// The value after a key compared without regard to case; none when the line
// does not begin with it.
bool keyValue(std::string_view line, std::string_view key, std::string& value) {
    if (line.size() < key.size() || wl::upper(line.substr(0, key.size())) != key) return false;
    value = wl::alltrim(line.substr(key.size()));
    return true;
}

}  // namespace

bool UserDefinedField::matches(const std::string& requestedUpper) const {
    return wl::prefixMatch(requestedUpper, wl::upper(name));
}

bool UserDefinedField::isClaimField() const { return wl::prefixMatch(loop, "23") || wl::prefixMatch(loop, "24"); }

std::vector<UserDefinedField> CTL39404V(const std::string& folder) {
    const std::string path = findZrIni(folder);
    if (path.empty()) return {};
    const std::string text = CTL39400AY(path);
    std::vector<UserDefinedField> fields;
    bool inSection = false;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string::npos) end = text.size();
        const std::string line = wl::alltrim(std::string_view(text).substr(at, end - at));
        at = end + 1;
        if (!inSection) {
            inSection = wl::upper(line) == "[X12UDF]";
            continue;
        }
        std::string value;
        if (keyValue(line, "UDF=", value)) {
            fields.push_back({});
            fields.back().name = value;
        } else if (fields.empty()) {
            continue;
        } else if (keyValue(line, "SEGMENT=", value)) {
            fields.back().segment = value;
        } else if (keyValue(line, "QUALIFIER=", value)) {
            fields.back().qualifier = value;
        } else if (keyValue(line, "LOOP=", value)) {
            fields.back().loop = value;
        } else if (keyValue(line, "RETURN=", value)) {
            fields.back().piece = value;
        }
    }
    return fields;
}

}  // namespace zr
