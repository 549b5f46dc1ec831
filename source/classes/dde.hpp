// TDde: the client side of a dynamic data exchange conversation. The
// client window (the main window unless another is given) broadcasts the
// initiate; the server's acknowledgement and terminate come back through
// the client window's DdeAck and DdeTerminate (DDEACK, DDETERMINATE).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace wl {

class TWindow;

// The conversation state: none, initiating, waiting for an execute's
// acknowledgement, acknowledged.
inline constexpr int kDdeIdle = 0;
inline constexpr int kDdeInitiating = 992;
inline constexpr int kDdeExecuting = 1000;
inline constexpr int kDdeAcknowledged = 996;

class TDde {
public:
    static std::shared_ptr<TDde> New(const std::string& service, const std::string& topic,
                                     const std::string& item = {}, std::function<void()> action = {},
                                     std::function<void()> end = {}, TWindow* client = nullptr);
    ~TDde();
    TDde(const TDde&) = delete;
    TDde& operator=(const TDde&) = delete;

    // Broadcasts WM_DDE_INITIATE for the service and topic; true when a
    // server answered.
    bool Activate();
    // Posts the command to the server and drains messages until it is
    // acknowledged or `timeoutMs` passed; true when acknowledged.
    bool Execute(const std::string& command, DWORD timeoutMs = 10000);
    // Posts WM_DDE_TERMINATE, evaluates bEnd once, frees the atoms.
    void End();

    ATOM nService = 0, nTopic = 0, nItem = 0;
    std::function<void()> bAction, bEnd;
    HWND hWndServer = nullptr;
    HWND hWndClient = nullptr;
    bool lActive = false;

private:
    TDde() = default;
    bool ended_ = false;
};

// The module state (kDdeIdle ...).
int DDESTATE();
// The server's acknowledgement, reached through the client window.
void DDEACK(HWND hWndServer, LPARAM lParam);
// The server ends the conversation; an unknown window gets the terminate
// answered.
void DDETERMINATE(HWND hWnd, HWND hWndOwn);

}  // namespace wl
