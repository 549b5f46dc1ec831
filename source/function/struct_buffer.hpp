// The byte record behind TStruct: named members laid out one after another
// without gaps, read and written with the conversions Windows calls expect.
// A text put into a pointer member is copied and owned by the record, so the
// address stays valid for as long as the record holds that value.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "value.hpp"

namespace wl {

// A message that names no method and no member ("Message not found"):
// code 1004 when reading, 1005 when writing; `operation` is class + ":" +
// the message (with "_" for writing).
struct MessageNotFound : std::runtime_error {
    MessageNotFound(int code, std::string operation)
        : std::runtime_error("Message not found " + operation), code(code), operation(std::move(operation)) {}
    int code;
    std::string operation;
};

struct StructMember {
    std::string name;  // upper-cased
    int type = 0;
    std::size_t size = 0;
    std::size_t offset = 0;
};

class StructBuffer {
public:
    // `pointerBytes`: the width of an address in the record (the build's own
    // by default; tests pass 4 or 8).
    explicit StructBuffer(std::size_t pointerBytes = sizeof(void*), std::string className = "TSTRUCT");
    StructBuffer(const StructBuffer&) = delete;
    StructBuffer& operator=(const StructBuffer&) = delete;
    StructBuffer(StructBuffer&&) = default;
    StructBuffer& operator=(StructBuffer&&) = default;

    // Sizes: types 1 and 2 one byte, 3 and 5 two bytes, 7 and 12 four bytes,
    // 9 and 10 (addresses and handles) the width of an address; type 8 and
    // any other type take `length` bytes. Answers the member's 1-based number.
    std::size_t AddMember(const std::string& name, int type, std::size_t length = 0);

    void SetMember(std::size_t n, const Value& x);  // 1-based; out of range does nothing
    Value GetMember(std::size_t n) const;           // nothing out of range

    // Members as fields: unknown names raise MessageNotFound.
    Value get(const std::string& name) const;
    void set(const std::string& name, const Value& x);

    std::size_t SizeOf() const { return buffer_.size(); }
    const std::string& cBuffer() const { return buffer_; }
    // Replaces the bytes (a record filled by Windows); the size is kept.
    void setBuffer(const std::string& bytes);
    char* data() { return buffer_.data(); }
    const std::vector<StructMember>& aMembers() const { return members_; }
    // The member's 1-based number, 0 when there is none.
    std::size_t memberIndex(const std::string& name) const;

private:
    void putWhole(const StructMember& m, std::uint64_t v);
    std::uint64_t getWhole(const StructMember& m) const;

    std::size_t pointerBytes_;
    std::string className_;
    std::string buffer_;
    std::vector<StructMember> members_;
    // Texts whose addresses the record holds, by member number.
    std::map<std::size_t, std::unique_ptr<std::string>> ownedTexts_;
};

}  // namespace wl
