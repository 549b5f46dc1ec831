// Windows tests only: a dBASE table in a scratch folder read back by
// Debian's python3-dbf, so that what the code wrote is checked by another
// reader.
#pragma once

#include <fstream>
#include <string>

#include "unix_tools.hpp"

namespace zrtest {

// The records of `table` (a file of `dir`), one line each, the fields
// joined by "|", texts trimmed.
inline std::string dbfReadBack(const ScratchDir& dir, const std::string& table) {
    std::ofstream(dir.file("read.py")) << "import dbf, sys\n"
                                          "t = dbf.Table(sys.argv[1])\n"
                                          "t.open()\n"
                                          "for r in t:\n"
                                          "    print('|'.join((v.strip() if isinstance(v, str) else str(v)) for v in r))\n"
                                          "t.close()\n";
    return runUnix(dir.path(), "/usr/bin/python3 read.py " + table).output;
}

}  // namespace zrtest
