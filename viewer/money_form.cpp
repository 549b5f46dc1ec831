#include "money_form.hpp"

namespace zr {

std::string CTL39410W(std::string_view amount) {
    const std::string_view head = amount.empty() ? amount : amount.substr(0, amount.size() - 1);
    if (head.find('.') != std::string_view::npos) return std::string(amount);
    return std::string(amount) + ".00";
}

}  // namespace zr
