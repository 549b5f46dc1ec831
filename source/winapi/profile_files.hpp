// Profile (".ini") files: the first group works on the system's WIN.INI,
// the second on a named file. A missing entry name (std::nullopt) asks for
// the list of the section's entry names, a missing section for the list of
// section names; both lists end each name with a zero byte.
#pragma once

#include <optional>
#include <string>

namespace wl {

int GETPROFINT(const std::string& section, const std::string& entry, int nDefault = 0);
std::string GETPROFSTRING(const std::optional<std::string>& section, const std::optional<std::string>& entry,
                          const std::string& cDefault = "");
// A missing entry removes it; a missing value removes the entry; both
// missing remove the section.
bool WRITEPROFSTRING(const std::string& section, const std::optional<std::string>& entry,
                     const std::optional<std::string>& value);

int GETPVPROFINT(const std::string& section, const std::string& entry, int nDefault, const std::string& file);
std::string GETPVPROFSTRING(const std::optional<std::string>& section, const std::optional<std::string>& entry,
                            const std::string& cDefault, const std::string& file);
bool WRITEPPROSTRING(const std::string& section, const std::optional<std::string>& entry,
                     const std::optional<std::string>& value, const std::string& file);

// Removes the whole section from the file.
bool DELINISECTION(const std::string& section, const std::string& file);
// Removes one entry.
bool DELINIENTRY(const std::string& section, const std::string& entry, const std::string& file);

}  // namespace wl
