// The engine's output file, written through a buffer.
//
// Never lose data: a new output is written under a temporary name of its
// own in the same folder and replaces the target only when complete and
// only when no other run replaced it meanwhile, so a failed run
// leaves an earlier file of that name untouched; a merge appends to the
// existing file and, when the run fails, cuts it back to what it held.
// Every failure is kept as an error code for the caller to report.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "byte_buffer.hpp"
#include "file_io.hpp"

namespace zr {

// The kinds of output a merge appends to.
enum class OutputKind { Csv, Xml, X12 };

// Whether an existing file is this program's output of that kind, so that
// records may be appended to it: an XML file that opens with the
// declaration and ends with its last "</EXPORTDATA>" (blanks and line
// breaks aside); an X12 file from "ISA" to a closing "IEA" segment; a CSV
// file that is neither, holds no NUL byte and ends with a line break. An
// empty file fits every kind.
bool fitsMerge(const std::string& path, OutputKind kind);

// The reason a run gives when its output could not be written: another
// run's output in its place, a pipe nobody reads, or any other error.
std::string outputFailure(int error, const std::string& output);

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();  // an output not committed is abandoned
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // A new file (temporary until commit). 0 or the error code.
    int create(const std::string& path);
    // Appends to the existing file. With `cutTail`, the file's last
    // occurrence of that text and everything after it are removed first
    // (and put back if the run fails). 0 or the error code.
    int append(const std::string& path, std::string_view cutTail = {});

    // The buffer: callers append whole records to it, then call flushIfFull.
    ByteBuffer& buffer() { return buffer_; }
    void flushIfFull() {
        if (buffer_.size() >= kFlushAt) flush();
    }
    void write(std::string_view bytes) {
        if (bytes.size() >= kFlushAt) return writeThrough(bytes);
        buffer_.append(bytes);
        flushIfFull();
    }

    // Writes what is left and completes the file. 0 or the first error code.
    int commit();
    // Drops the output: a new file is removed, a merged one cut back.
    void abandon();

    bool isOpen() const { return file_ != nullptr; }
    int error() const { return error_; }

private:
    static constexpr std::size_t kFlushAt = 1u << 20;

    void flush();
    // Large texts go to the file without a copy into the buffer.
    void writeThrough(std::string_view bytes);
    int fail(int fallback);

    std::FILE* file_ = nullptr;
    bool temporary_ = false;
    std::string path_;
    std::string temp_;
    wl::FileStamp seen_;           // new file: the target when the run began
    std::uintmax_t keptSize_ = 0;  // merge: the size to cut back to
    std::string removedTail_;      // merge: the text cut off before appending
    ByteBuffer buffer_;
    int error_ = 0;
    wl::AppendLock lock_;  // merge: held from before the file is measured to the end
};

}  // namespace zr
