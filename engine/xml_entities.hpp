// Decoding XML character data: the one entity decoder of the records
// readers and the envelope values.
#pragma once

#include <string>
#include <string_view>

namespace zr {

// XML character data as bytes: the five entities and numeric character
// references ("&#196;", "&#xC4;"); a character beyond one byte becomes "?".
std::string decodeXmlText(std::string_view text);

}  // namespace zr
