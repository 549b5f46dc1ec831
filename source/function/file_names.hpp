// File-name functions of the library and the small file jobs beside them.
// Both separators are accepted when splitting, as Windows accepts them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "source_place.hpp"
#include "value.hpp"

namespace wl {

// True when the path (a trailing separator removed) is one existing folder.
bool LISDIR(std::string_view path);
// The drive ("C:") upper-cased when ":" is the second character, else "".
std::string CFILEDISC(std::string_view file);
// The text up to and including the last separator; without one the drive
// and "\" (or ""). Upper-cased on Windows, whose names ignore case; kept as
// it is elsewhere, where the upper-cased folder would be another folder.
std::string CFILEPATH(std::string_view file);
// The text after the last separator (when that is not the last character),
// else after ":", else the whole text.
std::string CFILENOPATH(std::string_view file);
inline std::string CFILENAME(std::string_view file) { return CFILENOPATH(file); }
// The name part when it holds "*" or "?", else "".
std::string CFILEMASK(std::string_view file);
// The name part, trimmed, without the text from its last ".".
std::string CFILENOEXT(std::string_view file);
// The trimmed text after the last "." of the name part; "" when none.
std::string CFILEEXT(std::string_view file);
// The name with the text from its last "." replaced by "." + ext (or
// "." + ext appended).
std::string CFILESETEXT(std::string_view file, std::string_view ext);
// The parent folder of a folder path (without a trailing separator).
std::string CFILESUBDIR(std::string_view path);
// The first of root + "1." + ext, root + "2." + ext, ... that does not exist.
std::string CNEWFILENAME(std::string_view root, std::string_view ext);
// path + the tick count + "." + ext, retried until no such file exists and
// the name differs from the last one given.
std::string CTEMPFILE(std::string_view path = {}, std::string_view ext = {});

// Size, date and time ("HH:MM:SS") of a file; 0, the blank date and "" when
// it is missing.
std::int64_t FSIZE(const std::string& file);
Date FDATE(const std::string& file);
std::string FTIME(const std::string& file);

// The full names of the files called `name` (without regard to case) in the
// folder and its subfolders; pending window messages run for each entry.
std::vector<std::string> AFINDFILE(std::string_view name, const std::string& folder);
// Whether a file name fits a mask of "*" (any run) and "?" (any one
// character), without regard to case.
bool fitsFileMask(std::string_view name, std::string_view mask);
// The names (without folder) of the files in the mask's folder (the current
// one when it names none) that fit its last part, in the folder's order.
std::vector<std::string> filesFittingMask(std::string_view mask);
// Drive names: type 1 the floppy drives A: and B:, type 2 the drives C: to
// Z: that are CD drives or exist, 0 both. None where the system has no drives.
std::vector<std::string> ADRIVES(int type = 0);

// Moves a file or folder; false when the target exists or the move fails.
bool MOVEFILE(const std::string& from, const std::string& to);
// Removes an empty folder; false otherwise.
bool REMOVEDIR(const std::string& folder);

// Appends date + " " + time + ": " + each value as text followed by a TAB,
// then CR LF, creating the file when missing; silently nothing when the file
// cannot be opened.
void LOGFILE(const std::string& file, const ValueList& values);

// Appends to "stack.txt" a blank line, "LogStack() called", a rule and the
// calling routine with its line and file: the one call level that C++ can
// name without a run-time call stack.
void LOGSTACK(SourcePlace from = SourcePlace::current());

// "file:///" + the path with "/" for each separator and "%20" for blanks,
// as the office suite names files.
std::string CONVERTTOOOURL(std::string_view file);

// Reopens the standard error stream on a file; false on failure.
bool FREOPEN_STDERR(const std::string& file, const std::string& mode = "w");

}  // namespace wl
