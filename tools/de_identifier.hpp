// X12 File De-Identifier: a copy of an X12 file ("DI_" + its name, beside
// it) whose personal data is masked character by character, so the copy
// keeps its structure, lengths and delimiters. The file is streamed: memory
// does not grow with its size.
//
// Masked (element numbers as in X12 references): NM103, NM104, NM105,
// NM109 of every entity and the party names and ids N102, N104 (835, 834
// and 820 name their parties there); every element of N3 and N4; REF02; the contact's
// name and every communication number, PER02, PER04, PER06, PER08; the
// group number and name SBR03, SBR04; CLM01; the patient control and payer
// claim numbers CLP01, CLP07 (CLP06 is a code and stays); the date of birth
// DMG02; and every date tied to a patient's care, DTP03 and DTM02 (service,
// admission and statement dates are dates of a person as much as the birth
// date is). The ISA is copied unchanged.
#pragma once

#include <string>

namespace zr {

// CTLD49200F: digits become "0", capitals "X", small letters "x"; every
// other character stays.
std::string CTLD49200F(const std::string& text);

// Whether element `element` (from 1 after the id) of a segment with this id
// is masked.
bool isDeIdentifiedElement(const std::string& id, std::size_t element);
// CTLD49200E: the same question for the element before the n-th element
// separator (n = element number + 1): 1 or 0.
int CTLD49200E(const std::string& id, std::size_t n);

// CTLD49200B: the segment (with its terminator) with its chosen elements
// masked, without the terminator.
std::string CTLD49200B(const std::string& segment, char element, char terminator);

// The output beside the input: its folder as given (never upper-cased)
// followed by "DI_" and its name.
std::string deIdentifiedFileName(const std::string& input);

// CTLD49200A: writes the output and answers the last segment written ("" when
// nothing was). An existing output is replaced only after "Replace ...?" is
// answered Yes, and only by a complete copy. A file without an ISA header
// is refused: its personal data could not be found.
std::string CTLD49200A(const std::string& input);

// CTLD49200: asks for the file ("Select X12 File to de-identify") and
// de-identifies it.
std::string CTLD49200();

}  // namespace zr
