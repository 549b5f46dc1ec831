// TPreview: the print preview window over the pages a printer object in
// metafile mode recorded: one or two pages, zoom with a factor of 1 to 9,
// printing of all, the current or a range of pages, saving as PDF and
// sending the PDF by mail. The window draws; PreviewModel decides.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "image_list.hpp"
#include "metafile.hpp"
#include "preview_model.hpp"
#include "printer.hpp"

namespace wl {

class TPreview {
public:
    // Owns the printer object (it ends it, and with it the page files, when
    // the window closes).
    explicit TPreview(std::unique_ptr<TPrinter> device);
    ~TPreview();
    TPreview(const TPreview&) = delete;
    TPreview& operator=(const TPreview&) = delete;

    HWND hWnd = nullptr;
    std::unique_ptr<TPrinter> oDevice;
    PreviewModel model;
    std::unique_ptr<TMetaFile> oMeta1, oMeta2;
    HWND oPage = nullptr;    // the page number label
    HWND oFactor = nullptr;  // the factor box
    HMENU hMenu = nullptr;
    HWND oLvw = nullptr;  // the page thumbnails
    std::unique_ptr<TImageList> oImageListPages;
    bool lExit = false;
    // The bar: its style (CheckStyle), and whether it is the system's
    // toolbar in a rebar (themed) or the classic row of picture buttons.
    int nStyle = 0;
    bool lThemed = false;
    HWND oBar = nullptr;      // the rebar (themed)
    HWND oToolBar = nullptr;  // its toolbar (themed)
    HWND oMsgBar = nullptr;   // the status bar (themed); the classic one is painted
    HWND oToolTip = nullptr;  // the classic buttons' tooltips
    std::unique_ptr<TImageList> oImageList;  // the bar's pictures
    std::string cPageText;  // the page label as painted on an office-look bar

    // Shows the window maximised; with a modal device, returns when closed.
    void Activate();
    bool GoPage(int n);
    void NextPage();
    void PrevPage();
    void TopPage();
    void BottomPage();
    void Zoom();
    void TwoPages();
    void SetFactor(int n);
    void VScroll(int nDir, bool lPage = false, int nPos = 0);
    void HScroll(int nDir, bool lPage = false, int nPos = 0);
    void CheckKey(WPARAM nKey);
    void CheckMouseWheel(int nKeys, int nDelta);
    // Prints pages: 1 all, 2 the page shown, 3 nFrom to nTo.
    void PrintPrv(int nOption, int nFrom = 1, int nTo = 1);
    // One page prints at once; more ask for the range ("Printing").
    void PrintPage();
    // The installed printers, the device's ticked, as a pop-up menu (the
    // caller destroys it); PrintersMenu shows it and selects the choice.
    HMENU printersMenu() const;
    void PrintersMenu();
    // The device prints on printer cName from now on.
    void SelPrinter(const std::string& cName);
    // PDF only here (no word processor): the file written, or nothing.
    std::optional<std::string> SaveAs(bool lPDF, std::optional<std::string> cFile = {},
                                      std::optional<bool> lView = {});
    void SendEmail();
    void ExportToMSWord();
    void ExportToMSExcel();
    void PaintMeta();
    // The thumbnails: one per page, at the window's left; choosing one goes
    // to its page, a right click moves the list to the other edge.
    void BuildListView();
    // The bar of the style CheckStyle worked out; its pictures, tooltips and
    // the factor and page labels.
    void BuildButtonBar();
    void ResizeListView();
    void MoveListView();
    void Close();

private:
    void build();
    void buildToolBar();
    void buildClassicBar();
    void buildLabels(int right);
    void showPageLabel();
    void updateBarButtons();
    void paint();
    void drawBarButton(const DRAWITEMSTRUCT& item) const;
    bool onBarButton(HWND child) const;
    bool onPrintArrow() const;
    void showMessage(const std::string& text);
    // The bar's share of the window's messages; `handled` false passes the
    // message on.
    LRESULT barMessage(UINT msg, WPARAM w, LPARAM l, bool& handled);
    void showPages();
    void beep();
    void updateMenus();
    LRESULT handle(UINT msg, WPARAM w, LPARAM l);
    static LRESULT CALLBACK proc(HWND hWnd, UINT msg, WPARAM w, LPARAM l);
    int vPos_ = 0, hPos_ = 0;
    int barHeight_ = 30;   // the bar's band at the window's top
    int labelLeft_ = 0;    // where "Factor:" stands
    std::string cMsgText_ = "Preview";  // the classic message bar's text
    std::string tipText_;  // the tooltip text being shown
    bool selfOwned_ = false;
    std::vector<std::string> printerNames_;  // of the last printers menu
    friend TPreview* RPREVIEW(std::unique_ptr<TPrinter> device);
};

// The preview bar of every preview in the process.
using PreviewUserButtons = std::function<bool(TPreview&)>;
struct PreviewBarSettings {
    // Run after the Print button is made; false leaves out the save, PDF,
    // mail, Word and Excel buttons.
    PreviewUserButtons bButtons;
    std::optional<int> nStyle;  // 97, 2007 or 2010
    std::optional<int> nBtnWidth, nBtnHeight;
};
PreviewBarSettings& previewBarSettings();
// Each answers the user-buttons closure set before. With bButtons it is
// stored; with nStyle too the style is stored (none clears it); with a size
// too the buttons' width and height.
PreviewUserButtons RPREVUSERBTNS();
PreviewUserButtons RPREVUSERBTNS(PreviewUserButtons bButtons);
PreviewUserButtons RPREVUSERBTNS(PreviewUserButtons bButtons, std::optional<int> nStyle,
                                 std::optional<std::pair<int, int>> aSize = {});

// The bar style of every preview: the one RPREVUSERBTNS set, else worked
// out once from the main window's looks (its menu, message bar and top bar)
// and kept.
int CheckStyle();
// The 15 pictures of the bar, in the toolbar's order ("top2" ... "exit2",
// "onepage2" for the zoomed and the two-page states).
const std::vector<std::string>& previewBarPictures();

// A thumbnail of page file cFile: the page played into a framed bitmap of
// nWidth x nHeight compatible with the screen; none when it cannot be read.
HBITMAP PAGEBITMAP(const std::string& cFile, int nWidth, int nHeight);

// Opens the preview over the printer's pages; the window owns it until it
// closes. Answers the preview (for the caller to drive), or none.
TPreview* RPREVIEW(std::unique_ptr<TPrinter> device);

}  // namespace wl
