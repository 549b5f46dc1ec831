// Multiple-document windows: a frame (TMdiFrame) whose client area
// (TMdiClient, the system "MDICLIENT" window) holds child windows
// (TMdiChild). Messages the objects leave alone get the system's MDI frame
// and child defaults.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "window.hpp"

namespace wl {

class TMdiClient;
class TMdiChild;

struct MdiFrameNew {
    double nTop = 32768, nLeft = 32768, nBottom = 32768, nRight = 32768;  // 32768: Windows chooses
    std::string cTitle;
    DWORD nStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    HMENU oMenu = nullptr;  // none: the default "&Childs" menu
    bool lVScroll = false, lHScroll = false;
    std::optional<int> nMenuInfo;  // position of the window-list menu
    bool lPixel = false;
};

class TMdiFrame : public TWindow {
public:
    TMdiFrame();
    ~TMdiFrame() override;
    std::string ClassName() const override { return "TMDIFRAME"; }
    bool lendsPaneColor() const override { return false; }

    TMdiChild* oWndActive = nullptr;
    std::unique_ptr<TMdiClient> oWndClient;
    HMENU oMenuStart = nullptr;
    int nMenuInfo = 2;
    std::function<void(TMdiFrame&)> bOnOpen;
    bool lChildAutoSize = false;

    // Menu commands of the default menu.
    static constexpr int kCmdNewChild = 1001, kCmdExit = 1002;

    TMdiFrame& New(const MdiFrameNew& a = {});
    TMdiChild& ChildNew(const std::string& title = {});
    void Cascade();
    bool CloseAll();
    void IconizeAll();
    void Tile(bool vertical = false);
    void ArrangeIcons();
    void CloseActive();
    void NextWindow();
    void PrevWindow();
    void Select(int n);
    void Open() {
        if (bOnOpen) bOnOpen(*this);
    }
    bool End();
    Answer ReSize(WPARAM sizeType = 0, int width = 0, int height = 0) override;
    Answer Command(WPARAM w, LPARAM l) override;
};

// The last frame created.
TMdiFrame* GETWNDFRAME();

class TMdiClient : public TWindow {
public:
    std::string ClassName() const override { return "TMDICLIENT"; }
    bool isFrameWindow() const override { return false; }
    bool lendsPaneColor() const override { return false; }
    bool endsHelpSearch() const override { return false; }

    std::vector<TMdiChild*> aWnd;

    TMdiClient& New(TMdiFrame& frame, HMENU windowMenu, int firstChildId, bool vScroll, bool hScroll);
    void Tile(bool vertical = false) { SendMsg(WM_MDITILE, vertical ? MDITILE_VERTICAL : MDITILE_HORIZONTAL); }
    void Cascade() { SendMsg(WM_MDICASCADE); }
    void ArrangeIcons() { SendMsg(WM_MDIICONARRANGE); }
    void NextWindow() { SendMsg(WM_MDINEXT, 0, 0); }
    void PrevWindow() { SendMsg(WM_MDINEXT, 0, 1); }
    void ChildActivate(TMdiChild& child);
    void ChildMaximize(TMdiChild& child);
    void ChildRestore(TMdiChild& child);
    void ChildClose(TMdiChild& child);
    TMdiChild* GetActive() const;
    void Select(int n);  // from 1, in the order the children were made
    // Ends the children from the last while each agrees; true when none is
    // left.
    bool lCloseAll();
    Answer KeyDown(WPARAM key, LPARAM flags) override;
    // Children made by ChildNew belong to the client.
    std::vector<std::unique_ptr<TMdiChild>> owned;
};

struct MdiChildNew {
    std::optional<int> nTop, nLeft, nHeight, nWidth;  // none: Windows chooses
    std::string cTitle;  // "" : "MDI Child " + number
    DWORD nStyle = 0;
    TMdiFrame* oWnd = nullptr;  // the last frame when none
};

class TMdiChild : public TWindow {
public:
    ~TMdiChild() override;
    std::string ClassName() const override { return "TMDICHILD"; }
    bool lendsPaneColor() const override { return false; }

    TMdiClient* oWndClient = nullptr;
    TMdiFrame* oFrame = nullptr;
    TWindow* oControl = nullptr;
    bool lKeepMenu = false;
    std::function<void(TMdiChild&)> bPostEnd;

    TMdiChild& New(const MdiChildNew& a = {});
    bool End();
    Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override;
    virtual Answer MdiActivate(bool activated);
    Answer KeyChar(WPARAM key, LPARAM flags) override;
    Answer Destroy() override;
    // Docks a control over the whole client area; it takes editing commands.
    void SetControl(TWindow& control);

private:
    void leaveClient();
};

}  // namespace wl
