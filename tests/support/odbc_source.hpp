// A private SQLite data source for the ODBC tests under Wine: the test's
// ctest entry names a folder in ODBCSYSINI (and its odbc.ini in ODBCINI);
// this writes odbcinst.ini (the SQLite driver of the program's own
// architecture) and odbc.ini there, with a fresh database file, and reads
// the database back with the sqlite3 tool, which is not ours.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace zrtest {

class SqliteSource {
public:
    explicit SqliteSource(std::string dsn = "zrclaims") : dsn_(std::move(dsn)) {
        const char* dir = std::getenv("ODBCSYSINI");
        if (!dir || !*dir) return;
        unixDir_ = dir;
        unixDb_ = unixDir_ + "/" + dsn_ + ".db";
        std::remove(windowsPath(unixDb_).c_str());
        const char* driver = sizeof(void*) == 8 ? "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so"
                                                : "/usr/lib/i386-linux-gnu/odbc/libsqlite3odbc.so";
        std::ofstream(windowsPath(unixDir_ + "/odbcinst.ini"), std::ios::binary)
            << "[SQLite3]\nDescription=SQLite 3\nDriver=" << driver << "\n";
        std::ofstream(windowsPath(unixDir_ + "/odbc.ini"), std::ios::binary)
            << "[" << dsn_ << "]\nDriver=SQLite3\nDatabase=" << unixDb_ << "\nTimeout=2000\n";
    }
    ~SqliteSource() {
        if (!unixDb_.empty()) std::remove(windowsPath(unixDb_).c_str());
    }

    bool ready() const { return !unixDir_.empty(); }
    const std::string& dsn() const { return dsn_; }
    const std::string& unixDb() const { return unixDb_; }

    // Runs the sqlite3 tool on the database and answers what it printed
    // (LF line ends, the last one removed). Wine starts Unix programs
    // without a handle to wait on, so the shell renames the finished output
    // into place and the test waits for that name.
    std::string sqlite(const std::string& sql) const {
        std::string done = unixDir_ + "/sqlite3.out";
        std::remove(windowsPath(done).c_str());
        std::string script = unixDir_ + "/sqlite3.sh";
        std::ofstream(windowsPath(script), std::ios::binary)
            << "/usr/bin/sqlite3 -batch '" << unixDb_ << "' \"" << sql << "\" > '" << done << ".tmp' 2>&1\n"
            << "mv '" << done << ".tmp' '" << done << "'\n";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        std::string command = "/bin/sh " + script;
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            return "<sqlite3 did not start>";
        }
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        for (int i = 0; i < 6000 && GetFileAttributesA(windowsPath(done).c_str()) == INVALID_FILE_ATTRIBUTES; ++i) {
            Sleep(10);
        }
        std::ifstream in(windowsPath(done), std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::string lf;
        for (char c : text) if (c != '\r') lf += c;
        if (!lf.empty() && lf.back() == '\n') lf.pop_back();
        return lf;
    }

    static std::string windowsPath(const std::string& unixPath) {
        std::string p = "Z:" + unixPath;
        for (char& c : p) if (c == '/') c = '\\';
        return p;
    }

private:
    std::string dsn_;
    std::string unixDir_;
    std::string unixDb_;
};

}  // namespace zrtest
