#include "x12_code_lists.hpp"

#include <algorithm>
#include <charconv>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace zr {

namespace {

constexpr std::string_view kX12CodeListRows =
#include "x12_code_lists.inc"
    ;

struct X12Entry {
    bool elementKind = false;  // kind "E"
    std::vector<X12CodePair> codes;
};

// Empty, an entry, or (a composite element) a list of component slots.
struct X12ElementSlot {
    std::optional<X12Entry> entry;
    std::vector<std::optional<X12Entry>> components;
};

struct X12SegmentSlot {
    std::vector<X12ElementSlot> elements;
};

struct X12TransactionSlot {
    std::vector<std::optional<X12SegmentSlot>> segments;
};

using X12Dictionary = std::vector<X12TransactionSlot>;

std::vector<std::string_view> x12Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) return fields;
        line.remove_prefix(tab + 1);
    }
}

[[noreturn]] void x12DataFault(std::string_view line, const char* what) {
    throw std::logic_error("x12_code_lists.tsv: " + std::string(what) + ": " + std::string(line));
}

int x12SlotNumber(std::string_view line, const std::vector<std::string_view>& fields, std::size_t index) {
    int n = 0;
    if (index >= fields.size()) x12DataFault(line, "missing number");
    const std::string_view f = fields[index];
    const auto [end, ec] = std::from_chars(f.data(), f.data() + f.size(), n);
    if (ec != std::errc() || end != f.data() + f.size() || n < 1) x12DataFault(line, "bad number");
    return n;
}

// Reads the rows top-down; each row belongs to the transaction, segment and
// element (or component) above it. The layout is described in the file.
class X12DictionaryReader {
public:
    X12Dictionary read(std::string_view text) {
        while (!text.empty()) {
            const std::size_t end = std::min(text.find('\n'), text.size());
            const std::string_view line = text.substr(0, end);
            text.remove_prefix(std::min(end + 1, text.size()));
            if (!line.empty() && line.front() != '#') row(line);
        }
        return std::move(dictionary_);
    }

private:
    void row(std::string_view line) {
        const std::vector<std::string_view> f = x12Fields(line);
        if (f[0] == "transaction")
            transactionRow(line, f);
        else if (f[0] == "segment")
            segmentRow(line, f);
        else if (f[0] == "element" || f[0] == "composite")
            elementRow(line, f);
        else if (f[0] == "component")
            componentRow(line, f);
        else if (f[0] == "code")
            codeRow(line, f);
        else
            x12DataFault(line, "unknown row");
    }

    void transactionRow(std::string_view line, const std::vector<std::string_view>& f) {
        if (x12SlotNumber(line, f, 1) != static_cast<int>(dictionary_.size()) + 1)
            x12DataFault(line, "transaction slots out of order");
        dictionary_.emplace_back().segments.resize(x12SlotNumber(line, f, 2));
        segment_ = nullptr;
    }

    void segmentRow(std::string_view line, const std::vector<std::string_view>& f) {
        if (dictionary_.empty()) x12DataFault(line, "segment before any transaction");
        auto& slots = dictionary_.back().segments;
        const int n = x12SlotNumber(line, f, 1);
        if (n > static_cast<int>(slots.size())) x12DataFault(line, "segment slot beyond the transaction's");
        slots[n - 1].emplace().elements.resize(x12SlotNumber(line, f, 9));
        segment_ = &*slots[n - 1];
        composite_ = nullptr;
        entry_ = nullptr;
    }

    void elementRow(std::string_view line, const std::vector<std::string_view>& f) {
        X12ElementSlot& slot = elementSlot(line, x12SlotNumber(line, f, 1));
        composite_ = nullptr;
        entry_ = nullptr;
        if (f[0] == "composite") {
            composite_ = &slot;
            return;
        }
        if (f.size() < 3) x12DataFault(line, "element without kind");
        entry_ = &slot.entry.emplace();
        entry_->elementKind = f[2] == "E";
    }

    void componentRow(std::string_view line, const std::vector<std::string_view>& f) {
        if (!composite_) x12DataFault(line, "component outside a composite");
        if (f.size() < 3) x12DataFault(line, "component without kind");
        const int n = x12SlotNumber(line, f, 1);
        if (static_cast<int>(composite_->components.size()) < n) composite_->components.resize(n);
        entry_ = &composite_->components[n - 1].emplace();
        entry_->elementKind = f[2] == "E";
    }

    void codeRow(std::string_view line, const std::vector<std::string_view>& f) {
        if (!entry_ || f.size() < 2) x12DataFault(line, "code outside an entry");
        entry_->codes.push_back({f[1], f.size() > 2 ? f[2] : std::string_view()});
    }

    X12ElementSlot& elementSlot(std::string_view line, int n) {
        if (!segment_) x12DataFault(line, "element outside a segment");
        if (n > static_cast<int>(segment_->elements.size())) x12DataFault(line, "element slot beyond the segment's");
        return segment_->elements[n - 1];
    }

    X12Dictionary dictionary_;
    X12SegmentSlot* segment_ = nullptr;
    X12ElementSlot* composite_ = nullptr;
    X12Entry* entry_ = nullptr;
};

const X12Dictionary& x12Dictionary() {
    static const X12Dictionary dictionary = X12DictionaryReader().read(kX12CodeListRows);
    return dictionary;
}

// Slot `n` (from 1) of `slots`, or nullptr when there is none.
template <class T>
const T* x12Slot(const std::vector<T>& slots, int n) {
    return n >= 1 && n <= static_cast<int>(slots.size()) ? &slots[n - 1] : nullptr;
}

X12Answer x12Number(int query, int n) { return query == 1 ? X12Answer(n) : X12Answer(); }

X12Answer x12EntryAnswer(const std::optional<X12Entry>* entry, int query) {
    if (!entry || !*entry || !(*entry)->elementKind) return x12Number(query, 0);
    const std::vector<X12CodePair>& codes = (*entry)->codes;
    if (query == 1) return 1;
    if (query == 2) return static_cast<int>(codes.size());
    if (query == 3) return std::span<const X12CodePair>(codes);
    return {};
}

}  // namespace

X12Answer ZRX12(int segment, int element, int component, int transaction, int query) {
    const X12TransactionSlot* t = x12Slot(x12Dictionary(), transaction);
    if (!t || segment < 0 || element < 0 || component < 0) return x12Number(query, 0);
    if (segment == 0) return x12Number(query, static_cast<int>(t->segments.size()));
    const std::optional<X12SegmentSlot>* s = x12Slot(t->segments, segment);
    if (!s || !*s) return x12Number(query, 0);
    if (element == 0) return x12Number(query, static_cast<int>((*s)->elements.size()));
    const X12ElementSlot* e = x12Slot((*s)->elements, element);
    if (!e) return x12Number(query, 0);
    if (component == 0) return x12EntryAnswer(&e->entry, query);
    return x12EntryAnswer(x12Slot(e->components, component), query);
}

}  // namespace zr
