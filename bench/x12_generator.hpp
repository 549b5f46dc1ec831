// Generator of large, realistic X12 files for the benchmarks.
//
// The benchmarks need hundreds of megabytes of input that look like what
// users convert: real envelopes, many claims with varied names, ids, codes
// and amounts, and totals that add up. Committing such files is out of the
// question, so they are written on demand from a seed; the same seed gives
// the same bytes on every machine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zrbench {

// The three transaction kinds the benchmarks convert.
enum class Kind {
    Professional837,  // 837P, 005010X222A1
    Institutional837, // 837I, 005010X223A2
    Payment835,       // 835,  005010X221A1
};

// "837p", "837i" or "835" (either case); nothing for another word.
std::optional<Kind> parseKind(std::string_view word);
std::string_view kindName(Kind kind);

struct GeneratorOptions {
    Kind kind = Kind::Professional837;
    // Approximate size: generation stops after the claim that crosses it and
    // then closes the open transaction set, group and interchange, so the
    // file is always complete and a little larger than asked.
    std::size_t targetBytes = 1'000'000;
    // A line feed after each terminator, as many senders write their files.
    bool lineFeed = false;
    std::uint64_t seed = 1;
};

// What was written: printed by the command and compared by checks.
struct GeneratorSummary {
    std::size_t bytes = 0;
    std::size_t interchanges = 0;
    std::size_t groups = 0;
    std::size_t transactions = 0;
    std::size_t claims = 0;
    std::size_t segments = 0;
};

// Appends a complete file (one or more interchanges) to `out`.
GeneratorSummary generateX12(const GeneratorOptions& options, std::string& out);

}  // namespace zrbench
