#include "file_compare.hpp"

#include <algorithm>
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

}  // namespace

std::string CTLD51200B(const std::string& segment, char separator, std::size_t n) {
    return segmentPiece(segment, separator, n);
}

std::size_t CTLD51200C(const std::string& segment, char separator) { return segmentElementCount(segment, separator); }

bool isCompositeElement(std::string_view element, char component) {
    const std::size_t at = element.find(component);
    return at != std::string::npos && at + 1 < element.size();
}

std::shared_ptr<const SegmentList> listSegments(const std::string& fileName, const std::string& rootText,
                                                ToolTree& tree, const ScopedMeter* meter) {
    auto list = std::make_shared<SegmentList>();
    const ToolNode root = tree.addRoot(rootText);
    if (wl::targetKind(fileName) != wl::TargetKind::Regular) return list;
    list->delimiters = readDelimiters(fileName, 0);
    // The texts are the whole file: one allocation rather than a copy per doubling.
    std::error_code sized;
    const std::uintmax_t bytes = std::filesystem::file_size(fileName, sized);
    if (!sized) list->texts.reserve(static_cast<std::size_t>(bytes));
    SegmentWalkEvents events;
    std::string nodeText;
    events.segment = [&](std::string_view text, std::int64_t) {
        list->add(text);
        CompareLister::listSegment(tree, root, *list, list->size() - 1, nodeText);
    };
    const char terminator = list->delimiters.terminator.empty() ? ' ' : list->delimiters.terminator[0];
    showWalkErrors(walkSegments(fileName, terminator, events, meter), "FC-Open");
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
    result.base = listSegments(baseFile, "Base File:" + baseFile, left, &meter);
    result.compare = listSegments(compareFile, "Compare File:" + compareFile, left, &meter);
    meter.close();
    result.report = CTLD51200G(right, root, *result.base, *result.compare);
    return result;
}

}  // namespace zr
