#include "file_information.hpp"

#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>

#include "delimiters.hpp"
#include "segment_walk.hpp"
#include "text.hpp"

namespace zr {

namespace {

// What a claim parent's children are read from when they are wanted: the
// file and its delimiters.
struct DetailSource {
    std::string fileName;
    char separator = ' ', terminator = ' ';
};

void detailElements(ToolTree& tree, ToolNode parent, std::string_view text, char separator,
                    const std::string& prefix) {
    // The first node repeats the id (without the line break before it).
    tree.addChild(parent, prefix + std::string(segmentIdView(text, separator)));
    const std::size_t count = segmentElementCount(text, separator);
    for (std::size_t k = 2; k <= count; ++k) tree.addChild(parent, prefix + segmentPiece(text, separator, k));
}

// A claim parent's (SBR or CLP) children from one of its segments: each
// claim's elements and CLM02, the CLP's own elements, each SVC's payment.
void detailNodes(ToolTree& tree, ToolNode parent, std::string_view text, char separator) {
    const std::string_view id = segmentIdView(text, separator);
    if (id == "CLM") {
        detailElements(tree, parent, text, separator, "CLM ");
        tree.addChild(parent, segmentPiece(text, separator, 3));
    } else if (id == "CLP") {
        detailElements(tree, parent, text, separator, "CLP ");
    } else if (id == "SVC") {
        tree.addChild(parent, "SVC " + segmentPiece(text, separator, 3));
    }
}

// Reads the segments of [start, end) again and adds the parent's children.
void fillDetail(const DetailSource& source, std::int64_t start, std::int64_t end, ToolTree& tree, ToolNode parent) {
    std::ifstream in(source.fileName, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(end - start), '\0');
    in.seekg(start);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    std::size_t from = 0;
    for (std::size_t at; (at = bytes.find(source.terminator, from)) != std::string::npos; from = at + 1)
        detailNodes(tree, parent, std::string_view(bytes).substr(from, at + 1 - from), source.separator);
}

// The envelope as the walk has seen it so far: the nodes new segments hang
// under and whether an interchange or a set is open. A subscriber's or a
// remittance's node (the claim parent) is added once the walk has passed
// all the segments that hang under it; its children are read from the file
// only when wanted, so a large file's tree holds a node per claim parent,
// not one per element.
class EnvelopeTree {
public:
    EnvelopeTree(ToolTree& tree, ToolNode root, std::shared_ptr<const DetailSource> source, FileSummary& summary)
        : tree_(tree), root_(root), separator_(source->separator), source_(std::move(source)), summary_(summary) {}

    void segment(std::string_view text, std::int64_t offset) {
        walked_ = offset + static_cast<std::int64_t>(text.size());
        const std::string_view id = segmentIdView(text, separator_);
        if (id == "HL") subscriberAllowed_ = true;
        else if (id == "CLM") claim(text);
        else if (id == "SV1" || id == "SV2" || id == "SV3") serviceLine(text, id);
        else if (id == "SVC") paymentLine(text);
        else if (id == "CLP") remittance(text, offset);
        else if (id == "ISA") interchangeHeader();
        else if (id == "IEA") interchangeTrailer();
        else if (id == "ST") setHeader();
        else if (id == "SE") setTrailer();
        else if (id == "SBR") subscriber(offset);
    }
    // The walk is over: the last claim parent runs to the last segment's end.
    void finish() { closeClaimParent(walked_); }

private:
    // A node under a parent that may not exist yet: then none is added.
    ToolNode add(ToolNode parent, const std::string& text) {
        return parent == kNoToolNode ? kNoToolNode : tree_.addChild(parent, text);
    }
    std::string piece(std::string_view text, std::size_t n) const { return segmentPiece(text, separator_, n); }

    void claim(std::string_view text) {
        ++summary_.claims;
        summary_.claimsTotal += leadingAmount(piece(text, 3));
    }
    void serviceLine(std::string_view text, std::string_view id) {
        ++summary_.serviceLines;
        // SV102, SV203, SV302: the charge of each kind of line.
        const std::size_t element = id == "SV1" ? 3 : id == "SV2" ? 4 : 3;
        summary_.serviceLineTotal += leadingAmount(piece(text, element));
    }
    void paymentLine(std::string_view text) {
        ++summary_.serviceLines;
        summary_.serviceLineTotal += leadingAmount(piece(text, 3));
    }
    void remittance(std::string_view text, std::int64_t offset) {
        ++summary_.remittances;
        const std::string amount = piece(text, 4);
        summary_.remittanceTotal += leadingAmount(amount);
        openClaimParent("CLP  " + amount, offset);
    }
    void interchangeHeader() {
        if (interchangeOpen_) return;
        interchangeOpen_ = true;
        ++interchanges_;
        tree_.addChild(root_, "INTERCHANGE CONTROL HEADER " + wl::rightAligned(interchanges_, 10));
        interchange_ = tree_.addChild(root_, "ISA");
    }
    void interchangeTrailer() {
        if (!interchangeOpen_) return;
        interchangeOpen_ = false;
        tree_.addChild(root_, "IEA");
    }
    void setHeader() {
        ++summary_.transactionSets;
        if (setOpen_) return;
        setOpen_ = true;
        add(interchange_, "Batch");
        transaction_ = add(interchange_, "ST_" + wl::rightAligned(static_cast<std::int64_t>(summary_.transactionSets), 10));
    }
    void setTrailer() {
        if (!setOpen_) return;
        setOpen_ = false;
        add(interchange_, "SE");
    }
    void subscriber(std::int64_t offset) {
        if (!subscriberAllowed_) return;
        subscriberAllowed_ = false;
        closeClaimParent(offset);
        add(transaction_, "Subscriber");
        openClaimParent("SBR", offset);
    }

    // Claims and payment lines hang under the last claim parent: its
    // segments run from its own up to the next claim parent's.
    void openClaimParent(const std::string& text, std::int64_t offset) {
        closeClaimParent(offset);
        open_ = OpenParent{transaction_, text, offset};
    }
    void closeClaimParent(std::int64_t end) {
        if (!open_) return;
        const OpenParent p = *open_;
        open_.reset();
        if (p.parent == kNoToolNode) return;
        tree_.addLazyChild(p.parent, p.text, [source = source_, start = p.start, end](ToolTree& tree, ToolNode node) {
            fillDetail(*source, start, end, tree, node);
        });
    }

    struct OpenParent {
        ToolNode parent;
        std::string text;
        std::int64_t start;
    };

    ToolTree& tree_;
    ToolNode root_;
    char separator_;
    std::shared_ptr<const DetailSource> source_;
    FileSummary& summary_;
    std::int64_t interchanges_ = 0, walked_ = 0;
    bool interchangeOpen_ = false, setOpen_ = false, subscriberAllowed_ = true;
    ToolNode interchange_ = kNoToolNode, transaction_ = kNoToolNode;
    std::optional<OpenParent> open_;
};

char firstOr(const std::string& text, char fallback) { return text.empty() ? fallback : text[0]; }

}  // namespace

std::string CTLD47300B(const std::string& segment, char separator, std::size_t n) {
    return segmentPiece(segment, separator, n);
}

std::size_t CTLD47300C(const std::string& segment, char separator) { return segmentElementCount(segment, separator); }

void appendControlLine(std::string& report, unsigned char byte, std::int64_t offset) {
    if (byte >= 32) return;
    report += "Character(" + std::to_string(byte) + "):Position(" + std::to_string(offset) + ")\r\n";
}

std::string CTLD47300D(const std::string& report, unsigned char byte, std::int64_t offset) {
    std::string out = report;
    appendControlLine(out, byte, offset);
    return out;
}

FileSummary CTLD47300A(const std::string& fileName, ToolTree& tree) {
    FileSummary summary;
    const ToolNode root = tree.addRoot(fileName);
    ScopedMeter meter(MeterMode::Show, "Parsing File " + fileName, "Please Wait..");
    const X12Delimiters delimiters = readDelimiters(fileName, 0);
    auto source = std::make_shared<DetailSource>();
    source->fileName = fileName;
    source->separator = firstOr(delimiters.element, ' ');
    source->terminator = firstOr(delimiters.terminator, ' ');
    EnvelopeTree envelope(tree, root, source, summary);
    SegmentWalkEvents events;
    events.segment = [&envelope](std::string_view text, std::int64_t offset) { envelope.segment(text, offset); };
    events.controlByte = [&summary](unsigned char byte, std::int64_t offset) {
        appendControlLine(summary.report, byte, offset);
    };
    const SegmentWalkResult walk = walkSegments(fileName, source->terminator, events, &meter);
    envelope.finish();
    showWalkErrors(walk, "FC-Open");
    meter.close();
    return summary;
}

std::string summaryAmount(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

}  // namespace zr
