// generate_x12 KIND SIZE_MB OUT_FILE [--lf] [--seed N]
//
// Writes a benchmark input of about SIZE_MB megabytes (10^6 bytes; a
// fraction is allowed) of KIND 837p, 837i or 835, and prints what it wrote
// and how fast it was generated.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "x12_generator.hpp"

namespace {

constexpr const char* kUsage =
    "usage: generate_x12 KIND SIZE_MB OUT_FILE [--lf] [--seed N]\n"
    "  KIND     837p, 837i or 835\n"
    "  SIZE_MB  approximate size in megabytes of 10^6 bytes (e.g. 200 or 0.5)\n"
    "  --lf     a line feed after each segment terminator\n"
    "  --seed N another seed gives other names, amounts and codes\n";

struct Arguments {
    zrbench::GeneratorOptions options;
    std::string outFile;
};

bool parseUnsigned(std::string_view text, std::uint64_t& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    std::string copy(text);
    value = std::strtoull(copy.c_str(), &end, 10);
    return *end == '\0' && copy[0] != '-';
}

bool parseArguments(int argc, char** argv, Arguments& args) {
    std::string_view positional[3];
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        std::string_view word = argv[i];
        if (word == "--lf") {
            args.options.lineFeed = true;
        } else if (word == "--seed") {
            if (++i >= argc || !parseUnsigned(argv[i], args.options.seed)) return false;
        } else if (count < 3) {
            positional[count++] = word;
        } else {
            return false;
        }
    }
    if (count != 3) return false;
    auto kind = zrbench::parseKind(positional[0]);
    if (!kind) return false;
    args.options.kind = *kind;
    char* end = nullptr;
    std::string sizeText(positional[1]);
    double megabytes = std::strtod(sizeText.c_str(), &end);
    if (*end != '\0' || !(megabytes > 0) || megabytes > 1e6) return false;
    args.options.targetBytes = static_cast<std::size_t>(megabytes * 1e6);
    args.outFile = positional[2];
    return true;
}

// Written under a temporary name and renamed when complete, so that an
// interrupted run never leaves a truncated file that looks like an input.
bool writeFile(const std::string& name, const std::string& text) {
    std::string temporary = name + ".tmp";
    std::FILE* f = std::fopen(temporary.c_str(), "wb");
    if (f == nullptr) return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = std::fclose(f) == 0 && ok;
    if (ok) ok = std::rename(temporary.c_str(), name.c_str()) == 0;
    if (!ok) std::remove(temporary.c_str());
    return ok;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    if (!parseArguments(argc, argv, args)) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    auto start = std::chrono::steady_clock::now();
    std::string text;
    zrbench::GeneratorSummary summary = zrbench::generateX12(args.options, text);
    double generating = secondsSince(start);

    start = std::chrono::steady_clock::now();
    if (!writeFile(args.outFile, text)) {
        std::fprintf(stderr, "generate_x12: cannot write %s\n", args.outFile.c_str());
        return 1;
    }
    double writing = secondsSince(start);

    std::printf("%s: %zu bytes of %s, %zu interchanges, %zu transaction sets, %zu claims, %zu segments\n",
                args.outFile.c_str(), summary.bytes, std::string(zrbench::kindName(args.options.kind)).c_str(),
                summary.interchanges, summary.transactions, summary.claims, summary.segments);
    std::printf("generated in %.3f s (%.0f MB/s), written in %.3f s\n", generating,
                generating > 0 ? summary.bytes / generating / 1e6 : 0.0, writing);
    return 0;
}
