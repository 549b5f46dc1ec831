#include "preview_model.hpp"

#include <algorithm>

namespace wl {

void PreviewModel::setLabel(bool spaced) {
    cPageLabel = std::string("Page number:") + (spaced ? " " : "") + std::to_string(nPage) + " / " +
                 std::to_string(pageCount);
}

bool PreviewModel::GoPage(int n) {
    if (n < 1 || n > pageCount) return false;
    nPage = n;
    setLabel(true);
    return true;
}

bool PreviewModel::NextPage() {
    if (nPage >= pageCount) return false;
    ++nPage;
    setLabel(false);
    return true;
}

bool PreviewModel::PrevPage() {
    if (nPage <= 1) return false;
    --nPage;
    setLabel(false);
    return true;
}

bool PreviewModel::TopPage() { return nPage != 1 && GoPage(1); }

bool PreviewModel::BottomPage() { return nPage != pageCount && GoPage(pageCount); }

int PreviewModel::rightPage() const { return lTwoPages && nPage < pageCount ? nPage + 1 : 0; }

bool PreviewModel::TwoPages(bool landscape) {
    if (!lTwoPages) {
        if (pageCount <= 1 || landscape) return false;
        if (lZoom) Zoom();
        lTwoPages = true;
    } else {
        lTwoPages = false;
    }
    return true;
}

void PreviewModel::zoomRanges() {
    vRange = {1, 20 * nZFactor};
    hRange = nZFactor > 1 ? ScrollRange{1, 20 * nZFactor} : ScrollRange{};
}

void PreviewModel::Zoom() {
    lZoom = !lZoom;
    if (lZoom) {
        lTwoPages = false;
        zoomRanges();
    } else {
        vRange = hRange = {};
        nZFactor = 1;
    }
}

void PreviewModel::SetFactor(int n) {
    nZFactor = std::clamp(n, 1, 9);
    if (!lZoom) Zoom();
    else zoomRanges();
}

ScrollMove scrollView(int nDir, bool lPage, int nPos, int position, ScrollRange range, int resolution) {
    ScrollMove m{false, position, 0};
    if (range.max <= 0 || resolution <= 0) return m;  // no range: nothing to scroll (and no step to divide)
    if (nDir == 1 && position <= range.min) return m;
    if (nDir == 2 && position > range.max) return m;
    const int step = resolution / range.max;
    int move = 0;
    if (nDir == 0) {
        position = nPos;
    } else {
        move = nPos != 0 ? nPos : (lPage ? range.max / 10 : 1);
        if (nDir == 1) move = -move;
    }
    const int offset = std::clamp(step * (position + move - 1), 0, resolution);
    m.moved = true;
    m.position = std::clamp(position + move, range.min, range.max);
    m.origin = static_cast<double>(offset) / resolution * 10;
    return m;
}

PageLayout layoutPages(int top, int left, int width, int height, int horzSize, int vertSize, bool twoPages,
                       bool zoomed) {
    PageLayout l;
    if (width <= 0 || height <= 0 || horzSize <= 0 || vertSize <= 0) return l;
    const double maxWidth = width * (twoPages ? 0.40 : 0.95);
    const double gap = width * 0.05;
    const double ratio = static_cast<double>(horzSize) / vertSize;
    double w = zoomed ? maxWidth : height * ratio;
    double h = height;
    if (w > maxWidth) {
        w = maxWidth;
        h = w / ratio;
    }
    const int pageTop = top + static_cast<int>((height - h) / 2);
    if (!twoPages) {
        l.left = {pageTop, left + static_cast<int>((width - w) / 2), static_cast<int>(w), static_cast<int>(h)};
        return l;
    }
    l.left = {pageTop, left + static_cast<int>(width / 2.0 - w - gap), static_cast<int>(w), static_cast<int>(h)};
    l.right = {pageTop, left + static_cast<int>(width / 2.0 + gap), static_cast<int>(w), static_cast<int>(h)};
    l.showRight = true;
    return l;
}

MetaViewport metaViewport(int w, int h, int xZoom, int yZoom, double vRatio, double xOrig, double yOrig) {
    MetaViewport v;
    if (w <= 0 || h <= 0) return v;
    v.extX = 100 * xZoom;
    v.extY = static_cast<int>(100 * (yZoom / 2.0) * vRatio * w / h);
    const double sx = w * (xZoom - 1) / 9.8;
    const double sy = (w * xZoom * vRatio - h) / 10.3;
    v.orgX = static_cast<int>(-xOrig * sx);
    v.orgY = static_cast<int>(-yOrig * sy);
    return v;
}

std::pair<int, int> thumbnailSize(int horzRes, int vertRes) {
    return horzRes > vertRes ? std::pair{100, 80} : std::pair{80, 100};
}

bool printRangeFromValid(int from, int to) { return from >= 1 && from <= to; }

bool printRangeToValid(int from, int to, int pages) { return to >= from && to <= pages; }

std::vector<int> printRangePages(int option, int from, int to, int current, int pages) {
    int first = 1, last = pages;
    if (option == 2) first = last = std::clamp(current, 1, std::max(pages, 1));
    if (option == 3) {
        first = std::max(1, from);
        last = std::min(pages, to);
    }
    std::vector<int> out;
    for (int page = first; page <= last && page <= pages; ++page) out.push_back(page);
    return out;
}

int previewBarStyle(const PreviewStyleSource& main) {
    if (main.menu2010) return 2010;
    if (main.msgBarLook == 2007 || main.msgBarLook == 2010) return main.msgBarLook;
    if (main.topBar) return main.topBar2010 ? 2010 : 2007;
    return 0;
}

bool previewThemedBar(bool appThemed, int style, bool userButtons, bool userSize) {
    return appThemed && style == 0 && !userButtons && !userSize;
}

bool previewButtonCaptionFits(int height) { return height >= 34; }

}  // namespace wl
