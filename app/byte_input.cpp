#include "byte_input.hpp"

#include <algorithm>

namespace zr {

ByteInput::ByteInput(const std::string& path, std::size_t block) : block_(std::max<std::size_t>(block, 16)) {
    if (!file_.open(path)) {
        error_ = file_.error() != 0 ? file_.error() : 2;
        end_ = true;
        return;
    }
    size_ = file_.size();
    if (size_ < 0 || !file_.seek(0)) {
        error_ = file_.error() != 0 ? file_.error() : 25;
        end_ = true;
        return;
    }
    more();
}

ByteInput::ByteInput(std::string_view text) : text_(text), end_(true) { size_ = static_cast<std::int64_t>(text.size()); }

bool ByteInput::more() {
    if (end_) return false;
    // What was consumed goes; a unit longer than a block doubles the read,
    // so a long unit costs linear time.
    buffer_.erase(0, pos_);
    consumedBefore_ += pos_;
    pos_ = 0;
    const std::size_t want = std::max(block_, buffer_.size());
    const std::size_t had = buffer_.size();
    buffer_.resize(had + want);  // filled by the read below, never zeroed twice
    const std::size_t got = file_.read(buffer_.data() + had, want);
    buffer_.resize(had + got);
    text_ = buffer_;
    if (got < want) {
        end_ = true;
        if (file_.error() != 0) error_ = file_.error();
    }
    return got > 0;
}

}  // namespace zr
