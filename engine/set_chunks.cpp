#include "set_chunks.hpp"

#include <algorithm>
#include <cstring>

namespace zr {

namespace {

bool isGap(char c) { return c == '\r' || c == '\n' || c == ' ' || c == '\t'; }

// The position after the last terminator of [p, p + n), 0 when none. With
// a blank terminator commas end segments too (they become blanks); with a
// comma terminator nothing ever ends one, so any cut reads the same.
std::size_t afterLastTerminator(const char* p, std::size_t n, char terminator) {
    if (terminator == ',') return n;
    for (std::size_t i = n; i > 0; --i)
        if (p[i - 1] == terminator || (terminator == ' ' && p[i - 1] == ',')) return i;
    return 0;
}

}  // namespace

void SourceChunk::reserve(std::size_t n, std::size_t keep) {
    if (n <= capacity) return;
    std::unique_ptr<char[]> bigger(new char[n]);
    if (keep > 0) std::memcpy(bigger.get(), data.get(), keep);
    data = std::move(bigger);
    capacity = n;
}

bool setEndsCuttable(char terminator, char element) {
    auto special = [](char c) { return isGap(c) || c == ','; };
    return !special(terminator) && !special(element) && terminator != element;
}

std::size_t afterLastSetEnd(const char* p, std::size_t n, char terminator, char element) {
    // From the end backwards: each terminator found is the end of the
    // segment after the one before it.
    constexpr std::size_t kNone = ~std::size_t{0};
    std::size_t end = kNone;  // the terminator ending the segment being looked at
    for (std::size_t i = n; i > 0; --i) {
        if (p[i - 1] != terminator) continue;
        const std::size_t t = i - 1;
        if (end != kNone) {
            std::size_t s = t + 1;
            while (s < end && isGap(p[s])) ++s;
            if (end - s >= 3 && p[s] == 'S' && p[s + 1] == 'E' && p[s + 2] == element) return end + 1;
        }
        end = t;
    }
    // The first segment of the range has no terminator before it.
    if (end != kNone) {
        std::size_t s = 0;
        while (s < end && isGap(p[s])) ++s;
        if (end - s >= 3 && p[s] == 'S' && p[s + 1] == 'E' && p[s + 2] == element) return end + 1;
    }
    return 0;
}

ChunkReader::ChunkReader(char terminator, char element) : terminator_(terminator), element_(element) {}

void ChunkReader::setParts(std::size_t bytes, unsigned reach) {
    chunkBytes_ = std::max<std::size_t>(bytes, 1);
    reachBytes_ = chunkBytes_ * std::max(reach, 1u);
    cutAtSets_ = reach > 0 && setEndsCuttable(terminator_, element_);
}

int ChunkReader::failAt(const char* step) {
    step_ = step;
    error_ = file_.error() != 0 ? file_.error() : 5;
    return error_;
}

int ChunkReader::open(const std::string& path) {
    if (!file_.open(path)) return failAt("FC-Open");
    const std::int64_t size = file_.size();
    if (size < 0 || !file_.seek(0)) return failAt("FC-Fseek Loop");
    size_ = static_cast<std::uint64_t>(size);
    return 0;
}

bool ChunkReader::readHead(std::string& bytes, std::size_t most) {
    bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(size_, most)));
    if (!file_.isOpen() || !file_.seek(0)) return false;
    const bool read = file_.read(bytes.data(), bytes.size()) == bytes.size() && file_.error() == 0;
    // The parts begin at the first byte again.
    return file_.seek(0) && read;
}

void ChunkReader::setDelimiters(char terminator, char element) {
    terminator_ = terminator;
    element_ = element;
}

bool ChunkReader::restartAt(std::uint64_t position, char terminator, char element) {
    terminator_ = terminator;
    element_ = element;
    cutAtSets_ = cutAtSets_ && setEndsCuttable(terminator, element);
    carrySize_ = 0;
    atEnd_ = false;
    position_ = position;
    if (!file_.seek(static_cast<std::int64_t>(position))) {
        failAt("FC-Fseek Loop");
        return false;
    }
    return true;
}

bool ChunkReader::next(SourceChunk& c) {
    if (atEnd_ || error_ != 0) return false;
    c.base = position_;
    c.endsSet = false;
    c.last = false;
    std::size_t target = std::max(chunkBytes_, carrySize_ + 1);
    c.reserve(target, 0);
    if (carrySize_ > 0) std::memcpy(c.bytes(), carry_.get(), carrySize_);
    c.size = carrySize_;
    carrySize_ = 0;
    std::size_t searched = 0;  // a segment start: no SE ends before it
    for (;;) {
        const std::size_t got = file_.read(c.bytes() + c.size, target - c.size);
        c.size += got;
        if (c.size < target) {
            if (file_.error() != 0) {
                failAt("FC-Fread");
                return false;
            }
            // A file cut while it is read ends before the size it had
            // when opened: that is no end but lost data.
            if (c.base + c.size < size_) {
                step_ = "FC-Fread";
                error_ = wl::kErrorReadFault;
                return false;
            }
            // The end of the file: the rest is the last part (text after
            // its last terminator is no segment).
            atEnd_ = true;
            c.last = true;
            position_ = c.base + c.size;
            return c.size > 0;
        }
        std::size_t cut = 0;
        if (cutAtSets_) {
            cut = afterLastSetEnd(c.bytes() + searched, c.size - searched, terminator_, element_);
            if (cut > 0) cut += searched;
        }
        if (cut == 0 && cutAtSets_ && target < reachBytes_) {
            // A set longer than the part: read on to its end, looking
            // again only from the last segment on.
            searched = std::max(searched, afterLastTerminator(c.bytes(), c.size, terminator_));
            target *= 2;
            c.reserve(target, c.size);
            continue;
        }
        c.endsSet = cut > 0;
        if (cut == 0) cut = afterLastTerminator(c.bytes(), c.size, terminator_);
        if (cut > 0) {
            const std::size_t rest = c.size - cut;
            if (rest > carryCapacity_) {
                carry_.reset(new char[rest]);
                carryCapacity_ = rest;
            }
            if (rest > 0) std::memcpy(carry_.get(), c.bytes() + cut, rest);
            carrySize_ = rest;
            c.size = cut;
            position_ = c.base + cut;
            return true;
        }
        // One segment longer than the part: read on until it ends, up to
        // the longest segment a source may hold (a file without a single
        // terminator would otherwise be held whole).
        if (c.size >= segmentLimit_) {
            step_ = kSegmentTooLong;
            error_ = kErrorSegmentTooLong;
            return false;
        }
        target = std::min(target * 2, std::max(segmentLimit_, c.size + 1));
        c.reserve(target, c.size);
    }
}

}  // namespace zr
