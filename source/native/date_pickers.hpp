// Date-and-time picker calls. A picker may hold no date at all (its check
// box cleared, or set with GDT_NONE): it then reads back as the blank date.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "value.hpp"

namespace wl {

// nFlag GDT_VALID (0) shows the date, GDT_NONE (1) shows none.
void SETDATEPICK(HWND hPicker, int nYear, int nMonth, int nDay, int nFlag = GDT_VALID);
// The picker's date; the blank date when it holds none.
Date GETDATEPICK(HWND hPicker);
void SETTIMEPICK(HWND hPicker, int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond,
                 int nFlag = GDT_VALID);
// The picker's time as "HHMMSS".
std::string GETTIMEPICK(HWND hPicker);

}  // namespace wl
