#include "block_reader.hpp"

#include <algorithm>
#include <vector>

#include "file_io.hpp"
#include "pieces.hpp"
#include "text.hpp"

namespace zr {

namespace {

std::string readBlock(wl::InputFile& f, std::int64_t from, std::int64_t length) {
    if (from < 0) from = 0;
    if (length <= 0 || !f.seek(from)) return "";
    std::string block(static_cast<std::size_t>(length), '\0');
    block.resize(f.read(block.data(), block.size()));
    return block;
}

// The block's segments with the file position of each.
struct Piece {
    std::int64_t position;
    std::string text;
};
std::vector<Piece> segmentsOf(const std::string& block, std::int64_t base, char term) {
    std::vector<Piece> out;
    wl::forEachTerminated(block, term, [&](std::string_view segment, std::size_t end) {
        out.push_back({base + static_cast<std::int64_t>(end - segment.size()), std::string(segment)});
    });
    return out;
}

bool isSegment(const std::string& text, const std::string& id, char e) {
    std::string t = wl::ltrim(text);
    return t.compare(0, id.size(), id) == 0 && t.size() > id.size() && t[id.size()] == e;
}

}  // namespace

std::string CTL39400AQ(const std::string& fileName, const std::string& element, const std::string& terminator,
                       std::int64_t position, std::int64_t length, int mode) {
    if (element.empty() || terminator.empty()) return "";
    const char e = element[0], t = terminator[0];
    wl::InputFile f(fileName);
    if (!f.isOpen()) return "";
    const std::int64_t size = f.size();
    if (size <= 0) return "";
    switch (mode) {
        case 1: {
            std::string block = readBlock(f, position, length);
            std::string last;
            for (const Piece& s : segmentsOf(block, position, t)) {
                std::string text = wl::ltrim(s.text);
                std::string hl = std::string("HL") + e;
                if (text.compare(0, 3, hl) != 0) continue;
                std::size_t at = s.text.size() - text.size();
                // HL03 is the third element.
                std::size_t p1 = text.find(e, 3), p2 = p1 == std::string::npos ? p1 : text.find(e, p1 + 1);
                if (p2 == std::string::npos) continue;
                std::string hl03 = text.substr(p2 + 1, 2);
                if (hl03 == "20" || hl03 == "22") last = std::to_string(s.position + static_cast<std::int64_t>(at) + 1);
            }
            return last;
        }
        case 2: return readBlock(f, position, length);
        case 3: {
            std::string block = readBlock(f, 0, std::max<std::int64_t>(length, 106));
            std::string out = block.substr(0, 106);
            for (const Piece& s : segmentsOf(block, 0, t))
                if (isSegment(s.text, "GS", e) || isSegment(s.text, "ST", e)) out += s.text + t;
            return out;
        }
        case 4: {
            std::int64_t from = std::max<std::int64_t>(0, size - length);
            std::string block = readBlock(f, from, size - from);
            std::vector<std::string> found;
            auto pieces = segmentsOf(block, from, t);
            for (auto it = pieces.rbegin(); it != pieces.rend(); ++it)
                if (isSegment(it->text, "ISA", e) || isSegment(it->text, "GS", e) || isSegment(it->text, "SE", e))
                    found.push_back(it->text + t);
            std::string out;
            for (auto it = found.rbegin(); it != found.rend(); ++it) out += *it;
            return out;
        }
        default: return "";
    }
}

}  // namespace zr
