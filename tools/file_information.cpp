#include "file_information.hpp"

#include <cstdio>

#include "delimiters.hpp"
#include "segment_walk.hpp"
#include "text.hpp"

namespace zr {

namespace {

// The envelope as the walk has seen it so far: the nodes new segments hang
// under and whether an interchange or a set is open.
class EnvelopeTree {
public:
    EnvelopeTree(ToolTree& tree, ToolNode root, char separator, FileSummary& summary)
        : tree_(tree), root_(root), separator_(separator), summary_(summary) {}

    void segment(std::string_view text) {
        const std::string_view id = segmentIdView(text, separator_);
        if (id == "HL") subscriberAllowed_ = true;
        else if (id == "CLM") claim(text);
        else if (id == "SV1" || id == "SV2" || id == "SV3") serviceLine(text, id);
        else if (id == "SVC") paymentLine(text);
        else if (id == "CLP") remittance(text);
        else if (id == "ISA") interchangeHeader();
        else if (id == "IEA") interchangeTrailer();
        else if (id == "ST") setHeader();
        else if (id == "SE") setTrailer();
        else if (id == "SBR") subscriber();
    }

private:
    // A node under a parent that may not exist yet: then none is added.
    ToolNode add(ToolNode parent, const std::string& text) {
        return parent == kNoToolNode ? kNoToolNode : tree_.addChild(parent, text);
    }
    std::string piece(std::string_view text, std::size_t n) const { return segmentPiece(text, separator_, n); }
    void elementNodes(ToolNode parent, std::string_view text, const std::string& prefix) {
        // The first node repeats the id (without the line break before it).
        add(parent, prefix + std::string(segmentIdView(text, separator_)));
        const std::size_t count = segmentElementCount(text, separator_);
        for (std::size_t k = 2; k <= count; ++k) add(parent, prefix + piece(text, k));
    }

    void claim(std::string_view text) {
        ++summary_.claims;
        const std::string amount = piece(text, 3);
        summary_.claimsTotal += leadingAmount(amount);
        elementNodes(claimParent_, text, "CLM ");
        add(claimParent_, amount);
    }
    void serviceLine(std::string_view text, std::string_view id) {
        ++summary_.serviceLines;
        // SV102, SV203, SV302: the charge of each kind of line.
        const std::size_t element = id == "SV1" ? 3 : id == "SV2" ? 4 : 3;
        summary_.serviceLineTotal += leadingAmount(piece(text, element));
    }
    void paymentLine(std::string_view text) {
        ++summary_.serviceLines;
        const std::string amount = piece(text, 3);
        summary_.serviceLineTotal += leadingAmount(amount);
        add(claimParent_, "SVC " + amount);
    }
    void remittance(std::string_view text) {
        ++summary_.remittances;
        const std::string amount = piece(text, 4);
        summary_.remittanceTotal += leadingAmount(amount);
        claimParent_ = add(transaction_, "CLP  " + amount);
        elementNodes(claimParent_, text, "CLP ");
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
    void subscriber() {
        if (!subscriberAllowed_) return;
        subscriberAllowed_ = false;
        add(transaction_, "Subscriber");
        claimParent_ = add(transaction_, "SBR");
    }

    ToolTree& tree_;
    ToolNode root_;
    char separator_;
    FileSummary& summary_;
    std::int64_t interchanges_ = 0;
    bool interchangeOpen_ = false, setOpen_ = false, subscriberAllowed_ = true;
    ToolNode interchange_ = kNoToolNode, transaction_ = kNoToolNode, claimParent_ = kNoToolNode;
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
    EnvelopeTree envelope(tree, root, firstOr(delimiters.element, ' '), summary);
    SegmentWalkEvents events;
    events.segment = [&envelope](std::string_view text, std::int64_t) { envelope.segment(text); };
    events.controlByte = [&summary](unsigned char byte, std::int64_t offset) {
        appendControlLine(summary.report, byte, offset);
    };
    const SegmentWalkResult walk = walkSegments(fileName, firstOr(delimiters.terminator, ' '), events, &meter);
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
