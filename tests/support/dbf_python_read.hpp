// Native tests: a dBASE table read back by Debian's python3-dbf, so that
// what the engine wrote is checked by a reader that is not ours. (Windows
// tests reach it through Wine's Unix side: dbf_read_back.hpp.)
#pragma once

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

namespace zrtest {

// The records of the table at `path`, one line each, the fields joined by
// "|", texts trimmed; "" on Windows.
inline std::string pythonDbfRecords(const std::string& path) {
#ifdef _WIN32
    (void)path;
    return {};
#else
    const std::string script = path + ".py";
    std::ofstream(script) << "import dbf, sys\n"
                             "t = dbf.Table(sys.argv[1])\n"
                             "t.open()\n"
                             "for r in t:\n"
                             "    print('|'.join((v.strip() if isinstance(v, str) else str(v)) for v in r))\n"
                             "t.close()\n";
    const std::string command = "/usr/bin/python3 " + script + " " + path + " 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    char buf[1024];
    while (pipe && fgets(buf, sizeof buf, pipe.get())) out += buf;
    return out;
#endif
}

}  // namespace zrtest
