// Laying a 997/999 functional acknowledgement over a loaded file: segment
// and element notes on the rows it names, and the set response's status.
#pragma once

#include <string>

#include "segment_table.hpp"

namespace zr {

// CTL39400Q: with flag 0, the file chosen in the "Select 997 File" dialog.
std::string CTL39400Q(int flag, const std::string& mask);

// CTL39400O: applies the acknowledgement's AK3/AK4, IK3/IK4 and CTX to the
// table and returns it. Notes go to the segment at the reported position
// within the set whose ST02 is the AK202 of the acknowledgement.
SegmentTable CTL39400O(const std::string& acknowledgementFile, SegmentTable table);

// CTL39400P: the status text of the set response (AK5 or IK5): mode 1 the
// acknowledgement code's text, mode 2 the syntax error's; "" when none.
std::string CTL39400P(const std::string& acknowledgementFile, const SegmentTable& table, int statusMode);

// The code texts.
std::string segmentErrorText(const std::string& code);
std::string elementErrorText(const std::string& code);
std::string setAcknowledgementText(const std::string& code);
std::string setSyntaxErrorText(const std::string& code);

}  // namespace zr
