// TWindow: printing, the form designer, saving and loading forms, code generation.
#include "window.hpp"

#include <commdlg.h>
#include <dde.h>
#include <shellapi.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>

#include "library_error.hpp"
#include "dde.hpp"
#include "dde_text.hpp"
#include "menu.hpp"
#include "timer.hpp"
#include "menus.hpp"
#include "messages.hpp"
#include "message_loop.hpp"
#include "meter.hpp"
#include "slot_registry.hpp"
#include "system_dialogs.hpp"
// Two folders hold a system_facts.hpp; this one has GETSYSFONT.
#include "bitmaps.hpp"
#include "button.hpp"
#include "control.hpp"
#include "dbf_table.hpp"
#include "desktop_facts.hpp"
#include "dialog.hpp"
#include "file_io.hpp"
#include "help_calls.hpp"
#include "help_keys.hpp"
#include "input_and_timers.hpp"
#include "text.hpp"
#include "window_bridge.hpp"
#include "window_units.hpp"
#include "dropped_files.hpp"
#include "window_natives.hpp"
#include "window_coordinates.hpp"
#include "window_messages.hpp"
#include "window_print.hpp"
#include "window_state.hpp"
#include "window_text.hpp"
#include "words.hpp"
#include "window_module.hpp"

namespace wl {
using namespace window_detail;

// ------------------------------------------------ printing, help, designer

bool TWindow::Print(int row, int col, int scale) {
    if (bPrint) {
        bPrint(*this);
        return true;
    }
    HDC printer = openPrinterDC(false, hWnd);
    if (!printer) return false;
    const bool ok = printWindowPage(printer, hWnd, GetText(), row, col, scale);
    DeleteDC(printer);
    return ok;
}

bool TWindow::HardCopy(int scale, bool lUser) {
    HDC printer = openPrinterDC(lUser, hWnd);
    if (!printer) return false;
    Refresh();
    const bool ok = printWindowPage(printer, hWnd, GetText(), 0, 0, scale);
    DeleteDC(printer);
    return ok;
}

bool TWindow::GenDbf(const std::string& file) {
    const std::string name = file.empty() ? GetText().substr(0, 8) + ".dbf" : file;
    if (targetKind(name) != TargetKind::Missing &&
        !MSGYESNO(Value("This file already exists"), Value("Do you want to overwrite it ?")))
        return false;
    static const std::vector<DbfField> fields = {
        {"CONTROL", 'C', 15}, {"CAPTION", 'C', 40},  {"ID", 'N', 4},        {"TOP", 'N', 4},
        {"LEFT", 'N', 4},     {"WIDTH", 'N', 4},     {"HEIGHT", 'N', 4},    {"STYLE", 'N', 15},
        {"CLRFORE", 'N', 8},  {"CLRBACK", 'N', 8},   {"FNTNAME", 'C', 15},  {"FNTWIDTH", 'N', 4},
        {"FNTHEIGHT", 'N', 4}, {"FNTBOLD", 'L', 1},  {"FNTITALIC", 'L', 1},
    };
    return createDbfTable(name, fields) == 0;
}

std::string TWindow::EditTitle(const std::string& title) {
    std::string text = title.empty() ? GetText() : title;
    TDialog d;
    DialogNew n;
    n.cCaption = "window Title";
    n.lPixel = true;
    n.nBottom = 95;
    n.nRight = 300;
    n.oWnd = this;
    d.New(n);
    constexpr int kEditId = 100;
    auto button = [&](const std::string& caption, int col, bool isDefault, std::function<void(TWindow&)> action) {
        auto b = std::make_unique<TButton>();
        ButtonNew a;
        a.oWnd = &d;
        a.lPixel = true;
        a.nRow = 45;
        a.nCol = col;
        a.nWidth = 80;
        a.nHeight = 24;
        a.cCaption = caption;
        a.lDefault = isDefault;
        a.bAction = std::move(action);
        b->New(a);
        return b;
    };
    auto ok = button("&Ok", 60, true, [&](TWindow&) {
        text = GETWINDOWTEXT(GETDLGITEM(d.hWnd, kEditId));
        d.End(1);
    });
    auto cancel = button("&Cancel", 160, false, [&](TWindow&) { d.End(2); });
    DialogActivate a;
    a.lCentered = true;
    a.bInit = [&](TWindow& w) {
        // The field keeps at most 100 characters.
        HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", text.substr(0, 100).c_str(),
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 10, 10, 275, 22, w.hWnd,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), GETINSTANCE(), nullptr);
        SENDMESSAGE(edit, EM_LIMITTEXT, 100, 0);
        SENDMESSAGE(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
        SETFOCUS(edit);
    };
    d.Activate(a);
    return alltrim(text);
}

bool TWindow::FastEdit(int row, int col) {
    constexpr UINT kSource = 1;
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, kSource, "Source code...");
    POINT p{col, row};
    ClientToScreen(hWnd, &p);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, p.x, p.y, 0, hWnd, nullptr));
    DestroyMenu(menu);
    if (chosen != kSource) return false;
    MSGINFO(Value(cGenPrg()));
    return true;
}

void TWindow::Update() {
    for (TWindow* c : aControls) {
        if (!c) continue;
        if (c->isContainer()) {
            c->Update();
        } else if (auto* ctl = dynamic_cast<TControl*>(c); ctl && ctl->lUpdate) {
            ctl->Refresh();
        }
    }
}

std::string TWindow::GenLocals() const {
    std::string s;
    for (const TWindow* c : aControls)
        if (c) s += c->GenLocals();
    return s;
}

// ----------------------------------------------- persistence and generation

namespace {
const char* const kProperties[] = {"cTitle", "cVarName", "nClrText", "nClrPane", "nTop", "nLeft",
                                   "nWidth", "nHeight", "Cargo",    "oMenu",    "oFont"};
const char* const kEvents[] = {"OnClick(nRow, nCol, nKeyFlags)", "OnMouseMove(nRow, nCol, nKeyFlags)",
                               "OnKeyDown(nKey, nFlags)", "OnMove()", "OnPaint()", "OnResize()"};
}  // namespace

std::string TWindow::Property(std::size_t n) { return n >= 1 && n <= PropCount() ? kProperties[n - 1] : ""; }
std::size_t TWindow::PropCount() { return std::size(kProperties); }
std::string TWindow::Event(std::size_t n) { return n >= 1 && n <= EveCount() ? kEvents[n - 1] : ""; }
std::size_t TWindow::EveCount() { return std::size(kEvents); }

std::string TWindow::Save() const {
    TWindow fresh;
    SavedObject o;
    o.className = ClassName();
    auto put = [&](const char* name, Value v) { o.properties.emplace_back(name, std::move(v)); };
    const std::string title = GetText();
    if (!title.empty()) put("cTitle", Value(title));
    if (!cVarName.empty()) put("cVarName", Value(cVarName));
    if (nClrText != fresh.nClrText) put("nClrText", Value(static_cast<std::int64_t>(nClrText)));
    if (nClrPane != fresh.nClrPane) put("nClrPane", Value(static_cast<std::int64_t>(nClrPane)));
    if (nTop) put("nTop", Value(nTop));
    if (nLeft) put("nLeft", Value(nLeft));
    put("nWidth", Value(nWidth()));
    put("nHeight", Value(nHeight()));
    if (!Cargo.isNil() && !Cargo.isClosure()) put("Cargo", Cargo);
    if (oFont) {
        SavedObject f;
        f.className = "TFONT";
        f.properties = {{"cFaceName", Value(oFont->cFaceName)}, {"lBold", Value(oFont->lBold)},
                        {"lItalic", Value(oFont->lItalic)},     {"lUnderline", Value(oFont->lUnderline)},
                        {"lStrikeOut", Value(oFont->lStrikeOut)}, {"nOrientation", Value(oFont->nOrientation)},
                        {"nWeight", Value(oFont->nWeight)},     {"nCharSet", Value(oFont->nCharSet)},
                        {"nHeight", Value(oFont->nInpHeight)},  {"nWidth", Value(oFont->nInpWidth)}};
        o.objects.push_back({"oFont", std::move(f)});
    }
    return saveObject(o);
}

bool TWindow::Load(const std::string& data) {
    auto o = OREAD(data);
    if (!o) return false;
    std::optional<int> width, height;
    for (const auto& [name, v] : o->properties) {
        if (name == "cTitle" && v.isText()) SetText(v.text());
        else if (name == "cVarName" && v.isText()) cVarName = v.text();
        else if (name == "nClrText") nClrText = static_cast<Color>(v.number());
        else if (name == "nClrPane") nClrPane = static_cast<Color>(v.number());
        else if (name == "nTop") nTop = static_cast<int>(v.number());
        else if (name == "nLeft") nLeft = static_cast<int>(v.number());
        else if (name == "nWidth") width = static_cast<int>(v.number());
        else if (name == "nHeight") height = static_cast<int>(v.number());
        else if (name == "Cargo") Cargo = v;
    }
    for (const auto& [name, f] : o->objects) {
        if (name != "oFont") continue;
        FontSpec spec;
        for (const auto& [fname, v] : f.properties) {
            if (fname == "cFaceName" && v.isText()) spec.cFaceName = v.text();
            else if (fname == "lBold") spec.lBold = v.logical();
            else if (fname == "lItalic") spec.lItalic = v.logical();
            else if (fname == "lUnderline") spec.lUnderline = v.logical();
            else if (fname == "lStrikeOut") spec.lStrikeOut = v.logical();
            else if (fname == "nOrientation") spec.nOrientation = static_cast<int>(v.number());
            else if (fname == "nWeight") spec.nWeight = static_cast<int>(v.number());
            else if (fname == "nCharSet") spec.nCharSet = static_cast<int>(v.number());
            else if (fname == "nHeight") spec.nHeight = static_cast<int>(v.number());
            else if (fname == "nWidth") spec.nWidth = static_cast<int>(v.number());
        }
        auto font = TFont::New(spec);
        SetFont(font);
        font->End();  // SetFont counted the window's use
    }
    if (hWnd) {
        Move(nTop, nLeft, width.value_or(nWidth()), height.value_or(nHeight()));
    } else {
        if (width) nRight = nLeft + *width - 1;
        if (height) nBottom = nTop + *height - 1;
    }
    return true;
}

namespace {
std::string formFileName(const std::string& file, const std::string& varName) {
    if (!file.empty()) return file;
    return (varName.size() > 1 ? varName.substr(1) : varName) + ".ffm";
}
}  // namespace

bool TWindow::SaveFile(const std::string& file) const {
    const std::string name = formFileName(file, cVarName);
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out << Save();
    return static_cast<bool>(out);
}

bool TWindow::LoadFile(const std::string& file) {
    const std::string name = formFileName(file, cVarName);
    std::ifstream in(name, std::ios::binary);
    if (!in) {
        MSGALERT(Value("File not found: " + name));
        return false;
    }
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Load(data);
}

std::string TWindow::SaveToText(int indent) const {
    const std::string pad(static_cast<std::size_t>(indent), ' ');
    TWindow fresh;  // a new object of the class: only changed values are written
    std::string s = pad + "OBJECT " + cVarName + " AS " + ClassName() + "\r\n";
    auto line = [&](const std::string& name, const std::string& value) {
        s += pad + "   ::" + name + " = " + value + "\r\n";
    };
    const std::string title = GetText();
    if (!title.empty()) line("cTitle", "\"" + title + "\"");
    if (!cVarName.empty()) line("cVarName", "\"" + cVarName + "\"");
    if (nClrText != fresh.nClrText) line("nClrText", std::to_string(nClrText));
    if (nClrPane != fresh.nClrPane) line("nClrPane", std::to_string(nClrPane));
    if (nTop) line("nTop", std::to_string(nTop));
    if (nLeft) line("nLeft", std::to_string(nLeft));
    line("nWidth", std::to_string(nWidth()));
    line("nHeight", std::to_string(nHeight()));
    s += pad + "ENDOBJECT\r\n";
    return s;
}

std::string TWindow::SaveToRC(int indent) const {
    const std::string pad(static_cast<std::size_t>(indent), ' ');
    const std::string title = GetText();
    const std::string first = upper(title.substr(0, title.find(' ')));
    std::string s = pad + first + " DIALOG " + std::to_string(nTop) + ", " + std::to_string(nLeft) + ", " +
                    std::to_string(nWidth()) + ", " + std::to_string(nHeight()) + "\r\n";
    s += pad + "STYLE DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU\r\n";
    s += pad + "CAPTION \"" + title + "\"\r\n";
    s += pad + "FONT 8, \"" + (oFont ? oFont->cFaceName : std::string("MS Sans Serif")) + "\"\r\n";
    s += pad + "{\r\n";
    for (const TWindow* c : aControls)
        if (c) s += c->SaveToRC(indent + 3);
    s += pad + "}\r\n";
    return s;
}

std::string TWindow::cGenPrg(const std::string& file, bool dialog) const {
    (void)dialog;
    const std::string name = cVarName.empty() ? "oWnd" : cVarName;
    std::string s = "   DEFINE WINDOW " + name + " FROM " + std::to_string(nTop / 16) + ", " +
                    std::to_string(nLeft / 8) + " TO " + std::to_string(nBottom / 16) + ", " +
                    std::to_string(nRight / 8) + " TITLE \"" + GetText() + "\"\r\n";
    if (oBrush) s += oBrush->cGenPRG("oBrush") + "\r\n";
    s += "\r\n   ACTIVATE WINDOW " + name + "\r\n";
    if (!file.empty()) std::ofstream(file, std::ios::binary | std::ios::trunc) << s;
    return s;
}


}  // namespace wl
