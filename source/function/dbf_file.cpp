#include "dbf_file.hpp"

#include <algorithm>
#include <chrono>
#include <thread>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "paths.hpp"
#include "system_info.hpp"
#include "text.hpp"

namespace wl {

namespace {

constexpr std::uint32_t kMemoBlock = 512;

std::uint32_t getLong(const std::string& s, std::size_t at) {
    return std::uint32_t(std::uint8_t(s[at])) | std::uint32_t(std::uint8_t(s[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(s[at + 2])) << 16 | std::uint32_t(std::uint8_t(s[at + 3])) << 24;
}

std::string longBytes(std::uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

bool hasMemo(const std::vector<DbfField>& fields) {
    return std::any_of(fields.begin(), fields.end(), [](const DbfField& f) { return f.type == 'M'; });
}

std::string numberText(double n, int length, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%*.*f", length, std::clamp(decimals, 0, 15), n);
    std::string s = buf;
    // A number too wide for its field is stored as asterisks, as dBASE does,
    // rather than spilling into the next field.
    if (static_cast<int>(s.size()) > length) s.assign(static_cast<std::size_t>(length), '*');
    return s;
}

}  // namespace

std::string CTEMPFILE(const std::string& folder, const std::string& extension) {
    for (;;) {
        const std::tm t = localParts(std::time(nullptr));
        char name[32];
        std::snprintf(name, sizeof name, "__%02d%02d%02d.", t.tm_hour, t.tm_min, t.tm_sec);
        std::string path = folder.empty() ? name + extension : joinPath(folder, name + extension);
        if (!fileExists(path)) return path;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

std::string dbfMemoPath(const std::string& tablePath) {
    std::size_t slash = tablePath.find_last_of("/\\");
    std::size_t dot = tablePath.rfind('.');
    std::string base = dot != std::string::npos && (slash == std::string::npos || dot > slash)
                           ? tablePath.substr(0, dot)
                           : tablePath;
    return base + ".DBT";
}

std::optional<DbfFile> DbfFile::create(const std::string& path, const std::vector<DbfField>& fields) {
    std::vector<DbfField> stored = fields;
    for (auto& f : stored) {
        if (f.type == 'M') f.length = 10, f.decimals = 0;
        if (f.type == 'D') f.length = 8, f.decimals = 0;
        if (f.type == 'L') f.length = 1, f.decimals = 0;
    }
    const std::tm t = localParts(std::time(nullptr));
    std::string header = dbfTableBytes(stored, {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday});
    if (hasMemo(stored)) header[0] = static_cast<char>(0x83);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!(out << header)) return std::nullopt;
    }
    if (hasMemo(stored)) {
        std::string block(kMemoBlock, '\0');
        std::string next = longBytes(1);
        std::copy(next.begin(), next.end(), block.begin());
        block[16] = 3;  // dBASE III
        std::ofstream out(dbfMemoPath(path), std::ios::binary | std::ios::trunc);
        if (!(out << block)) return std::nullopt;
    }
    return open(path);
}

std::optional<DbfFile> DbfFile::open(const std::string& path) {
    DbfFile f;
    f.path_ = path;
    f.file_.open(path, std::ios::binary | std::ios::in | std::ios::out);
    if (!f.file_ || !f.readHeader()) return std::nullopt;
    if (hasMemo(f.fields_)) {
        f.memoPath_ = dbfMemoPath(path);
        f.memo_.open(f.memoPath_, std::ios::binary | std::ios::in | std::ios::out);
        if (!f.memo_) return std::nullopt;
    }
    return f;
}

bool DbfFile::readHeader() {
    std::string head(32, '\0');
    if (!file_.seekg(0) || !file_.read(head.data(), 32)) return false;
    count_ = getLong(head, 4);
    headerSize_ = std::uint8_t(head[8]) | std::uint32_t(std::uint8_t(head[9])) << 8;
    recordSize_ = std::uint8_t(head[10]) | std::uint32_t(std::uint8_t(head[11])) << 8;
    if (headerSize_ < 33 || recordSize_ < 1) return false;
    std::string descriptors((headerSize_ - 32), '\0');
    if (!file_.read(descriptors.data(), static_cast<std::streamsize>(descriptors.size()))) return false;
    fields_.clear();
    for (std::size_t at = 0; at + 32 <= descriptors.size() && descriptors[at] != '\x0D'; at += 32) {
        DbfField f;
        f.name = std::string(descriptors.c_str() + at);
        f.name = f.name.substr(0, 11);
        f.type = descriptors[at + 11];
        f.length = std::uint8_t(descriptors[at + 16]);
        f.decimals = std::uint8_t(descriptors[at + 17]);
        fields_.push_back(f);
    }
    return true;
}

bool DbfFile::writeCount() {
    std::string bytes = longBytes(count_);
    file_.seekp(4);
    file_.write(bytes.data(), 4);
    file_.flush();
    return static_cast<bool>(file_);
}

std::uint32_t DbfFile::writeMemo(const std::string& text) {
    std::string head(4, '\0');
    memo_.seekg(0);
    memo_.read(head.data(), 4);
    std::uint32_t block = std::max<std::uint32_t>(getLong(head, 0), 1);
    std::string body = text + "\x1A\x1A";
    std::uint32_t blocks = static_cast<std::uint32_t>((body.size() + kMemoBlock - 1) / kMemoBlock);
    body.resize(std::size_t(blocks) * kMemoBlock, '\0');
    memo_.seekp(std::streamoff(block) * kMemoBlock);
    memo_.write(body.data(), static_cast<std::streamsize>(body.size()));
    std::string next = longBytes(block + blocks);
    memo_.seekp(0);
    memo_.write(next.data(), 4);
    memo_.flush();
    return memo_ ? block : 0;
}

std::string DbfFile::readMemo(std::uint32_t block) {
    std::string text;
    memo_.clear();
    memo_.seekg(std::streamoff(block) * kMemoBlock);
    char buf[kMemoBlock];
    while (memo_.read(buf, kMemoBlock) || memo_.gcount() > 0) {
        std::string_view part(buf, static_cast<std::size_t>(memo_.gcount()));
        std::size_t end = part.find('\x1A');
        text.append(part.substr(0, end));
        if (end != std::string_view::npos) break;
    }
    memo_.clear();
    return text;
}

std::string DbfFile::fieldBytes(const DbfField& f, const Value& v) {
    std::size_t width = static_cast<std::size_t>(f.length);
    switch (f.type) {
    case 'N':
        if (!v.isNumber()) return std::string(width, ' ');
        return numberText(v.number(), f.length, f.decimals);
    case 'D': {
        if (!v.isDate() || std::get<Date>(v.storage()).blank()) return std::string(8, ' ');
        const Date d = std::get<Date>(v.storage());
        char buf[16];
        std::snprintf(buf, sizeof buf, "%04d%02d%02d", d.year, d.month, d.day);
        return buf;
    }
    case 'L':
        if (!v.isLogical()) return "?";
        return v.logical() ? "T" : "F";
    case 'M': {
        std::string text = v.isText() ? v.text() : std::string();
        if (text.empty() || !memo_.is_open()) return std::string(width, ' ');
        return padLeft(std::to_string(writeMemo(text)), width);
    }
    default: {
        std::string text = v.isText() ? v.text() : v.isNil() ? std::string() : CVALTOCHAR(v);
        return padRight(std::string_view(text).substr(0, std::min(text.size(), width)), width);
    }
    }
}

Value DbfFile::fieldValue(const DbfField& f, std::string_view bytes) {
    switch (f.type) {
    case 'N': {
        std::string t = alltrim(bytes);
        if (t.empty()) return Value(0);
        if (f.decimals > 0 || t.find('.') != std::string::npos) return Value(std::strtod(t.c_str(), nullptr));
        return Value(static_cast<std::int64_t>(std::strtoll(t.c_str(), nullptr, 10)));
    }
    case 'D': {
        std::string t(bytes);
        if (alltrim(t).size() != 8) return Value(Date{});
        return Value(Date{std::atoi(t.substr(0, 4).c_str()), std::atoi(t.substr(4, 2).c_str()),
                          std::atoi(t.substr(6, 2).c_str())});
    }
    case 'L': {
        char c = bytes.empty() ? ' ' : upperChar(bytes[0]);
        return Value(c == 'T' || c == 'Y');
    }
    case 'M': {
        std::string t = alltrim(bytes);
        if (t.empty() || !memo_.is_open()) return Value(std::string());
        return Value(readMemo(static_cast<std::uint32_t>(std::strtoul(t.c_str(), nullptr, 10))));
    }
    default: return Value(std::string(bytes));
    }
}

std::string DbfFile::recordBytes(const ValueList& values, bool isDeleted) {
    std::string record(1, isDeleted ? '*' : ' ');
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        record += fieldBytes(fields_[i], i < values.size() ? values[i] : Value());
    }
    record.resize(recordSize_, ' ');
    return record;
}

bool DbfFile::append(const ValueList& values) {
    std::string record = recordBytes(values, false);
    file_.seekp(static_cast<std::streamoff>(recordOffset(count_ + 1)));
    file_.write(record.data(), static_cast<std::streamsize>(record.size()));
    file_.put('\x1A');
    if (!file_) return false;
    ++count_;
    return writeCount();
}

ValueList DbfFile::read(std::uint32_t n) {
    if (n < 1 || n > count_) return {};
    std::string record(recordSize_, ' ');
    file_.clear();
    file_.seekg(static_cast<std::streamoff>(recordOffset(n)));
    if (!file_.read(record.data(), recordSize_)) return {};
    ValueList values;
    std::size_t at = 1;
    for (const auto& f : fields_) {
        values.push_back(fieldValue(f, std::string_view(record).substr(at, static_cast<std::size_t>(f.length))));
        at += static_cast<std::size_t>(f.length);
    }
    return values;
}

bool DbfFile::write(std::uint32_t n, const ValueList& values) {
    if (n < 1 || n > count_) return false;
    std::string record = recordBytes(values, deleted(n));
    file_.clear();
    file_.seekp(static_cast<std::streamoff>(recordOffset(n)));
    file_.write(record.data(), static_cast<std::streamsize>(record.size()));
    file_.flush();
    return static_cast<bool>(file_);
}

bool DbfFile::deleted(std::uint32_t n) {
    if (n < 1 || n > count_) return false;
    file_.clear();
    file_.seekg(static_cast<std::streamoff>(recordOffset(n)));
    return file_.get() == '*';
}

bool DbfFile::setDeleted(std::uint32_t n, bool isDeleted) {
    if (n < 1 || n > count_) return false;
    file_.clear();
    file_.seekp(static_cast<std::streamoff>(recordOffset(n)));
    file_.put(isDeleted ? '*' : ' ');
    file_.flush();
    return static_cast<bool>(file_);
}

bool DbfFile::zap() {
    count_ = 0;
    file_.clear();
    file_.seekp(static_cast<std::streamoff>(headerSize_));
    file_.put('\x1A');
    if (memo_.is_open()) {
        std::string next = longBytes(1);
        memo_.clear();
        memo_.seekp(0);
        memo_.write(next.data(), 4);
        memo_.flush();
    }
    return writeCount();
}

bool DbfFile::pack() {
    std::vector<ValueList> kept;
    for (std::uint32_t n = 1; n <= count_; ++n) {
        if (!deleted(n)) kept.push_back(read(n));
    }
    if (!zap()) return false;
    for (const auto& values : kept) {
        if (!append(values)) return false;
    }
    return true;
}

}  // namespace wl
