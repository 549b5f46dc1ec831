#include "selection_values.hpp"

namespace wl {

Value resetValue(const Value& current) {
    if (current.isLogical()) return Value(false);
    if (current.isNumber()) return Value(0);
    return Value(std::string());
}

Value selectionValue(const Value& current, int position, const std::string& text) {
    if (current.isNumber()) return Value(position);
    return Value(text);
}

}  // namespace wl
