#include "remittance_files.hpp"

#include "file_io.hpp"
#include "messages.hpp"
#include "module_state.hpp"
#include "paths.hpp"
#include "progress_meter.hpp"
#include "remittance_getters.hpp"
#include "text.hpp"

namespace zr {

namespace {

const std::string kCrLf = "\r\n";

// The name in the destination folder when that is an existing folder.
std::string inDestination(const ParseSpec& request, const std::string& name) {
    const std::string folder = wl::alltrim(request.destinationFolder);
    return wl::folderExists(folder) ? wl::joinPath(folder, name) : name;
}

void writeOrReport(const std::string& file, const std::string& text, RemittanceFilesResult& out) {
    if (const int error = wl::writeFileAtomically(file, text)) {
        const std::string line = "Error: " + file + " Not Written (" + std::to_string(error) + ")";
        out.log += line + kCrLf;
        out.errors.push_back(line);
        return;
    }
    out.files.push_back(file);
}

void writeEachClaim(const ClaimIndex& index, const SegmentTable& table, const ParseSpec& request, std::size_t n,
                    const ConverterSettings& settings, RemittanceFilesResult& out) {
    ScopedMeter meter(MeterMode::Show, "Creating 835 files ", "Please Stand By..");
    out.log += " Individual Claims = ON " + kCrLf;
    RunFileNames names;
    const std::string folder = wl::alltrim(request.destinationFolder);
    const RemittanceFieldReader fields = remittanceFieldReader(index, table);
    for (std::size_t k = 1; k <= n; ++k) {
        meter.set(100.0 * static_cast<double>(k) / static_cast<double>(n));
        const std::string base = remittanceClaimFileName(CTL39407AB(1, index, table, k, "CLAIMPATCTL", 1), k);
        const std::string file = names.unused(wl::folderExists(folder) ? folder : "", base, ".835");
        const std::string text =
            CTL394CONVD(table, index, fields, n, k, request, GeneratorContext{settings, currentBuildTime(), {}}) + kCrLf;
        if (wl::sameFile(file, request.sourceFile)) {
            const std::string line = "Error: Can not copy " + file + " file onto itself";
            out.log += line + kCrLf;
            out.errors.push_back(line);
            continue;
        }
        writeOrReport(file, text, out);
        out.text += text;
    }
}

void writeWholeSet(const ClaimIndex& index, const SegmentTable& table, const ParseSpec& request, std::size_t n,
                   bool overwrite, const ConverterSettings& settings, ModuleState& state, RemittanceFilesResult& out) {
    const std::string file = inDestination(request, request.destinationFile + ".835");
    state.write835Flag = 1;
    auto refuse = [&](const std::string& line) {
        out.log += line + kCrLf;
        out.errors.push_back(line);
    };
    // The whole path is compared: an empty source names no file, and a name
    // that merely begins with the source's is another file.
    if (wl::sameFile(file, request.sourceFile)) return refuse("Error: Can not copy " + file + " file onto itself");
    if (wl::fileExists(file) && !overwrite) {
        state.write835Flag = 0;
        return refuse("Error: " + file + " File Exists");
    }
    out.text = CTL394CONVD(table, index, remittanceFieldReader(index, table), n, 0, request,
                           GeneratorContext{settings, currentBuildTime(), {}}) +
               kCrLf;
    writeOrReport(file, out.text, out);
}

}  // namespace

std::string remittanceClaimFileName(const std::string& controlNumber, std::size_t k) {
    const std::string name = cleanedClaimFileName(controlNumber);
    return name.empty() ? "Claim" + std::to_string(k) : name;
}

RemittanceFilesResult writeRemittanceFiles(const ClaimIndex& index, const SegmentTable& table,
                                           const ParseSpec& request, const std::string& currentFolder,
                                           const ConverterSettings& settings, Application& app) {
    RemittanceFilesResult out;
    const RemittanceOptions options = remittanceOptions(request.parseOptions);
    const std::size_t n = CTL39407AA(1, "CLP", table);
    out.log = " File Type = 835 " + kCrLf + " Claim Count = " + std::to_string(n) + kCrLf;
    if (options.individualClaims) writeEachClaim(index, table, request, n, settings, out);
    else writeWholeSet(index, table, request, n, options.overwrite, settings, app.module, out);
    const std::string logFile = currentFolder.empty() ? "temp.log" : wl::joinPath(currentFolder, "temp.log");
    if (wl::writeFileAtomically(logFile, out.log) != 0) out.errors.push_back("Error: " + logFile + " Not Written");
    return out;
}

bool CTL39407AP(const ClaimIndex& index, const SegmentTable& table, std::size_t, std::size_t k,
                const std::string& currentFolder, const std::string& sourceFile) {
    wl::FileDialogRequest ask;
    ask.title = "Create a 835 Remittance File";
    ask.save = true;
    ask.initialDir = currentFolder;
    ask.initialFile = "remittance.835";
    const std::string file = wl::CGETFILE(ask);
    if (wl::alltrim(file).empty()) return false;
    if (wl::fileExists(file) && !wl::MSGNOYES(file + " already exists. Overwrite it?", "Overwite File?")) return false;
    if (const int error = wl::writeFileAtomically(file, CTL394CONVF(table, index, k, sourceFile))) {
        // The user asked for the file: a failed write is said, not swallowed.
        wl::MSGALERT(file + " was not written (" + std::to_string(error) + ")", "Create 835");
        return false;
    }
    return true;
}

}  // namespace zr
