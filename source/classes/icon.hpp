// TIcon: an icon shown in a small control window, or held without one (a
// holder: handle 0, no window).
#pragma once

#include <windows.h>

#include <string>

#include "control.hpp"

namespace wl {

struct IconNew {
    double nRow = 0, nCol = 0;
    std::string cResName, cIcoFile;
    bool lBorder = false;
    MouseAction bClick;
    TWindow* oWnd = nullptr;
    bool lUpdate = false;
    std::function<bool()> bWhen;
    std::optional<Color> nClrFore, nClrBack;
};

class TIcon : public TControl {
public:
    std::string ClassName() const override { return "TICON"; }
    double rowPixels() const override { return 14; }
    double colPixels() const override { return 8; }

    TIcon& New(const IconNew& a = {});
    TIcon& ReDefine(int id, const std::string& resName, const std::string& file, TWindow* parent);
    ~TIcon() override;

    Answer Paint() override;
    // The icon of the resource, replacing the current one.
    void SetName(const std::string& resName);
    // The first icon of an existing file.
    void SetFile(const std::string& file);
    Answer Destroy() override;

    std::string cIcoFile, cResName;
    HICON hIcon = nullptr;

private:
    void take(HICON icon);
};

}  // namespace wl
