// The process's printer settings: one print-dialog record (PRINTDLG) with
// the current device-mode (DEVMODE) and device-names (DEVNAMES) blocks,
// filled from the system's default printer on first use. Every device
// context made for printing is made from these blocks, so a change made here
// (orientation, paper, copies, quality) applies to the next one.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The escape numbers of the same names (wingdi.h) would hide these
// functions; the library never sends those escapes.
#undef STARTDOC
#undef ENDDOC
#undef DRAFTMODE

namespace wl {

// The record's layout is the system's: packed to 66 bytes in 32-bit
// programs, naturally aligned in 64-bit ones.
static_assert(sizeof(void*) == 8 || sizeof(PRINTDLGA) == 66);
static_assert(sizeof(void*) == 4 || sizeof(PRINTDLGA) == 120);

void PRINTERINIT();
void PRINTEREND();
// The print dialog; the device context, or 0 when cancelled.
HDC GETPRINTDC(HWND hWnd, bool lSelection = false, bool lPageNums = false);
// The printer-setup dialog; the device context or 0.
HDC PRINTERSETUP(HWND hWnd = nullptr);
// The page-setup dialog; margins in hundredths of a millimetre, each
// absent one from the last dialog. True when confirmed.
bool PAGESETUP(HWND hWnd = nullptr, std::optional<int> nTop = {}, std::optional<int> nLeft = {},
               std::optional<int> nRight = {}, std::optional<int> nBottom = {});
// {top, left, right, bottom} of the last page-setup dialog.
std::array<int, 4> PAGEGETMARGINS();
int STARTDOC(HDC hDC, const std::optional<std::string>& cDocName, const std::optional<std::string>& cOutput = {});
int ENDDOC(HDC hDC);
int STARTPAGE(HDC hDC);
int ENDPAGE(HDC hDC);
// A device context made from the current blocks; 0 without a printer.
HDC GETPRINTDEFAULT(HWND hWnd = nullptr);
std::pair<int, int> PRNOFFSET(HDC hDC);
std::pair<int, int> PRNGETSIZE(HDC hDC);
bool RESETDC(HDC hDC);
bool PRNLANDSCAPE();
bool PRNPORTRAIT();
int PRNGETORIENTATION();
bool PRNSETSIZE(int nWidth, int nLength);
bool PRNSETPAGE(int nPaper);
int PRNBINSOURCE(std::optional<int> nBin = {});
bool PRNSETCOPIES(int nCopies);
int PRNGETCOPIES();
bool PRNGETCOLLATE();
std::pair<int, int> PRNGETPAGES();
bool PRNGETPAGNUMS();
bool PRNGETSELECTION();
std::string PRNGETNAME();
std::string PRNGETDRIVE();
std::string PRNGETPORT();
bool DRAFTMODE(bool lDraft);
// Switches a device that takes raw data (PASSTHROUGH and EPSPRINTING) to
// EPS printing and sends the file's bytes to it unchanged; the last
// escape's result, 0 when the device refuses either or the file cannot be
// read.
int IMPORTRAWFILE(HDC hDC, const std::string& cFile);
DWORD COMDLGXERR();
int GETDEVICECAPS(HDC hDC, int nIndex);

// The names of the installed printers: the entries of WIN.INI's [Devices].
std::vector<std::string> AGETPRINTERS();
// Makes cPrinter the default printer through WIN.INI's [Windows] "Device".
bool SETPRINTDEFAULT(const std::string& cPrinter);

// While alive, WIN.INI's [Windows] "Device" names another printer; the
// user's entry is written back when the object goes, on every path.
class DefaultPrinterSwitch {
public:
    explicit DefaultPrinterSwitch(const std::string& device);
    ~DefaultPrinterSwitch();
    DefaultPrinterSwitch(const DefaultPrinterSwitch&) = delete;
    DefaultPrinterSwitch& operator=(const DefaultPrinterSwitch&) = delete;

private:
    std::string saved_;
};

}  // namespace wl
