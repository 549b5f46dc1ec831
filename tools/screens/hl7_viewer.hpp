// The HL7 viewer: a message file's delimiters and lines, and a chosen
// line's fields with their names. No menu starts it; it is an entry a
// caller may start.
#pragma once

#include <array>
#include <string>

#include "hl7_message.hpp"
#include "viewer_dialog.hpp"

namespace zr {

// CTLD48700: the viewer on `fileName` when it names an existing file, else
// on the file chosen ("Select HL7 File") starting in `startFolder`. Of the
// seven arguments of its callers only these two are read.
void CTLD48700(const std::string& startFolder, const std::string& fileName, const ViewerUi& ui = {});

// CTLD48701: the segment dialog of one line; the delimiters in screen order.
void CTLD48701(const std::string& line, const std::array<Hl7Delimiter, 5>& delimiters, const ViewerUi& ui = {});

}  // namespace zr
