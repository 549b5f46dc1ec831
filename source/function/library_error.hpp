// Library errors: a numbered failure of the window library with the
// operation text that the error log shows ("Class: ...", "Caption: ...").
#pragma once

#include <stdexcept>
#include <string>

namespace wl {

inline constexpr int kErrorMemoryLow = 4;
inline constexpr int kErrorCannotCreateWindow = 6;

class LibraryError : public std::runtime_error {
public:
    LibraryError(int code, std::string description, std::string operation)
        : std::runtime_error(description), code_(code), operation_(std::move(operation)) {}
    int code() const { return code_; }
    const std::string& operation() const { return operation_; }

private:
    int code_;
    std::string operation_;
};

// The description of a library error number ("" for an unknown one).
inline std::string libraryErrorText(int code) {
    switch (code) {
    case kErrorMemoryLow: return "Memory Low";
    case kErrorCannotCreateWindow: return "Cannot create window or control";
    default: return {};
    }
}

// Raises the library's "Memory Low" error (a warning the handler reports).
[[noreturn]] inline void __LOWMEMERROR() {
    throw LibraryError(kErrorMemoryLow, libraryErrorText(kErrorMemoryLow), {});
}

}  // namespace wl
