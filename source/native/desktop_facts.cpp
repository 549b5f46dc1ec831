#include "desktop_facts.hpp"

#include <windows.h>

#include <algorithm>
#include <set>

namespace wl {

namespace {

int screenCaps(int index) {
    HDC dc = GetDC(nullptr);
    const int value = dc ? GetDeviceCaps(dc, index) : 0;
    if (dc) ReleaseDC(nullptr, dc);
    return value;
}

struct WindowsVersion {
    DWORD major = 0, minor = 0, platform = 0, productType = 0;
};

WindowsVersion windowsVersion() {
    OSVERSIONINFOEXA v{};
    v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&v))) return {};
#pragma GCC diagnostic pop
    return {v.dwMajorVersion, v.dwMinorVersion, v.dwPlatformId, v.wProductType};
}

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

}  // namespace

bool LARGEFONTS() { return screenCaps(LOGPIXELSY) >= 120; }
double DISPFONTPERSIZE() { return screenCaps(LOGPIXELSY) / 96.0; }

unsigned long long COLORSQTY() {
    const int bits = screenCaps(BITSPIXEL) * screenCaps(PLANES);
    return bits >= 64 ? ~0ULL : 1ULL << bits;
}

std::array<int, 2> SCRRESOLUTION() { return {SCREENWIDTH(), SCREENHEIGHT()}; }
int SCREENWIDTH() { return GetSystemMetrics(SM_CXSCREEN); }
int SCREENHEIGHT() { return GetSystemMetrics(SM_CYSCREEN); }

bool dropShadowsAvailable() {
    const WindowsVersion v = windowsVersion();
    return v.major > 5 || (v.major == 5 && v.minor != 0);
}

std::string CWINVERSION() {
    const WindowsVersion v = windowsVersion();
    if (v.platform == VER_PLATFORM_WIN32_NT) {
        if (v.major == 6 && v.minor == 0) return "Vista";
        if (v.major == 6 && v.minor == 1) return "7";
        if (v.major == 6 && v.minor >= 2) return "8";
        if (v.major == 5 && v.minor == 2) return "Server 2003";
        if (v.major == 5 && v.minor == 1) return "XP";
        if (v.major == 5 && v.minor == 0) return "2000";
        if (v.major <= 4) return "NT";
        return "";
    }
    if (v.platform == VER_PLATFORM_WIN32_WINDOWS) {
        if (v.minor >= 90) return "ME";
        if (v.minor >= 10) return "98";
        return "95";
    }
    return "";
}

bool ISWINVISTA() { return contains(CWINVERSION(), "Vista"); }
bool ISWINXP() { return contains(CWINVERSION(), "XP"); }
bool ISWIN2000() { return contains(CWINVERSION(), "2000"); }
bool ISWIN7() { return contains(CWINVERSION(), "7"); }
bool ISWIN8() { return CWINVERSION() == "8"; }

bool ISWIN64() { return GetEnvironmentVariableA("ProgramFiles(x86)", nullptr, 0) > 0; }

std::string GETSYSFONT() {
    const DWORD platform = windowsVersion().platform;
    return platform == VER_PLATFORM_WIN32_NT || platform == VER_PLATFORM_WIN32_WINDOWS ? "Ms Sans Serif" : "System";
}

double TIMEZONE() {
    DWORD bias = 0;
    DWORD size = sizeof bias;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\TimeZoneInformation", "Bias",
                     RRF_RT_REG_DWORD, nullptr, &bias, &size) != ERROR_SUCCESS)
        return 0;
    return -static_cast<double>(static_cast<LONG>(bias)) / 60.0;
}

namespace {
struct TaskCollector {
    std::set<std::string> modules;
    std::vector<std::string> lines;
};

BOOL CALLBACK collectTask(HWND hwnd, LPARAM lParam) {
    auto* c = reinterpret_cast<TaskCollector*>(lParam);
    char title[256] = {};
    if (!IsWindowVisible(hwnd) || GetWindowTextA(hwnd, title, sizeof title) == 0) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    std::string module;
    if (HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid)) {
        char path[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        if (QueryFullProcessImageNameA(process, 0, path, &size)) module.assign(path, size);
        CloseHandle(process);
    }
    if (c->modules.insert(module).second) c->lines.push_back(std::string(title) + ", " + module);
    return TRUE;
}
}  // namespace

std::vector<std::string> GETTASKS() {
    TaskCollector c;
    EnumWindows(collectTask, reinterpret_cast<LPARAM>(&c));
    std::sort(c.lines.begin(), c.lines.end());
    return c.lines;
}

}  // namespace wl
