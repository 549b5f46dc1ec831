// The POSIX half of whole-file reading: the file is read, never mapped.
#include "file_bytes.hpp"

namespace wl {

// A mapped file that another program cuts short ends this process with
// SIGBUS at the first page past its new end, wherever that page is next
// touched. So the caller reads it instead, and a cut during the read is an
// error it reports (Windows refuses to cut a mapped file, so it maps).
void* mapFilePrivately(const std::string&, std::size_t) { return nullptr; }

void unmapFile(void*, std::size_t) {}

}  // namespace wl
