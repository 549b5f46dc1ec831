#include "date_pickers.hpp"

#include "picker_texts.hpp"

namespace wl {
namespace {

void setSystemTime(HWND hPicker, const SYSTEMTIME& st, int nFlag) {
    SendMessageA(hPicker, DTM_SETSYSTEMTIME, static_cast<WPARAM>(nFlag), reinterpret_cast<LPARAM>(&st));
}

}  // namespace

void SETDATEPICK(HWND hPicker, int nYear, int nMonth, int nDay, int nFlag) {
    SETTIMEPICK(hPicker, nYear, nMonth, nDay, 0, 0, 0, nFlag);
}

Date GETDATEPICK(HWND hPicker) {
    SYSTEMTIME st{};
    // Without a date the record is left unfilled: answer the blank date.
    if (SendMessageA(hPicker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID) return Date{};
    return Date{st.wYear, st.wMonth, st.wDay};
}

void SETTIMEPICK(HWND hPicker, int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond, int nFlag) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(nYear);
    st.wMonth = static_cast<WORD>(nMonth);
    st.wDay = static_cast<WORD>(nDay);
    st.wHour = static_cast<WORD>(nHour);
    st.wMinute = static_cast<WORD>(nMinute);
    st.wSecond = static_cast<WORD>(nSecond);
    setSystemTime(hPicker, st, nFlag);
}

std::string GETTIMEPICK(HWND hPicker) {
    SYSTEMTIME st{};
    SendMessageA(hPicker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    return timeDigits({st.wHour, st.wMinute, st.wSecond});
}

}  // namespace wl
