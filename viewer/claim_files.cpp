#include "claim_files.hpp"

#include "claim_finders.hpp"
#include "file_io.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "progress_meter.hpp"
#include "text.hpp"
#include "x12_file_names.hpp"

namespace zr {

namespace {

const std::string kCrLf = "\r\n";

// Where the files go: the request's destination when it is a folder.
std::string destinationFolder(const ParseSpec& request, const std::string& currentFolder) {
    const std::string folder = wl::alltrim(request.destinationFolder);
    return !folder.empty() && wl::folderExists(folder) ? folder : currentFolder;
}

std::string inFolder(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : wl::joinPath(folder, name);
}

// The one file of a single-file mode.
std::string singleFile(const ParseSpec& request, const std::string& currentFolder, const std::string& extension) {
    const std::string named = wl::alltrim(request.destinationFolder);
    if (!named.empty() && !wl::folderExists(named)) return named;
    const std::string source = wl::fileNamePart(wl::alltrim(request.sourceFile));
    std::string base = cleanedClaimFileName(CTL39400AT(source));
    if (base.empty()) base = "Claims";
    return inFolder(destinationFolder(request, currentFolder), base + extension);
}

// The request whose ISA13 is the key's number plus `offset`: the
// interchanges of one file never share a control number.
GeneratorContext numberedContext(const GeneratorContext& context, std::size_t offset) {
    GeneratorContext c = context;
    c.settings = [base = context.settings, offset](int key) -> std::string {
        const std::string v = base ? base(key) : std::string();
        if (key != 3) return v;
        const std::string digits = wl::alltrim(v);
        const bool numeric = !digits.empty() && digits.size() <= 9 &&
                             digits.find_first_not_of("0123456789") == std::string::npos;
        const unsigned long long first = numeric ? std::stoull(digits) : 1;
        return std::to_string((first + offset) % 1000000000ULL);
    };
    return c;
}

bool writesFiles(int mode) { return mode == 110 || mode == 111 || mode == 114; }

class ClaimFileRun {
public:
    ClaimFileRun(int mode, const ClaimFields& fields, std::size_t claimCount, const ParseSpec& request,
                 const std::string& currentFolder, const GeneratorContext& context)
        : mode_(mode), fields_(fields), n_(claimCount), request_(request), folder_(currentFolder),
          values_(fields, context.fileValues ? std::string() : context.sourceFile),
          context_(context.fileValues ? context : values_.reading(context)),
          options_(claimFileOptions(request.parseOptions)),
          meter_(writesFiles(mode) ? MeterMode::Show : MeterMode::None, claimFilesMeterText(mode),
                 "Please Stand By..") {}

    ClaimFilesResult run() {
        switch (mode_) {
        case 110: perClaim(".837", true, [&](std::size_t j) { return piece(110, j) + kCrLf; }); break;
        case 111:
            if (options_.individualClaims) perClaim(".276", true, [&](std::size_t j) { return piece(111, j); });
            else combinedRequests();
            break;
        case 112:
        case 113: nothingFrom837("835", "remittance"); break;
        case 99999: nothingFrom837("997", "acknowledgement"); break;
        case 114: oneFile(singleFile(request_, folder_, ".hl7"), CTL394CONVE(fields_.table().delimiters(), n_, 0)); break;
        default: break;
        }
        if (writesFiles(mode_)) CTL394MTRD("");
        meter_.close();
        if (!out_.files.failed.empty()) {
            std::string text;
            for (const std::string& f : out_.files.failed) text += f + " was not written" + kCrLf;
            wl::MSGALERT(text, "X12 837 Claim Data");
        }
        return out_;
    }

private:
    std::string piece(double mode, std::size_t j) const { return claimWriterPiece(mode, fields_, n_, j, context_); }

    void advance(std::size_t j) const {
        if (n_) meter_.set(100.0 * static_cast<double>(j) / static_cast<double>(n_));
    }

    void write(const std::string& file, const std::string& text, bool replace) {
        out_.text = text;
        if (wl::fileExists(file) && !replace) {
            out_.files.skipped.push_back(file);
            return;
        }
        if (wl::writeFileAtomically(file, text) == 0) out_.files.written.push_back(file);
        else out_.files.failed.push_back(file);
    }

    template <class Text>
    void perClaim(const std::string& extension, bool replace, Text text) {
        const std::string folder = destinationFolder(request_, folder_);
        RunFileNames names;
        for (std::size_t j = 1; j <= n_; ++j) {
            advance(j);
            const std::string base = claimFileName(fields_, j, 1, "Claim" + std::to_string(j), "");
            write(names.unused(folder, base, extension), text(j), replace);
        }
    }

    // Mode 111 without "IC": every claim's request in "Claims.276", each its
    // own interchange with its own control number.
    void combinedRequests() {
        std::string text;
        for (std::size_t j = 1; j <= n_; ++j) {
            advance(j);
            text += CTL394CONVA(fields_, n_, j, numberedContext(context_, j - 1)) + kCrLf;
        }
        write(inFolder(destinationFolder(request_, folder_), "Claims.276"), text, true);
    }

    void oneFile(const std::string& file, const std::string& text) {
        advance(n_);
        write(file, text, options_.overwrite);
    }

    void nothingFrom837(const std::string& kind, const std::string& what) {
        out_.notice = "No ." + kind + " file written: an 837 holds no " + what + " data";
        out_.text = out_.notice;
    }

    int mode_;
    const ClaimFields& fields_;
    std::size_t n_;
    const ParseSpec& request_;
    std::string folder_;
    // Read once for the run: every request of it names the file's values.
    FileClaimFields values_;
    GeneratorContext context_;
    ClaimFileOptions options_;
    ScopedMeter meter_;
    ClaimFilesResult out_;
};

}  // namespace

ClaimFileOptions claimFileOptions(const std::string& optionItem) {
    ClaimFileOptions o;
    for (const std::string& w : requestOptionWords(optionItem)) {
        if (wl::prefixMatch(w, "IC")) o.individualClaims = true;
        else if (wl::prefixMatch(w, "OW")) o.overwrite = true;
        else if (wl::prefixMatch(w, "CLAIM=") && w.size() > 6) o.claim = static_cast<std::size_t>(leadingNumber(w.substr(6)));
    }
    return o;
}

std::string claimFilesMeterText(int mode) {
    switch (mode) {
    case 110: return "Creating 837 files ";
    case 111: return "Creating 276 files ";
    case 112:
    case 113: return "Creating 835 files ";
    case 114: return "Creating HL7 files ";
    case 99999: return "Creating 997 files ";
    default: return "";
    }
}

ClaimFilesResult writeClaimFiles(int mode, const ClaimFields& fields, std::size_t claimCount,
                                 const ParseSpec& request, const std::string& currentFolder,
                                 const GeneratorContext& context) {
    return ClaimFileRun(mode, fields, claimCount, request, currentFolder, context).run();
}

}  // namespace zr
