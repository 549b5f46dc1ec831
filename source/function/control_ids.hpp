// Identifiers of the controls a window creates.
#pragma once

namespace wl {

// The identifier after `last`: 101, 102, ... 30000, then 100 again.
int nextControlId(int last);

}  // namespace wl
