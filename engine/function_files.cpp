#include "function_files.hpp"

#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <system_error>
#include <utility>
#include <vector>

#include "paths.hpp"
#include "text.hpp"
#include "text_files.hpp"

namespace zr {

namespace {

// Size and time stamp: what tells that a file changed between runs.
struct Stamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type time{};
    bool operator==(const Stamp&) const = default;
};

Stamp stampOf(const std::string& path) {
    namespace fs = std::filesystem;
    Stamp s;
    std::error_code ec;
    if (path.empty() || !fs::is_regular_file(path, ec)) return s;
    s.exists = true;
    s.size = fs::file_size(path, ec);
    s.time = fs::last_write_time(path, ec);
    return s;
}

struct TableRow {
    std::string key;          // before the first comma
    std::string replacement;  // after it, further commas dropped
};

struct Step {
    enum class Kind { Table, Segment } kind;
    std::string table;  // Table: the table file's name
};

// A cached file: read when first used in a run and changed since.
template <class Content>
struct Cached {
    Stamp stamp;
    std::uint64_t checkedInRun = 0;
    Content content;
};

std::vector<Step> readSteps(const std::string& path) {
    std::vector<Step> steps;
    for (const std::string& raw : wl::crLines(CTL39400AY(path))) {
        const std::string line = wl::alltrim(raw);
        if (wl::prefixMatch(line, "CALLDLL")) continue;  // a library call: nothing to do here
        if (wl::prefixMatch(line, "CSVTABLE")) steps.push_back({Step::Kind::Table, line.size() > 9 ? line.substr(9) : ""});
        else if (wl::upper(line) == "RETURNSEGMENT") steps.push_back({Step::Kind::Segment, ""});
    }
    return steps;
}

std::vector<TableRow> readTable(const std::string& path) {
    std::vector<TableRow> rows;
    for (const std::string& line : wl::crLines(CTL39400AY(path))) {
        TableRow row;
        std::size_t comma = line.find(',');
        row.key = line.substr(0, comma);
        if (comma != std::string::npos)
            for (char c : std::string_view(line).substr(comma + 1))
                if (c != ',') row.replacement += c;
        rows.push_back(std::move(row));
    }
    return rows;
}

// The cached content of a file, re-read when it changed since `run` began;
// nullptr when the file does not exist. The caller holds the cache's lock.
// The content found stays in place until the next run begins (std::map
// keeps its elements where they are), so it is read after the lock is gone.
template <class Content, class Reader>
const Content* lookup(std::map<std::string, Cached<Content>, std::less<>>& files, std::uint64_t run,
                      std::string_view name, Reader read) {
    auto it = files.find(name);
    if (it == files.end()) it = files.emplace(std::string(name), Cached<Content>{}).first;
    Cached<Content>& c = it->second;
    if (c.checkedInRun != run) {
        c.checkedInRun = run;
        const std::string path = wl::findFileNoCase(std::string(name));
        Stamp now = stampOf(path);
        if (!(now == c.stamp)) {
            c.stamp = now;
            c.content = now.exists ? read(path) : Content{};
        }
    }
    return c.stamp.exists ? &c.content : nullptr;
}

}  // namespace

struct FunctionFiles::Cache {
    std::mutex lock;
    std::uint64_t run = 1;
    std::map<std::string, Cached<std::vector<Step>>, std::less<>> functions;
    std::map<std::string, Cached<std::vector<TableRow>>, std::less<>> tables;
};

FunctionFiles::FunctionFiles() : cache_(std::make_unique<Cache>()) {}
FunctionFiles::~FunctionFiles() = default;

void FunctionFiles::beginRun() {
    // A map names a few function files; a cache that has met more than
    // this many names starts afresh rather than keep them all.
    constexpr std::size_t kKept = 256;
    std::lock_guard<std::mutex> hold(cache_->lock);
    if (cache_->functions.size() > kKept) cache_->functions.clear();
    if (cache_->tables.size() > kKept) cache_->tables.clear();
    ++cache_->run;
}

std::string FunctionFiles::apply(std::string_view item, std::string_view value, std::string_view segment) {
    if (wl::prefixMatch(wl::upper(item), "USERDEF.DLL")) return std::string(value);
    const std::string name = wl::alltrim(item);
    const std::vector<Step>* steps = nullptr;
    {
        std::lock_guard<std::mutex> hold(cache_->lock);
        steps = lookup(cache_->functions, cache_->run, name, readSteps);
    }
    if (!steps) return std::string(value);
    std::string result;
    for (const Step& step : *steps) {
        if (step.kind == Step::Kind::Segment) {
            result = segment;
            continue;
        }
        const std::vector<TableRow>* rows = nullptr;
        {
            std::lock_guard<std::mutex> hold(cache_->lock);
            rows = lookup(cache_->tables, cache_->run, step.table, readTable);
        }
        if (!rows) continue;
        for (const TableRow& row : *rows) {
            if (wl::prefixMatch(value, row.key)) {
                result = row.replacement;
                break;
            }
        }
    }
    return result;
}

}  // namespace zr
