// Words for the few 837 codes that the claim fields show spelled out: the
// CLM indicators and assignment code, the related cause, the tooth surface
// of dental lines and the three institutional codes of the CL1 segment.
#pragma once

#include <string>
#include <string_view>

namespace zr {

// Indicator of CLM and the provider signature: "Y" "Yes", "N" "No".
std::string CTL39406AF(std::string_view code);
// Provider's acceptance of assignment (CLM07).
std::string CTL39406AG(std::string_view code);
// Related cause of the claim (CLM11).
std::string CTL39406AH(std::string_view code);
// Tooth-surface letters of a dental line.
std::string CTL39406AE(std::string_view code);
// These four compare the upper-cased code by prefix (the first entry the
// code begins with wins) and return a code no entry matches unchanged.

// The institutional CL1 texts; a code no entry matches, an empty one
// included, reads "Error = " and the code.
std::string admissionTypeText(std::string_view cl101);    // by prefix
std::string admissionSourceText(std::string_view cl102);  // by prefix
std::string patientStatusText(std::string_view cl103);    // as a number: "01" is 1

}  // namespace zr
