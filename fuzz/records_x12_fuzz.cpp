// Runs the CSV/XML-to-X12 engine on fuzzed input: a fuzzed CSV or XML
// source with a fixed claim map, or a fuzzed map and source together.
//
// Input layout: byte 0 holds the switches (bit 0 fuzzed map, 1 XML, 2 "ML",
// 3 "CR", 4 a second run merging into the first one's output); with a
// fuzzed map bytes 1-2 give its length and the map follows; the rest is
// the source.
//
// Besides crashes, hangs and sanitizer reports, a finding is an output that
// is not a sequence of complete interchanges whose segments all come from
// the envelope or the map's templates: a value that slipped a delimiter
// into the X12 would show as a segment of its own.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "fuzz_support.hpp"
#include "map_file.hpp"
#include "messages.hpp"
#include "conversion_engine.hpp"
#include "x12_to_csv.hpp"

namespace {

const char kMap[] =
    "X12TRANSACTIONTYPE=837P\r\nVERSION=5010\r\n"
    "FIELD=SUBMITTER,20,NM1,41,2,3,,,,1\r\nFIELD=CLAIMID,20,CLM,,,1\r\nFIELD=AMOUNT,10,CLM,,,2\r\n"
    "FIELD=PRIORAUTH,10,REF,G1,2,2\r\nFIELD=PATNAME,20,NM1,QC,2,3\r\n"
    "FIELD=PROC1,10,SV1,,,1,2,,,,1\r\nFIELD=AMT1,10,SV1,,,2,,,,,1\r\n"
    "FIELD=PROC2,10,SV1,,,1,2,,,,2\r\nFIELD=AMT2,10,SV1,,,2,,,,,2\r\nFIELD=ADJ,10,PLB,,,3,,,,1\r\n"
    "SEGMENT=1,BHT,0019,00,$SUBMITTER\r\nSEGMENT=2,HL,&HL,1,22,0\r\nSEGMENT=2,NM1,QC,1,!PATNAME\r\n"
    "SEGMENT=2,CLM,$CLAIMID,$AMOUNT,,,11:B:1\r\nSEGMENT=2,REF:$PRIORAUTH,G1,$PRIORAUTH\r\n"
    "SEGMENT=3,LX,&LX\r\nSEGMENT=3,SV1,%HC;$PROC,$AMT,UN,1\r\nSEGMENT=4,PLB,1234,20261231,$ADJ\r\n"
    "ISA06=SENDER\r\nGS8=005010X222A1\r\n";

using zrfuzz::readFile;
using zrfuzz::writeFile;

std::string trimmed(const std::string& s) {
    const std::size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return "";
    return s.substr(a, s.find_last_not_of(" \t\r\n") - a + 1);
}

// Every segment is the envelope's or a template's, and the output ends
// with a whole interchange.
void checkForm(const std::string& x12, const zr::MapFile& map) {
    std::set<std::string> ids = {"ISA", "GS", "ST", "SE", "GE", "IEA"};
    for (const zr::TemplateRow& t : map.templates) ids.insert(trimmed(t[1].substr(0, t[1].find(':'))));
    std::size_t start = 0;
    std::string last;
    for (std::size_t end; (end = x12.find('~', start)) != std::string::npos; start = end + 1) {
        std::string segment = x12.substr(start, end - start);
        while (!segment.empty() && (segment[0] == '\r' || segment[0] == '\n')) segment.erase(0, 1);
        // The ISA holds blanks of fixed width; its component separator is ":".
        const std::string id = segment.substr(0, segment.find('*'));
        if (!ids.count(id)) std::abort();
        last = id;
    }
    if (trimmed(x12.substr(start)) != "" || last != "IEA") std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    zrfuzz::absolutePaths(argc, argv);
    std::filesystem::current_path(zrfuzz::scratchFolder("records-fuzz"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static wl::ScopedPromptHook quiet([](const wl::Prompt&) { return wl::PromptAnswer{}; });
    const auto taken = zrfuzz::takeMapAndSwitches(data, size, std::string_view(kMap, sizeof kMap - 1));
    if (!taken) return 0;
    const unsigned switches = *taken;
    const bool xml = switches & 2;
    const char* source = xml ? "source.xml" : "source.csv";
    writeFile(source, data, size);
    std::remove("out.x12");

    zr::EngineRequest r;
    r.spec.parseType = xml ? "XML,X12" : "CSV,X12";
    r.type = zr::conversionTypeOf(r.spec.parseType);
    r.spec.sourceFile = source;
    r.spec.destinationFile = "out.x12";
    r.spec.parseOptions = switches & 4 ? "ML" : "";
    r.options = zr::parseOptions(r.spec.parseOptions);
    r.options.map = "map.cfg";
    r.options.crlf = switches & 8;
    const zr::MapFile map = zr::parseMapText(readFile("map.cfg"));
    // A fuzzed map's templates may hold anything; the form is checked for the fixed map.
    const bool check = !(switches & 1);
    // A refused record fails the run but its output holds the others.
    zr::CTL48400A(r);
    const bool made = std::filesystem::exists("out.x12");
    if (made && check) checkForm(readFile("out.x12"), map);
    if (made && (switches & 16)) {
        r.options.merge = true;
        zr::CTL48400A(r);
        if (check) checkForm(readFile("out.x12"), map);
    }
    return 0;
}
