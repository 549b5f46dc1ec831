// The line table that every sectioned "zr.ini" reader walks, and the rules
// by which its sections begin and end.
//
// A reader creates the table (which loads the file), walks its normalised
// lines and lets the table go (which closes and erases it). The lines live in
// memory; the dBASE layer is told to close all its tables before the load
// and after the walk through the close-all hook, since the readers must not
// leave a caller's table open across a configuration read.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "text_files.hpp"

namespace zr {

// The path of "zr.ini" in the folder ("" for the current folder), whatever
// the case of its name; "" when there is none.
std::string findZrIni(const std::string& folder = "");

// One stored line as the readers test it: trailing blanks removed, upper
// case, leading blanks, tabs, CR and LF removed, padded with blanks to at
// least five characters.
std::string normaliseIniLine(std::string_view stored);

// The whole number at the start of a value (leading blanks, an optional sign,
// digits); 0 when there is none.
std::int64_t iniNumber(std::string_view value);

// Called to close every open table: before the load and after the walk.
// Returns the hook it replaces. Without a hook nothing happens.
using CloseAllTablesHook = std::function<void()>;
CloseAllTablesHook setCloseAllTablesHook(CloseAllTablesHook hook);

// The scratch table of one read: one record per line of the file, each cut
// at 80 characters, loaded by the line loader with control 1.
class IniLineTable {
public:
    // Closes all tables and loads the file; an existing path is expected
    // (the readers return their defaults without a table when there is no
    // file).
    explicit IniLineTable(const std::string& iniPath);
    // Closes all tables again and drops the lines.
    ~IniLineTable();
    IniLineTable(const IniLineTable&) = delete;
    IniLineTable& operator=(const IniLineTable&) = delete;

    std::size_t size() const { return table_.records.size(); }
    // The normalised line of a record (0-based).
    std::string line(std::size_t record) const;

private:
    LineTable table_;
};

// Reads "zr.ini" of the folder and hands every normalised line, in file
// order, to `visit`. Answers false (and touches no table) when the folder has
// no "zr.ini".
bool walkZrIni(const std::string& folder, const std::function<void(const std::string&)>& visit);

// Section lines begin with "["; "COMMAND=0" ends most sections.
bool isSectionLine(std::string_view line);
bool isCommandZero(std::string_view line);

enum class SectionEnd {
    NextSection,               // only the next section line ends it
    NextSectionOrCommandZero,  // also a line "COMMAND=0"
    CommandZeroOnly,           // only "COMMAND=0": later section lines are its lines
};

struct IniSectionRule {
    std::string header;  // "[X12VIEWER]": matched by prefix
    int id = 0;          // several headers may open the same section
    SectionEnd end = SectionEnd::NextSectionOrCommandZero;
};

// Follows the current section of a reader line by line. A section line that
// names none of the reader's sections ends the current section.
class IniSectionWalker {
public:
    static constexpr int kNone = -1;

    explicit IniSectionWalker(std::vector<IniSectionRule> rules) : rules_(std::move(rules)) {}

    // Takes the next normalised line; true when it is a key line of the
    // current section (see current()), false when it switched or ended a
    // section or falls outside any.
    bool keyLine(const std::string& line);
    int current() const { return current_ < 0 ? kNone : rules_[current_].id; }

private:
    std::vector<IniSectionRule> rules_;
    int current_ = -1;  // index into rules_
};

}  // namespace zr
