// Runs the XML record reader on fuzzed sources, malformed tags above all.
//
// Input: byte 0 picks the read block (16 << (byte & 15) bytes); the rest
// is the source. Besides crashes, hangs and sanitizer reports, a finding
// is a reading that depends on where the blocks fall: the records, the
// completeness and the line of a tag left open must be those of the
// source read in one piece, and that line must lie inside the source.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "byte_input.hpp"
#include "fuzz_support.hpp"
#include "record_readers.hpp"

namespace {

struct Reading {
    std::vector<zr::SourceRecord> records;
    bool complete = true;
    int malformedLine = 0;
};

Reading readAll(zr::ByteInput& in) {
    zr::XmlReader reader(in);
    Reading r;
    for (zr::SourceRecord record; reader.next(record);) r.records.push_back(std::move(record));
    r.complete = reader.complete();
    r.malformedLine = reader.malformedLine();
    return r;
}

bool same(const Reading& a, const Reading& b) {
    if (a.complete != b.complete || a.malformedLine != b.malformedLine || a.records.size() != b.records.size())
        return false;
    for (std::size_t i = 0; i < a.records.size(); ++i)
        if (a.records[i].byName != b.records[i].byName) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    zrfuzz::absolutePaths(argc, argv);
    std::filesystem::current_path(zrfuzz::scratchFolder("xml-reader-fuzz"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::size_t block = std::size_t{16} << (data[0] & 15);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    zr::ByteInput whole(text);
    const Reading expected = readAll(whole);
    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    if (expected.malformedLine < 0 || expected.malformedLine > lines) std::abort();
    if (expected.malformedLine > 0 && expected.complete) std::abort();
    zrfuzz::writeFile("in.xml", data + 1, size - 1);
    zr::ByteInput file("in.xml", block);
    if (!same(readAll(file), expected)) std::abort();
    return 0;
}
