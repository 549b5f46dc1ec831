// Facts about the screen, the Windows version and the running desktop.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "system_info.hpp"

namespace wl {

bool LARGEFONTS();          // 120 pixels per inch or more
double DISPFONTPERSIZE();   // pixels per inch / 96
unsigned long long COLORSQTY();  // number of colours of the screen
std::array<int, 2> SCRRESOLUTION();  // {width, height}
int SCREENWIDTH();
int SCREENHEIGHT();

// "Vista", "7", "8", "Server 2003", "XP", "2000", "NT", "ME", "98", "95" or "".
std::string CWINVERSION();
bool ISWINVISTA();
bool ISWINXP();
bool ISWIN2000();
bool ISWIN7();
bool ISWIN8();
// Windows above 5.0 (XP on), where windows may cast drop shadows.
bool dropShadowsAvailable();
// The environment variable "ProgramFiles(x86)" is set.
bool ISWIN64();
// "Ms Sans Serif" on the NT and 95 families, else "System".
std::string GETSYSFONT();
// The version of the Borland compiler that built the program: none does, 0.
inline int BORLANDVERSION() { return 0; }
// The hours from UTC: the registry's time-zone "Bias" with its sign inverted.
double TIMEZONE();
inline std::string GETCPU() { return cpuText(); }
inline int GETFREESYSTEMRESOURCES() { return 90; }
// "title, module file" for the desktop's titled windows, one per module,
// sorted.
std::vector<std::string> GETTASKS();
// Saves the desktop's image as a PNG file; false when it cannot.
bool SAVEDESKTOP(const std::string& file);

}  // namespace wl
