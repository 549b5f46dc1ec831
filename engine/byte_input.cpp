#include "byte_input.hpp"

#include <algorithm>
#include <cstring>

namespace zr {

ByteInput::ByteInput(const std::string& path, std::size_t block) : ByteInput(path, 0, block) {}

ByteInput::ByteInput(const std::string& path, std::uint64_t start, std::size_t block)
    : block_(std::max<std::size_t>(block, 16)), consumedBefore_(start) {
    if (!file_.open(path)) {
        error_ = file_.error() != 0 ? file_.error() : 2;
        end_ = true;
        return;
    }
    size_ = file_.size();
    if (size_ < 0 || !file_.seek(static_cast<std::int64_t>(start))) {
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
    const std::size_t had = text_.size() - pos_;
    const std::size_t want = std::max(block_, had);
    if (had + want > capacity_) {
        std::unique_ptr<char[]> bigger(new char[had + want]);
        if (had > 0) std::memcpy(bigger.get(), text_.data() + pos_, had);
        buffer_ = std::move(bigger);
        capacity_ = had + want;
    } else if (had > 0 && pos_ > 0) {
        std::memmove(buffer_.get(), text_.data() + pos_, had);
    }
    consumedBefore_ += pos_;
    pos_ = 0;
    const std::size_t got = file_.read(buffer_.get() + had, want);
    text_ = std::string_view(buffer_.get(), had + got);
    if (got < want) {
        end_ = true;
        if (file_.error() != 0) error_ = file_.error();
        // A file cut while it is read ends before its size at open.
        else if (static_cast<std::int64_t>(consumedBefore_ + text_.size()) < size_) error_ = wl::kErrorReadFault;
    }
    return got > 0;
}

}  // namespace zr
