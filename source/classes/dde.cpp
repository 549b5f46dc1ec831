#include "dde.hpp"

#include <dde.h>

#include <algorithm>
#include <vector>

#include "dde_text.hpp"
#include "message_loop.hpp"
#include "messages.hpp"
#include "window.hpp"
#include "process_state.hpp"

namespace wl {
namespace {

struct DdeModule {
    std::vector<TDde*> conversations;
    int state = kDdeIdle;
    // Servers sent a terminate by End: their answering terminate is not
    // answered again, or the two windows would bounce it for ever.
    std::vector<HWND> awaitingTerminate;
};

DdeModule& ddeModule() {
    return processState().dde.get<DdeModule>();
}

ATOM atomOf(const std::string& name) { return name.empty() ? 0 : GlobalAddAtomA(name.c_str()); }

void forget(TDde* d) {
    auto& list = ddeModule().conversations;
    list.erase(std::remove(list.begin(), list.end(), d), list.end());
}

}  // namespace

int DDESTATE() { return ddeModule().state; }

std::shared_ptr<TDde> TDde::New(const std::string& service, const std::string& topic, const std::string& item,
                                std::function<void()> action, std::function<void()> end, TWindow* client) {
    std::shared_ptr<TDde> d(new TDde());
    d->nService = atomOf(service);
    d->nTopic = atomOf(topic);
    d->nItem = atomOf(item);
    d->bAction = std::move(action);
    d->bEnd = std::move(end);
    if (!client) client = WNDMAIN();
    d->hWndClient = client ? client->hWnd : nullptr;
    ddeModule().conversations.push_back(d.get());
    return d;
}

TDde::~TDde() {
    End();
    forget(this);
}

bool TDde::Activate() {
    ddeModule().state = kDdeInitiating;
    // Bounded: a window of another program that does not answer must not
    // hold the initiate up.
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(hWndClient),
                        MAKELPARAM(nService, nTopic), SMTO_ABORTIFHUNG, 2000, &result);
    return lActive;
}

bool TDde::Execute(const std::string& command, DWORD timeoutMs) {
    if (!hWndServer) {
        MSGALERT("DDE Object not properly initialized!");
        return false;
    }
    HGLOBAL mem = DDECOMMAND(command);
    if (!mem) return false;
    ddeModule().state = kDdeExecuting;
    if (!PostMessageA(hWndServer, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(hWndClient), reinterpret_cast<LPARAM>(mem))) {
        GlobalFree(mem);
        ddeModule().state = kDdeAcknowledged;
        return false;
    }
    // A server that never answers must not hang the program: the wait is
    // bounded, and the interface stays alive meanwhile.
    const DWORD start = GetTickCount();
    while (ddeModule().state != kDdeAcknowledged) {
        if (GetTickCount() - start >= timeoutMs) return false;
        if (!SYSREFRESH()) return false;
        if (ddeModule().state != kDdeAcknowledged) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void TDde::End() {
    if (ended_) return;
    ended_ = true;
    if (hWndServer && IsWindow(hWndServer)) {
        PostMessageA(hWndServer, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(hWndClient), 0);
        ddeModule().awaitingTerminate.push_back(hWndServer);
    }
    if (lActive && bEnd) bEnd();
    for (ATOM* a : {&nService, &nTopic, &nItem}) {
        if (*a) GlobalDeleteAtom(*a);
        *a = 0;
    }
    lActive = false;
    hWndServer = nullptr;
}

void DDEACK(HWND hWndServer, LPARAM lParam) {
    DdeModule& m = ddeModule();
    if (m.state == kDdeInitiating) {
        if (!m.conversations.empty()) {
            TDde* last = m.conversations.back();
            last->hWndServer = hWndServer;
            last->lActive = true;
        }
    } else if (m.state == kDdeExecuting) {
        UINT_PTR status = 0, command = 0;
        if (UnpackDDElParam(WM_DDE_ACK, lParam, &status, &command)) {
            if (command) GlobalFree(reinterpret_cast<HGLOBAL>(command));
            FreeDDElParam(WM_DDE_ACK, lParam);
        }
    }
    m.state = kDdeAcknowledged;
}

void DDETERMINATE(HWND hWnd, HWND hWndOwn) {
    for (TDde* d : ddeModule().conversations) {
        if (d->hWndServer == hWnd) {
            // The server ends it: answered once, without waiting for more.
            PostMessageA(hWnd, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(d->hWndClient), 0);
            d->hWndServer = nullptr;
            d->End();
            forget(d);
            return;
        }
    }
    auto& awaiting = ddeModule().awaitingTerminate;
    if (auto it = std::find(awaiting.begin(), awaiting.end(), hWnd); it != awaiting.end()) {
        awaiting.erase(it);  // the answer to our own terminate
        return;
    }
    PostMessageA(hWnd, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(hWndOwn), 0);
}

}  // namespace wl
