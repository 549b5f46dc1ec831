// Feeds arbitrary bytes to the X12 model as a file: the ISA locator and
// delimiter reader, the loader, the claim index, every column accessor and
// the rewriters. Any crash, hang or sanitizer report is a finding.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "claim_index.hpp"
#include "delimiters.hpp"
#include "fuzz_support.hpp"
#include "messages.hpp"
#include "segment_table.hpp"
#include "table_rewriters.hpp"

namespace {

const std::string& inputPath() {
    static const std::string path = zrfuzz::scratchFolder("model-fuzz") + "/input.x12";
    return path;
}

void exercise(const zr::SegmentTable& t) {
    std::size_t sink = 0;
    for (std::size_t r = 1; r <= t.size(); ++r) {
        for (int k = 1; k <= 13; ++k) sink += t.column(r, k).size();
        for (int n = 0; n < 4; ++n) sink += t.element(r, n).size();
    }
    for (int mode = 1; mode <= 3; ++mode) sink += zr::CTL39400C(t, mode).size();
    for (int what : {1, 2, 3, 4, 10, 11}) sink += zr::CTL39400AB(t, 1, what, "ST").size();
    sink += zr::CTL39400AA("HL", t) + zr::CTL39400AN(t, 1) + zr::CTL39400AD(t, 1, 2);
    sink += zr::CTL39400AM(t, "TRANSACTIONSETDATE").size();
    (void)sink;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static wl::ScopedPromptHook quiet([](const wl::Prompt&) { return wl::PromptAnswer{}; });
    const std::string& path = inputPath();
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    auto located = zr::CTL39400AJ(path);
    std::int64_t base = located ? *located + 1 : 0;
    zr::X12Delimiters d = zr::readDelimiters(path, base);
    std::size_t n = zr::CTL39400I(path, 0, d.component, d.element, d.terminator);
    zr::SegmentTable t = zr::CTL39400B(path, n, d, base);
    exercise(t);
    exercise(zr::CTL39400AH(t, 2));
    exercise(zr::CTL39405A(1, t));
    return 0;
}
