// What every fuzz target shares: corpus and option paths made absolute
// before a target changes its current folder, and a scratch folder that
// goes when the fuzzer ends.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
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

}  // namespace zrfuzz
