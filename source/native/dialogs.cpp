#include "dialogs.hpp"

#include <cstring>
#include <functional>

#include "message_pump.hpp"
#include "process_state.hpp"

namespace wl {

namespace {

ModalStack<EventTarget>& modalStack() {
    return processState().modalStack.get<ModalStack<EventTarget>>();
}

struct OwnerDraw {
    int itemHeight = 0;
};
int& ownerDrawItemHeight() { return processState().ownerDraw.get<OwnerDraw>().itemHeight; }

INT_PTR answerFor(const Answer& a) { return a ? static_cast<INT_PTR>(*a) : 0; }

INT_PTR CALLBACK modalDialogProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    EventTarget* object = modalStack().find(reinterpret_cast<std::uintptr_t>(hDlg));
    if (!object) return 0;
    if (msg == WM_INITDIALOG) lParam = reinterpret_cast<LPARAM>(hDlg);
    // Nothing may be thrown through the dialog manager.
    try {
        return answerFor(object->HandleEvent(msg, wParam, lParam));
    } catch (...) {
        return 0;
    }
}

INT_PTR CALLBACK minimalDialogProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            ShowWindow(hDlg, SW_HIDE);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(hDlg, LOWORD(wParam));
            return 0;
        case WM_MEASUREITEM:
            if (ownerDrawItemHeight() != 0 && lParam != 0) {
                reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(ownerDrawItemHeight());
                return TRUE;
            }
            return 0;
        default:
            return 0;
    }
}

// A modeless dialog's object receives WM_INITDIALOG like a modal one's (it
// comes as the creation parameter); later messages reach it through the
// subclass it puts on its window then, the rest get the minimal handling.
INT_PTR CALLBACK modelessDialogProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_INITDIALOG || lParam == 0) return minimalDialogProc(hDlg, msg, wParam, lParam);
    auto* object = reinterpret_cast<EventTarget*>(lParam);
    ShowWindow(hDlg, SW_HIDE);
    try {
        return answerFor(object->HandleEvent(msg, wParam, reinterpret_cast<LPARAM>(hDlg)));
    } catch (...) {
        return 0;
    }
}

// Template bytes in a movable block, as the dialog manager wants them.
class TemplateBlock {
public:
    explicit TemplateBlock(const std::string& bytes) {
        HCURSOR before = SetCursor(LoadCursor(nullptr, IDC_WAIT));
        mem_ = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        if (mem_) data_ = GlobalLock(mem_);
        if (data_) std::memcpy(data_, bytes.data(), bytes.size());
        SetCursor(before);
    }
    ~TemplateBlock() {
        if (data_) GlobalUnlock(mem_);
        if (mem_) GlobalFree(mem_);
    }
    TemplateBlock(const TemplateBlock&) = delete;
    TemplateBlock& operator=(const TemplateBlock&) = delete;
    const DLGTEMPLATE* dialogTemplate() const { return static_cast<const DLGTEMPLATE*>(data_); }

private:
    HGLOBAL mem_ = nullptr;
    void* data_ = nullptr;
};

// The frame of every modal run: the loop-running flag, a stack slot for the
// object (given back only by a run that got one, so a run on a full stack
// cannot free the slot of the dialog below it), and the 16-bit result.
int runModal(EventTarget* oDlg, const std::function<INT_PTR()>& run) {
    bool before = setLoopRunning(true);
    bool pushed = modalStack().push(oDlg);
    INT_PTR result = run();
    if (pushed) modalStack().pop();
    setLoopRunning(before);
    return static_cast<int>(result & 0xFFFF);
}

}  // namespace

int DIALOGBOX(HINSTANCE hInstance, const std::string& cTemplate, HWND hOwner, EventTarget* oDlg) {
    return runModal(oDlg, [&] {
        return DialogBoxParamA(hInstance, cTemplate.c_str(), hOwner, modalDialogProc, 0);
    });
}

int DIALOGBOX(HINSTANCE hInstance, int nTemplate, HWND hOwner, EventTarget* oDlg) {
    return runModal(oDlg, [&] {
        return DialogBoxParamA(hInstance, MAKEINTRESOURCEA(nTemplate), hOwner, modalDialogProc, 0);
    });
}

int DIALOGBOXINDIRECT(HINSTANCE hInstance, const std::string& cTemplate, HWND hOwner, EventTarget* oDlg) {
    if (cTemplate.empty()) return 0;
    TemplateBlock block(cTemplate);
    if (!block.dialogTemplate()) return 0xFFFF;
    return runModal(oDlg, [&] {
        return DialogBoxIndirectParamA(hInstance, block.dialogTemplate(), hOwner, modalDialogProc, 0);
    });
}

HWND CREATEDLG(HINSTANCE hInstance, const std::string& cTemplate, HWND hOwner, EventTarget* oDlg) {
    return CreateDialogParamA(hInstance, cTemplate.c_str(), hOwner, modelessDialogProc,
                              reinterpret_cast<LPARAM>(oDlg));
}

HWND CREATEDLG(HINSTANCE hInstance, int nTemplate, HWND hOwner, EventTarget* oDlg) {
    return CreateDialogParamA(hInstance, MAKEINTRESOURCEA(nTemplate), hOwner, modelessDialogProc,
                              reinterpret_cast<LPARAM>(oDlg));
}

HWND CREATEDLGINDIRECT(HINSTANCE hInstance, const std::string& cTemplate, HWND hOwner, EventTarget* oDlg) {
    if (cTemplate.empty()) return nullptr;
    TemplateBlock block(cTemplate);
    if (!block.dialogTemplate()) return nullptr;
    return CreateDialogIndirectParamA(hInstance, block.dialogTemplate(), hOwner, modelessDialogProc,
                                      reinterpret_cast<LPARAM>(oDlg));
}

void SETOWNERDRAWITEMHEIGHT(int nHeight) { ownerDrawItemHeight() = nHeight; }

bool ENDDIALOG(HWND hDlg, INT_PTR nResult) {
    ownerDrawItemHeight() = 0;
    return EndDialog(hDlg, nResult) != 0;
}

long GETDLGBASEUNITS() { return GetDialogBaseUnits(); }

const ModalStack<EventTarget>& modalDialogStack() { return modalStack(); }

}  // namespace wl
