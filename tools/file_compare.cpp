#include "file_compare.hpp"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>

#include "file_io.hpp"
#include "progress_meter.hpp"
#include "segment_walk.hpp"

namespace zr {

namespace {

// Node texts are built in one reused buffer per job: a large file lists
// tens of millions of them.
class CompareLister {
public:
    CompareLister(ToolTree& tree, char element, char component) : tree_(tree), element_(element), component_(component) {}

    // The segment's node; its elements and components when it is opened.
    static void listSegment(ToolTree& tree, ToolNode root, const SegmentList& list, std::size_t index,
                            std::string& text) {
        text.assign("Segment ").append(segmentIdView(list.segment(index), list.element()));
        const SegmentList* from = &list;
        tree.addLazyChild(root, text, [from, index](ToolTree& t, ToolNode node) {
            CompareLister(t, from->element(), from->component()).listElements(node, from->segment(index));
        });
    }

    void listElements(ToolNode node, std::string_view segment) {
        splitSegment(segment, element_, pieces_);
        const std::string_view id = trimmedSegmentView(pieces_[0]);
        for (std::size_t n = 1; n < pieces_.size(); ++n) {
            const std::string_view value = pieces_[n];
            name_.assign("Element ").append(id).append(std::to_string(n));
            if (!isCompositeElement(value, component_)) {
                text_.assign(name_).append(" Value=").append(value);
                tree_.addChild(node, text_);
                continue;
            }
            const ToolNode composite = tree_.addChild(node, name_);
            std::size_t k = 1, start = 0;
            for (;;) {
                const std::size_t at = value.find(component_, start);
                text_.assign("Sub ").append(name_).append("-").append(std::to_string(k++)).append(" Value=");
                text_.append(value.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
                tree_.addChild(composite, text_);
                if (at == std::string_view::npos) break;
                start = at + 1;
            }
        }
    }

private:
    ToolTree& tree_;
    char element_, component_;
    std::vector<std::string_view> pieces_;
    std::string text_, name_;
};

// Compares position by position keeping only the report: each matched
// segment's element nodes are built from the two files when it is opened.
class PositionComparer {
public:
    PositionComparer(ToolTree& tree, ToolNode data, std::string& report, const SegmentList& base,
                     const SegmentList& compare)
        : tree_(tree), data_(data), report_(report), base_(&base), compare_(&compare) {}

    void compare(std::size_t i) {
        const std::string_view a = base_->segment(i), b = compare_->segment(i);
        if (a == b && base_->element() == compare_->element()) {
            // The same bytes cut the same way: every element matches.
            matched(segmentIdView(a, base_->element()), i);
            return;
        }
        splitSegment(a, base_->element(), left_);
        splitSegment(b, compare_->element(), right_);
        const std::string_view idA = trimmedSegmentView(left_[0]), idB = trimmedSegmentView(right_[0]);
        if (idA != idB) {
            missing(idA, idB);
            return;
        }
        reportElements(left_, right_, report_);
        matched(idA, i);
    }

    // A position where the ids differ, or only one file holds a segment.
    void missing(std::string_view baseId, std::string_view compareId) {
        text_.assign("Missing Segment ").append(baseId).append(" - ").append(compareId);
        tree_.addChild(data_, text_);
        report_.append(text_).append("\r\n");
    }

private:
    // The node of a position whose ids match; its elements when it is opened.
    void matched(std::string_view id, std::size_t i) {
        text_.assign("Segment ").append(id);
        tree_.addLazyChild(data_, text_, [base = base_, compare = compare_, i](ToolTree& tree, ToolNode segment) {
            std::vector<std::string_view> left, right;
            splitSegment(base->segment(i), base->element(), left);
            splitSegment(compare->segment(i), compare->element(), right);
            elementNodes(tree, tree.addChild(segment, "Element"), left, right);
        });
    }

    // The report lines of a segment whose ids match.
    static void reportElements(const std::vector<std::string_view>& left, const std::vector<std::string_view>& right,
                               std::string& report) {
        const std::string_view id = trimmedSegmentView(left[0]);
        if (left.size() != right.size()) {
            report.append(id).append(" Element Count is Off - Source:").append(std::to_string(left.size()));
            report.append(" - Comparison:").append(std::to_string(right.size())).append("\r\n");
            return;
        }
        for (std::size_t k = 0; k < left.size(); ++k) {
            const std::string_view va = trimmedSegmentView(left[k]), vb = trimmedSegmentView(right[k]);
            if (va == vb) continue;
            report.append(id).append(std::to_string(k + 1)).append(" Source ").append(va);
            report.append(" Comparison ").append(vb).append("\r\n");
        }
    }

    // The element nodes of a segment whose ids match, under "Element".
    static void elementNodes(ToolTree& tree, ToolNode elements, const std::vector<std::string_view>& left,
                             const std::vector<std::string_view>& right) {
        if (left.size() != right.size()) {
            tree.addChild(elements, "Element Counts Off");
            return;
        }
        const std::string id(trimmedSegmentView(left[0]));
        for (std::size_t k = 0; k < left.size(); ++k) {
            const std::string_view va = trimmedSegmentView(left[k]), vb = trimmedSegmentView(right[k]);
            const std::string head = id + std::to_string(k + 1);
            if (va == vb) {
                tree.addChild(elements, head + " Match " + std::string(va));
                continue;
            }
            tree.addChild(elements, head + " Source " + std::string(va));
            tree.addChild(elements, "Comparison " + std::string(vb));
        }
    }

    ToolTree& tree_;
    ToolNode data_;
    std::string& report_;
    const SegmentList* base_;
    const SegmentList* compare_;
    std::vector<std::string_view> left_, right_;
    std::string text_;
};

// Terminators are a few bytes apart: eight bytes are looked at at once
// (a library call per terminator, or a byte loop, cost more than the read).
class TerminatorScan {
public:
    explicit TerminatorScan(char terminator)
        : terminator_(terminator), pattern_(0x0101010101010101ULL * static_cast<unsigned char>(terminator)) {}

    // Calls `hit` with the position after each terminator in [from, to).
    template <class Hit>
    void scan(const char* data, std::size_t from, std::size_t to, Hit&& hit) const {
        if constexpr (std::endian::native == std::endian::little) {
            for (; from + 8 <= to; from += 8)
                for (std::uint64_t m = matches(data + from); m != 0; m &= m - 1)
                    hit(from + static_cast<std::size_t>(std::countr_zero(m)) / 8 + 1);
        }
        for (; from < to; ++from)
            if (data[from] == terminator_) hit(from + 1);
    }

private:
    // The top bit of each of the eight bytes that equals the terminator
    // (exact: no carry crosses a byte).
    std::uint64_t matches(const char* at) const {
        constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7FULL;
        std::uint64_t word;
        std::memcpy(&word, at, sizeof word);
        const std::uint64_t x = word ^ pattern_;
        return ~(((x & low7) + low7) | x | low7);
    }

    char terminator_;
    std::uint64_t pattern_;
};

// Where each segment of the list's bytes ends, setting the meter as the
// bytes are passed (only when the whole percentage changes). Counted first:
// the positions are written once, never copied to a larger vector.
void indexSegments(SegmentList& list, const ScopedMeter* meter) {
    constexpr std::size_t kMeterStep = 1 << 20;
    const char* data = list.bytes->data();
    const std::size_t size = list.bytes->size();
    const TerminatorScan scan(list.delimiters.terminator.empty() ? ' ' : list.delimiters.terminator[0]);
    std::size_t count = 0;
    scan.scan(data, 0, size, [&count](std::size_t) { ++count; });
    list.ends.reserve(count);
    int percent = 0;
    for (std::size_t from = 0; from < size;) {
        const std::size_t stop = std::min(size, from + kMeterStep);
        scan.scan(data, from, stop, [&list](std::size_t end) { list.ends.push_back(end); });
        from = stop;
        const int now = static_cast<int>(static_cast<double>(from) * 100.0 / static_cast<double>(size));
        if (meter && now != percent) meter->set(now);
        percent = now;
    }
}

// Both names lead to the one file (then it is read once).
bool sameFile(const std::string& a, const std::string& b) {
    if (wl::targetKind(a) != wl::TargetKind::Regular || wl::targetKind(b) != wl::TargetKind::Regular) return false;
    std::error_code failed;
    const bool same = std::filesystem::equivalent(a, b, failed);
    return same && !failed;
}

}  // namespace

std::string CTLD51200B(const std::string& segment, char separator, std::size_t n) {
    return segmentPiece(segment, separator, n);
}

std::size_t CTLD51200C(const std::string& segment, char separator) { return segmentElementCount(segment, separator); }

bool isCompositeElement(std::string_view element, char component) {
    const std::size_t at = element.find(component);
    return at != std::string::npos && at + 1 < element.size();
}

std::shared_ptr<const SegmentList> readSegmentList(const std::string& fileName, const ScopedMeter* meter) {
    auto list = std::make_shared<SegmentList>();
    list->bytes = std::make_shared<const wl::FileBytes>();
    if (fileName.empty() || wl::targetKind(fileName) != wl::TargetKind::Regular) return list;
    list->delimiters = readDelimiters(fileName, 0);
    wl::FileBytes bytes = wl::readWholeFile(fileName);
    // What could be read is still compared, as a walk stopped part way was.
    if (!bytes.ok()) wl::showFileError(bytes.step(), bytes.error());
    list->bytes = std::make_shared<const wl::FileBytes>(std::move(bytes));
    indexSegments(*list, meter);
    return list;
}

void listSegments(const std::shared_ptr<const SegmentList>& list, const std::string& rootText, ToolTree& tree) {
    if (list->size() == 0) {
        tree.addRoot(rootText);
        return;
    }
    tree.addLazyRoot(rootText, [list](ToolTree& t, ToolNode root) {
        std::string text;
        for (std::size_t i = 0; i < list->size(); ++i) CompareLister::listSegment(t, root, *list, i, text);
    });
}

std::shared_ptr<const SegmentList> listSegments(const std::string& fileName, const std::string& rootText,
                                                ToolTree& tree, const ScopedMeter* meter) {
    std::shared_ptr<const SegmentList> list = readSegmentList(fileName, meter);
    listSegments(list, rootText, tree);
    return list;
}

std::string CTLD51200G(ToolTree& tree, ToolNode root, const SegmentList& base, const SegmentList& compare) {
    std::string report;
    PositionComparer comparer(tree, tree.addChild(root, "Segment Data"), report, base, compare);
    const std::size_t common = std::min(base.size(), compare.size());
    for (std::size_t i = 0; i < common; ++i) comparer.compare(i);
    // What only one file holds: a cut-short file must not compare as equal.
    for (std::size_t i = common; i < base.size(); ++i) comparer.missing(segmentIdView(base.segment(i), base.element()), "");
    for (std::size_t i = common; i < compare.size(); ++i)
        comparer.missing("", segmentIdView(compare.segment(i), compare.element()));
    return report;
}

CompareResult CTLD51200A(const std::string& baseFile, const std::string& compareFile, ToolTree& left,
                         ToolTree& right) {
    CompareResult result;
    const ToolNode root = right.addRoot("File Segment Comparison");
    ScopedMeter meter(MeterMode::Show, "Parsing File " + baseFile, "Please Wait..");
    result.base = readSegmentList(baseFile, &meter);
    result.compare = sameFile(baseFile, compareFile) ? result.base : readSegmentList(compareFile, &meter);
    meter.close();
    listSegments(result.base, "Base File:" + baseFile, left);
    listSegments(result.compare, "Compare File:" + compareFile, left);
    result.report = CTLD51200G(right, root, *result.base, *result.compare);
    return result;
}

}  // namespace zr
