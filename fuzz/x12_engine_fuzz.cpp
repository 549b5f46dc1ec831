// Runs the X12-to-CSV/XML engine on fuzzed input: fuzzed X12 with a fixed
// 837P map, or a fuzzed map and fuzzed X12 together.
//
// Input layout: byte 0 holds the switches (bit 0 fuzzed map, 1 XML, 2 "SL",
// 3 "ML", 4 "HO", 5 debug, 6 "MF"); with a fuzzed map bytes 1-2 give its
// length and the map follows; the rest is the X12 source.
//
// Besides crashes, hangs and sanitizer reports, a finding is an output that
// breaks its form: a CSV line not ended by CR LF, an XML file that does not
// open with the declaration and close with "</EXPORTDATA>".
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "fuzz_support.hpp"
#include "messages.hpp"
#include "delimiters.hpp"
#include "map_file.hpp"
#include "conversion_engine.hpp"
#include "x12_to_csv.hpp"

namespace {

const char kMap[] =
    "KEYHEADERFIELD=HL,,,20\r\nKEYFIELD=HL,,,22\r\nKEYDOCFIELD=CLM\r\nKEYLINEFIELD=SV1\r\nKEYTRAILERFIELD=GE\r\n"
    "FIELD=SUBMITTERNAME,32,NM1,41,2,3,,,,1\r\nFIELD=BILLINGPROVIDERNAME,32,NM1,85,2,3,,,,2\r\n"
    "FIELD=BILLINGNPI,10,NM1,85,2,9,,,,2\r\nFIELD=SUBID,16,NM1,IL,2,9\r\nFIELD=SUBLNAME,20,NM1,IL,2,3,,SUBID\r\n"
    "FIELD=SUBADDR1,30,N3,,,1,,SUBID,,,,,,,,NM1,IL,2,PAYERID\r\nFIELD=SUBCITY,30,N4,,,1,,SUBID,,,,,,,,NM1,IL,2,PAYERID\r\n"
    "FIELD=PAYERID,16,NM1,PR,2,9,,SUBID\r\nFIELD=PRIMARYCOV,1,SBR,P:S:,2,1\r\n"
    "FIELD=CLAIMID,20,CLM,,,1,,SUBID\r\nFIELD=CLAIMAMT,10,CLM,,,2,,SUBID,,4\r\nFIELD=POS,2,CLM,,,5,1,SUBID\r\n"
    "FIELD=DX1,8,HI,ABK:BK,2,1,2,SUBID\r\nFIELD=DX2,8,HI,ABF:BF,2,2,2,SUBID,2\r\n"
    "FIELD=PROC1,5,SV1,,,1,2,SUBID,,,1,Procedure\r\nFIELD=AMT1,10,SV1,,,2,,SUBID,,4,1\r\n"
    "FIELD=DOS1,8,DTP,472,2,3,,SUBID,,,1\r\nFIELD=SEGMENT,80,REF,,,1,,SUBID,,,,,,,fn.txt\r\n"
    "FIELD=SOURCEFILE,64,,,,,,,,5\r\nFIELD=DESTINATIONFILE,64,,,,,,,,6\r\n";

// The fuzzer runs in its own folder: the engine writes "debug.log" and
// reads function files from the current folder.
void enterWorkFolder() {
    std::filesystem::current_path(zrfuzz::scratchFolder("engine-fuzz"));
    if (std::FILE* f = std::fopen("fn.txt", "wb")) {
        std::fputs("CALLDLL x\r\nCSVTABLE=t.csv\r\nRETURNSEGMENT\r\n", f);
        std::fclose(f);
    }
    if (std::FILE* f = std::fopen("t.csv", "wb")) {
        std::fputs("6R,LINE\r\nG1,PRIOR,AUTH\r\n", f);
        std::fclose(f);
    }
}

using zrfuzz::readFile;
using zrfuzz::writeFile;

// The title line comes from the map, whose lines may hold line feeds; the
// rows hold values only, which never do.
void checkForm(const std::string& out, bool xml, bool title) {
    if (xml) {
        // Values and names are escaped: the closing tag stands once, at the end.
        const std::string head = "<?xml version=\"1.0\"  encoding=\"ISO-8859-1\"?>\r\n<EXPORTDATA>\r\n";
        const std::string end = "</EXPORTDATA>\r\n";
        if (out.compare(0, head.size(), head) != 0 || out.size() < head.size() + end.size() ||
            out.find(end) != out.size() - end.size())
            std::abort();
        return;
    }
    std::size_t start = 0;
    if (title) {
        start = out.find("\r\n");
        if (start == std::string::npos) std::abort();
        start += 2;
    }
    for (std::size_t i = start; i < out.size(); ++i)
        if (out[i] == '\n' && (i == start || out[i - 1] != '\r')) std::abort();
    if (!out.empty() && out.back() != '\n') std::abort();
}

}  // namespace

// Corpus paths and findings stay where the fuzzer was started, not in the
// work folder.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    zrfuzz::absolutePaths(argc, argv);
    enterWorkFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static wl::ScopedPromptHook quiet([](const wl::Prompt&) { return wl::PromptAnswer{}; });
    const auto taken = zrfuzz::takeMapAndSwitches(data, size, std::string_view(kMap, sizeof kMap - 1));
    if (!taken) return 0;
    const unsigned switches = *taken;
    writeFile("source.x12", data, size);

    const bool xml = switches & 2;
    std::string options;
    if (switches & 4) options += "SL,";
    if (switches & 8) {
        // The expansion makes every record as wide as the widest: keep the
        // fuzzer to sources whose expanded records stay small.
        std::string bytes(reinterpret_cast<const char*>(data), size);
        zr::MapFile map = zr::parseMapText(readFile("map.cfg"));
        auto located = zr::CTL39400AJ("source.x12");
        zr::X12Delimiters d{"~", "*", ":"};
        if (located) d = zr::readDelimiters("source.x12", *located + 1);
        if (zr::countServiceLines(bytes, d, map.keys) <= 50) options += "ML,";
    }
    if (switches & 16) options += "HO,";
    const char* output = xml ? "out.xml" : "out.csv";
    std::remove(output);

    zr::EngineRequest r;
    r.spec.parseType = xml ? "X12,XML" : "X12,CSV";
    r.type = zr::conversionTypeOf(r.spec.parseType);
    r.spec.sourceFile = "source.x12";
    r.spec.destinationFile = output;
    r.spec.parseOptions = options;
    r.options = zr::parseOptions(r.spec.parseOptions);
    r.options.map = "map.cfg";
    r.options.debug = switches & 32;
    if (zr::CTL48400A(r).failed) return 0;
    const bool title = (switches & 16) != 0;
    checkForm(readFile(output), xml, title);
    if (switches & 64) {
        // A second run merges into the first one's output.
        r.options.merge = true;
        if (!zr::CTL48400A(r).failed) checkForm(readFile(output), xml, title);
    }
    return 0;
}
