#include "scintilla.hpp"

#include <algorithm>
#include <cstdlib>

#include "file_bytes.hpp"
#include "file_io.hpp"
#include "dlg_find.hpp"
#include "go_to_dialog.hpp"
#include "mail.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "print_commands.hpp"
#include "system_dialogs.hpp"
#include "source_editor.hpp"

namespace wl {

namespace {

// Scintilla notifications and a message of the interface that takes a lexer
// object (Scintilla 5 sets lexers only this way).
constexpr UINT kSetILexer = 4033;
constexpr UINT kNotifyUpdateUI = 2007;
constexpr UINT kNotifyDoubleClick = 2006;
constexpr UINT kNotifyMarginClick = 2010;

struct ScintillaNotification {
    NMHDR nmhdr;
    intptr_t position;
    int ch;
    int modifiers;
    int modificationType;
    const char* text;
    intptr_t length;
    intptr_t linesAdded;
    int message;
    uintptr_t wParam;
    intptr_t lParam;
    intptr_t line;
    int foldLevelNow;
    int foldLevelPrev;
    int margin;
};

// The component and the lexer library, loaded once and kept for the
// process's life (the window class lives as long as the component).
struct Component {
    HMODULE scintilla = nullptr;
    HMODULE lexilla = nullptr;
    using CreateLexerFn = void*(__stdcall*)(const char*);
    using LexerNameFromIdFn = const char*(__stdcall*)(int);
    CreateLexerFn createLexer = nullptr;
    LexerNameFromIdFn lexerNameFromId = nullptr;
    bool tried = false;
};

Component& component() {
    static Component c;  // process-wide: the DLLs are loaded once
    return c;
}

// The library's own language: lexer 73 of Lexilla's numbering.
constexpr int kSourceLexer = 73;
constexpr const char* kKeywords0 =
    "activate at bar bitmap box browse button checkbox class classdata clipboard color combobox constructor "
    "create cursor data default define dialog do else end endclass endif error filename folder font for "
    "from function get global group hide icon image inherit init listbox local menu menuitem message meter "
    "method msgbar multiline name next object of on paint pixel popup print printer prompt radio readonly "
    "redefine region resource return say scroll scrollbar separator setget show size static style "
    "submenu super tabs text timer title to tooltip tree update valid var view virtual when while window "
    "with xbrowse";
constexpr const char* kKeywords1 =
    "local public static private if else endif do while endwhile end do case otherwise endcase for next super ";

}  // namespace

std::vector<std::string> TScintilla::aMrus;
std::string TScintilla::cLineBuffer;

bool TScintilla::Load() {
    Component& c = component();
    if (!c.tried) {
        c.tried = true;
        c.scintilla = LoadLibraryA("SciLexer.DLL");
        c.lexilla = LoadLibraryA("Lexilla.dll");
        if (c.lexilla) {
            c.createLexer = reinterpret_cast<Component::CreateLexerFn>(
                reinterpret_cast<void*>(GetProcAddress(c.lexilla, "CreateLexer")));
            c.lexerNameFromId = reinterpret_cast<Component::LexerNameFromIdFn>(
                reinterpret_cast<void*>(GetProcAddress(c.lexilla, "LexerNameFromID")));
        }
    }
    return c.scintilla != nullptr;
}

bool TScintilla::Loaded() { return component().scintilla != nullptr; }

TScintilla::TScintilla() = default;
TScintilla::~TScintilla() = default;

TScintilla& TScintilla::ReDefine(int id, TWindow* parent) {
    Load();
    nClrPane = 10526880;
    redefine(id, parent);
    return *this;
}

void TScintilla::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    Default();
}

TScintilla& TScintilla::New(int nTop, int nLeft, int nWidth, int nHeight, TWindow* owner) {
    Load();
    oWnd = owner;
    this->nTop = nTop;
    this->nLeft = nLeft;
    nBottom = nTop + nHeight - 1;
    nRight = nLeft + nWidth - 1;
    nStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | (Loaded() ? WS_VSCROLL | WS_HSCROLL : 0);
    nClrPane = 10526880;
    if (!Loaded()) cCaption = kNotLoaded;
    createOrDefer();
    return *this;
}

void TScintilla::Default() {
    TControl::Default();
    if (!Loaded() || !hWnd) return;
    SetColor(nClrText, nClrPane);
}

LRESULT TScintilla::Send(UINT nMsg, WPARAM wParam, LPARAM lParam) const {
    if (!hWnd || !Loaded()) return 0;
    return SendMessageA(hWnd, nMsg, wParam, lParam);
}

bool TScintilla::Command(std::string_view name) const {
    std::optional<int> message = scintillaCommand(name);
    if (!message) return false;
    Send(static_cast<UINT>(*message));
    return true;
}

void TScintilla::SetText(const std::string& text) const { Send(2181, 0, reinterpret_cast<LPARAM>(text.c_str())); }

std::string TScintilla::GetText() const { return textRange(0, static_cast<int>(Send(2183))); }

void TScintilla::AddText(const std::string& text) const {
    Send(2001, text.size(), reinterpret_cast<LPARAM>(text.data()));
}

void TScintilla::InsertText(int pos, const std::string& text) const {
    Send(2003, pos, reinterpret_cast<LPARAM>(text.c_str()));
}

void TScintilla::ReplaceSel(const std::string& text) const {
    Send(2170, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string TScintilla::textRange(int from, int to) const {
    if (to <= from) return {};
    std::string text(static_cast<size_t>(to - from) + 1, '\0');
    struct {
        intptr_t cpMin, cpMax;
        char* text;
    } range{from, to, text.data()};
    Send(2039, 0, reinterpret_cast<LPARAM>(&range));  // SCI_GETTEXTRANGEFULL
    text.resize(static_cast<size_t>(to - from));
    return text;
}

std::string TScintilla::GetLine(int n) const {
    const int line = n - 1;
    if (line < 0 || line >= GetLineCount()) return {};
    return textRange(PositionFromLine(line), PositionFromLine(line) + LineLength(line));
}

std::string TScintilla::GetTextRange(int nFirstLine, int nFirstCol, int nLastLine, int nLastCol) const {
    const int lines = GetLineCount();
    const int last = nLastLine < 1 ? lines : std::min(nLastLine, lines);
    const int from = PositionFromLine(std::max(nFirstLine, 1) - 1) + std::max(nFirstCol, 1) - 1;
    const int lastStart = PositionFromLine(last - 1);
    const int to = nLastCol < 1 ? lastStart + LineLength(last - 1) : lastStart + nLastCol;
    return textRange(from, std::min(to, static_cast<int>(Send(2183))));
}

std::string TScintilla::GetSelText() const {
    return textRange(static_cast<int>(Send(2143)), static_cast<int>(Send(2145)));
}

void TScintilla::GotoLineEnsureVisible(int nLine) const {
    Send(2232, nLine);  // SCI_ENSUREVISIBLE
    Send(2024, nLine);
}

std::string TScintilla::GetCurLine() const { return GetLine(nLine()); }

void TScintilla::SetViewSpace(std::optional<bool> on) const {
    Send(2021, on.value_or(Send(2020) == 0) ? 1 : 0);
}

void TScintilla::SetIndent(std::optional<bool> on) const {
    Send(2132, on.value_or(Send(2133) == 0) ? 3 : 0);
}

void TScintilla::SetEOL(std::optional<bool> on) const {
    Send(2356, on.value_or(Send(2355) == 0) ? 1 : 0);
}

void TScintilla::SetToggle() const {
    const int line = GetCurrentLineNumber();
    if (Send(2046, line) & (1 << 1)) {
        Send(2044, line, 1);
    } else {
        Send(2043, line, 1);
    }
}

void TScintilla::BookmarkNext(bool lForward) const {
    const int current = GetCurrentLineNumber();
    const int mask = 1 << 1;
    int line = static_cast<int>(lForward ? Send(2047, current + 1, mask) : Send(2048, current - 1, mask));
    if (line < 0) line = static_cast<int>(lForward ? Send(2047, 0, mask) : Send(2048, GetLineCount(), mask));
    if (line < 0 || line == current) {
        MSGINFO(Value("No bookmarks..."));
        return;
    }
    Send(2234, line);  // unfolded into view
    Send(2024, line);
}

void TScintilla::SetColor(Color text, Color pane) {
    nClrText = text;
    nClrPane = pane;
    Send(2051, 32, text);
    Send(2052, 32, pane);
}

void TScintilla::StyleSetFont(const std::string& face) const {
    Send(2056, nSetStyle, reinterpret_cast<LPARAM>(face.c_str()));
}

void TScintilla::StyleSetColor(Color fore, Color back) const {
    Send(2051, nSetStyle, fore);
    Send(2052, nSetStyle, back);
}

void TScintilla::SetAStyle(int style, Color fore, Color back, int size, const std::string& face) const {
    Send(2051, style, fore);
    Send(2052, style, back);
    if (size >= 1) Send(2055, style, size);
    if (!face.empty()) Send(2056, style, reinterpret_cast<LPARAM>(face.c_str()));
}

void TScintilla::SetFixedFont() const {
    const int style = GetCurrentStyle();
    Send(2056, style, reinterpret_cast<LPARAM>("Courier New"));
    Send(2055, style, 12);
    Send(2053, style, 0);
    Send(2054, style, 0);
    Send(2059, style, 0);
}

void TScintilla::Setup() {
    const Component& c = component();
    if (c.createLexer && c.lexerNameFromId) {
        if (const char* name = c.lexerNameFromId(kSourceLexer)) {
            Send(kSetILexer, 0, reinterpret_cast<LPARAM>(c.createLexer(name)));
        }
    }
    Send(4005, 0, reinterpret_cast<LPARAM>(kKeywords0));
    Send(4005, 1, reinterpret_cast<LPARAM>(kKeywords1));
    SetAStyle(32, 0, nClrPane, 12, "Courier New");
    Send(2096, 1);            // caret line shown
    Send(2098, 11776768);     // with this background
    Send(2050);               // every style as the default
    const std::pair<int, Color> colours[] = {{2, 32768},  {14, 16776960}, {12, 65535}, {13, 8388736},
                                             {11, 255},   {7, 65280},     {8, 8388608}};
    for (const auto& [style, fore] : colours) {
        Send(2051, style, fore);
        Send(2052, style, nClrPane);
    }
    Send(2067, 1, 0xFFFFFF);  // selection white
    Send(2068, 1, 8388608);   // on navy
    Send(2242, 0, 35);        // line numbers
}

std::string TScintilla::findTarget() const {
    std::string selected = GetSelText();
    return selected.empty() ? cLastFind : selected;
}

bool TScintilla::FindText(const std::string& text, bool lForward) {
    cLastFind = text;
    if (text.empty()) return false;
    const int length = static_cast<int>(Send(2183));
    struct {
        intptr_t cpMin, cpMax;
        const char* text;
        intptr_t foundMin, foundMax;
    } find{};
    find.text = text.c_str();
    if (lForward) {
        find.cpMin = GetCurrentPos() + 1;
        find.cpMax = length;
    } else {
        find.cpMin = GetSelectionStart() - 1;
        find.cpMax = 0;
    }
    if (find.cpMin < 0 || find.cpMin > length) return false;
    const LRESULT found = Send(2196, 0, reinterpret_cast<LPARAM>(&find));  // SCI_FINDTEXTFULL
    if (found < 0) return false;
    ::SetFocus(hWnd);
    Send(2025, find.foundMin);
    SetSel(static_cast<int>(find.foundMin), static_cast<int>(find.foundMax));
    return true;
}

bool TScintilla::OpenFile(const std::string& file) {
    FileBytes bytes = readWholeFile(file);
    if (!bytes.ok()) return false;
    SetText(std::string(bytes.view()));
    SetSavePoint();
    cFileName = file;
    if (std::find(aMrus.begin(), aMrus.end(), file) == aMrus.end()) aMrus.push_back(file);
    return true;
}

void TScintilla::Print(PrinterOptions options) const {
    options.cDocument = "Text File Printout";
    auto job = std::make_unique<TPrinter>(options);
    TPrinter& printer = *job;
    if (!printer.hDC) {
        MSGSTOP(Value("Printer not ready!"));
        return;
    }
    FontSpec spec;
    spec.cFaceName = "Courier New";
    spec.nHeight = -12;
    spec.oDevice = printer.hDC;
    std::shared_ptr<TFont> font = TFont::New(spec);
    const int left = printer.nLogPixelX() * 15 / 100;
    const int top = printer.nLogPixelY() / 4;
    const int bottom = printer.nVertRes() - printer.nLogPixelY() / 4;
    const int rowHeight = std::max(printer.GetTextHeight("X", font), 1);
    int row = top;
    printer.StartPage();
    for (const std::string& line : sourceListing(GetText())) {
        if (row + rowHeight > bottom) {
            printer.EndPage();
            printer.StartPage();
            row = top;
        }
        printer.Say(row, left, line, font);
        row += rowHeight;
    }
    printer.EndPage();
    font->End();
    // A PDF or preview job is finished as every job is, not dropped.
    EndPrintJob(std::move(job));
}

void TScintilla::SendAsEmail(bool lAttach) const {
    TMail mail;
    mail.cSubject = "Envio de fichero";
    if (lAttach) {
        const size_t slash = cFileName.find_last_of("\\/");
        mail.aFiles.push_back({cFileName, slash == std::string::npos ? cFileName : cFileName.substr(slash + 1)});
    } else {
        mail.cNoteText = GetText();
    }
    mail.Activate();
}

bool TScintilla::Save() {
    if (cFileName.empty()) {
        FileDialogRequest request;
        request.title = "Save as";
        request.save = true;
        const std::string chosen = CGETFILE(request);
        if (chosen.empty()) return false;
        cFileName = chosen;
    }
    const int error = writeFileAtomically(cFileName, GetText());
    if (error != 0) {
        showFileError("FC-Fwrite", error, cFileName);
        return false;
    }
    SetSavePoint();
    if (oWnd) oWnd->SetText(cFileName);
    return true;
}

bool TScintilla::Open(const std::function<void(const std::string&)>& saveTo) {
    FileDialogRequest request;
    request.filter = "Program file (*.prg) |*.prg|Header file (*.ch) |*.ch|Resource file (*.rc) |*.rc|"
                     "Open any file (*.*) |*.*|";
    request.title = "Select a file to open";
    const std::string file = CGETFILE(request);
    if (file.empty() || !fileExists(file)) return false;
    OpenFile(file);
    if (oWnd) oWnd->SetText(file);
    if (saveTo) saveTo(file);
    return true;
}

TDlgFind* TScintilla::DlgFindText() {
    std::string text = GetSelText();
    if (text.empty()) text = cLastFind;
    text = text.substr(0, text.find_first_of("\r\n"));
    oFind_ = wl::DlgFindText(text, this, [this](const std::string& what, bool down, TDlgFind&) {
        if (!FindText(what, down)) MessageBeep(MB_OK);
    });
    return oFind_.get();
}

void TScintilla::DlgGoToLine() {
    if (const auto line = GoToLineDialog(this, nLine())) GotoLine(*line);
    SetFocus();
}

void TScintilla::OptionSetFont() const {
    const auto chosen = CHOOSEFONT();
    if (!chosen || std::abs(chosen->lfHeight) < 5) {
        MSGSTOP(Value("Cancelled"));
        return;
    }
    HDC dc = ::GetDC(hWnd);
    const int points = MulDiv(std::abs(chosen->lfHeight), 72, GetDeviceCaps(dc, LOGPIXELSY));
    ::ReleaseDC(hWnd, dc);
    StyleSetFont(chosen->lfFaceName);
    StyleSetSize(points);
    StyleSetBold(chosen->lfWeight >= FW_BOLD);
    StyleSetItalic(chosen->lfItalic != 0);
    StyleSetUnderline(chosen->lfUnderline != 0);
}

bool TScintilla::Close() {
    if (GetModify() && MSGYESNO(Value("Save the changes ?"), Value("File has changed")) && !Save()) return false;
    ClearAll();
    cFileName.clear();
    SetSavePoint();
    return true;
}

Answer TScintilla::KeyDown(WPARAM key, LPARAM flags) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (key == VK_F2) {
        const std::string block = "//" + std::string(76, '-') + "//\r\n\r\n";
        const int pos = GetCurrentPos();
        InsertText(pos, block);
        GotoPos(pos + static_cast<int>(block.size()));
        return 0;
    }
    if (key >= VK_F1 && key <= VK_F12) {
        for (auto& [code, action] : aKey) {
            if (code == static_cast<int>(key) && action) {
                action(*this);
                return 0;
            }
        }
    }
    if (ctrl && key == VK_UP) {
        cLineBuffer = GetLine(nLine());
        return 0;
    }
    if (ctrl && key == VK_DOWN) {
        const int pos = GetCurrentPos();
        InsertText(PositionFromLine(GetCurrentLineNumber()), cLineBuffer);
        GotoPos(pos);
        return 0;
    }
    return TControl::KeyDown(key, flags);
}

Answer TScintilla::KeyChar(WPARAM key, LPARAM flags) {
    if (key == 6) {  // Ctrl+F
        DlgFindText();
        return 0;
    }
    return TControl::KeyChar(key, flags);
}

Answer TScintilla::onNotify(WPARAM id, const NMHDR& header) {
    const auto& n = reinterpret_cast<const ScintillaNotification&>(header);
    switch (header.code) {
    case kNotifyUpdateUI:
        if (oRowItem) oRowItem->SetText("Row: " + std::to_string(nLine()));
        if (oColItem) oColItem->SetText("Col: " + std::to_string(nCol()));
        if (bChange) bChange(*this);
        break;
    case kNotifyMarginClick: MarkerAdd(LineFromPosition(static_cast<int>(n.position)), 1); break;
    case kNotifyDoubleClick: SetToggle(); break;
    default: return TControl::onNotify(id, header);
    }
    return std::nullopt;
}

}  // namespace wl
