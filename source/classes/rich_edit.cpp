#include "rich_edit.hpp"

#include <oledlg.h>
#include <richedit.h>
#include <shellapi.h>

#include <algorithm>
#include <cmath>

#include "file_bytes.hpp"
#include "file_io.hpp"
#include "library_calls.hpp"
#include "library_texts.hpp"
#include "messages.hpp"
#include "popup_menus.hpp"
#include "print_settings.hpp"
#include "system_dialogs.hpp"
#include "window.hpp"

namespace wl {

namespace {

// The read callback hands the text out piece by piece.
struct StreamSource {
    const std::string* text;
    size_t pos = 0;
};

DWORD CALLBACK readPiece(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    const size_t n = std::min(static_cast<size_t>(size), source->text->size() - source->pos);
    std::copy_n(source->text->data() + source->pos, n, buffer);
    source->pos += n;
    *done = static_cast<LONG>(n);
    return 0;
}

DWORD CALLBACK writePiece(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(size));
    *done = size;
    return 0;
}

// Colour the caret's line, or every line, once pending input is in.
constexpr UINT LM_HIGHLIGHTLINE = 2068;
constexpr UINT LM_HIGHLIGHTALL = 2069;

void openInShell(const std::string& url) {
    ShellExecuteA(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// The minor number of a module's file version (5.30.x gives 30).
int versionMinor(const char* module) {
    char path[MAX_PATH] = {};
    HMODULE handle = GetModuleHandleA(module);
    if (!handle || !GetModuleFileNameA(handle, path, MAX_PATH)) return 0;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0) return 0;
    std::string data(size, '\0');
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA(path, 0, size, data.data()) ||
        !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info) {
        return 0;
    }
    return LOWORD(info->dwFileVersionMS);
}

}  // namespace

TRichEdit& TRichEdit::New(const RichEditNew& a) {
    oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    bSetGet = a.bSetGet ? a.bSetGet : bindTo(own_);
    RECT client{};
    if (oWnd && oWnd->hWnd) GetClientRect(oWnd->hWnd, &client);
    const int width = a.nWidth.value_or(client.right);
    const int height = a.nHeight.value_or(client.bottom);
    nTop = static_cast<int>(a.lPixel ? a.nRow : a.nRow * rowPixels());
    nLeft = static_cast<int>(a.lPixel ? a.nCol : a.nCol * colPixels());
    nBottom = nTop + height - 1;
    nRight = nLeft + width - 1;
    nStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | (a.lDesign ? WS_CLIPSIBLINGS : 0) |
             (a.lNoBorder ? 0 : WS_BORDER) | (a.lHScroll ? WS_HSCROLL : ES_WANTRETURN) |
             (a.lNoHideSel ? 0 : ES_DISABLENOSCROLL);
    if (a.oFont) {
        oFont = a.oFont;
        ++oFont->nCount;
    }
    cMsg = a.cMsg;
    bWhen = a.bWhen;
    bValid = a.bValid;
    bChange = a.bChange;
    lDesign = a.lDesign;
    lReadOnly = a.lReadOnly;
    lHighlight = a.lHighlight;
    cFileName = a.cFileName;
    nRTFSize = std::max(a.nRTFSize, 32768);
    lURL = !a.lNoURL;
    const Value v = VarGet();
    cCaption = v.isText() ? v.text() : std::string();
    createOrDefer();
    if (hWnd) Default();
    return *this;
}

TRichEdit& TRichEdit::ReDefine(int id, SetGet setGet, TWindow* parent, const RichEditNew& a) {
    bSetGet = setGet ? std::move(setGet) : bindTo(own_);
    if (a.oFont) {
        oFont = a.oFont;
        ++oFont->nCount;
    }
    cMsg = a.cMsg;
    bWhen = a.bWhen;
    bValid = a.bValid;
    bChange = a.bChange;
    lReadOnly = a.lReadOnly;
    lHighlight = a.lHighlight;
    cFileName = a.cFileName;
    nRTFSize = std::max(a.nRTFSize, 32768);
    lURL = !a.lNoURL;
    const Value v = VarGet();
    cCaption = v.isText() ? v.text() : std::string();
    redefine(id, parent);
    return *this;
}

void TRichEdit::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    Default();
}

void TRichEdit::Default() {
    TControl::Default();
    if (!hWnd) return;
    DLLVersion();
    send(EM_EXLIMITTEXT, 0, nRTFSize);
    LimitUnDo(10);
    send(EM_SETREADONLY, lReadOnly);
    send(EM_AUTOURLDETECT, lURL);
    send(EM_SETEVENTMASK, 0, ENM_LINK | ENM_CHANGE | ENM_SELCHANGE);
    if (lRE30) send(EM_SETTYPOGRAPHYOPTIONS, TO_ADVANCEDTYPOGRAPHY, TO_ADVANCEDTYPOGRAPHY);
    if (!cFileName.empty()) {
        LoadFromRTFFile(cFileName);
    } else if (IsRTF(cCaption)) {
        LoadRTF(cCaption);
    } else {
        SetWindowTextA(hWnd, cCaption.c_str());
    }
    if (lHighlight) HighLightAllText();
}

void TRichEdit::DLLVersion() { lRE30 = richEdit30(versionMinor("riched20.dll")); }

// ------------------------------------------------------------------ text

std::string TRichEdit::textRange(int from, int to) const {
    if (to <= from) return {};
    std::string text(static_cast<size_t>(to - from) + 1, '\0');
    TEXTRANGEA range{{from, to}, text.data()};
    const LRESULT got = send(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    text.resize(static_cast<size_t>(std::max<LRESULT>(got, 0)));
    return text;
}

std::string TRichEdit::cText(std::optional<std::string> text) {
    if (text) {
        SetText(*text);
        store();
    }
    return textRange(0, Len());
}

void TRichEdit::SetText(const std::string& text) {
    if (hWnd) SetWindowTextA(hWnd, text.c_str());
    if (lHighlight) HighLightAllText();
}

int TRichEdit::Len() const {
    GETTEXTLENGTHEX exact{GTL_PRECISE | GTL_NUMCHARS, CP_ACP};
    return static_cast<int>(send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&exact)));
}

std::string TRichEdit::GetLine(std::optional<int> nLine) const {
    const int line = nLine.value_or(GetRow() - 1);
    char buffer[258] = {};
    *reinterpret_cast<WORD*>(buffer) = 255;
    const LRESULT got = send(EM_GETLINE, line, reinterpret_cast<LPARAM>(buffer));
    return std::string(buffer, static_cast<size_t>(std::clamp<LRESULT>(got, 0, 255)));
}

// ------------------------------------------------------------- selection

std::pair<int, int> TRichEdit::GetSelection() const {
    CHARRANGE range{};
    send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return {range.cpMin, range.cpMax};
}

std::string TRichEdit::GetSel() const {
    const auto [from, to] = GetSelection();
    return textRange(std::min(from, to), std::max(from, to));
}

bool TRichEdit::IsSelection() const {
    const auto [from, to] = GetSelection();
    return from != to;
}

void TRichEdit::SetSel(int nStart, std::optional<int> nEnd) const {
    CHARRANGE range{nStart, nEnd.value_or(nStart)};
    send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    ScrollCaret();
}

void TRichEdit::GoToLine(int nLine) const { SetPos(LineIndex(nLine)); }

// ------------------------------------------------------- clipboard, undo

void TRichEdit::store() { VarPut(Value(textRange(0, Len()))); }

void TRichEdit::Cut() {
    if (!CanCut()) return;
    send(WM_CUT);
    store();
    Change();
}

void TRichEdit::Paste() {
    if (lReadOnly) return;
    send(WM_PASTE);
    store();
    Change();
}

namespace {

// The paste forms the dialog offers, in order, with their labels and
// descriptions as the system shows them.
struct PasteForm {
    UINT format;
    DWORD tymed;
    const char* name;
    const char* result;
};

}  // namespace

bool TRichEdit::PasteSpecial() {
    if (lReadOnly || !hWnd) return false;
    using PasteSpecialFn = UINT(WINAPI*)(LPOLEUIPASTESPECIALA);
    LoadedLibrary oledlg("oledlg.dll");
    auto dialog = oledlg.entry<PasteSpecialFn>("OleUIPasteSpecialA");
    if (!dialog) return false;
    const PasteForm forms[] = {
        {CF_TEXT, TYMED_HGLOBAL, "Texto sin formato", "texto sin ning\xfan tipo de formato"},
        {RegisterClipboardFormatA("Rich Text Format"), TYMED_HGLOBAL, "Formato de texto enriquecido (RTF)",
         "texto con formato de fuentes y p\xe1rrafos"},
        {CF_ENHMETAFILE, TYMED_ENHMF, "Imagen (Metarchivo mejorado)", "una imagen"},
        {CF_METAFILEPICT, TYMED_MFPICT, "Imagen (Metarchivo)", "una imagen"},
        {CF_DIB, TYMED_HGLOBAL, "Mapa de bits independiente de dispositivos",
         "un mapa de bits independiente de dispositivos"},
        {CF_BITMAP, TYMED_GDI, "Bitmap", "un bitmap"},
    };
    OLEUIPASTEENTRYA entries[std::size(forms)] = {};
    for (size_t i = 0; i < std::size(forms); ++i) {
        entries[i].fmtetc = {static_cast<CLIPFORMAT>(forms[i].format), nullptr, DVASPECT_CONTENT, -1, forms[i].tymed};
        entries[i].lpstrFormatName = forms[i].name;
        entries[i].lpstrResultText = forms[i].result;
        entries[i].dwFlags = OLEUIPASTE_PASTEONLY;
    }
    // The dialog reads the clipboard through OLE.
    const HRESULT ole = OleInitialize(nullptr);
    OLEUIPASTESPECIALA ps{};
    ps.cbStruct = sizeof ps;
    ps.hWndOwner = hWnd;
    ps.arrPasteEntries = entries;
    ps.cPasteEntries = static_cast<int>(std::size(entries));
    const UINT answer = dialog(&ps);
    if (ps.hMetaPict) GlobalFree(ps.hMetaPict);
    if (ps.lpSrcDataObj) ps.lpSrcDataObj->Release();
    if (SUCCEEDED(ole)) OleUninitialize();
    if (answer != OLEUI_OK || ps.nSelectedIndex < 0 || ps.nSelectedIndex >= ps.cPasteEntries) return false;
    const int before = Len();
    send(EM_PASTESPECIAL, forms[ps.nSelectedIndex].format, 0);
    store();
    Change();
    return Len() != before;
}

void TRichEdit::Del() {
    if (!CanDel()) return;
    send(WM_CLEAR);
    store();
    Change();
}

void TRichEdit::UnDo() {
    if (!CanUndo()) return;
    send(EM_UNDO);
    store();
    Change();
}

void TRichEdit::ReDo() {
    if (!CanRedo()) return;
    send(EM_REDO);
    store();
    Change();
}

// ------------------------------------------------------------ characters

void TRichEdit::SetAttribute(bool lBold, bool lItalic, bool lUnderline, bool lStrikeOut, bool lOn) const {
    CHARFORMAT2 cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = (lBold ? CFM_BOLD : 0) | (lItalic ? CFM_ITALIC : 0) | (lUnderline ? CFM_UNDERLINE : 0) |
                (lStrikeOut ? CFM_STRIKEOUT : 0);
    cf.dwEffects = lOn ? cf.dwMask : 0;
    send(EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, reinterpret_cast<LPARAM>(&cf));
}

void TRichEdit::SetFontName(const std::string& face) const {
    CHARFORMAT2 cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_FACE;
    lstrcpynA(cf.szFaceName, face.c_str(), LF_FACESIZE);
    send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

void TRichEdit::SetFontSize(int points) const {
    CHARFORMAT2 cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_SIZE;
    cf.yHeight = points * 20;
    send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

void TRichEdit::SetTextColor(Color color) const {
    CHARFORMAT2 cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_COLOR;
    cf.crTextColor = color;
    send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

CHARFORMAT2 TRichEdit::GetCharFormat() const {
    CHARFORMAT2 cf{};
    cf.cbSize = sizeof cf;
    send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    return cf;
}

bool TRichEdit::SetCharFormat() {
    if (!hWnd) return false;
    const CHARFORMAT2 cf = GetCharFormat();
    LOGFONTA lf{};
    lstrcpynA(lf.lfFaceName, cf.szFaceName, LF_FACESIZE);
    HDC dc = ::GetDC(hWnd);
    lf.lfHeight = -MulDiv(cf.yHeight, GetDeviceCaps(dc, LOGPIXELSY), 1440);
    ::ReleaseDC(hWnd, dc);
    lf.lfWeight = (cf.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (cf.dwEffects & CFE_ITALIC) != 0;
    lf.lfUnderline = (cf.dwEffects & CFE_UNDERLINE) != 0;
    lf.lfStrikeOut = (cf.dwEffects & CFE_STRIKEOUT) != 0;
    lf.lfCharSet = cf.bCharSet;
    COLORREF color = cf.crTextColor;
    const auto chosen = CHOOSEFONT(lf, &color);
    if (!chosen || !chosen->lfFaceName[0]) return false;
    CHARFORMAT2 out{};
    out.cbSize = sizeof out;
    out.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR | CFM_CHARSET;
    lstrcpynA(out.szFaceName, chosen->lfFaceName, LF_FACESIZE);
    dc = ::GetDC(hWnd);
    const int points = MulDiv(std::abs(chosen->lfHeight), 72, GetDeviceCaps(dc, LOGPIXELSY));
    ::ReleaseDC(hWnd, dc);
    out.yHeight = points * 20;
    out.dwEffects = (chosen->lfWeight == FW_BOLD ? CFE_BOLD : 0) | (chosen->lfItalic ? CFE_ITALIC : 0) |
                    (chosen->lfUnderline ? CFE_UNDERLINE : 0) | (chosen->lfStrikeOut ? CFE_STRIKEOUT : 0);
    out.crTextColor = color;
    out.bCharSet = chosen->lfCharSet;
    send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&out));
    store();
    Change();
    return true;
}

// ------------------------------------------------------------ paragraphs

void TRichEdit::SetAlign(int nAlign) const {
    PARAFORMAT2 pf{};
    pf.cbSize = sizeof pf;
    pf.dwMask = PFM_ALIGNMENT;
    pf.wAlignment = static_cast<WORD>(nAlign);
    send(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
}

int TRichEdit::GetAlign() const {
    PARAFORMAT2 pf{};
    pf.cbSize = sizeof pf;
    send(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    return pf.wAlignment;
}

namespace {
constexpr double kTwipsPerCm = 1440 / 2.54;
LONG twips(double cm) { return static_cast<LONG>(std::lround(cm * kTwipsPerCm)); }
double cm(LONG twips) { return std::round(twips / kTwipsPerCm * 100) / 100; }
}  // namespace

void TRichEdit::SetIndent(double nFirst, double nRight, double nOffset) const {
    PARAFORMAT2 pf{};
    pf.cbSize = sizeof pf;
    pf.dwMask = PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET;
    pf.dxStartIndent = twips(nFirst);
    pf.dxRightIndent = twips(nRight);
    pf.dxOffset = twips(nOffset);
    send(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
}

std::tuple<double, double, double> TRichEdit::GetIndent() const {
    PARAFORMAT2 pf{};
    pf.cbSize = sizeof pf;
    send(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    return {cm(pf.dxStartIndent), cm(pf.dxRightIndent), cm(pf.dxOffset)};
}

void TRichEdit::SetParagraph(double nBefore, double nAfter) const {
    PARAFORMAT2 pf{};
    pf.cbSize = sizeof pf;
    pf.dwMask = PFM_SPACEBEFORE | PFM_SPACEAFTER;
    pf.dySpaceBefore = twips(nBefore);
    pf.dySpaceAfter = twips(nAfter);
    send(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
}

std::pair<double, double> TRichEdit::GetParagraph() const {
    PARAFORMAT2 pf{};
    pf.cbSize = sizeof pf;
    send(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    return {cm(pf.dySpaceBefore), cm(pf.dySpaceAfter)};
}

void TRichEdit::SetBullet(bool on) const {
    PARAFORMAT2 pf{};
    pf.cbSize = sizeof pf;
    pf.dwMask = PFM_NUMBERING;
    pf.wNumbering = on ? PFN_BULLET : 0;
    send(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
}

bool TRichEdit::GetBullet() const {
    PARAFORMAT2 pf{};
    pf.cbSize = sizeof pf;
    send(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    return pf.wNumbering == PFN_BULLET;
}

void TRichEdit::SetNumbering(bool on) const {
    if (!lRE30) return;
    PARAFORMAT2 pf{};
    pf.cbSize = sizeof pf;
    pf.dwMask = PFM_NUMBERING | PFM_NUMBERINGSTART | PFM_NUMBERINGSTYLE;
    pf.wNumbering = on ? 2 : 0;  // arabic numbers
    pf.wNumberingStart = 1;
    send(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
}

bool TRichEdit::GetNumbering() const {
    if (!lRE30) return false;
    PARAFORMAT2 pf{};
    pf.cbSize = sizeof pf;
    send(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    return pf.wNumbering == 2;
}

void TRichEdit::PageBreak() { InsertRTF("{\\rtf\\page \\par}"); }

// ------------------------------------------------------------------- RTF

void TRichEdit::streamIn(const std::string& text, UINT format) const {
    StreamSource source{&text};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, readPiece};
    send(EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
}

std::string TRichEdit::streamOut(UINT format) const {
    std::string out;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&out), 0, writePiece};
    send(EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&stream));
    return out;
}

void TRichEdit::LoadRTF(const std::string& rtf) {
    streamIn(rtf, SF_RTF);
    SetClear();
    Change();
}

void TRichEdit::InsertRTF(const std::string& text) {
    streamIn(text, (IsRTF(text) ? SF_RTF : SF_TEXT) | SFF_SELECTION);
    ScrollCaret();
}

std::string TRichEdit::SaveAsRTF() const { return streamOut(SF_RTF); }

bool TRichEdit::LoadFromRTFFile(const std::string& file) {
    FileBytes bytes = readWholeFile(file);
    if (!bytes.ok()) return false;
    cFileName = file;
    LoadRTF(std::string(bytes.view()));
    return true;
}

bool TRichEdit::SaveToRTFFile(const std::string& file) const {
    const int error = writeFileAtomically(file, SaveAsRTF());
    if (error != 0) showFileError("FC-Fwrite", error, file);
    return error == 0;
}

bool TRichEdit::SaveToFile(std::optional<std::string> file) const {
    const std::string name = file.value_or(cFileName);
    if (name.empty()) {
        MSGALERT(Value("No filename provided to save the richedit text"));
        return false;
    }
    if (GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES &&
        !MSGYESNO(Value(name + " already exists\r\nDo you want to overwrite it ?"))) {
        return false;
    }
    const int error = writeFileAtomically(name, textRange(0, Len()));
    if (error != 0) showFileError("FC-Fwrite", error, name);
    return error == 0;
}

// ---------------------------------------------------------------- search

bool TRichEdit::Find(const std::string& text, bool lDown, bool lCase, bool lWord) {
    const auto [from, to] = GetSelection();
    FINDTEXTEXA find{};
    find.chrg.cpMin = lDown ? std::max(from, to) : std::min(from, to);
    find.chrg.cpMax = lDown ? -1 : 0;
    find.lpstrText = text.c_str();
    const WPARAM flags = (lDown ? FR_DOWN : 0) | (lCase ? FR_MATCHCASE : 0) | (lWord ? FR_WHOLEWORD : 0);
    if (send(EM_FINDTEXTEX, flags, reinterpret_cast<LPARAM>(&find)) < 0) return false;
    SetSel(find.chrgText.cpMax, find.chrgText.cpMin);
    Change();
    return true;
}

int TRichEdit::Search(const std::string& text) {
    const bool found = Find(text);
    const int line = found ? GetLineFromChar(GetPos()) + 1 : 0;
    MSGINFO(Value("something found"));
    MSGINFO(Value(static_cast<double>(line)));
    return line;
}

// ------------------------------------------------------------------ view

void TRichEdit::SetZoom(int nNum, int nDen) const {
    if (!lRE30 || nNum < 1 || nNum > 63 || nDen < 1 || nDen > 63) return;
    send(EM_SETZOOM, nNum, nDen);
}

std::pair<int, int> TRichEdit::GetZoom() const {
    int num = 0, den = 0;
    if (lRE30) send(EM_GETZOOM, reinterpret_cast<WPARAM>(&num), reinterpret_cast<LPARAM>(&den));
    return {num, den};
}

void TRichEdit::SetAutoUrlDetect(bool on) {
    lURL = on;
    send(EM_AUTOURLDETECT, on);
}

void TRichEdit::SetReadOnly(bool on) {
    lReadOnly = on;
    send(EM_SETREADONLY, on);
}

void TRichEdit::Colorize(int nStart, int nEnd, Color color) const {
    CHARRANGE range{nStart, nEnd};
    send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMAT2 cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
    if (oFont) {
        cf.dwMask |= CFM_FACE | CFM_SIZE | CFM_CHARSET;
        lstrcpynA(cf.szFaceName, oFont->cFaceName.c_str(), LF_FACESIZE);
        cf.yHeight = Size2Font(oFont->nHeight()) * 20;
        cf.bCharSet = static_cast<BYTE>(oFont->nCharSet);
        cf.dwEffects = (oFont->lBold ? CFE_BOLD : 0) | (oFont->lItalic ? CFE_ITALIC : 0) |
                       (oFont->lUnderline ? CFE_UNDERLINE : 0) | (oFont->lStrikeOut ? CFE_STRIKEOUT : 0);
    }
    cf.crTextColor = color;
    send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    HideSel(true);
}

void TRichEdit::HighLightLine(std::optional<int> nLine) const {
    if (!hWnd) return;
    const auto selection = GetSelection();
    const int line = nLine.value_or(GetRow() - 1);
    const int start = LineIndex(line);
    if (start < 0) return;
    const int length = static_cast<int>(send(EM_LINELENGTH, start));
    std::string text = textRange(start, start + length);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    send(WM_SETREDRAW, FALSE);
    for (const ColorRange& r : highlightLine(text, oScheme)) Colorize(start + r.start, start + r.end, r.color);
    send(WM_SETREDRAW, TRUE);
    InvalidateRect(hWnd, nullptr, TRUE);
    CHARRANGE back{selection.first, selection.second};
    send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&back));
    HideSel(false);
}

void TRichEdit::HighLightAllText() const {
    if (!hWnd) return;
    LockWindowUpdate(hWnd);
    const int lines = GetLineCount();
    for (int line = 0; line < lines; ++line) HighLightLine(line);
    LockWindowUpdate(nullptr);
}

// ---------------------------------------------------------------- events

Answer TRichEdit::Change() {
    if (bChange) bChange(*this);
    return std::nullopt;
}

Answer TRichEdit::KeyDown(WPARAM key, LPARAM flags) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if ((shift && key == VK_INSERT) || (ctrl && key == 'V')) {
        Paste();
        return 0;
    }
    if (lReadOnly && (key == VK_BACK || key == VK_DELETE || key == VK_RETURN)) return 0;
    if (lHighlight && (key == VK_BACK || key == VK_DELETE)) PostMessageA(hWnd, LM_HIGHLIGHTLINE, 0, 0);
    return TControl::KeyDown(key, flags);
}

Answer TRichEdit::KeyChar(WPARAM key, LPARAM flags) {
    if (lReadOnly && GetKeyState(VK_ESCAPE) >= 0) return 0;
    // The character is in the text only after this handler: the line is
    // coloured when the posted message comes back.
    if (lHighlight) PostMessageA(hWnd, LM_HIGHLIGHTLINE, 0, 0);
    return TControl::KeyChar(key, flags);
}

Answer TRichEdit::HandleEvent(UINT nMsg, WPARAM w, LPARAM l) {
    if (nMsg == LM_HIGHLIGHTLINE) {
        HighLightLine();
        return 0;
    }
    if (nMsg == LM_HIGHLIGHTALL) {
        HighLightAllText();
        return 0;
    }
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (nMsg == WM_KEYDOWN && lReadOnly && ctrl && (w == 'E' || w == 'L' || w == 'J' || w == 'R')) return 0;
    if ((nMsg == WM_MOUSEWHEEL || nMsg == WM_MBUTTONDOWN) && ctrl) return 0;  // no zoom
    return TControl::HandleEvent(nMsg, w, l);
}

Answer TRichEdit::onNotify(WPARAM id, const NMHDR& header) {
    if (header.code == EN_LINK) {
        const auto& link = reinterpret_cast<const ENLINK&>(header);
        if (link.msg == WM_LBUTTONDOWN) {
            send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&link.chrg));
            const std::string url = textRange(link.chrg.cpMin, link.chrg.cpMax);
            // Only web and mail addresses: a file link would start a program.
            if (linkOpensInShell(url)) (bOpenLink ? bOpenLink : openInShell)(url);
            return 1;
        }
        return 0;
    }
    return TControl::onNotify(id, header);
}

bool TRichEdit::PageSetup(std::optional<int> nLeft, std::optional<int> nTop, std::optional<int> nRight,
                          std::optional<int> nBottom) {
    return PAGESETUP(hWnd, nTop, nLeft, nRight, nBottom);
}

Answer TRichEdit::RButtonDown(int row, int col, WPARAM flags) {
    if (GetFocus() != hWnd) ::SetFocus(hWnd);
    if (bRClicked) {
        bRClicked(row, col, flags, *this);
        return 0;
    }
    auto flag = [](bool on) { return static_cast<UINT>(MF_STRING | (on ? MF_ENABLED : MF_GRAYED)); };
    const bool writable = !lReadOnly;
    HMENU align = CreatePopupMenu();
    AppendMenuA(align, MF_STRING, kRichEditAlignLeft, WLSTRING("&Left").c_str());
    AppendMenuA(align, MF_STRING, kRichEditAlignCenter, WLSTRING("&Center").c_str());
    AppendMenuA(align, MF_STRING, kRichEditAlignRight, WLSTRING("&Right").c_str());
    if (lRE30) AppendMenuA(align, MF_STRING, kRichEditAlignJustify, WLSTRING("&Justify").c_str());
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, flag(CanUndo()), kRichEditUndo, WLSTRING("&Undo").c_str());
    AppendMenuA(menu, flag(CanRedo()), kRichEditRedo, WLSTRING("&Redo").c_str());
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, flag(CanCut()), kRichEditCut, WLSTRING("Cu&t").c_str());
    AppendMenuA(menu, flag(CanCopy()), kRichEditCopy, WLSTRING("&Copy").c_str());
    AppendMenuA(menu, flag(CanPaste()), kRichEditPaste, WLSTRING("&Paste").c_str());
    AppendMenuA(menu, flag(CanDel()), kRichEditDelete, WLSTRING("&Delete").c_str());
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, flag(writable), kRichEditFont, WLSTRING("&Font").c_str());
    AppendMenuA(menu, MF_POPUP | (writable ? MF_ENABLED : MF_GRAYED), reinterpret_cast<UINT_PTR>(align),
                WLSTRING("A&lign").c_str());
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    // Printing waits for the page formatting (not built): shown, not offered.
    AppendMenuA(menu, MF_STRING | MF_GRAYED, kRichEditPrint, WLSTRING("P&rint").c_str());
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kRichEditSelectAll, WLSTRING("Select &All").c_str());
    SHOWPOPUPMENU(menu, hWnd, row, col);
    return 0;
}

Answer TRichEdit::Command(WPARAM w, LPARAM l) {
    if (l != 0) return TControl::Command(w, l);
    switch (LOWORD(w)) {
    case kRichEditUndo: UnDo(); return 0;
    case kRichEditRedo: ReDo(); return 0;
    case kRichEditCut: Cut(); return 0;
    case kRichEditCopy: Copy(); return 0;
    case kRichEditPaste: Paste(); return 0;
    case kRichEditDelete: Del(); return 0;
    case kRichEditFont:
        if (!lReadOnly) SetCharFormat();
        return 0;
    case kRichEditAlignLeft:
    case kRichEditAlignCenter:
    case kRichEditAlignRight:
    case kRichEditAlignJustify:
        if (lReadOnly) return 0;
        SetAlign(LOWORD(w) == kRichEditAlignLeft ? 1 : LOWORD(w) == kRichEditAlignCenter ? 3
                 : LOWORD(w) == kRichEditAlignRight ? 2 : 4);
        return 0;
    case kRichEditSelectAll: SelectAll(); return 0;
    default: return TControl::Command(w, l);
    }
}

Answer TRichEdit::GetDlgCode(WPARAM key) {
    TControl::GetDlgCode(key);
    return DLGC_WANTALLKEYS;
}

}  // namespace wl
