#include "ini.hpp"

#include "profile_files.hpp"
#include "setting_values.hpp"

namespace wl {

TIni::TIni(const std::string& file) : cIniFile(iniFileName(file)) {}

std::string TIni::readText(const std::string& section, const std::string& entry, const std::string& def) const {
    return cIniFile.empty() ? GETPROFSTRING(section, entry, def) : GETPVPROFSTRING(section, entry, def, cIniFile);
}

Value TIni::Get(const std::string& section, const std::string& entry, const Value& xDefault,
                const std::optional<Value>& var) {
    const Value& like = xDefault.isNil() && var ? *var : xDefault;
    if (like.isNumber()) {
        int def = static_cast<int>(xDefault.isNumber() ? xDefault.number() : 0);
        int n = cIniFile.empty() ? GETPROFINT(section, entry, def) : GETPVPROFINT(section, entry, def, cIniFile);
        if (lAutoSet && n == def) Set(section, entry, Value(def));
        return Value(n);
    }
    std::string def = xDefault.isNil() ? std::string() : settingText(xDefault);
    std::string text = readText(section, entry, def);
    if (lAutoSet && text == def) Set(section, entry, Value(def));
    return settingFromText(text, like);
}

bool TIni::Set(const std::string& section, const std::string& entry, const Value& value) {
    std::string text = settingText(value);
    return cIniFile.empty() ? WRITEPROFSTRING(section, entry, text) : WRITEPPROSTRING(section, entry, text, cIniFile);
}

std::vector<std::string> TIni::Sections() const {
    return zeroSeparatedNames(cIniFile.empty() ? GETPROFSTRING(std::nullopt, std::nullopt, "")
                                               : GETPVPROFSTRING(std::nullopt, std::nullopt, "", cIniFile));
}

bool TIni::DelSection(const std::string& section) {
    return cIniFile.empty() ? WRITEPROFSTRING(section, std::nullopt, std::nullopt) : DELINISECTION(section, cIniFile);
}

bool TIni::DelEntry(const std::string& section, const std::string& entry) {
    return cIniFile.empty() ? WRITEPROFSTRING(section, entry, std::nullopt) : DELINIENTRY(section, entry, cIniFile);
}

}  // namespace wl
