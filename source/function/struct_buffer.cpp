#include "struct_buffer.hpp"

#include <cstring>

#include "messages.hpp"
#include "text.hpp"

namespace wl {

StructBuffer::StructBuffer(std::size_t pointerBytes, std::string className)
    : pointerBytes_(pointerBytes), className_(std::move(className)) {}

std::size_t StructBuffer::AddMember(const std::string& name, int type, std::size_t length) {
    std::size_t size = length;
    switch (type) {
        case 1: case 2: size = 1; break;
        case 3: case 5: size = 2; break;
        case 7: case 12: size = 4; break;
        case 9: case 10: size = pointerBytes_; break;
        default: break;
    }
    members_.push_back({upper(name), type, size, buffer_.size()});
    buffer_.append(size, '\0');
    return members_.size();
}

std::size_t StructBuffer::memberIndex(const std::string& name) const {
    std::string key = upper(name);
    for (std::size_t i = 0; i < members_.size(); ++i)
        if (members_[i].name == key) return i + 1;
    return 0;
}

void StructBuffer::putWhole(const StructMember& m, std::uint64_t v) {
    for (std::size_t i = 0; i < m.size && i < 8; ++i) buffer_[m.offset + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint64_t StructBuffer::getWhole(const StructMember& m) const {
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < m.size && i < 8; ++i)
        v |= std::uint64_t(static_cast<unsigned char>(buffer_[m.offset + i])) << (8 * i);
    return v;
}

namespace {
std::uint64_t wholeOf(const Value& x) {
    if (x.isLogical()) return x.logical() ? 1 : 0;
    if (x.isNumber()) return static_cast<std::uint64_t>(static_cast<std::int64_t>(x.number()));
    return 0;
}
}  // namespace

void StructBuffer::SetMember(std::size_t n, const Value& x) {
    if (n == 0 || n > members_.size()) return;
    const StructMember& m = members_[n - 1];
    ownedTexts_.erase(n);
    switch (m.type) {
        case 1: case 2:
            if (x.isText())
                buffer_[m.offset] = x.text().empty() ? '\0' : x.text()[0];
            else
                putWhole(m, wholeOf(x));
            break;
        case 3:
            if (x.isText()) {
                // Two characters as the low and the high byte.
                const std::string& t = x.text();
                putWhole(m, (t.size() > 0 ? static_cast<unsigned char>(t[0]) : 0u) |
                                (t.size() > 1 ? static_cast<unsigned char>(t[1]) << 8 : 0u));
            } else {
                putWhole(m, wholeOf(x));
            }
            break;
        case 5:
            putWhole(m, x.isText() ? 0 : (wholeOf(x) != 0 ? 1 : 0));
            break;
        case 7: case 9: case 10: case 12:
            if (x.isText()) {
                // The record keeps its own copy: the caller's text may go away.
                auto copy = std::make_unique<std::string>(x.text());
                auto address = reinterpret_cast<std::uintptr_t>(copy->c_str());
                // A 32-bit member cannot hold a wider address: it stays 0.
                putWhole(m, m.size >= sizeof address || address <= 0xFFFFFFFFu ? address : 0);
                ownedTexts_[n] = std::move(copy);
            } else {
                putWhole(m, wholeOf(x));
            }
            break;
        case 8: {
            std::string t = x.isText() ? x.text() : (x.isNil() ? std::string() : CVALTOCHAR(x));
            t.resize(m.size, '\0');
            std::memcpy(&buffer_[m.offset], t.data(), m.size);
            break;
        }
        default: break;
    }
}

Value StructBuffer::GetMember(std::size_t n) const {
    if (n == 0 || n > members_.size()) return Value();
    const StructMember& m = members_[n - 1];
    switch (m.type) {
        case 1: case 2: return Value(static_cast<std::int64_t>(getWhole(m)));
        case 3: return Value(static_cast<std::int64_t>(getWhole(m)));
        case 5: return Value(getWhole(m) == 1);
        case 7: case 12: return Value(static_cast<std::int64_t>(static_cast<std::int32_t>(getWhole(m))));
        case 8: {
            std::string t = buffer_.substr(m.offset, m.size);
            t.resize(std::strlen(t.c_str()));
            return Value(rtrim(t));
        }
        case 9: case 10:
            MSGALERT(Value("Member type conversion not implemented yet!"));
            return Value();
        default: return Value();
    }
}

Value StructBuffer::get(const std::string& name) const {
    std::size_t n = memberIndex(name);
    if (n == 0) throw MessageNotFound(1004, className_ + ":" + upper(name));
    return GetMember(n);
}

void StructBuffer::set(const std::string& name, const Value& x) {
    std::size_t n = memberIndex(name);
    if (n == 0) throw MessageNotFound(1005, className_ + ":_" + upper(name));
    SetMember(n, x);
}

void StructBuffer::setBuffer(const std::string& bytes) {
    std::string b = bytes;
    b.resize(buffer_.size(), '\0');
    buffer_ = std::move(b);
}

}  // namespace wl
