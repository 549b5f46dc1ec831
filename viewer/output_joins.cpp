#include "output_joins.hpp"

#include <filesystem>
#include <system_error>

#include "dbf_file.hpp"
#include "file_bytes.hpp"
#include "file_io.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "text.hpp"

namespace zr {

namespace {

const char* extensionOf(JoinKind kind) {
    switch (kind) {
    case JoinKind::Xml: return ".xml";
    case JoinKind::Csv: return ".csv";
    case JoinKind::Dbf: return ".dbf";
    case JoinKind::Remittance835: return ".835";
    case JoinKind::None: break;
    }
    return "";
}

const char* typeName(JoinKind kind) { return kind == JoinKind::Xml ? "XML" : "CSV"; }

std::string inFolder(const ParseSpec& request, const std::string& name) {
    const std::string folder = wl::alltrim(request.destinationFolder);
    return wl::folderExists(folder) ? wl::joinPath(folder, name) : name;
}

// Blanks, tabs and line breaks at both ends: a pass's text is joined by
// its lines, each ended by CR LF.
std::string trimmedText(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return "";
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(first, last - first + 1));
}

std::string withoutFirstLine(const std::string& text) {
    const std::size_t lf = text.find('\n');
    return lf == std::string::npos ? "" : text.substr(lf + 1);
}

// The text between a pass file's first "<EXPORTDATA>" and the
// "</EXPORTDATA>" that ends it.
std::string xmlBody(std::string_view text) {
    static constexpr std::string_view open = "<EXPORTDATA>", close = "</EXPORTDATA>";
    const std::size_t from = text.find(open);
    if (from == std::string_view::npos) return "";
    const std::size_t body = from + open.size();
    const std::size_t to = text.rfind(close);
    if (to == std::string_view::npos || to < body) return std::string(text.substr(body));
    return std::string(text.substr(body, to - body));
}

void erase(const std::string& file) {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
}

}  // namespace

JoinKind joinKindOf(const std::string& parseType) {
    const std::string type = wl::upper(wl::alltrim(parseType));
    if (type == "XML") return JoinKind::Xml;
    if (type == "CSV") return JoinKind::Csv;
    if (type == "DBF") return JoinKind::Dbf;
    if (type == "835") return JoinKind::Remittance835;
    return JoinKind::None;
}

ParseSpec passRequest(const ParseSpec& request, const std::string& suffix) {
    ParseSpec r = request;
    r.destinationFile += suffix;
    return r;
}

std::string joinFilePath(const ParseSpec& request, JoinKind kind, const std::string& suffix) {
    std::string name = request.destinationFile + suffix + extensionOf(kind);
    if (kind == JoinKind::Dbf && !name.empty() && name.front() >= '0' && name.front() <= '9') name = "a_" + name;
    return inFolder(request, name);
}

OutputJoiner::OutputJoiner(const ParseSpec& request, bool mergeOff)
    : request_(request), kind_(joinKindOf(request.parseType)), mergeOff_(mergeOff),
      final_(joins() ? joinFilePath(request, kind_) : "") {}

void OutputJoiner::interchangePassDone(std::size_t n) {
    const std::string pass = joinFilePath(request_, kind_, interchangeSuffix(n));
    switch (kind_) {
    case JoinKind::Xml:
    case JoinKind::Csv: joinText(pass, csvJoined_ > 0); break;
    case JoinKind::Remittance835: join835(pass); break;
    case JoinKind::Dbf:  // interchange passes of a DBF export stay apart
    case JoinKind::None: break;
    }
}

void OutputJoiner::setPassDone(std::size_t n, std::size_t setsAtHand) {
    std::string pass = joinFilePath(request_, kind_, setSuffix(n));
    if (kind_ == JoinKind::Remittance835) return join835(pass);
    if (setsAtHand <= 1) return;
    switch (kind_) {
    case JoinKind::Xml:
    case JoinKind::Csv:
        if (!mergeOff_) joinText(pass, false);
        break;
    case JoinKind::Dbf:
        // A table the export named without "a_" is found by its own name.
        if (!wl::fileExists(pass)) pass = inFolder(request_, request_.destinationFile + setSuffix(n) + ".dbf");
        joinDbf(pass);
        break;
    default: break;
    }
}

bool OutputJoiner::writeFinal(const std::string& text) {
    const bool existed = wl::fileExists(final_);
    if (wl::writeFileAtomically(final_, text) == 0) return true;
    wl::MSGSTOP(std::string("Error ") + typeName(kind_) + " Multi ST " + (existed ? "Open" : "Create"));
    return false;
}

void OutputJoiner::joinText(const std::string& passFile, bool dropHeaderLine) {
    if (!wl::fileExists(passFile)) return;
    const wl::FileBytes bytes = wl::readWholeFile(passFile);
    if (!bytes.ok()) return;
    std::string text;
    if (kind_ == JoinKind::Xml) {
        body_ += xmlBody(bytes.view());
        text = "<?xml version=\"1.0\"  encoding=\"ISO-8859-1\"?>\r\n<EXPORTDATA>" + body_ + "</EXPORTDATA>\r\n";
    } else {
        std::string lines = trimmedText(bytes.view());
        if (dropHeaderLine) lines = withoutFirstLine(lines);
        if (!lines.empty()) body_ += lines + "\r\n";
        ++csvJoined_;
        text = body_;
    }
    // A pass's file goes only once the final file holds it.
    if (writeFinal(text)) erase(passFile);
}

void OutputJoiner::joinDbf(const std::string& passFile) {
    if (!wl::fileExists(passFile)) return;
    if (!wl::fileExists(final_)) {
        const wl::FileBytes bytes = wl::readWholeFile(passFile);
        if (bytes.ok() && wl::writeFileAtomically(final_, bytes.view()) == 0) erase(passFile);
        return;
    }
    bool whole = false;
    {
        std::optional<wl::DbfFile> from = wl::DbfFile::open(passFile);
        std::optional<wl::DbfFile> into = wl::DbfFile::open(final_);
        if (!from || !into) return;
        whole = true;
        for (std::uint32_t r = 1; r <= from->recordCount() && whole; ++r) whole = into->append(from->read(r));
    }  // both tables closed before the pass's is erased
    if (whole) erase(passFile);
}

void OutputJoiner::join835(const std::string& passFile) {
    if (!wl::fileExists(passFile)) return;
    const wl::FileBytes pass = wl::readWholeFile(passFile);
    if (!pass.ok()) return;
    std::string text;
    if (wl::fileExists(final_)) {
        const wl::FileBytes before = wl::readWholeFile(final_);
        if (!before.ok()) return;
        text = wl::alltrim(std::string(before.view()));
    }
    text += pass.view();
    if (wl::writeFileAtomically(final_, text) == 0) erase(passFile);
}

}  // namespace zr
