// Function files: a map field may name a small text file whose lines
// rewrite each value collected for it (a lookup in a CSV table, or the
// whole segment instead of one element).
//
// A run applies the same few files to every value, so each file and each
// table it names is read once and kept; a later run reads it again only
// when its size or time stamp changed. Each conversion owns its cache, so
// the threads of one run share it (behind a lock) and runs share nothing.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace zr {

class FunctionFiles {
public:
    FunctionFiles();
    ~FunctionFiles();
    FunctionFiles(const FunctionFiles&) = delete;
    FunctionFiles& operator=(const FunctionFiles&) = delete;

    // Starts a run: every file is checked again on its first use.
    void beginRun();

    // The value after the function file named by `item`:
    // - an item beginning with "USERDEF.DLL" (upper-cased) leaves it unchanged;
    // - a missing file leaves it unchanged;
    // - otherwise the result starts empty and the file's lines apply in
    //   order: "CALLDLL..." nothing, "CSVTABLE..." the replacement of the
    //   first row of the table (named from the line's tenth character) whose
    //   key is a prefix of the value, "RETURNSEGMENT" the whole segment.
    // Safe to call from several threads at once.
    std::string apply(std::string_view item, std::string_view value, std::string_view segment);

private:
    struct Cache;
    std::unique_ptr<Cache> cache_;
};

}  // namespace zr
