// The code texts the 835 screens print beside codes: the descriptions of
// the code lists of the remittance's elements, and of the claim adjustment
// reason and remittance remark codes. Every lookup is by the whole code: an
// empty code has no text, and "19" never answers with the text of "1".
#pragma once

#include <string>
#include <string_view>

namespace zr {

// The description of a code in the code list of an 835 element, by the
// dictionary's segment slot and element number (2,1 BPR01; 2,4 BPR03;
// 2,5 BPR04; 13,3 payee N103; 16,1 payee REF01; 20,2 CLP02; 20,6 CLP06;
// 21,1 CAS01; 22,8 patient/insured NM108; 24,8 service provider NM108).
std::string remittanceCodeText(int segmentSlot, int element, std::string_view code);

// The claim adjustment reason code's text (the code tables answer a code
// they do not hold with the code itself).
std::string adjustmentReasonText(std::string_view code);
// The remittance advice remark code's text (likewise).
std::string remittanceRemarkText(std::string_view code);

}  // namespace zr
