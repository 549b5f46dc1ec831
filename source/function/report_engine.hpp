// TReport: a columnar listing of records with a title, page header and
// footer, column titles, data lines, groups with headers, footers and
// subtotals, page and grand totals, drawn on a ReportDevice (a printer, its
// preview or a text file). Records come from the caller's closures: bWhile
// says whether there is a record, bSkip moves to the next.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "report_device.hpp"
#include "value.hpp"

namespace wl {

class TReport;
using ReportText = std::function<Value()>;
using ReportIndex = std::function<int()>;

// Pad: 1 left, 2 right, 3 centred.
int reportPad(const std::string& align, int otherwise);

// A memo's text as the lines of at most `width` characters it prints in:
// broken at its line ends and at the last blank that fits (a longer word
// is cut).
std::vector<std::string> reportMemoLines(const std::string& text, int width);

// The font of a spreadsheet page header or footer line.
struct XlHeaderFont {
    std::string cFaceName;
    int nHeight = 0;
    bool lBold = false, lItalic = false;
};
// One header or footer line in the spreadsheet's page-setup codes: a line
// feed, the font, its size in points and the text; "" for an empty line.
std::string XLHEADERLINE(const ReportText& bLine, const XlHeaderFont& oFont, int nLogPixY);
// A block's lines joined, the first line feed dropped ("" when it has only
// an empty line).
std::string xlHeaderBlock(const std::vector<ReportText>& lines, const std::vector<XlHeaderFont>& fonts, int nLogPixY);

class TRLine {
public:
    TRLine(std::vector<ReportText> aLine, TReport* report, int nPad = 1);
    TReport* oReport = nullptr;
    std::vector<ReportText> aLine;
    std::vector<ReportIndex> aFont;
    std::vector<int> aRow, aWidth, aPad;
    int nCol = 0, nHeight = 0, nWidth = 0;
    void Add(ReportText line, ReportIndex font = {}, int pad = 1);
    void Stabilize(int row = 0, int col = 0);
    void Say(int offset = 0);
    bool empty() const;
};

class TRColumn {
public:
    TReport* oReport = nullptr;
    std::vector<ReportText> aData, aTitle;
    std::vector<std::string> aPicture;
    ReportIndex bDataFont, bTitleFont, bTotalFont;
    std::function<bool()> bTotalExpr;
    std::string cTotalPict;
    int nWidth = 0, nDataHeight = 0, nTitleHeight = 0, nCol = 0, nSize = 0, nPad = 1, nPen = 1, nCalCol = 0;
    double nTotal = 0;
    bool lTotal = false, lShadow = false, lGrid = false;
    bool lUnderline = false, lDobleUnd = false, lTextUnd = false;
    // A memo column prints its text over as many lines as it needs at nSize.
    bool lMemo = false;
    int nMemoLines = 1;
    std::string cMemoText;
    // An image column draws its picture (bImage: a file name or the bytes)
    // over nImgLines data lines (nImgHtx pixels).
    bool lImage = false;
    ReportText bImage;
    int nImgHtx = 0, nImgLines = 0, nAlphaLevel = 255;

    void Stabilize();
    void SayTitle(int row, int line);
    void SayData(int row, int line);
    // The lines this column needs for the current record.
    int LineCount() const;
    // A rule under the text (lTextUnd) or under the column, doubled with
    // lDoble, at `row`.
    void Underline(bool lText, bool lDoble, const std::string& text, int row);
    void SayTotal(int row);
    std::string dataText(int line) const;
    // Text at the column, aligned by its pad and clipped to its width.
    void sayAligned(int row, const std::string& text, int font, std::optional<int> pad = {});
};

class TRGroup {
public:
    TReport* oReport = nullptr;
    std::vector<double> aTotal;
    ReportText bGroup, bHeader, bFooter;
    ReportIndex bHeadFont, bFootFont;
    std::string cValue, cOldValue;
    int nCounter = 0, nHeaderHeight = 0, nFooterHeight = 0;
    bool lEject = false, lNeedStart = true;

    void Reset(bool readValue);
    bool Check();
    void Header(int row);
    void Footer(int row);
    void Total(int row);
    bool hasHeader() const;
    bool hasFooter() const;
};

struct ReportOptions {
    std::vector<ReportText> aTitle, aHeader, aFooter;
    bool lSummary = false;
    std::string cName;
    std::string cTitleAlign = "CENTER", cHeaderAlign = "LEFT", cFooterAlign = "LEFT";
};

class TReport {
public:
    TReport(std::unique_ptr<ReportDevice> device, ReportOptions options = {});
    ~TReport();

    std::unique_ptr<ReportDevice> oDevice;
    std::unique_ptr<TRLine> oTitle, oHeader, oFooter;
    std::vector<std::unique_ptr<TRColumn>> aColumns;
    std::vector<std::unique_ptr<TRGroup>> aGroups;
    std::vector<int> aDataHeight;
    std::function<bool()> bFor, bWhile;
    std::function<void(TReport&)> bInit, bEnd, bStartPage, bEndPage, bPostEnd, bPostPage;
    std::function<void(int)> bSkip;
    std::function<void()> bChange;
    std::string cName, cPageTotal, cGrandTotal;
    std::string cCharPattern = "B";
    int nWidth = 0, nHeight = 0, nLogPixX = 0, nLogPixY = 0;
    int nLeftMargin = 0, nRightMargin = 0, nTopMargin = 0, nDnMargin = 0;
    int nMargin = 0, nRow = 0, nPage = 0, nSeparator = 0, nStdLineHeight = 0;
    int nMaxTitle = 0, nMaxData = 0, nTitleRow = 0, nBottomRow = 0, nTitleHeight = 0, nRptWidth = 0;
    int nCounter = 0;
    int nTotalLine = 2, nGroupLine = 1, nTitleUpLine = 2, nTitleDnLine = 2;
    bool lSummary = false, lTotal = false, lFinish = false, lStable = false, lCreated = false, lBreak = false;
    bool lFirstRow = true, lSeparator = false, lJoin = false, lPageTotal = true;
    bool lShadow = false, lGrid = false, lBoxOnTotal = false;
    // A too wide report turns a portrait page landscape once (lIsNarrow).
    bool lAutoLand = true, lIsNarrow = false;
    // The "Printing page" window (from the device unless set); lNoCancel
    // disables its Cancel.
    std::unique_ptr<ReportProgress> oRptWnd;
    bool lNoCancel = false;
    unsigned nClrShadow = 0xC0C0C0;
    int nMemoLines = 0;
    int nDataLine = 0;

    TRColumn& AddColumn(std::unique_ptr<TRColumn> column);
    TRGroup& AddGroup(std::unique_ptr<TRGroup> group);
    // Runs the report (records while bWhile holds, those passing bFor).
    void Activate(std::function<bool()> bFor = {}, std::function<bool()> bWhile = {});
    bool Stabilize();
    void Play();
    void End();
    void Skip(int n = 1);
    void StartPage();
    void EndPage();
    void StartLine(int height, bool separator = false);
    void EndLine(int height);
    void StartGroup(std::size_t n);
    void EndGroup(std::size_t n);
    void PageTotal();
    void ColTitle();
    void TotalLine(int type, int pos = 0);
    void Separator();
    // Vertical rules around the gridded columns from `row` down `height`.
    void Grid(int height, std::optional<int> row = {});
    // The shadowed columns' bands of `height` from the current row.
    void Shadow(int height);
    // One margin in inches (nScale 2: cm); nType 1 left, 2 right, 4 top,
    // 5 bottom. The layout is worked out again.
    void Margin(double nValue = 0.2, int nType = 1, int nScale = 1);
    // Every cell framed: joined rules, separators, boxed totals, all columns
    // gridded.
    void CellView();
    void SetShdColor(unsigned color) { nClrShadow = color; }
    // A picture at (nRow, nCol) of nWidth x nHeight: inches (nScale 1),
    // centimetres (2) or pixels (0 or less).
    void SayBitmap(double nRow = 0.2, double nCol = 0.2, const std::string& xImage = {}, double nWidth = 1,
                   double nHeight = 1, int nScale = 1, int nAlpha = 255);
    bool NeedNewPage() const { return nRow >= nBottomRow; }
    // The listing as a spreadsheet: bToExcel when set; there is no
    // spreadsheet program to automate, so otherwise its alert.
    void ToExcel();
    std::function<void(TReport&)> bToExcel;

private:
    // A text file's rule meets the grid in box-drawing junctions.
    void totalLineJunctions(int type, int pos);

public:
    // Text width and height in a report font, on the device.
    int textWidth(const std::string& text, int font) { return oDevice->GetTextWidth(text, font); }
    int textHeight(int font) { return oDevice->GetTextHeight(cCharPattern, font); }
};

// Building a report step by step; reports under construction nest.
TReport* RPTBEGIN(std::unique_ptr<ReportDevice> device, ReportOptions options = {});
struct ColumnOptions {
    std::vector<ReportText> aTitle;
    int nCol = 0;
    std::vector<ReportText> aData;
    int nSize = 0;
    std::vector<std::string> aPicture;
    ReportIndex bFont;
    bool lTotal = false;
    std::function<bool()> bTotalExpr;
    std::string cAlign;
    bool lShadow = false, lGrid = false;
    int nPen = 1;
    bool lMemo = false;
    bool lImage = false;
    ReportText bImage;
    // The picture's height: pixels with lImgHeight, else data lines.
    int nImgSize = 0;
    bool lImgHeight = false;
    int nAlpha = 255;
};
void RPTADDCOLUMN(ColumnOptions options);
void RPTADDGROUP(ReportText bGroup, ReportText bHeader = {}, ReportText bFooter = {}, ReportIndex bFont = {},
                 bool lEject = false);
// Adds the listed columns and groups to the report on top and answers it.
std::unique_ptr<TReport> RPTEND();

}  // namespace wl
