// XBREDITMEMO: a memo cell of a grid browse edited in the dialog its
// content asks for: text (plain, rich or formatted) in the memo editor,
// the bytes of an image in the image editor, other binary data in the hex
// editor.
#pragma once

#include <optional>
#include <string>

#include "value.hpp"

namespace wl {

// The edited value, only when it changed; nothing when cancelled or
// unchanged. Read-only: the dialog shows the value and nothing comes back.
std::optional<Value> XBREDITMEMO(const Value& value, bool readOnly = false, const std::string& title = {});

}  // namespace wl
