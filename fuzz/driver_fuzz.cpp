// Runs the conversion driver with fuzzed type, source, destination and
// options over a scratch folder of sources, a map and an output folder.
//
// Input layout: byte 0 holds the switches (bits 0-2 the type, bit 3 the
// answer to every question); then, separated by line feeds, the source,
// the destination and the option words; the rest after a further line feed
// replaces the content of one X12 source (so GS08 and the rest are fuzzed
// too). Paths are kept inside the scratch folder: inputs holding ".." or an
// absolute path are passed over, so any file touched outside it was
// reached by the program itself.
//
// After each run, a finding is: a file outside the run's folder created,
// changed or removed; a source changed; a source removed without "DS" or
// without any output of the run left.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "conversion_driver.hpp"
#include "engine_common.hpp"
#include "fuzz_support.hpp"
#include "messages.hpp"

namespace {

namespace fs = std::filesystem;

const char* const kTypes[] = {"X12,CSV", "X12,XML", "CSV,X12", "XML,X12", "X12,CSV", "HL7,CSV", "CSV,HL7", "X12,XML"};

const char kIsa[] = "ISA*00*          *00*          *ZZ*SUBMITTER      *ZZ*RECEIVER       *261210*1253*^*00501*000000001*0*P*:~";

std::string claims(const std::string& id) {
    return std::string(kIsa) + "GS*HC*S*R*20261210*1253*1*X*005010X222A2~ST*837*0001~HL*1**20*1~NM1*85*2*CLINIC~"
           "HL*2*1*22*0~NM1*IL*1*SMITH~CLM*" + id + "*100~LX*1~SV1*HC:99213*100~SE*8*0001~GE*1*1~IEA*1*000000001~";
}

const char kMap[] =
    "X12TRANSACTIONTYPE=837P\r\nVERSION=5010\r\nKEYHEADERFIELD=HL,,,20\r\nKEYFIELD=HL,,,22\r\nKEYLINEFIELD=SV1\r\n"
    "FIELD=PROVIDER,20,NM1,85,2,3,,,,2\r\nFIELD=NAME,20,NM1,IL,2,3\r\nFIELD=CLAIMID,20,CLM,,,1\r\n"
    "FIELD=PROC1,5,SV1,,,1,2,CLAIMID,,,1\r\nSEGMENT=2,NM1,IL,1,$NAME\r\nSEGMENT=2,CLM,$CLAIMID\r\n";

struct FileState {
    std::string bytes;
    fs::file_time_type time;
    bool operator==(const FileState&) const = default;
};
using Tree = std::map<std::string, FileState>;

// Every entry below `root`, with the bytes and time of each plain file.
Tree snapshot(const fs::path& root) {
    Tree t;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        FileState s;
        if (it->is_regular_file(ec)) {
            if (std::FILE* f = std::fopen(it->path().c_str(), "rb")) {
                char buf[4096];
                for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) s.bytes.append(buf, n);
                std::fclose(f);
            }
            s.time = fs::last_write_time(it->path(), ec);
        }
        t[fs::relative(it->path(), root, ec).generic_string()] = s;
    }
    return t;
}

void writeFile(const fs::path& path, std::string_view bytes) {
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

// The scratch folder: "outside" must never change; "run" is the current
// folder of each run, made anew.
fs::path root() { return fs::path(zrfuzz::scratchFolder("driver-fuzz")); }

void makeRunFolder(std::string_view x12) {
    const fs::path run = root() / "run";
    std::error_code ec;
    fs::current_path(root());
    fs::remove_all(run, ec);
    fs::create_directories(run / "in");
    fs::create_directories(run / "out");
    fs::current_path(run);
    writeFile("map.cfg", kMap);
    writeFile("in/a.x12", claims("A1"));
    writeFile("in/b.x12", x12.empty() ? claims("B2") : std::string(x12));
    writeFile("in/c.csv", "SMITH,C1\r\nJONES,C2\r\n");
    writeFile("in/d.xml", "<EXPORTDATA><CLAIM><NAME>DOE</NAME><CLAIMID>D1</CLAIMID></CLAIM></EXPORTDATA>\r\n");
    writeFile("out/old.csv", "EARLIER\r\n");
}

bool staysInside(std::string_view text) {
    if (text.find("..") != std::string_view::npos) return false;
    for (std::size_t p = 0;; ++p) {
        // No word may begin a path at the root: the first character, and
        // the first after "=" or ",".
        if (p < text.size() && text[p] == '/') return false;
        const std::size_t next = text.find_first_of("=,", p);
        if (next == std::string_view::npos) return true;
        p = next;
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    zrfuzz::absolutePaths(argc, argv);
    fs::create_directories(root() / "outside");
    writeFile(root() / "outside" / "keep.x12", claims("K1"));
    writeFile(root() / "outside" / "005010X222A2.cfg", kMap);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const unsigned switches = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string_view parts[4];
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t end = i < 3 ? text.find('\n', start) : std::string_view::npos;
        parts[i] = text.substr(std::min(start, text.size()), end == std::string_view::npos ? std::string_view::npos : end - start);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    for (int i = 0; i < 3; ++i)
        if (!staysInside(parts[i]) || parts[i].find('\0') != std::string_view::npos) return 0;
    const bool answer = switches & 8;
    static bool currentAnswer = false;
    static wl::ScopedPromptHook quiet([](const wl::Prompt&) {
        wl::PromptAnswer a;
        a.yes = currentAnswer;
        return a;
    });
    currentAnswer = answer;

    makeRunFolder(parts[3]);
    const Tree outside = snapshot(root() / "outside");
    const Tree sources = snapshot(root() / "run" / "in");
    const Tree before = snapshot(root() / "run");

    zr::DriverRequest r;
    r.type = kTypes[switches & 7];
    r.source = std::string(parts[0]);
    r.destination = std::string(parts[1]);
    r.options = std::string(parts[2]);
    r.currentFolder = (root() / "run").string();
    zr::CTLD48403(r);
    fs::current_path(root() / "run");

    // Nothing outside the run's folder is touched.
    if (snapshot(root() / "outside") != outside) std::abort();
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(root(), ec))
        if (entry.path().filename() != "run" && entry.path().filename() != "outside") std::abort();
    // No source is changed; one is gone only with "DS" and an output left.
    const Tree after = snapshot(root() / "run" / "in");
    // An output of this run: a file new or changed, other than the logs.
    bool anyOutput = false;
    for (const auto& [name, state] : snapshot(root() / "run")) {
        if (name == "parse.log" || name == "debug.log" || state.bytes.empty()) continue;
        auto was = before.find(name);
        if (was == before.end() || !(was->second == state)) anyOutput = true;
    }
    const bool deleteSource = zr::parseOptions(r.options).deleteSource;
    for (const auto& [name, state] : sources) {
        auto it = after.find(name);
        if (it == after.end()) {
            if (!deleteSource || !anyOutput) std::abort();
            continue;
        }
        if (it->second.bytes != state.bytes) std::abort();
    }
    return 0;
}
