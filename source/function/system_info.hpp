// Texts that describe the running system, for the program's logs.
#pragma once

#include <ctime>
#include <string>

namespace wl {

// The operating system's name and version.
std::string operatingSystemText();
// The processor's description.
std::string cpuText();
// Installed memory in megabytes (0 when unknown).
unsigned long long installedMemoryMB();
// The tool chain that built the program.
std::string compilerText();
// The parts of time t in local time (the thread-safe call of each system).
std::tm localParts(std::time_t t);
// The current local date and time formatted with strftime's format.
std::string localTimeText(const char* format);
// Today's date in the program's date form (MM/DD/YY).
std::string currentDateText();
// The current folder, and its drive ("C:") where the system has drives.
std::string currentFolder();
std::string currentDrive();

}  // namespace wl
