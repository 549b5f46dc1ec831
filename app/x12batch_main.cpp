// The unattended converter on Linux: the program's batch mode with its four
// words, messages and questions on the terminal, the meter as a progress
// line on stderr.
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "command_line.hpp"
#include "conversion_driver.hpp"
#include "file_io.hpp"
#include "progress_meter.hpp"
#include "system_info.hpp"

namespace {

// The terminal's meter: redraws the progress line at most once per whole
// percent. The observer holds its own copy, so the state lives in it.
struct TerminalMeter {
    int shown = -1;
    void operator()(const zr::MeterEvent& e);
};

void TerminalMeter::operator()(const zr::MeterEvent& e) {
    switch (e.kind) {
        case zr::MeterEvent::Kind::Open:
            std::fprintf(stderr, "%s\n", e.text.c_str());
            shown = -1;
            break;
        case zr::MeterEvent::Kind::Set:
        case zr::MeterEvent::Kind::SetAlways: {
            int percent = static_cast<int>(e.value);
            if (percent == shown) break;
            shown = percent;
            const int width = 40, filled = percent * width / 100;
            std::fprintf(stderr, "\r[%s%s] %3d%%", std::string(filled, '#').c_str(),
                         std::string(width - filled, ' ').c_str(), percent);
            break;
        }
        case zr::MeterEvent::Kind::Close:
            if (shown >= 0) std::fprintf(stderr, "\n");
            shown = -1;
            break;
        case zr::MeterEvent::Kind::SecondLine: break;
    }
    std::fflush(stderr);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words;
    for (int i = 1; i < argc && words.size() < 4; ++i) words.emplace_back(argv[i]);
    const zr::CommandLine line = zr::settleCommandLine(words, wl::currentFolder());
    if (!line.batch) {
        std::fprintf(stderr,
                     "usage: x12batch TYPE SOURCE DESTINATION [OPTIONS]\n"
                     "  TYPE: X12,CSV  X12,XML  CSV,X12  XML,X12\n"
                     "  SOURCE: a file or a folder; DESTINATION: a folder or a file\n"
                     "  OPTIONS: comma-separated words such as OW,HO,MAP=file.cfg\n");
        return 2;
    }
    // The bar is for a person watching: in a script's log it would be a
    // hundred redraws per file.
    if (isatty(fileno(stderr))) zr::setMeterObserver(TerminalMeter{});
    // Ctrl+C or a kill leaves no half-written temporary output behind.
    wl::removeTemporaryFilesOnStop();
    zr::DriverResult result;
    // The driver stops each source's exceptions; anything else ends the run
    // here with its reason rather than with an abort.
    try {
        result = zr::CTLD48403(zr::batchRequest(line));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "x12batch: the run stopped: %s\n", e.what());
        return 1;
    } catch (...) {
        std::fprintf(stderr, "x12batch: the run stopped on an unknown error\n");
        return 1;
    }
    for (const std::string& note : result.notes) std::fprintf(stderr, "%s\n", note.c_str());
    std::fprintf(stderr, "x12batch: %d converted, %d converted with lost data, %d failed, %d skipped; log %s\n",
                 result.converted, result.lostData, result.failed, result.skipped, result.logPath.c_str());
    // Lost data or a source passed over is no success either: an
    // unattended run must notice it.
    return zr::batchExitStatus(result);
}
