#include "code_list_text.hpp"

#include <span>
#include <variant>

#include "x12_code_lists.hpp"

namespace zr {

std::string codeListText(int transaction, int segment, int element, int component, std::string_view code) {
    if (code.empty()) return "";
    const X12Answer answer = ZRX12(segment, element, component, transaction, 3);
    const auto* pairs = std::get_if<std::span<const X12CodePair>>(&answer);
    if (!pairs) return "";
    for (const X12CodePair& p : *pairs)
        if (p.code == code) return std::string(p.description);
    return "";
}

}  // namespace zr
