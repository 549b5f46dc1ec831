// Facts about the running system, folders and small process services.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "system_info.hpp"

namespace wl {

void SLEEP(DWORD milliseconds);
DWORD GETTICKCOUNT();
int GETSYSMETRICS(int index);

struct WindowsVersion {
    DWORD major = 0;
    DWORD minor = 0;
    DWORD build = 0;
    DWORD platformId = 0;
    std::string servicePack;
};
WindowsVersion GETVERSION();
// {major, minor} from the two low bytes of GetVersion's result.
std::pair<int, int> WINVERSION();
bool ISWINNT();
bool ISWIN95();
// A 32-bit program running under 64-bit Windows.
bool ISWOW64();
// Whether this program is a 64-bit one.
bool ISEXE64();
inline int BORLANDC() { return 0; }
inline int BUILDFLAG1() { return 0; }
inline int BUILDFLAG2() { return 0; }

std::string GETWINDIR();   // 254-byte buffer
std::string GETWINDIR2();  // 249-byte buffer
std::string GETSYSDIR();   // 254-byte buffer
std::string GETMODULEFILENAME(HMODULE hModule);  // 249-byte buffer

// The drive type of the root (the current drive when none is given).
bool ISCDROM(const std::optional<std::string>& root = std::nullopt);
bool ISDISKETTE(const std::optional<std::string>& root = std::nullopt);

// The processor's clock rate in MHz, measured over about 31 milliseconds.
int GETCPUSPEED();

bool LMKDIR(const std::string& folder);
bool LCHDIR(const std::optional<std::string>& folder);
bool LRMDIR(const std::string& folder);
// The current folder; "" when it cannot be read.
inline std::string CURRENTDIR() { return currentFolder(); }
void SETCURRENTDIR(const std::string& folder);

// The count of GDI or USER objects of this process; 0 when the function is
// missing.
DWORD GUIRESOURCES(DWORD flags);

}  // namespace wl
