// The state and arithmetic of the print preview: which pages are shown,
// zoom and two-page view with their scroll ranges, the scroll steps, where
// the page views lie in the window, and how a page view maps the page into
// its rectangle. The preview window only draws what this decides.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace wl {

struct ScrollRange {
    int min = 0, max = 0;
    bool operator==(const ScrollRange&) const = default;
};

struct PreviewModel {
    explicit PreviewModel(int pages) : pageCount(pages) {}

    int pageCount = 0;
    int nPage = 1;     // the page on the left, from 1
    int nZFactor = 1;  // 1 to 9
    bool lTwoPages = false;
    bool lZoom = false;
    ScrollRange vRange, hRange;
    std::string cPageLabel;

    // Each answers false (the window beeps) and changes nothing when the
    // move is impossible.
    bool GoPage(int n);
    bool NextPage();
    bool PrevPage();
    bool TopPage();
    bool BottomPage();
    // The page on the right in two-page view, 0 when none.
    int rightPage() const;

    // Toggles the two-page view; turning it on is refused for one page or a
    // landscape page (false), and unzooms first.
    bool TwoPages(bool landscape);
    // Toggles the zoom.
    void Zoom();
    // Sets the factor; zooms in when not zoomed.
    void SetFactor(int n);
    // The left view's zoom factors while zoomed.
    int xZoom() const { return lZoom ? nZFactor : 1; }
    int yZoom() const { return lZoom ? 2 * nZFactor : 2; }

private:
    void setLabel(bool spaced);
    void zoomRanges();
};

// A scroll bar move of the zoomed view.
struct ScrollMove {
    bool moved = false;
    int position = 0;  // the bar's new position
    double origin = 0; // the view's origin in tenths of the page (0 to 10)
};
// nDir 1 up, 2 down, 0 thumb track to nPos; lPage a page instead of a line;
// nPos, when not 0, the amount (or the thumb position). A bar without range
// moves nothing.
ScrollMove scrollView(int nDir, bool lPage, int nPos, int position, ScrollRange range, int resolution);

struct PageRect {
    int top = 0, left = 0, width = 0, height = 0;
    bool operator==(const PageRect&) const = default;
};
struct PageLayout {
    PageRect left, right;
    bool showRight = false;
};
// The page views within the window's free area (top, left, width, height):
// centred, one page or two side by side, proportioned as the paper.
PageLayout layoutPages(int top, int left, int width, int height, int horzSize, int vertSize, bool twoPages,
                       bool zoomed);

// How a page view of W x H pixels maps its page (window extent 100 x 100).
struct MetaViewport {
    int extX = 0, extY = 0, orgX = 0, orgY = 0;
};
MetaViewport metaViewport(int w, int h, int xZoom, int yZoom, double vRatio, double xOrig, double yOrig);

// A page thumbnail's {width, height}: 100 x 80 for a landscape device
// (wider than high), else 80 x 100.
std::pair<int, int> thumbnailSize(int horzRes, int vertRes);

// The print-range dialog: From lies in 1..To, To in From..the page count.
bool printRangeFromValid(int from, int to);
bool printRangeToValid(int from, int to, int pages);
// The pages a print of option 1 (all), 2 (the page shown) or 3 (from..to)
// sends, in order; a range is cut to the pages there are.
std::vector<int> printRangePages(int option, int from, int to, int current, int pages);

// What the preview's bar copies of the main window's looks.
struct PreviewStyleSource {
    bool menu2010 = false;  // its menu has the 2010 look
    int msgBarLook = 0;     // its message bar's office look: 2007, 2010, or 0 (classic or none)
    bool topBar = false;    // a ribbon or button bar sits at its top
    bool topBar2010 = false;
};
// The bar style: 2010 for a 2010 menu; else the message bar's office look;
// else 2010 or 2007 for a bar at the top after its look; else 0.
int previewBarStyle(const PreviewStyleSource& main);
// The bar is the system's toolbar in a rebar when the program is themed,
// the style is 0 and no user-buttons closure or button size is set; else
// the classic bar of picture buttons.
bool previewThemedBar(bool appThemed, int style, bool userButtons, bool userSize);
// A classic bar's button shows its caption below the picture only when it
// is tall enough for both; else the caption is its tooltip.
bool previewButtonCaptionFits(int height);

}  // namespace wl
