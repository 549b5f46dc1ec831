// The preview's commands (its bar buttons and menu items) and the sizes of
// its bands, shared by the window (preview.cpp) and its bar
// (preview_bar.cpp).
#pragma once

namespace wl {

inline constexpr int kPreviewBarHeight = 30;
inline constexpr int kPreviewMsgBarHeight = 20;

enum PreviewCommand : int {
    kFirst = 101,
    kPrevious,
    kNext,
    kLast,
    kZoom,
    kTwoPages,
    kPrint,
    kSaveAs,
    kPdf,
    kMail,
    kWord,
    kExcel,
    kExit,
    kNormal,
    kOnePage,
    kFactorBox,
    kFactor1 = 201,   // to kFactor1 + 8
    kPrinter1 = 301,  // the printers menu, in AGETPRINTERS' order
};

struct PreviewBarButton {
    PreviewCommand id;
    const char* caption;  // the classic bar's caption and every bar's tooltip
    const char* message;  // the status text
    bool group;           // starts a group on the classic bar
};
inline constexpr PreviewBarButton kPreviewButtons[] = {
    {kFirst, "First", "Go to first page", false},
    {kPrevious, "Previous", "Go to previous page", false},
    {kNext, "Next", "Go to next page", false},
    {kLast, "Last", "Go to last page", false},
    {kZoom, "Zoom", "Page zoom", true},
    {kTwoPages, "Two pages", "Preview on two pages", false},
    {kPrint, "Print", "Print actual page", true},
    {kSaveAs, "Save to DOC/PDF", "Save to DOC/PDF", false},
    {kPdf, "Export to PDF", "Export to PDF", false},
    {kMail, "Send by email as PDF", "Send by email as PDF", false},
    {kWord, "Export to MS Word", "Export to MS Word", false},
    {kExcel, "Export to Excel", "Export to Excel", false},
    {kExit, "Exit", "Exit from preview", true},
};
// The picture of the zoomed and of the two-page state: "onepage2".
inline constexpr int kPictureZoomed = 13, kPictureOnePage = 14;
// Width of the Print button's drop-down arrow on the classic bar.
inline constexpr int kPreviewDropWidth = 12;

}  // namespace wl
