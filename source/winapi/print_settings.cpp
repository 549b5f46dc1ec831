#include "print_settings.hpp"

#include <cstring>
#include <fstream>
#include <vector>

#include "profile_files.hpp"
#include "process_state.hpp"

namespace wl {

namespace {

// The one print-dialog record of the process and the margins of the last
// page-setup dialog.
struct PrintSettings {
    PRINTDLGA pd{};
    bool initialised = false;
    RECT margins{};  // hundredths of a millimetre
};

PrintSettings& settings() {
    return processState().printSettings.get<PrintSettings>();
}

void freeBlocks(PRINTDLGA& pd) {
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    pd.hDevMode = pd.hDevNames = nullptr;
}

// The record, filled with the system's default printer on first use.
PRINTDLGA& record() {
    PrintSettings& s = settings();
    if (!s.initialised) {
        freeBlocks(s.pd);
        std::memset(&s.pd, 0, sizeof s.pd);
        s.pd.lStructSize = sizeof s.pd;
        s.pd.hwndOwner = GetActiveWindow();
        s.pd.Flags = PD_RETURNDEFAULT;
        s.pd.nFromPage = 1;
        s.pd.nToPage = 1;
        s.pd.nMinPage = 1;
        s.pd.nMaxPage = 65535;
        s.pd.nCopies = 1;
        // Filled only when the system named a default printer: after a
        // moment without one (a missing printer was the default while a job
        // looked for it) the next use asks again instead of keeping nothing.
        s.initialised = PrintDlgA(&s.pd) != FALSE;
    }
    return s.pd;
}

// A locked global block, unlocked when the object goes.
template <class T>
class Locked {
public:
    explicit Locked(HGLOBAL h) : h_(h), p_(h ? static_cast<T*>(GlobalLock(h)) : nullptr) {}
    ~Locked() {
        if (p_) GlobalUnlock(h_);
    }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    T* get() const { return p_; }

private:
    HGLOBAL h_;
    T* p_;
};

using DevMode = Locked<DEVMODEA>;

std::string devName(WORD DEVNAMES::*offset) {
    Locked<DEVNAMES> names(record().hDevNames);
    if (!names) return {};
    return reinterpret_cast<const char*>(names.get()) + names.get()->*offset;
}

UINT_PTR CALLBACK ignoringHook(HWND, UINT, WPARAM, LPARAM) { return 0; }

}  // namespace

void PRINTERINIT() {
    PrintSettings& s = settings();
    if (s.initialised) freeBlocks(s.pd);
    s.initialised = false;
}

void PRINTEREND() {
    PrintSettings& s = settings();
    if (!s.initialised) return;
    freeBlocks(s.pd);
    s.initialised = false;
}

HDC GETPRINTDC(HWND hWnd, bool lSelection, bool lPageNums) {
    PRINTDLGA& pd = record();
    pd.hwndOwner = hWnd;
    pd.hDC = nullptr;
    pd.Flags = PD_RETURNDC | PD_HIDEPRINTTOFILE | (lSelection ? PD_SELECTION : PD_NOSELECTION);
    if (!lSelection && lPageNums) {
        pd.Flags |= PD_PAGENUMS;
    } else {
        pd.nFromPage = 1;
        pd.nToPage = 1;
    }
    return PrintDlgA(&pd) ? pd.hDC : nullptr;
}

HDC PRINTERSETUP(HWND hWnd) {
    PRINTDLGA& pd = record();
    pd.hwndOwner = hWnd ? hWnd : GetActiveWindow();
    pd.hDC = nullptr;
    pd.Flags = PD_USEDEVMODECOPIES | PD_PRINTSETUP | PD_RETURNDC | PD_ENABLESETUPHOOK;
    pd.lpfnSetupHook = ignoringHook;
    const BOOL ok = PrintDlgA(&pd);
    pd.Flags &= ~PD_ENABLESETUPHOOK;
    pd.lpfnSetupHook = nullptr;
    return ok ? pd.hDC : nullptr;
}

bool PAGESETUP(HWND hWnd, std::optional<int> nTop, std::optional<int> nLeft, std::optional<int> nRight,
               std::optional<int> nBottom) {
    PRINTDLGA& pd = record();
    RECT& m = settings().margins;
    PAGESETUPDLGA ps{};
    ps.lStructSize = sizeof ps;
    ps.hwndOwner = hWnd ? hWnd : GetActiveWindow();
    ps.hDevMode = pd.hDevMode;
    ps.hDevNames = pd.hDevNames;
    ps.Flags = PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS | PSD_ENABLEPAGESETUPHOOK;
    ps.lpfnPageSetupHook = ignoringHook;
    ps.rtMargin = {nLeft.value_or(m.left), nTop.value_or(m.top), nRight.value_or(m.right), nBottom.value_or(m.bottom)};
    if (!PageSetupDlgA(&ps)) return false;
    // The dialog may hand back new blocks (it frees the ones it replaces).
    pd.hDevMode = ps.hDevMode;
    pd.hDevNames = ps.hDevNames;
    m = ps.rtMargin;
    return true;
}

std::array<int, 4> PAGEGETMARGINS() {
    const RECT& m = settings().margins;
    return {static_cast<int>(m.top), static_cast<int>(m.left), static_cast<int>(m.right),
            static_cast<int>(m.bottom)};
}

int STARTDOC(HDC hDC, const std::optional<std::string>& cDocName, const std::optional<std::string>& cOutput) {
    // The spooler shows at most 31 characters of a document's name.
    const std::string name = cDocName ? cDocName->substr(0, 31) : std::string();
    DOCINFOA di{};
    di.cbSize = sizeof di;
    di.lpszDocName = name.c_str();
    di.lpszOutput = cOutput ? cOutput->c_str() : nullptr;
    return StartDocA(hDC, &di);
}

int ENDDOC(HDC hDC) { return EndDoc(hDC); }
int STARTPAGE(HDC hDC) { return StartPage(hDC); }
int ENDPAGE(HDC hDC) { return EndPage(hDC); }

HDC GETPRINTDEFAULT(HWND) {
    PRINTDLGA& pd = record();
    if (!pd.hDevNames) return nullptr;
    const std::string driver = devName(&DEVNAMES::wDriverOffset);
    const std::string device = devName(&DEVNAMES::wDeviceOffset);
    const std::string output = devName(&DEVNAMES::wOutputOffset);
    DevMode mode(pd.hDevMode);
    return CreateDCA(driver.c_str(), device.c_str(), output.empty() ? nullptr : output.c_str(), mode.get());
}

std::pair<int, int> PRNOFFSET(HDC hDC) {
    return {GetDeviceCaps(hDC, PHYSICALOFFSETX), GetDeviceCaps(hDC, PHYSICALOFFSETY)};
}

std::pair<int, int> PRNGETSIZE(HDC hDC) {
    POINT size{};
    if (Escape(hDC, GETPHYSPAGESIZE, 0, nullptr, &size) > 0) return {size.x, size.y};
    return {GetDeviceCaps(hDC, PHYSICALWIDTH), GetDeviceCaps(hDC, PHYSICALHEIGHT)};
}

bool RESETDC(HDC hDC) {
    DevMode mode(record().hDevMode);
    return mode && ResetDCA(hDC, mode.get()) != nullptr;
}

namespace {
template <class F>
bool changeMode(F change) {
    DevMode mode(record().hDevMode);
    if (!mode) return false;
    change(*mode.get());
    return true;
}
}  // namespace

bool PRNLANDSCAPE() {
    changeMode([](DEVMODEA& m) { m.dmOrientation = DMORIENT_LANDSCAPE; });
    return true;
}

bool PRNPORTRAIT() {
    changeMode([](DEVMODEA& m) { m.dmOrientation = DMORIENT_PORTRAIT; });
    return true;
}

int PRNGETORIENTATION() {
    DevMode mode(record().hDevMode);
    return mode ? mode->dmOrientation : 0;
}

bool PRNSETSIZE(int nWidth, int nLength) {
    return changeMode([&](DEVMODEA& m) {
        m.dmFields |= DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH;
        m.dmPaperSize = DMPAPER_USER;
        m.dmPaperWidth = static_cast<short>(nWidth);
        m.dmPaperLength = static_cast<short>(nLength);
    });
}

bool PRNSETPAGE(int nPaper) {
    return changeMode([&](DEVMODEA& m) { m.dmPaperSize = static_cast<short>(nPaper); });
}

int PRNBINSOURCE(std::optional<int> nBin) {
    int previous = 0;
    changeMode([&](DEVMODEA& m) {
        previous = m.dmDefaultSource;
        if (nBin) m.dmDefaultSource = static_cast<short>(*nBin);
    });
    return previous;
}

bool PRNSETCOPIES(int nCopies) {
    changeMode([&](DEVMODEA& m) { m.dmCopies = static_cast<short>(nCopies); });
    return true;
}

int PRNGETCOPIES() {
    DevMode mode(record().hDevMode);
    return mode ? mode->dmCopies : 0;
}

bool PRNGETCOLLATE() {
    DevMode mode(record().hDevMode);
    return mode && mode->dmCollate != 0;
}

std::pair<int, int> PRNGETPAGES() {
    const PRINTDLGA& pd = record();
    return {pd.nFromPage, pd.nToPage};
}

bool PRNGETPAGNUMS() { return (record().Flags & PD_PAGENUMS) != 0; }
bool PRNGETSELECTION() { return (record().Flags & PD_SELECTION) != 0; }
std::string PRNGETNAME() { return devName(&DEVNAMES::wDeviceOffset); }
std::string PRNGETDRIVE() { return devName(&DEVNAMES::wDriverOffset); }
std::string PRNGETPORT() { return devName(&DEVNAMES::wOutputOffset); }

bool DRAFTMODE(bool lDraft) {
    return changeMode([&](DEVMODEA& m) {
        m.dmFields |= DM_PRINTQUALITY;
        m.dmPrintQuality = static_cast<short>(lDraft ? DMRES_DRAFT : DMRES_HIGH);
    });
}

int IMPORTRAWFILE(HDC hDC, const std::string& cFile) {
    auto supported = [&](int escape) {
        return Escape(hDC, QUERYESCSUPPORT, sizeof escape, reinterpret_cast<LPCSTR>(&escape), nullptr) > 0;
    };
    if (!supported(PASSTHROUGH) || !supported(EPSPRINTING)) return 0;
    const WORD on = 1;
    int result = Escape(hDC, EPSPRINTING, sizeof on, reinterpret_cast<LPCSTR>(&on), nullptr);
    if (result <= 0) return result;
    // The file's bytes go to the device as they are, in pieces that the
    // escape's 16-bit count can hold; a file that cannot be read sent
    // nothing, and says so.
    std::ifstream in(cFile, std::ios::binary);
    if (!in) return 0;
    constexpr std::size_t kPiece = 32768;
    std::vector<char> buffer(sizeof(WORD) + kPiece);
    while (in) {
        in.read(buffer.data() + sizeof(WORD), static_cast<std::streamsize>(kPiece));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got == 0) break;
        const WORD count = static_cast<WORD>(got);
        std::memcpy(buffer.data(), &count, sizeof count);
        result = Escape(hDC, PASSTHROUGH, static_cast<int>(sizeof(WORD) + got), buffer.data(), nullptr);
        if (result <= 0) return result;
    }
    return result;
}

DWORD COMDLGXERR() { return CommDlgExtendedError(); }

int GETDEVICECAPS(HDC hDC, int nIndex) { return GetDeviceCaps(hDC, nIndex); }

std::vector<std::string> AGETPRINTERS() {
    std::vector<std::string> names;
    const std::string list = GETPROFSTRING(std::string("Devices"), std::nullopt);
    for (std::size_t at = 0; at < list.size();) {
        const std::size_t end = list.find('\0', at);
        const std::string name = list.substr(at, end == std::string::npos ? std::string::npos : end - at);
        if (!name.empty()) names.push_back(name);
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return names;
}

bool SETPRINTDEFAULT(const std::string& cPrinter) {
    const std::string entry = GETPROFSTRING(std::string("Devices"), cPrinter);
    const std::size_t comma = entry.find(',');
    const std::string driver = entry.substr(0, comma);
    const std::string port = comma == std::string::npos ? std::string() : entry.substr(comma + 1);
    return WRITEPROFSTRING("Windows", std::string("Device"), cPrinter + "," + driver + "," + port.substr(0, port.find(',')));
}

DefaultPrinterSwitch::DefaultPrinterSwitch(const std::string& device)
    : saved_(GETPROFSTRING(std::string("windows"), std::string("device"))) {
    WRITEPROFSTRING("windows", std::string("device"), device);
}

DefaultPrinterSwitch::~DefaultPrinterSwitch() { WRITEPROFSTRING("windows", std::string("device"), saved_); }

}  // namespace wl
