// Line readers over an open file.
#pragma once

#include <cstddef>
#include <string>

#include "file_io.hpp"

namespace wl {

// Reads up to nMax bytes (1,024 when 0); `line` receives them up to and
// including the first CR LF (all of them when there is none) and the file
// is left just after that line. True when bytes were read ("" otherwise).
bool FREADLINE(InputFile& file, std::string& line, std::size_t nMax = 0);

// One line up to a CR (not included), reading the byte after the CR too
// (the LF); the line's bytes followed by one zero byte, "" at the end of the
// file.
std::string FREADCRLINE(InputFile& file);

// The number of lines of the file as FREADCRLINE reads them; 0 when the
// file cannot be opened.
std::size_t FLINECOUNT(const std::string& fileName);

}  // namespace wl
