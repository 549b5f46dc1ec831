// Tagged text: values between <TAG> and </TAG>, tag names compared without
// regard to case, pairs not nested. The program's list, manifest and
// alignment files are written this way.
#pragma once

#include <string>

namespace zr {

// The contents of every pair of the tag, joined with nothing between them.
std::string ZQK_0001A(const std::string& text, const std::string& tag);
// The content of the n-th pair (1-based), "" when there are fewer pairs.
std::string ZQK_0001H(const std::string& text, const std::string& tag, int n);
// The number of closing tags of that name.
int ZQK_0001G(const std::string& text, const std::string& tag);
// The value wrapped in a pair whose name is upper-cased.
std::string ZQK_0001B(const std::string& value, const std::string& tag);
// 1 when the text declares "<!ELEMENT" + any char + name + any char + "(#PCDATA)>".
int ZQK_0001C(const std::string& text, const std::string& name);
// "%3E" becomes ">" and "%3C" becomes "<".
std::string ZQK_0001I(const std::string& text);
// Decodes the few HTML entities the examples manifests carry.
std::string ZQK_0001J(const std::string& text);

}  // namespace zr
