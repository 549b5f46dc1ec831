// The fixed layout ("FL") of the CSV and XML exports: the 835 claims
// written from their segments rather than from a field list. Each CLP
// starts a record; the claim's CAS, NM1 (QC, IL, 82, TT), MIA, MOA, REF,
// AMT and QTY segments fill fixed places in it (the first of each kind).
#pragma once

#include <functional>
#include <string>

#include "segment_table.hpp"

namespace zr {

using FixedLayoutOut = std::function<void(const std::string&)>;

// One line of 60 cells per claim, each ended by CR LF: CLP elements 1-10 in
// cells 1-10, CAS from 11 (the group code only when CO, CR, OA, PI or PR,
// then its non-empty reasons and amounts), NM1*QC from 16, NM1*IL from 22,
// NM1*82 from 28, NM1*TT from 30, MIA from 34, MOA from 36, REF*1L at 39,
// REF*1W from 40, REF 9A, 9C, A6, BB, CE, EA, F8, G1, G3, IG, SY at 44 to
// 54, any other REF from 55, AMT from 57, QTY from 59. Values take the
// comma rule and are quoted where they hold the separator.
void fixedLayoutCsv(const SegmentTable& table, const std::string& separator, const FixedLayoutOut& out);

// The XML of the same claims: per claim a "<CLAIM>" element whose children
// are named by the 835 dictionary (CLP's CLAIMPATCTL, the patient's
// PATLNAME, REF*1L's GRPPOLNO...), every group written, empty where its
// segment is absent. The header names ISO-8859-1.
void fixedLayoutXml(const SegmentTable& table, const FixedLayoutOut& out);

}  // namespace zr
