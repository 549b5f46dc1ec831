#include "de_identifier.hpp"

#include <array>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

#include "delimiters.hpp"
#include "file_bytes.hpp"
#include "file_io.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "progress_meter.hpp"
#include "segment_walk.hpp"
#include "text.hpp"

namespace zr {

namespace {

struct MaskedElements {
    std::string_view id;
    std::vector<std::size_t> elements;  // empty: every element
};

const std::vector<MaskedElements>& maskedElements() {
    static const std::vector<MaskedElements> table = {
        {"NM1", {3, 4, 5, 9}}, {"N1", {2, 4}},  {"N3", {}},      {"N4", {}},     {"REF", {2}},   {"PER", {2, 4, 6, 8}},
        {"SBR", {3, 4}},       {"CLM", {1}},    {"CLP", {1, 7}}, {"DMG", {2}}, {"DTP", {3}},
        {"DTM", {2}},
    };
    return table;
}

// A temporary output that becomes the real one only when it is complete.
class DeIdentifiedOutput {
public:
    explicit DeIdentifiedOutput(const std::string& target) : target_(target) {
        file_ = wl::createTemporaryFile(target, temp_, createError_);
    }
    ~DeIdentifiedOutput() {
        if (file_) std::fclose(file_);
        if (!temp_.empty() && !committed_) wl::removeTemporaryFile(temp_);
    }
    DeIdentifiedOutput(const DeIdentifiedOutput&) = delete;
    DeIdentifiedOutput& operator=(const DeIdentifiedOutput&) = delete;

    int createError() const { return file_ ? 0 : (createError_ ? createError_ : 5); }
    void write(std::string_view bytes) {
        if (writeError_ || bytes.empty()) return;
        if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failWrite();
    }
    // Closes the copy and puts it in place; answers the error code (0: done).
    int commit() {
        if (!writeError_ && std::fflush(file_) != 0) failWrite();
        const int closed = std::fclose(file_);
        file_ = nullptr;
        if (writeError_) return writeError_;
        if (closed != 0) return wl::lastOsError() ? wl::lastOsError() : 29;
        const int error = wl::replaceFile(temp_, target_);
        if (error == 0) {
            committed_ = true;
            wl::forgetTemporaryFile(temp_);
        }
        return error;
    }

private:
    void failWrite() { writeError_ = wl::lastOsError() ? wl::lastOsError() : 29; }

    std::string target_, temp_;
    std::FILE* file_ = nullptr;
    int createError_ = 0, writeError_ = 0;
    bool committed_ = false;
};

char firstOf(const std::string& text) { return text.empty() ? ' ' : text[0]; }

}  // namespace

std::string CTLD49200F(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        if (c >= '0' && c <= '9') c = '0';
        else if (c >= 'A' && c <= 'Z') c = 'X';
        else if (c >= 'a' && c <= 'z') c = 'x';
    }
    return out;
}

bool isDeIdentifiedElement(const std::string& id, std::size_t element) {
    if (element == 0) return false;
    for (const MaskedElements& m : maskedElements()) {
        if (m.id != id) continue;
        if (m.elements.empty()) return true;
        for (std::size_t e : m.elements)
            if (e == element) return true;
        return false;
    }
    return false;
}

int CTLD49200E(const std::string& id, std::size_t n) { return n >= 2 && isDeIdentifiedElement(id, n - 1) ? 1 : 0; }

std::string CTLD49200B(const std::string& segment, char element, char /*terminator*/) {
    const std::string_view body = std::string_view(segment).substr(0, segment.empty() ? 0 : segment.size() - 1);
    std::string out;
    out.reserve(body.size());
    std::string id;
    std::size_t number = 0;  // the element being copied (0: the id)
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = body.find(element, start);
        const std::string_view piece = body.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start);
        if (number == 0) {
            id = trimmedSegmentText(piece);
            out.append(piece);
        } else {
            out += isDeIdentifiedElement(id, number) ? CTLD49200F(std::string(piece)) : std::string(piece);
        }
        if (at == std::string_view::npos) break;
        out += element;
        start = at + 1;
        ++number;
    }
    return out;
}

std::string deIdentifiedFileName(const std::string& input) {
    return wl::joinPath(wl::folderPart(input), "DI_" + wl::fileNamePart(input));
}

std::string CTLD49200A(const std::string& input) {
    ScopedMeter meter(MeterMode::Show, "Parsing File " + input, "Please Wait..");
    if (input.empty() || wl::targetKind(input) != wl::TargetKind::Regular) return "";
    // The delimiters of the ISA wherever it stands: read at fixed offsets
    // from a file with text before its ISA they were arbitrary bytes, the
    // file came out as one segment and nothing was masked.
    const std::optional<X12Delimiters> located = locateDelimiters(input);
    if (!located) {
        wl::MSGSTOP(input + " holds no ISA header: it is not an X12 file and was not de-identified.",
                    wl::Value("X12 File De-Identifier"));
        return "";
    }
    const X12Delimiters& delimiters = *located;
    const std::string output = deIdentifiedFileName(input);
    if (wl::targetKind(output) != wl::TargetKind::Missing &&
        !wl::MSGYESNO("Replace " + output + "?", wl::Value("WARNING File Exists")))
        return "";
    DeIdentifiedOutput out(output);
    if (const int error = out.createError()) {
        wl::WQOUT({output + " <ERROR> FC-Create Write #" + wl::rightAligned(error, 2)});
        return "";
    }
    const char element = firstOf(delimiters.element), terminator = firstOf(delimiters.terminator);
    std::string last;
    bool first = true;
    SegmentWalkEvents events;
    events.segment = [&](std::string_view segment, std::int64_t) {
        // The interchange header keeps its fixed layout.
        last = first ? std::string(segment) : CTLD49200B(std::string(segment), element, terminator) + terminator;
        first = false;
        out.write(last);
    };
    const SegmentWalkResult walk = walkSegments(input, terminator, events, &meter);
    showWalkErrors(walk, "FC-Open Read");
    // A copy cut short by a failed read or write never stands as the output.
    if (walk.openError || walk.readError) return "";
    if (const int error = out.commit()) {
        wl::showFileError("FC-Fwrite", error, output);
        return "";
    }
    return last;
}

std::string CTLD49200() {
    wl::FileDialogRequest r;
    r.filter = "*.*";
    r.title = "Select X12 File to de-identify";
    return CTLD49200A(wl::CGETFILE(r));
}

}  // namespace zr
