#include "button_bar_model.hpp"

namespace wl {

std::optional<DockPlace> barAdjustPlace(int mode, int w, int h, int bw, int bh, bool msgBar, int msgBarHeight) {
    const int m = msgBar ? msgBarHeight - 1 : 0;
    switch (mode) {
    case 1: return DockPlace{-1, -1, w + 2, bh + 2};
    case 2: return DockPlace{-1, -1, bw + 2, h - m + 1};
    case 3: return DockPlace{w - bw - 1, -1, bw + 2, h - m + 1};
    case 4: return DockPlace{-1, h - bh - m - 2, w + 2, bh + 2};
    default: return std::nullopt;
    }
}

ButtonFace buttonFace(int layout, int W, int H, std::optional<std::pair<int, int>> captionSize) {
    if (!captionSize) return {0, 0, 0, H};
    const auto [cx, cy] = *captionSize;
    switch (layout) {
    case 1: return {0, -cy - 2, W / 2 - cx / 2, H - cy - 4};
    case 2: return {-cx - 4, 0, W - cx - 8, H / 2 - cy / 2};
    case 3: return {0, cy + 2, W / 2 - cx / 2, 4};
    case 4: return {cx + 4, 0, 8, H / 2 - cy / 2};
    default: return {0, 0, W / 2 - cx / 2, H / 2 - cy / 2};
    }
}

std::pair<int, int> buttonBitmapOrigin(const ButtonFace& f, int W, int clientTop, bool popup, int bitmapWidth,
                                       int bitmapHeight) {
    const int x = (W + f.dx - (popup ? 15 : 0)) / 2 - bitmapWidth / 2;
    const int y = (f.ty + f.dy - clientTop) / 2 - bitmapHeight / 2;
    return {x, y};
}

int barModeOf(std::string_view word) {
    static const char* const words[] = {"TOP", "LEFT", "RIGHT", "BOTTOM", "FLOAT"};
    for (int i = 0; i < 5; ++i)
        if (word == words[i]) return i + 1;
    return kBarTop;
}

std::array<int, 4> barNewRect(int mode, int clientWidth, int clientHeight, int btnWidth, int btnHeight, bool l3D) {
    switch (mode) {
    case kBarBottom: return {clientHeight - btnHeight, -1, clientHeight + 1, clientWidth};
    case kBarLeft: return {-1, -1, clientHeight + 1, btnWidth + (l3D ? 3 : 0)};
    case kBarRight: return {-1, clientWidth - btnWidth - (l3D ? 3 : 0), clientHeight + 1, clientWidth + 1};
    default: return {-1, -1, btnHeight, clientWidth};
    }
}

std::pair<int, int> barDockSize(int mode, const BarLook& look, bool anyPopup) {
    if (mode == kBarLeft || mode == kBarRight)
        return {look.btnWidth + (look.classic3D ? 5 : 3) + (anyPopup ? 12 : 0), 0};
    return {0, look.btnHeight + (look.classic3D ? 2 : 1)};
}

namespace {
bool vertical(int mode) { return mode == kBarLeft || mode == kBarRight; }
}  // namespace

int barBtnTop(int mode, const BarLook& look, int count, int groups, bool group) {
    if (!vertical(mode)) return look.classic3D ? 3 : -1;
    if (group) ++groups;
    return (look.classic3D ? 2 : 0) + count * (look.btnHeight - (look.classic3D ? 3 : 0)) + groups * 8;
}

std::vector<std::pair<int, int>> barButtonPlaces(int mode, const BarLook& look, const std::vector<BarButton>& buttons) {
    std::vector<std::pair<int, int>> out;
    int groups = 0, popups = 0;
    if (mode == kBarFloat) {
        const int column = look.btnWidth - (look.classic3D ? 2 : 0);
        const int rowStep = look.btnHeight + (look.classic3D ? -5 : 1);
        int y = 0;
        bool shifted = false;
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            if (i % 2 == 0) {
                out.push_back({y, 0});
                shifted = buttons[i].popup;
            } else {
                out.push_back({y, column + (shifted ? 13 : 0)});
                y += rowStep;
            }
        }
        return out;
    }
    if (vertical(mode)) {
        int y = look.classic3D ? 2 : -1;
        for (const BarButton& b : buttons) {
            if (b.group) ++groups;
            out.push_back({y + groups * 8 + 8, look.classic3D ? 2 : -1});
            y += look.btnHeight + (look.classic3D ? -3 : 1);
        }
        return out;
    }
    int x = look.classic3D ? 2 : -1;
    for (const BarButton& b : buttons) {
        if (b.group) ++groups;
        out.push_back({look.classic3D ? 3 : -1, x + groups * 8 + (look.office ? 1 : 9) + popups * 13});
        x += b.width;
        if (b.popup) ++popups;
    }
    return out;
}

std::pair<int, int> barFloatSize(const BarLook& look, const std::vector<BarButton>& buttons, int captionHeight) {
    int width = 2 * look.btnWidth + (look.classic3D ? -2 : 2);
    // Room for arrows, counted row by row until two have been counted.
    int arrows = 0;
    for (std::size_t i = 0; i < buttons.size() && arrows < 2; i += 2)
        for (std::size_t j = i; j < i + 2 && j < buttons.size(); ++j) arrows += buttons[j].popup ? 1 : 0;
    width += 14 * arrows;
    const int rows = static_cast<int>((buttons.size() + 1) / 2);
    const int height = captionHeight + 1 + (look.btnHeight + (look.classic3D ? -5 : 1)) * rows + 10;
    return {width, height};
}

std::string barIniEntry(const std::string& name, int mode) { return name + "," + std::to_string(mode); }

std::string barButtonIniValue(const BarButtonIni& b) {
    auto flag = [](bool v) { return std::string(v ? "T" : "F"); };
    std::string s = b.resName1;
    for (const std::string& part : {b.resName2, b.bmpFile1, b.bmpFile2, b.message, b.action, flag(b.group),
                                    flag(b.adjust), b.toolTip, flag(b.pressed)}) {
        s += ',';
        s += part;
    }
    return s;
}

ValueList CHECKARRAY(const ValueList& list) {
    const ValueList& items = list.size() == 1 && list[0].isList() ? list[0].list() : list;
    ValueList out(4, Value(0));
    for (std::size_t i = 0; i < items.size() && i < 4; ++i) {
        const Value& v = items[i];
        const bool empty = v.isNil() || (v.isText() && v.text().empty());
        if (!empty) out[i] = v;
    }
    return out;
}

}  // namespace wl
