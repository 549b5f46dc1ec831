// Drive letters: the floppy drives A: and B:, and C: to Z: where a drive
// exists or is a CD drive.
#include <windows.h>

#include "file_names.hpp"

namespace wl {

std::vector<std::string> ADRIVES(int type) {
    std::vector<std::string> drives;
    const DWORD present = GetLogicalDrives();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const bool floppy = letter <= 'B';
        if ((type == 1 && !floppy) || (type == 2 && floppy)) continue;
        const std::string name = std::string(1, letter) + ":";
        const bool exists = (present >> (letter - 'A')) & 1;
        if (floppy ? exists : (exists || GetDriveTypeA((name + "\\").c_str()) == DRIVE_CDROM))
            drives.push_back(name);
    }
    return drives;
}

}  // namespace wl
