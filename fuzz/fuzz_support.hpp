// What every fuzz target shares: corpus and option paths made absolute
// before a target changes its current folder, and a scratch folder that
// goes when the fuzzer ends.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace zrfuzz {

// Rewrites the command line so that relative corpus folders and files still
// name the same place after the target changes its current folder, and
// findings land where the fuzzer was started.
inline void absolutePaths(int* argc, char*** argv) {
    namespace fs = std::filesystem;
    static std::vector<std::string> words;
    static std::vector<char*> args;
    const fs::path here = fs::current_path();
    bool prefixGiven = false;
    words.clear();
    for (int i = 0; i < *argc; ++i) {
        std::string word = (*argv)[i];
        if (i > 0 && !word.empty() && word[0] != '-') word = (here / word).lexically_normal().string();
        if (word.rfind("-artifact_prefix=", 0) == 0) prefixGiven = true;
        words.push_back(word);
    }
    if (!prefixGiven) words.push_back("-artifact_prefix=" + here.string() + "/");
    args.clear();
    for (std::string& w : words) args.push_back(w.data());
    args.push_back(nullptr);
    *argc = static_cast<int>(words.size());
    *argv = args.data();
}

// A fresh folder under the system's temporary folder, removed at exit. Its
// name outlives every static object, so the exit handler can still read it.
inline const std::string& scratchFolder(const std::string& name) {
    static const std::string* path = [&] {
        namespace fs = std::filesystem;
        const fs::path p = fs::temp_directory_path() / ("zr-" + name + "-" + std::to_string(getpid()));
        fs::remove_all(p);
        fs::create_directories(p);
        auto* kept = new std::string(p.string());
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(scratchFolder(""), ec);
        });
        return kept;
    }();
    return *path;
}

// Writes the bytes as a file in the current folder.
inline void writeFile(const char* path, const std::uint8_t* data, std::size_t size) {
    if (std::FILE* f = std::fopen(path, "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
}

inline std::string readFile(const char* path) {
    std::string out;
    if (std::FILE* f = std::fopen(path, "rb")) {
        char buf[65536];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
        std::fclose(f);
    }
    return out;
}

// The conversion targets' input: a switch byte, then (when its bit 1 is set)
// a map of a 16-bit length low byte first, else the target's own map, written
// as "map.cfg"; answers the switches and leaves data/size on the source
// bytes, or nullopt when the input is too short.
inline std::optional<unsigned> takeMapAndSwitches(const std::uint8_t*& data, std::size_t& size,
                                                  std::string_view defaultMap) {
    if (size < 1) return std::nullopt;
    const unsigned switches = data[0];
    ++data;
    --size;
    if (switches & 1) {
        if (size < 2) return std::nullopt;
        const std::size_t length = std::min<std::size_t>(size - 2, data[0] | (data[1] << 8));
        writeFile("map.cfg", data + 2, length);
        data += 2 + length;
        size -= 2 + length;
    } else {
        writeFile("map.cfg", reinterpret_cast<const std::uint8_t*>(defaultMap.data()), defaultMap.size());
    }
    return switches;
}

}  // namespace zrfuzz
