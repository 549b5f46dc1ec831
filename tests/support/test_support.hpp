// Shared helpers of the test programs: a temporary folder, exact-byte file
// writing, and a recorder that answers the program's messages and questions.
#pragma once

#include <ctime>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "messages.hpp"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zrtest {

// A fresh folder, removed with everything in it when the object goes.
class TempDir {
public:
    TempDir() {
        namespace fs = std::filesystem;
        static int counter = 0;
        auto base = fs::temp_directory_path();
        for (;;) {
            path_ = base / ("zrtest-" + std::to_string(::time(nullptr)) + "-" + std::to_string(++counter));
            std::error_code ec;
            if (fs::create_directory(path_, ec)) break;
        }
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

    // Writes the bytes exactly and answers the file's path.
    std::string write(const std::string& name, const std::string& bytes) const {
        std::string p = file(name);
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }

private:
    std::filesystem::path path_;
};

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return {};
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

// Records every message and question while alive; questions take the
// scripted answers in order, then `defaultAnswer`.
class PromptRecorder {
public:
    explicit PromptRecorder(bool defaultAnswer = false)
        : defaultAnswer_(defaultAnswer), hook_([this](const wl::Prompt& p) { return answer(p); }) {}

    void answerNext(bool yes) { answers_.push_back(yes); }
    void answerFile(std::string path) { files_.push_back(std::move(path)); }
    void answerChoice(int position) { choices_.push_back(position); }
    const std::vector<wl::Prompt>& prompts() const { return prompts_; }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& p : prompts_) out.push_back(p.text);
        return out;
    }

private:
    wl::PromptAnswer answer(const wl::Prompt& p) {
        prompts_.push_back(p);
        wl::PromptAnswer a;
        if (p.kind == wl::PromptKind::File && !files_.empty()) {
            a.file = files_.front();
            files_.pop_front();
        }
        if ((p.kind == wl::PromptKind::Choice || p.kind == wl::PromptKind::List) && !choices_.empty()) {
            a.choice = choices_.front();
            choices_.pop_front();
        }
        if (p.isQuestion()) {
            a.yes = defaultAnswer_;
            if (!answers_.empty()) {
                a.yes = answers_.front();
                answers_.pop_front();
            }
        }
        return a;
    }

    bool defaultAnswer_;
    std::deque<bool> answers_;
    std::deque<std::string> files_;
    std::deque<int> choices_;
    std::vector<wl::Prompt> prompts_;
    wl::ScopedPromptHook hook_;
};

#ifndef _WIN32
// A named pipe held open for reading and writing by the test itself, so a
// writer never waits and a run that replaced the pipe cannot hang the test:
// what the pipe received is read back without blocking.
class HeldPipe {
public:
    explicit HeldPipe(const std::string& path) {
        if (::mkfifo(path.c_str(), 0600) == 0) fd_ = ::open(path.c_str(), O_RDWR | O_NONBLOCK);
    }
    ~HeldPipe() {
        if (fd_ >= 0) ::close(fd_);
    }
    HeldPipe(const HeldPipe&) = delete;
    HeldPipe& operator=(const HeldPipe&) = delete;
    bool ok() const { return fd_ >= 0; }
    std::string received() {
        std::string got;
        char buffer[4096];
        for (ssize_t n; (n = ::read(fd_, buffer, sizeof buffer)) > 0;) got.append(buffer, static_cast<std::size_t>(n));
        return got;
    }

private:
    int fd_ = -1;
};
#endif

// X12 with the envelope's date and time of making (ISA09/ISA10, GS04/GS05)
// masked: two runs may straddle a minute.
inline std::string withoutEnvelopeStamps(const std::string& x12) {
    static const std::regex stamp(R"(\*(\d{6}|\d{8})\*\d{4}\*)");
    return std::regex_replace(x12, stamp, "*DATE*TIME*");
}

}  // namespace zrtest

// Tests over the shared X12 samples skip, naming the folder, in a clone that
// has no shared samples beside it.
#define ZR_REQUIRE_SAMPLES()                                                                      \
    do {                                                                                          \
        std::error_code zrSamplesError;                                                           \
        if (!std::filesystem::is_directory(std::string(ZR_SAMPLES), zrSamplesError))              \
            GTEST_SKIP() << "the shared X12 samples folder " << ZR_SAMPLES << " is absent";       \
    } while (0)
