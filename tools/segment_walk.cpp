#include "segment_walk.hpp"

#include <algorithm>
#include <cstring>
#include <vector>

#include "file_bytes.hpp"
#include "file_io.hpp"
#include "file_names.hpp"

namespace zr {

namespace {

bool isSegmentBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The segment without its terminator (an empty text stays empty).
std::string_view body(std::string_view segment) {
    return segment.empty() ? segment : segment.substr(0, segment.size() - 1);
}

constexpr std::size_t kWalkBlock = 1 << 20;

}  // namespace

std::string segmentPiece(std::string_view segment, char separator, std::size_t n) {
    const std::string_view text = body(segment);
    std::size_t start = 0;
    for (std::size_t k = 1; k < n; ++k) {
        const std::size_t at = text.find(separator, start);
        if (at == std::string_view::npos) return "";
        start = at + 1;
    }
    if (n == 0) return "";
    const std::size_t end = text.find(separator, start);
    return std::string(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

std::size_t segmentElementCount(std::string_view segment, char separator) {
    std::size_t count = 1;
    for (char c : body(segment)) count += c == separator;
    return count;
}

std::string_view trimmedSegmentView(std::string_view text) {
    std::size_t a = 0, b = text.size();
    while (a < b && isSegmentBlank(text[a])) ++a;
    while (b > a && isSegmentBlank(text[b - 1])) --b;
    return text.substr(a, b - a);
}

std::string trimmedSegmentText(std::string_view text) { return std::string(trimmedSegmentView(text)); }

std::string_view segmentIdView(std::string_view segment, char separator) {
    const std::string_view text = body(segment);
    return trimmedSegmentView(text.substr(0, text.find(separator)));
}

std::string segmentId(std::string_view segment, char separator) {
    return std::string(segmentIdView(segment, separator));
}

void splitSegment(std::string_view segment, char separator, std::vector<std::string_view>& pieces) {
    pieces.clear();
    const std::string_view text = body(segment);
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string_view::npos; start = at + 1)
        pieces.push_back(text.substr(start, at - start));
    pieces.push_back(text.substr(start));
}

double leadingAmount(std::string_view text) {
    std::size_t p = 0;
    while (p < text.size() && text[p] == ' ') ++p;
    double sign = 1;
    if (p < text.size() && (text[p] == '-' || text[p] == '+')) sign = text[p++] == '-' ? -1 : 1;
    double value = 0;
    for (; p < text.size() && text[p] >= '0' && text[p] <= '9'; ++p) value = value * 10 + (text[p] - '0');
    if (p < text.size() && text[p] == '.') {
        double scale = 0.1;
        for (++p; p < text.size() && text[p] >= '0' && text[p] <= '9'; ++p, scale /= 10) value += (text[p] - '0') * scale;
    }
    return sign * value;
}

SegmentWalkResult walkSegments(const std::string& fileName, char terminator, const SegmentWalkEvents& events,
                               const ScopedMeter* meter) {
    SegmentWalkResult result;
    if (fileName.empty() || wl::targetKind(fileName) != wl::TargetKind::Regular) {
        result.missing = true;
        return result;
    }
    wl::InputFile in;
    if (!in.open(fileName)) {
        result.openError = in.error() ? in.error() : 5;
        return result;
    }
    result.size = in.size();
    if (result.size < 0 || !in.seek(0)) {
        result.readError = in.error() ? in.error() : wl::kErrorReadFault;
        return result;
    }
    std::vector<char> block(kWalkBlock);
    std::string segment;
    std::int64_t segmentStart = 0;
    std::int64_t offset = 0;
    int percent = 0;
    while (offset < result.size) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(kWalkBlock, result.size - offset));
        const std::size_t got = in.read(block.data(), want);
        if (got == 0) {
            result.readError = in.error() ? in.error() : wl::kErrorReadFault;
            break;
        }
        if (events.controlByte)
            for (std::size_t i = 0; i < got; ++i)
                if (static_cast<unsigned char>(block[i]) < 32)
                    events.controlByte(static_cast<unsigned char>(block[i]), offset + static_cast<std::int64_t>(i));
        std::size_t from = 0;
        while (from < got) {
            const char* hit = static_cast<const char*>(std::memchr(block.data() + from, terminator, got - from));
            const std::size_t end = hit ? static_cast<std::size_t>(hit - block.data()) + 1 : got;
            const std::string_view piece(block.data() + from, end - from);
            if (!hit) {
                segment.append(piece);
            } else {
                // A segment wholly inside the block is handed on in place.
                if (segment.empty()) {
                    if (events.segment) events.segment(piece, segmentStart);
                } else {
                    segment.append(piece);
                    if (events.segment) events.segment(segment, segmentStart);
                    segment.clear();
                }
                segmentStart = offset + static_cast<std::int64_t>(end);
            }
            from = end;
        }
        offset += static_cast<std::int64_t>(got);
        if (meter) {
            const int now = static_cast<int>(static_cast<double>(offset) * 100.0 / static_cast<double>(result.size));
            if (now != percent) {
                percent = now;
                meter->set(now);
            }
        }
        if (got < want) {
            result.readError = in.error() ? in.error() : wl::kErrorReadFault;
            break;
        }
    }
    result.tail = std::move(segment);
    return result;
}

void showWalkErrors(const SegmentWalkResult& walk, std::string_view openStep) {
    if (walk.openError) wl::showFileError(openStep, walk.openError);
    if (walk.readError) wl::showFileError("FC-Fread", walk.readError);
}

}  // namespace zr
