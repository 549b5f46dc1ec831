#include "file_compare.hpp"

#include <algorithm>

#include "file_io.hpp"
#include "progress_meter.hpp"
#include "segment_walk.hpp"

namespace zr {

namespace {

std::vector<std::string> splitComponents(const std::string& element, char component) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = element.find(component, start)) != std::string::npos; start = at + 1)
        parts.push_back(element.substr(start, at - start));
    parts.push_back(element.substr(start));
    return parts;
}

void listSegment(ToolTree& tree, ToolNode root, const std::string& segment, char element, char component) {
    const std::string id = segmentId(segment, element);
    const ToolNode node = tree.addChild(root, "Segment " + id);
    const std::size_t count = segmentElementCount(segment, element);
    for (std::size_t n = 1; n < count; ++n) {
        const std::string value = segmentPiece(segment, element, n + 1);
        const std::string name = "Element " + id + std::to_string(n);
        if (!isCompositeElement(value, component)) {
            tree.addChild(node, name + " Value=" + value);
            continue;
        }
        const ToolNode composite = tree.addChild(node, name);
        const std::vector<std::string> parts = splitComponents(value, component);
        for (std::size_t k = 0; k < parts.size(); ++k)
            tree.addChild(composite, "Sub " + name + "-" + std::to_string(k + 1) + " Value=" + parts[k]);
    }
}

// One position where both files hold a segment.
void comparePosition(ToolTree& tree, ToolNode data, const std::string& a, char ea, const std::string& b, char eb,
                     std::string& report) {
    const std::string idA = segmentId(a, ea), idB = segmentId(b, eb);
    if (idA != idB) {
        const std::string line = "Missing Segment " + idA + " - " + idB;
        tree.addChild(data, line);
        report += line + "\r\n";
        return;
    }
    const ToolNode segment = tree.addChild(data, "Segment " + idA);
    const ToolNode elements = tree.addChild(segment, "Element");
    const std::size_t countA = segmentElementCount(a, ea), countB = segmentElementCount(b, eb);
    if (countA != countB) {
        tree.addChild(elements, "Element Counts Off");
        report += idA + " Element Count is Off - Source:" + std::to_string(countA) +
                  " - Comparison:" + std::to_string(countB) + "\r\n";
        return;
    }
    for (std::size_t k = 1; k <= countA; ++k) {
        const std::string va = trimmedSegmentText(segmentPiece(a, ea, k));
        const std::string vb = trimmedSegmentText(segmentPiece(b, eb, k));
        const std::string head = idA + std::to_string(k);
        if (va == vb) {
            tree.addChild(elements, head + " Match " + va);
            continue;
        }
        tree.addChild(elements, head + " Source " + va);
        tree.addChild(elements, "Comparison " + vb);
        report += head + " Source " + va + " Comparison " + vb + "\r\n";
    }
}

}  // namespace

std::string CTLD51200B(const std::string& segment, char separator, std::size_t n) {
    return segmentPiece(segment, separator, n);
}

std::size_t CTLD51200C(const std::string& segment, char separator) { return segmentElementCount(segment, separator); }

bool isCompositeElement(const std::string& element, char component) {
    const std::size_t at = element.find(component);
    return at != std::string::npos && at + 1 < element.size();
}

SegmentList listSegments(const std::string& fileName, const std::string& rootText, ToolTree& tree,
                         const ScopedMeter* meter) {
    SegmentList list;
    const ToolNode root = tree.addRoot(rootText);
    if (wl::targetKind(fileName) != wl::TargetKind::Regular) return list;
    list.delimiters = readDelimiters(fileName, 0);
    const char element = list.element(), component = list.component();
    SegmentWalkEvents events;
    events.segment = [&](std::string_view text, std::int64_t) {
        list.segments.emplace_back(text);
        listSegment(tree, root, list.segments.back(), element, component);
    };
    const char terminator = list.delimiters.terminator.empty() ? ' ' : list.delimiters.terminator[0];
    showWalkErrors(walkSegments(fileName, terminator, events, meter), "FC-Open");
    return list;
}

std::string CTLD51200G(ToolTree& tree, ToolNode root, const SegmentList& base, const SegmentList& compare) {
    std::string report;
    const ToolNode data = tree.addChild(root, "Segment Data");
    const std::size_t common = std::min(base.segments.size(), compare.segments.size());
    for (std::size_t i = 0; i < common; ++i)
        comparePosition(tree, data, base.segments[i], base.element(), compare.segments[i], compare.element(), report);
    // What only one file holds: a cut-short file must not compare as equal.
    for (std::size_t i = common; i < base.segments.size(); ++i) {
        const std::string line = "Missing Segment " + segmentId(base.segments[i], base.element()) + " - ";
        tree.addChild(data, line);
        report += line + "\r\n";
    }
    for (std::size_t i = common; i < compare.segments.size(); ++i) {
        const std::string line = "Missing Segment  - " + segmentId(compare.segments[i], compare.element());
        tree.addChild(data, line);
        report += line + "\r\n";
    }
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
