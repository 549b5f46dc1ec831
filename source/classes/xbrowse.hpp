// The grid browse window: paints the model's header (with group headers),
// visible rows and footer in the marquee and divider styles, and turns
// keys, clicks, the wheel and the scroll bar into the model's moves
// (XBrowseModel in source/function holds every decision). Cells are edited
// in place by XbrCellEditor; headers are resized by their right edge and
// moved by dragging.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>
#include <string>
#include <vector>

#include "browse_model.hpp"
#include "control.hpp"
#include "xbrowse_functions.hpp"
#include "xbrowse_model.hpp"
#include "xbrowse_report.hpp"

namespace wl {

class XbrCellEditor;

// The pen of a divider style: 1, 5 and 6 in the browse's own colour and
// width, 2 grey, 3 the text colour, 4 light grey; nullptr for none (0).
// The caller deletes it.
HPEN CREATELINEPEN(int style, Color own, Color text, int width = 1);
// A cell background's brush: a solid colour, or a gradient over `height`
// pixels repeated down (a pattern brush; nullptr for an empty gradient).
// The caller deletes it.
HBRUSH CREATECOLORBRUSH(Color colour);
HBRUSH CREATECOLORBRUSH(const GradientSpec& gradient, int height);
struct XbrEditPlan;
class TSay;

class TXBrowse : public TControl {
public:
    TXBrowse();
    ~TXBrowse() override;

    std::string ClassName() const override { return "TXBROWSE"; }

    // A child of parent at pixels (top, left), width x height.
    TXBrowse& New(TWindow* parent, int top, int left, int width, int height, std::shared_ptr<TFont> font = {});
    // The browse over the dialog item `id` of parent's template (made when
    // the dialog starts).
    TXBrowse& CreateFromResource(int id, TWindow* parent);
    void Default() override;
    // The designer's source line of the browse ("   @ top, left XBROWSE
    // oBrwN OF parent ... :CreateFromCode()").
    std::string cGenPrg() const;
    void Initiate(HWND hDlg) override;

    XBrowseModel& model() { return m_; }
    const XBrowseModel& model() const { return m_; }

    bool lHeader = true, lFooter = false;
    Color nClrHeaderBack = RGB(231, 242, 255), nClrHeaderText = 0;
    Color nClrSelFocusBack = 0, nClrSelFocusText = 0, nClrSelBack = 0, nClrSelText = 0;
    // Dividers: 0 none, 1 solid in nColorPen, 2 grey, 3 the text colour,
    // 4 light grey, 5 and 6 double lines. Complete column dividers run
    // down to the bottom also below the last row.
    int nRowDividerStyle = 0, nColDividerStyle = 0;
    bool lColDividerComplete = false;
    Color nColorPen = 0;
    bool lAllowColSwapping = true;
    // A label that shows the seek text as it is typed.
    TSay* oSeek = nullptr;
    // Kinetic scrolling: dragging the rows moves them with the hand cursor,
    // a fast release flings on (the shared fling of browse_model). The
    // clock gives milliseconds (tests set it).
    bool lKineticBrw = SETKINETIC();
    BrowseFlingParams fling;
    std::function<std::int64_t()> bClock = [] { return std::int64_t(GetTickCount()); };
    // 0 none, 1 header press, 2 footer press, 3 column resizing.
    int nCaptured = 0;

    int nRowHeight() const { return rowHeight_; }
    // The header band: the group band (when any column has a group
    // header) above the column headers.
    int nHeaderHeight() const;
    int nGroupHeight() const;
    // Recounts the rows and repaints (after the data changed).
    void Refresh();
    // The column at client x (creation number), 0 for none.
    int nAtCol(int x) const;
    // Hit tests: the data row under y (0 above the data or past the rows),
    // the display column under x (-1 left of the columns, 0 past them).
    int MouseRowPos(int y) const;
    int MouseColPos(int x) const;
    bool MouseAtHeader(int y) const;
    bool MouseAtFooter(int y) const;
    // The browse's pop-up menu for cells whose column has none.
    std::function<HMENU(TXBrwColumn&)> bPopUp;
    // Margins: with either set, the width or height follows the parent's
    // client area less the margin (CheckSize, on every resize).
    int nRightMargin = 0, nBottomMargin = 0;
    void CheckSize();
    // The size that shows every display column and max(3, min(rows, row
    // count)) rows (default: the rows shown now) with header and footer;
    // with resize the browse takes it, within the parent's client area.
    SIZE BrwFitSize(bool resize = false, int rows = 0);
    // Totals recomputed over the data and the footers repainted.
    void RefreshFooters();
    void RefreshFooter(TXBrwColumn& col) { (void)col; RefreshFooters(); }
    // A column's width in characters of the browse font (pixels x 100 /
    // the width of 100 letters "B"); setting takes at least 3.
    int nWidthChr(const TXBrwColumn& col) const;
    void nWidthChr(TXBrwColumn& col, int chars);
    // A font of the same face delta units larger (smaller); every column
    // takes its width again.
    void FontSize(int delta);
    // The font dialog, starting from the browse's font; a chosen font is
    // the browse's and every column takes its width again.
    void SelFont();
    // A picture (an image file's name) painted under the data area: mode 0
    // tiled from the data area's top-left, 1 stretched over it, 2 centred
    // in it at its own size. Unselected cells then leave their background
    // unpainted so the picture shows through; an empty name (or a file that
    // does not load) clears it. The browse owns the loaded bitmap.
    void SetBackGround(const std::string& picture = {}, int mode = 0);
    bool HasBackGround() const { return background_ != nullptr; }
    // The column menu at (row, col): every header, checked when shown;
    // choosing one shows or hides it (never the only one shown).
    void SetColumns(int row, int col);
    bool lAllowColHiding = true;
    // The cell rectangle of screen row (from 1) and display column (from 1);
    // empty when the column is scrolled out of sight.
    RECT aCellCoor(int row, int displayCol) const;

    // Editing the selected cell: key 0 for Enter or a double click, else the
    // character that started it. False when the cell does not edit.
    bool EditCell(int key = 0);
    // The list of a list column (types 2 and 4) under the selected cell.
    bool ShowBtnList();
    void CancelEdit();
    // The open editor, nullptr when none.
    XbrCellEditor* Editor() const;
    // A check column's cell takes the negated value.
    void CheckToggle();
    // The record editor over the current (or a new) row; repaints after.
    bool Edit(bool newRow = false);

    // The rows as a dBASE table (see XBrowseModel::ToDbf): with confirm the
    // structure is first shown for editing in a grid titled with the file
    // name and ":STRUCTURE", and afterwards the question "View <file> ?"
    // offers to browse the new table. "" on success, else the reason.
    std::string ToDbf(const std::string& path, bool confirm = false);

    // The browse as a report in "TAHOMA" 8 points (normal and bold),
    // previewed or printed; the title defaults to the parent's title.
    bool Report(std::string title = {}, bool preview = true, XbrReportOptions options = {});

    Answer KeyDown(WPARAM key, LPARAM flags) override;
    Answer KeyChar(WPARAM key, LPARAM flags) override;
    Answer GetDlgCode(WPARAM key) override;
    Answer VScroll(WPARAM w, LPARAM l) override;
    Answer MouseWheel(int keys, int delta, int x, int y) override;
    Answer LButtonDown(int row, int col, WPARAM flags) override;
    Answer LButtonUp(int row, int col, WPARAM flags) override;
    Answer MouseMove(int row, int col, WPARAM flags) override;
    Answer LDblClick(int row, int col, WPARAM flags) override;
    Answer RButtonDown(int row, int col, WPARAM flags) override;
    Answer Paint() override;
    Answer EraseBkGnd(HDC) override { return 1; }
    Answer ReSize(WPARAM type, int width, int height) override;
    Answer GotFocus(HWND lost) override;
    Answer LostFocus(HWND gaining) override;
    Answer HandleEvent(UINT nMsg, WPARAM w, LPARAM l) override;

private:
    void startColours();
    void widthsAgain();
    void measure();
    void drawTo(HDC dc);
    // Text in a cell over its background; align 0 left, 1 right, 2 centre.
    void cell(HDC dc, const RECT& r, const std::string& text, Color fore, Color back, int align);
    void drawCheck(HDC dc, const RECT& r, const Value& v);
    void drawCellPicture(HDC dc, const RECT& r, const Value& v, bool bytes);
    void drawBackground(HDC dc, const RECT& area);
    void drawDividers(HDC dc, int rowsPainted, const std::vector<std::vector<int>>& openBelow);
    void drawGroups(HDC dc);
    void drawMarquee(HDC dc, int line, bool focused);
    void updateScroll();
    void moved();
    void toClipboard(const std::string& text);
    std::string fromClipboard();
    // The left pixel of display position i (from 1), -1 when scrolled off.
    int colLeft(int i) const;
    // The display position whose right edge is within a pixel of x, 0 none.
    int resizeEdgeAt(int x) const;
    int displayPosAt(int x) const;
    void editDone(const Value& v, int key);
    void runButton(TXBrwColumn& col);
    // The open type 4 or 5 field's own button: the list, or the closure.
    void editorButton();
    bool openEditor(TXBrwColumn& col, const XbrEditPlan& plan, int key);

    struct BitmapDeleter {
        void operator()(HBITMAP b) const { DeleteObject(b); }
    };
    XBrowseModel m_;
    int rowHeight_ = 20;
    std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter> background_;
    int backgroundMode_ = 0;
    std::unique_ptr<XbrCellEditor> editor_, retired_;
    int editCol_ = 0;       // creation number of the column being edited
    int pressPos_ = 0;      // display position pressed in the header
    int pressX_ = 0;
    int dragX_ = -1;        // the resizing line's x, -1 when none shown
    int tipCol_ = 0;        // the column under the mouse (negative: its header)
    bool tipShown_ = false; // and its tip shows
    bool showColumnTip(int row, int col);
    bool pressed_ = false, moved_ = false;  // a press in the data, dragged since
    int startLine_ = 0, lastLine_ = 0;
    std::int64_t startTime_ = 0;
    // False once the browse is gone: a fling drains messages that may close it.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    void startFling(int rows, std::int64_t elapsed);
};

}  // namespace wl
