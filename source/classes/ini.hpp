// TIni: reads and writes a profile (".ini") file, or the Windows profile
// WIN.INI when the file name is empty.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "value.hpp"

namespace wl {

class TIni {
public:
    // A name without "." gets ".ini"; "" means WIN.INI.
    explicit TIni(const std::string& file = "");

    // Reads the entry as the type of the default (or of `var` when the
    // default is nothing): numbers as whole numbers, everything else as text
    // converted back (dates in the date form, logicals ".T."). With lAutoSet,
    // a value read equal to the default is written to the file.
    Value Get(const std::string& section, const std::string& entry, const Value& xDefault = Value(),
              const std::optional<Value>& var = std::nullopt);
    // Writes the value as text.
    bool Set(const std::string& section, const std::string& entry, const Value& value);
    std::vector<std::string> Sections() const;
    bool DelSection(const std::string& section);
    bool DelEntry(const std::string& section, const std::string& entry);

    std::string cIniFile;
    bool lAutoSet = true;

private:
    std::string readText(const std::string& section, const std::string& entry, const std::string& def) const;
};

}  // namespace wl
