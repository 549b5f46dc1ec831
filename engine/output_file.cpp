#include "output_file.hpp"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "file_io.hpp"

namespace zr {

namespace fs = std::filesystem;

namespace {
constexpr int kWriteFault = 29;  // ERROR_WRITE_FAULT, when the system names no cause
constexpr std::size_t kTailSearch = 64 * 1024;

std::FILE* openFile(const std::string& path, const char* mode) {
    errno = 0;
    return std::fopen(path.c_str(), mode);
}

// Where the last `text` of the file begins, searched in its last 64 KB.
std::uintmax_t lastOccurrence(const std::string& path, std::string_view text, std::uintmax_t size) {
    std::uintmax_t start = size > kTailSearch ? size - kTailSearch : 0;
    wl::InputFile in(path);
    if (!in.isOpen() || !in.seek(static_cast<std::int64_t>(start))) return size;
    std::string tail(static_cast<std::size_t>(size - start), '\0');
    tail.resize(in.read(tail.data(), tail.size()));
    std::size_t at = tail.rfind(text);
    return at == std::string::npos ? size : start + at;
}
}  // namespace

namespace {

// The bytes [from, from + n) of the file ("" when unreadable).
std::string readRange(const std::string& path, std::uintmax_t from, std::size_t n) {
    wl::InputFile in(path);
    std::string bytes(n, '\0');
    if (!in.isOpen() || !in.seek(static_cast<std::int64_t>(from))) return {};
    bytes.resize(in.read(bytes.data(), bytes.size()));
    return bytes;
}

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view stripped(std::string_view s) {
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

}  // namespace

bool fitsMerge(const std::string& path, OutputKind kind) {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) return false;
    if (size == 0) return true;
    const std::string head = readRange(path, 0, static_cast<std::size_t>(std::min<std::uintmax_t>(size, 4096)));
    const std::uintmax_t tailFrom = size > kTailSearch ? size - kTailSearch : 0;
    const std::string tail = readRange(path, tailFrom, static_cast<std::size_t>(size - tailFrom));
    const std::string_view h = stripped(head), t = stripped(tail);
    switch (kind) {
        case OutputKind::Xml: {
            if (h.substr(0, 5) != "<?xml" || h.find("<EXPORTDATA>") == std::string_view::npos) return false;
            const std::string_view end = "</EXPORTDATA>";
            return t.size() >= end.size() && t.substr(t.size() - end.size()) == end;
        }
        case OutputKind::X12: {
            if (h.substr(0, 3) != "ISA" || head.size() < 106) return false;
            const char terminator = h.size() > 105 ? h[105] : '~';
            if (t.empty() || t.back() != terminator) return false;
            const std::string_view body = t.substr(0, t.size() - 1);
            const std::size_t previous = body.rfind(terminator);
            const std::string_view last = stripped(previous == std::string_view::npos ? body : body.substr(previous + 1));
            return last.substr(0, 3) == "IEA";
        }
        case OutputKind::Csv:
            if (h.substr(0, 3) == "ISA" || h.substr(0, 1) == "<") return false;
            if (head.find('\0') != std::string::npos || tail.find('\0') != std::string::npos) return false;
            return tail.back() == '\n';
    }
    return false;
}

std::string outputFailure(int error, const std::string& output) {
    if (error == wl::kErrorAlreadyExists)
        return "Output Changed by Another Run, Not Replaced : " + output;
    if (error == wl::kErrorPipeNotConnected) return "Output Not Written, Nobody Reads the Pipe : " + output;
    if (error == wl::kErrorLockViolation) return "Output Not Merged, Another Run Is Adding to It : " + output;
    return "Output Not Written : " + output;
}

OutputFile::~OutputFile() {
    if (file_) abandon();
}

int OutputFile::fail(int fallback) {
    int code = wl::lastOsError();
    if (error_ == 0) error_ = code != 0 ? code : fallback;
    return error_;
}

int OutputFile::create(const std::string& path) {
    path_ = path;
    // What the target is now: another run that replaces it before this
    // one completes wins, and this one says so rather than mixing in.
    seen_ = wl::fileStamp(path);
    if (seen_.kind == wl::TargetKind::Folder || seen_.kind == wl::TargetKind::Device) {
        // A device or pipe is written in place: renaming over it would
        // replace it with a plain file.
        temporary_ = false;
        keptSize_ = 0;
        file_ = wl::openInPlace(path, error_);
        return error_;
    }
    temporary_ = true;
    file_ = wl::createTemporaryFile(path, temp_, error_);
    return error_;
}

int OutputFile::append(const std::string& path, std::string_view cutTail) {
    path_ = path;
    temporary_ = false;
    // Measured and cut only once no other run is adding to it: two runs
    // appending at once would mix their records.
    if (int error = lock_.acquire(path); error != 0) {
        error_ = error;
        return error_;
    }
    std::error_code ec;
    keptSize_ = fs::file_size(path, ec);
    if (ec) keptSize_ = 0;
    if (!cutTail.empty() && !ec) {
        std::uintmax_t at = lastOccurrence(path, cutTail, keptSize_);
        if (at < keptSize_) {
            wl::InputFile in(path);
            removedTail_.assign(static_cast<std::size_t>(keptSize_ - at), '\0');
            if (in.seek(static_cast<std::int64_t>(at))) removedTail_.resize(in.read(removedTail_.data(), removedTail_.size()));
            fs::resize_file(path, at, ec);
            if (ec) {
                removedTail_.clear();
                error_ = 5;
                return error_;
            }
            keptSize_ = at;
        }
    }
    file_ = openFile(path, "ab");
    if (!file_) {
        fail(2);
        // Put back what was cut: the file stays as it was.
        if (!removedTail_.empty()) wl::appendToFile(path, removedTail_);
        removedTail_.clear();
    }
    return error_;
}

void OutputFile::flush() {
    if (buffer_.empty()) return;
    if (file_ && error_ == 0) {
        errno = 0;
        if (std::fwrite(buffer_.view().data(), 1, buffer_.size(), file_) != buffer_.size()) fail(kWriteFault);
    }
    buffer_.clear();
}

void OutputFile::writeThrough(std::string_view bytes) {
    flush();
    if (file_ && error_ == 0) {
        errno = 0;
        if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) fail(kWriteFault);
    }
}

int OutputFile::commit() {
    if (!file_) return error_ != 0 ? error_ : 6;
    flush();
    errno = 0;
    if (error_ == 0 && std::fflush(file_) != 0) fail(kWriteFault);
    errno = 0;
    if (std::fclose(file_) != 0 && error_ == 0) fail(kWriteFault);
    file_ = nullptr;
    if (error_ == 0 && temporary_) error_ = wl::replaceFileIfUnchanged(temp_, path_, seen_);
    if (error_ != 0) abandon();
    removedTail_.clear();
    lock_.release();
    return error_;
}

void OutputFile::abandon() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    buffer_.clear();
    std::error_code ec;
    if (temporary_) {
        wl::removeTemporaryFile(temp_);
        temp_.clear();
        return;
    }
    // A merge: the file goes back to what it held before this run.
    if (lock_.held()) {
        fs::resize_file(path_, keptSize_, ec);
        if (!removedTail_.empty()) wl::appendToFile(path_, removedTail_);
    }
    removedTail_.clear();
    lock_.release();
}

}  // namespace zr
