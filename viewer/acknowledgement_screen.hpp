// What the acknowledgement screen (997, 999 and TA1) shows: the header
// values with their code texts, the reported errors, and the report text of
// the output modes. The 997 data sheet prints from the same functions.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "segment_table.hpp"

namespace zr {

// The code texts of the acknowledgement (exact match; "" outside the table).
std::string acknowledgementCodeText(const std::string& code);  // AK501, IK501, AK901
std::string interchangeAckCodeText(const std::string& code);   // TA104
std::string interchangeNoteText(const std::string& code);      // TA105

// CTL39408AA: the error items: the rows (the last row aside) whose id is
// AK3, AK4, IK3 or IK4.
std::size_t CTL39408AA(const SegmentTable& table);

// CTL39408AB: field `field` of error item `item` (1-based, file order):
// 0 the item's id; of an AK3/IK3 1 the segment id, 2 its position, 3 the
// loop id, 4 the segment error's text; of an AK4/IK4 5 the element
// position, 6 its reference number, 7 the element error's text ("Error
// Code Not Set" outside the tables); 8 the AK202 of the set the item
// belongs to, 9 the AK901 of its group. "" for an item or field not there.
std::string CTL39408AB(const SegmentTable& table, std::size_t item, int field);

// CTL39408AC: header value n (1 AK102, 2 AK202, 3 the response's text with
// its kind, 4 its syntax error's text, 5 TA101, 6 TA102, 7 TA103, 8 TA104's
// text, 9 TA105's text, 10 the response code). With set 0, each from the
// last row holding it (an IK5 is read as an AK5); with set k, values 1 to 4
// and 10 belong to the k-th acknowledged set (AK2) alone.
std::string CTL39408AC(const SegmentTable& table, int n, std::size_t set = 0);

// The number of sets acknowledged (AK2 rows).
std::size_t acknowledgedSets(const SegmentTable& table);

// "Acknowledgement Error Count :  " and the number of AK3/IK3 items.
std::string acknowledgementCountLine(const SegmentTable& table);
// The header lines in screen order: the count line, then values 5, 6-7, 8,
// 9, 1, 2, 3 and 4 after their labels.
std::vector<std::string> acknowledgementHeaderLines(const SegmentTable& table);
// The error list: each response that follows an error item with its own
// text, then the numbered items; one empty line without items.
std::vector<std::string> acknowledgementErrorLines(const SegmentTable& table);

// CTLD39408 without a window: the text of modes 100 (CR LF), 101 ("<BR>"),
// 102 ("\par " CR LF) and 103 (the header lines only), "" for 109 and for a
// file name that is empty or names no file; none when the screen is shown.
std::optional<std::string> acknowledgementOutput(const std::string& fileName, const SegmentTable& table, int mode);

}  // namespace zr
