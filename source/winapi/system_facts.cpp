#include "system_facts.hpp"

#include <x86intrin.h>

#include "cpu_speed.hpp"

namespace wl {

void SLEEP(DWORD milliseconds) { Sleep(milliseconds); }
DWORD GETTICKCOUNT() { return GetTickCount(); }
int GETSYSMETRICS(int index) { return GetSystemMetrics(index); }

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
WindowsVersion GETVERSION() {
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;  // 148 bytes
    WindowsVersion out;
    if (!GetVersionExA(&v)) return out;
    out.major = v.dwMajorVersion;
    out.minor = v.dwMinorVersion;
    out.build = v.dwBuildNumber;
    out.platformId = v.dwPlatformId;
    out.servicePack = v.szCSDVersion;
    return out;
}

std::pair<int, int> WINVERSION() {
    DWORD v = GetVersion();
    return {static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF)};
}

bool ISWINNT() { return (GetVersion() & 0x80000000u) == 0; }

bool ISWIN95() {
    DWORD v = GetVersion();
    return (v & 0x80000000u) != 0 && (v & 0xFF) > 3;
}
#pragma GCC diagnostic pop

bool ISWOW64() {
    using IsWow64Fn = BOOL(WINAPI*)(HANDLE, PBOOL);
    HMODULE kernel = GetModuleHandleA("kernel32");
    auto fn = reinterpret_cast<IsWow64Fn>(
        reinterpret_cast<void*>(kernel ? GetProcAddress(kernel, "IsWow64Process") : nullptr));
    BOOL wow = FALSE;
    return fn && fn(GetCurrentProcess(), &wow) && wow;
}

bool ISEXE64() { return sizeof(void*) == 8; }

namespace {
// The folder answered into a buffer of the given size; "" when it does not fit.
std::string windowsFolder(UINT bufferSize) {
    char buffer[260] = {};
    UINT n = GetWindowsDirectoryA(buffer, bufferSize);
    return n < bufferSize ? std::string(buffer, n) : std::string();
}

UINT driveType(const std::optional<std::string>& root) { return GetDriveTypeA(root ? root->c_str() : nullptr); }
}  // namespace

std::string GETWINDIR() { return windowsFolder(254); }
std::string GETWINDIR2() { return windowsFolder(249); }

std::string GETSYSDIR() {
    char buffer[254] = {};
    UINT n = GetSystemDirectoryA(buffer, sizeof buffer);
    return n < sizeof buffer ? std::string(buffer, n) : std::string();
}

std::string GETMODULEFILENAME(HMODULE hModule) {
    char buffer[249] = {};
    DWORD n = GetModuleFileNameA(hModule, buffer, sizeof buffer);
    return std::string(buffer, n < sizeof buffer ? n : 0);
}

bool ISCDROM(const std::optional<std::string>& root) { return driveType(root) == DRIVE_CDROM; }
bool ISDISKETTE(const std::optional<std::string>& root) { return driveType(root) == DRIVE_REMOVABLE; }

int GETCPUSPEED() {
    LARGE_INTEGER frequency{}, start{}, now{};
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return 0;
    const LONGLONG wait = frequency.QuadPart / 32;
    QueryPerformanceCounter(&start);
    const unsigned long long cyclesStart = __rdtsc();
    do {
        QueryPerformanceCounter(&now);
    } while (now.QuadPart - start.QuadPart < wait);
    const unsigned long long cycles = __rdtsc() - cyclesStart;
    return roundCpuSpeed(rawCpuRateMHz(cycles, static_cast<std::uint64_t>(now.QuadPart - start.QuadPart),
                                       static_cast<std::uint64_t>(frequency.QuadPart)));
}

bool LMKDIR(const std::string& folder) { return CreateDirectoryA(folder.c_str(), nullptr) != FALSE; }

bool LCHDIR(const std::optional<std::string>& folder) {
    return folder && SetCurrentDirectoryA(folder->c_str()) != FALSE;
}

bool LRMDIR(const std::string& folder) { return RemoveDirectoryA(folder.c_str()) != FALSE; }

void SETCURRENTDIR(const std::string& folder) { SetCurrentDirectoryA(folder.c_str()); }

DWORD GUIRESOURCES(DWORD flags) {
    return GetGuiResources(GetCurrentProcess(), flags);
}

}  // namespace wl
