#include "dbf_table.hpp"

#include <algorithm>
#include <ctime>

#include "file_io.hpp"
#include "system_info.hpp"

namespace wl {

namespace {

void putWord(std::string& s, std::size_t at, unsigned v) {
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

}  // namespace

std::string dbfTableBytes(const std::vector<DbfField>& fields, const std::array<int, 3>& date) {
    std::string s(32, '\0');
    s[0] = 3;
    s[1] = static_cast<char>(std::clamp(date[0] - 1900, 0, 255));
    s[2] = static_cast<char>(date[1]);
    s[3] = static_cast<char>(date[2]);
    unsigned recordLength = 1;  // the deletion flag
    for (const DbfField& f : fields) {
        std::string d(32, '\0');
        std::copy_n(f.name.begin(), std::min<std::size_t>(f.name.size(), 10), d.begin());
        d[11] = f.type;
        d[16] = static_cast<char>(std::clamp(f.length, 0, 255));
        d[17] = static_cast<char>(std::clamp(f.decimals, 0, 255));
        s += d;
        recordLength += static_cast<unsigned>(std::clamp(f.length, 0, 255));
    }
    putWord(s, 8, static_cast<unsigned>(32 + 32 * fields.size() + 1));
    putWord(s, 10, recordLength);
    s += '\x0D';
    s += '\x1A';
    return s;
}

int createDbfTable(const std::string& path, const std::vector<DbfField>& fields) {
    const std::tm t = localParts(std::time(nullptr));
    return writeFileAtomically(path, dbfTableBytes(fields, {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday}));
}

}  // namespace wl
