// The progress meter as a real window: a modeless dialog with the bar, the
// "Percent" "Complete" labels and two text lines. Installed as the meter
// seam's observer by the Windows program.
#pragma once

#include <windows.h>

namespace zr {

// Routes the meter calls to the window from now on.
void installMeterWindow();
// The open meter window (0 when none), for tests and screenshots.
HWND meterWindowHandle();

}  // namespace zr
