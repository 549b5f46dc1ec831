#include "file_compare.hpp"

#include <algorithm>

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

    void listSegment(ToolNode root, std::string_view segment) {
        splitSegment(segment, element_, pieces_);
        const std::string_view id = trimmedSegmentView(pieces_[0]);
        text_.assign("Segment ").append(id);
        const ToolNode node = tree_.addChild(root, text_);
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

class PositionComparer {
public:
    PositionComparer(ToolTree& tree, ToolNode data, std::string& report) : tree_(tree), data_(data), report_(report) {}

    void compare(std::string_view a, char ea, std::string_view b, char eb) {
        splitSegment(a, ea, left_);
        splitSegment(b, eb, right_);
        const std::string_view idA = trimmedSegmentView(left_[0]), idB = trimmedSegmentView(right_[0]);
        if (idA != idB) {
            missing(idA, idB);
            return;
        }
        text_.assign("Segment ").append(idA);
        const ToolNode segment = tree_.addChild(data_, text_);
        const ToolNode elements = tree_.addChild(segment, "Element");
        if (left_.size() != right_.size()) {
            tree_.addChild(elements, "Element Counts Off");
            report_.append(idA).append(" Element Count is Off - Source:").append(std::to_string(left_.size()));
            report_.append(" - Comparison:").append(std::to_string(right_.size())).append("\r\n");
            return;
        }
        for (std::size_t k = 0; k < left_.size(); ++k) {
            const std::string_view va = trimmedSegmentView(left_[k]), vb = trimmedSegmentView(right_[k]);
            head_.assign(idA).append(std::to_string(k + 1));
            if (va == vb) {
                text_.assign(head_).append(" Match ").append(va);
                tree_.addChild(elements, text_);
                continue;
            }
            text_.assign(head_).append(" Source ").append(va);
            tree_.addChild(elements, text_);
            text_.assign("Comparison ").append(vb);
            tree_.addChild(elements, text_);
            report_.append(head_).append(" Source ").append(va).append(" Comparison ").append(vb).append("\r\n");
        }
    }

    // A position where the ids differ, or only one file holds a segment.
    void missing(std::string_view baseId, std::string_view compareId) {
        text_.assign("Missing Segment ").append(baseId).append(" - ").append(compareId);
        tree_.addChild(data_, text_);
        report_.append(text_).append("\r\n");
    }

private:
    ToolTree& tree_;
    ToolNode data_;
    std::string& report_;
    std::vector<std::string_view> left_, right_;
    std::string text_, head_;
};

}  // namespace

std::string CTLD51200B(const std::string& segment, char separator, std::size_t n) {
    return segmentPiece(segment, separator, n);
}

std::size_t CTLD51200C(const std::string& segment, char separator) { return segmentElementCount(segment, separator); }

bool isCompositeElement(std::string_view element, char component) {
    const std::size_t at = element.find(component);
    return at != std::string::npos && at + 1 < element.size();
}

SegmentList listSegments(const std::string& fileName, const std::string& rootText, ToolTree& tree,
                         const ScopedMeter* meter) {
    SegmentList list;
    const ToolNode root = tree.addRoot(rootText);
    if (wl::targetKind(fileName) != wl::TargetKind::Regular) return list;
    list.delimiters = readDelimiters(fileName, 0);
    CompareLister lister(tree, list.element(), list.component());
    SegmentWalkEvents events;
    events.segment = [&](std::string_view text, std::int64_t) {
        list.add(text);
        lister.listSegment(root, text);
    };
    const char terminator = list.delimiters.terminator.empty() ? ' ' : list.delimiters.terminator[0];
    showWalkErrors(walkSegments(fileName, terminator, events, meter), "FC-Open");
    return list;
}

std::string CTLD51200G(ToolTree& tree, ToolNode root, const SegmentList& base, const SegmentList& compare) {
    std::string report;
    PositionComparer comparer(tree, tree.addChild(root, "Segment Data"), report);
    const std::size_t common = std::min(base.size(), compare.size());
    for (std::size_t i = 0; i < common; ++i)
        comparer.compare(base.segment(i), base.element(), compare.segment(i), compare.element());
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
    const SegmentList base = listSegments(baseFile, "Base File:" + baseFile, left, &meter);
    const SegmentList compare = listSegments(compareFile, "Compare File:" + compareFile, left, &meter);
    meter.close();
    result.report = CTLD51200G(right, root, base, compare);
    return result;
}

}  // namespace zr
