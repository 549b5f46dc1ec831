#include "report_engine.hpp"

#include <algorithm>
#include <cmath>

#include "messages.hpp"
#include "text.hpp"
#include "value_conversion.hpp"
#include "process_state.hpp"

namespace wl {

namespace {

ReportText blank() {
    return [] { return Value(std::string()); };
}

ReportIndex fontOne() {
    return [] { return 1; };
}

std::string textOf(const ReportText& f) { return f ? alltrim(CVALTOCHAR(f())) : std::string(); }

int fontOf(const ReportIndex& f) { return f ? f() : 1; }

// The rule characters of a text file (code page 437): the fill of a single
// and a double rule.
constexpr char kSingle = '\xC4', kDouble = '\xCD';

}  // namespace

int reportPad(const std::string& align, int otherwise) {
    const std::string a = upper(alltrim(align));
    if (a == "LEFT") return 1;
    if (a == "RIGHT") return 2;
    if (a == "CENTER" || a == "CENTERED") return 3;
    return otherwise;
}

std::vector<std::string> reportMemoLines(const std::string& text, int width) {
    std::vector<std::string> out;
    const std::size_t w = static_cast<std::size_t>(std::max(width, 1));
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string para = text.substr(start, end - start);
        if (!para.empty() && para.back() == '\r') para.pop_back();
        while (para.size() > w) {
            std::size_t cut = para.rfind(' ', w);
            if (cut == std::string::npos || cut == 0) cut = w;
            out.push_back(rtrim(para.substr(0, cut)));
            para = ltrim(para.substr(cut));
        }
        out.push_back(para);
        if (end == text.size()) break;
        start = end + 1;
    }
    return out;
}

std::string XLHEADERLINE(const ReportText& bLine, const XlHeaderFont& oFont, int nLogPixY) {
    const std::string text = bLine ? CVALTOCHAR(bLine()) : std::string();
    if (text.empty()) return {};
    const std::string style = oFont.lBold && oFont.lItalic ? "Bold Italic"
                              : oFont.lBold                ? "Bold"
                              : oFont.lItalic              ? "Italic"
                                                           : "Normal";
    const int points = nLogPixY > 0 ? std::abs(oFont.nHeight) * 72 / nLogPixY : 0;
    return "\n&\"" + oFont.cFaceName + "," + style + "\"&" + std::to_string(points) + text;
}

std::string xlHeaderBlock(const std::vector<ReportText>& lines, const std::vector<XlHeaderFont>& fonts, int nLogPixY) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i)
        out += XLHEADERLINE(lines[i], i < fonts.size() ? fonts[i] : (fonts.empty() ? XlHeaderFont{} : fonts[0]), nLogPixY);
    if (!out.empty() && out[0] == '\n') out.erase(0, 1);
    return out;
}

// ---- TRLine ----

TRLine::TRLine(std::vector<ReportText> lines, TReport* report, int nPad) : oReport(report) {
    if (lines.empty()) lines.push_back(blank());
    for (auto& l : lines) Add(std::move(l), {}, nPad);
}

void TRLine::Add(ReportText line, ReportIndex font, int pad) {
    aLine.push_back(line ? std::move(line) : blank());
    aFont.push_back(font ? std::move(font) : fontOne());
    aPad.push_back(pad);
    aRow.push_back(0);
    aWidth.push_back(0);
}

bool TRLine::empty() const { return aLine.empty() || textOf(aLine[0]).empty(); }

void TRLine::Stabilize(int row, int col) {
    nCol = col;
    nHeight = nWidth = 0;
    if (empty()) return;
    int at = row;
    for (std::size_t i = 0; i < aLine.size(); ++i) {
        const int font = fontOf(aFont[i]);
        aRow[i] = at;
        at += oReport->textHeight(font);
        aWidth[i] = oReport->textWidth(textOf(aLine[i]), font);
        nWidth = std::max(nWidth, aWidth[i]);
    }
    nHeight = at - row;
}

void TRLine::Say(int offset) {
    if (empty()) return;
    TReport& r = *oReport;
    for (std::size_t i = 0; i < aLine.size(); ++i) {
        const std::string text = textOf(aLine[i]);
        const int font = fontOf(aFont[i]);
        const int width = r.textWidth(text, font);
        int x = nCol;
        if (aPad[i] == 2) x = r.nMargin + r.nRptWidth - width;
        if (aPad[i] == 3) x = r.nMargin + r.nRptWidth / 2 - width / 2;
        r.oDevice->Say(aRow[i] + offset, std::max(0, x), text, font);
    }
}

// ---- TRColumn ----

std::string TRColumn::dataText(int line) const {
    if (line < 1 || line > static_cast<int>(aData.size()) || !aData[static_cast<std::size_t>(line - 1)]) return {};
    const Value v = aData[static_cast<std::size_t>(line - 1)]();
    const std::string picture =
        line <= static_cast<int>(aPicture.size()) ? aPicture[static_cast<std::size_t>(line - 1)] : cTotalPict;
    return alltrim(picture.empty() ? CVALTOCHAR(v) : CVALTOSTR(v, Value(picture)));
}

void TRColumn::Stabilize() {
    TReport& r = *oReport;
    nDataHeight = r.textHeight(fontOf(bDataFont));
    nTitleHeight = r.textHeight(fontOf(bTitleFont));
    const int dataChar = r.textWidth(r.cCharPattern, fontOf(bDataFont));
    if (nSize > 0) {
        nWidth = r.textWidth(std::string(static_cast<std::size_t>(nSize), r.cCharPattern[0]), fontOf(bDataFont));
        return;
    }
    nWidth = 0;
    for (int i = 1; i <= static_cast<int>(aData.size()); ++i)
        nWidth = std::max(nWidth, dataChar * static_cast<int>(dataText(i).size()));
    const int titleChar = r.textWidth(r.cCharPattern, fontOf(bTitleFont));
    for (const auto& t : aTitle) nWidth = std::max(nWidth, titleChar * static_cast<int>(textOf(t).size()));
}

void TRColumn::sayAligned(int row, const std::string& text, int font, std::optional<int> pad) {
    if (text.empty()) return;
    TReport& r = *oReport;
    const int width = r.textWidth(text, font);
    int x = nCalCol;
    const int p = pad.value_or(nPad);
    if (p == 2) x = nCalCol + std::max(0, nWidth - width);
    if (p == 3) x = nCalCol + std::max(0, (nWidth - width) / 2);
    r.oDevice->Say(row, x, text, font, nWidth - (x - nCalCol));
}

void TRColumn::SayTitle(int row, int line) {
    if (line < 1 || line > static_cast<int>(aTitle.size())) return;
    sayAligned(row, textOf(aTitle[static_cast<std::size_t>(line - 1)]), fontOf(bTitleFont));
}

int TRColumn::LineCount() const {
    if (lImage) return std::max(nImgLines, static_cast<int>(aData.size()));
    if (!lMemo) return static_cast<int>(aData.size());
    const std::string text = aData.empty() ? std::string() : textOf(aData[0]);
    return static_cast<int>(reportMemoLines(text, nSize).size());
}

void TRColumn::SayData(int row, int line) {
    TReport& r = *oReport;
    if (line > std::max({static_cast<int>(aData.size()), nMemoLines, lImage ? nImgLines : 0})) return;
    std::string text;
    if (lMemo) {
        if (line == 1) {
            cMemoText = aData.empty() ? std::string() : textOf(aData[0]);
            nMemoLines = static_cast<int>(reportMemoLines(cMemoText, nSize).size());
            r.nMemoLines = std::max(r.nMemoLines, nMemoLines);
        }
        const std::vector<std::string> lines = reportMemoLines(cMemoText, nSize);
        if (line <= static_cast<int>(lines.size())) text = alltrim(lines[static_cast<std::size_t>(line - 1)]);
    } else {
        text = dataText(line);
    }
    if (lImage && line == 1) {
        r.nMemoLines = std::max(r.nMemoLines, nImgLines);
        const std::string image = bImage ? CVALTOCHAR(bImage()) : std::string();
        const int height = nDataHeight * std::max(nImgLines, r.nMemoLines) - 20;
        if (!image.empty()) r.SayBitmap(row, nCalCol, image, nWidth, height, 0, nAlphaLevel);
    }
    if (text.empty()) return;
    sayAligned(row, text, fontOf(bDataFont));
    if (lUnderline) Underline(lTextUnd, lDobleUnd, text, row + nDataHeight);
}

void TRColumn::Underline(bool lText, bool lDoble, const std::string& text, int row) {
    TReport& r = *oReport;
    int left = nCalCol, right = nCalCol + nWidth;
    if (lText) {
        const int width = std::min(r.textWidth(text, fontOf(bDataFont)), nWidth);
        if (nPad == 2) left = right - width;
        else if (nPad == 3) left = nCalCol + (nWidth - width) / 2;
        right = left + width;
    } else if (lGrid) {
        left -= r.nSeparator / 2;
        right += r.nSeparator / 2;
    }
    if (!lDoble) {
        r.oDevice->Line(row, left, row, right, nPen);
        return;
    }
    const int pen = std::max(1, r.oDevice->penWidth(nPen));
    r.oDevice->Line(row - pen, left, row - pen, right, nPen);
    r.oDevice->Line(row + pen, left, row + pen, right, nPen);
}

void TRColumn::SayTotal(int row) {
    if (!lTotal) return;
    sayAligned(row, alltrim(CVALTOSTR(Value(nTotal), Value(cTotalPict))), fontOf(bTotalFont));
}

// ---- TRGroup ----

bool TRGroup::hasHeader() const { return !textOf(bHeader).empty(); }
bool TRGroup::hasFooter() const { return !textOf(bFooter).empty(); }

void TRGroup::Reset(bool readValue) {
    std::fill(aTotal.begin(), aTotal.end(), 0.0);
    aTotal.resize(oReport->aColumns.size(), 0.0);
    nCounter = 0;
    if (readValue) cOldValue = CVALTOCHAR(bGroup ? bGroup() : Value(std::string()));
    cValue = cOldValue;
    lNeedStart = true;
}

bool TRGroup::Check() {
    if (oReport->bWhile && !oReport->bWhile()) return true;
    cOldValue = CVALTOCHAR(bGroup ? bGroup() : Value(std::string()));
    return cOldValue != cValue;
}

void TRGroup::Header(int row) { oReport->oDevice->Say(row, oReport->nMargin, textOf(bHeader), fontOf(bHeadFont)); }

void TRGroup::Footer(int row) {
    const std::string text = textOf(bFooter);
    if (!text.empty()) oReport->oDevice->Say(row, oReport->nMargin, text, fontOf(bFootFont));
    Total(row);
}

void TRGroup::Total(int row) {
    auto& columns = oReport->aColumns;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        TRColumn& c = *columns[i];
        if (!c.lTotal) continue;
        c.sayAligned(row, alltrim(CVALTOSTR(Value(aTotal[i]), Value(c.cTotalPict))), fontOf(c.bTotalFont));
    }
}

// ---- TReport ----

TReport::TReport(std::unique_ptr<ReportDevice> device, ReportOptions o)
    : oDevice(std::move(device)), lSummary(o.lSummary) {
    oTitle = std::make_unique<TRLine>(o.aTitle, this, reportPad(o.cTitleAlign, 3));
    oHeader = std::make_unique<TRLine>(o.aHeader, this, reportPad(o.cHeaderAlign, 1));
    oFooter = std::make_unique<TRLine>(o.aFooter, this, reportPad(o.cFooterAlign, 1));
    cName = !o.cName.empty() ? o.cName
            : oDevice && !oDevice->documentName().empty() ? oDevice->documentName()
                                                           : "Printing report";
    if (!oDevice || !oDevice->ok()) return;
    lCreated = true;
    nWidth = oDevice->nHorzRes();
    nHeight = oDevice->nVertRes();
    nLogPixX = oDevice->nLogPixelX();
    nLogPixY = oDevice->nLogPixelY();
    nLeftMargin = nRightMargin = static_cast<int>(0.2 * nLogPixX);
    nTopMargin = nDnMargin = static_cast<int>(0.2 * nLogPixY);
}

TReport::~TReport() {
    if (oDevice) oDevice->End();
}

TRColumn& TReport::AddColumn(std::unique_ptr<TRColumn> column) {
    column->oReport = this;
    aColumns.push_back(std::move(column));
    lStable = false;
    return *aColumns.back();
}

TRGroup& TReport::AddGroup(std::unique_ptr<TRGroup> group) {
    group->oReport = this;
    aGroups.push_back(std::move(group));
    lStable = false;
    return *aGroups.back();
}

bool TReport::Stabilize() {
    if (aColumns.empty()) {
        lCreated = false;
        return false;
    }
    if (nSeparator == 0) nSeparator = textWidth(cCharPattern, 1);
    nStdLineHeight = textHeight(1);
    nMaxTitle = nMaxData = 0;
    lTotal = lShadow = lGrid = false;
    for (auto& c : aColumns) {
        if (c->lMemo && c->nSize <= 0) c->nSize = 50;
        if (c->lImage && c->nSize <= 0) c->nSize = 10;
        if (c->lImage && !c->bImage && !c->aData.empty()) {
            // The picture comes from the first data line, which then prints nothing.
            c->bImage = c->aData[0];
            c->aData[0] = blank();
        }
        c->Stabilize();
        if (c->lImage) {
            const int line = std::max(c->nDataHeight, 1);
            if (c->nImgLines <= 0) c->nImgLines = c->nImgHtx > 0 ? c->nImgHtx / line + 1 : 4;
            c->nImgLines = std::max(c->nImgLines, static_cast<int>(c->aData.size()));
            c->nImgHtx = c->nImgLines * c->nDataHeight;
        }
        nMaxTitle = std::max(nMaxTitle, static_cast<int>(c->aTitle.size()));
        nMaxData = std::max(nMaxData, static_cast<int>(c->aData.size()));
        lTotal = lTotal || c->lTotal;
        lShadow = lShadow || c->lShadow;
        lGrid = lGrid || c->lGrid;
    }
    nRptWidth = -nSeparator;
    for (auto& c : aColumns) nRptWidth += c->nWidth + nSeparator;
    oHeader->Stabilize();
    oTitle->Stabilize();
    oFooter->Stabilize();
    nRptWidth = std::max({nRptWidth, oHeader->nWidth, oTitle->nWidth, oFooter->nWidth});
    if (oDevice->isTextFile()) {
        oDevice->SetWidth(nRptWidth + 10 * nSeparator);
        nWidth = oDevice->nHorzRes();
    } else if (nRptWidth > nWidth) {
        if (lAutoLand && !lIsNarrow && oDevice->GetOrientation() == 1) {
            lIsNarrow = true;  // Activate turns the page and lays out again
            return false;
        }
        if (!MSGYESNO("Report width is greater than page width", std::string("Attention"))) return false;
    }
    const int usable = nWidth - nLeftMargin - nRightMargin;
    nRptWidth = std::min(nRptWidth, nWidth);
    nMargin = std::max((usable - nRptWidth) / 2, 0) + nLeftMargin;
    int x = nMargin;
    for (std::size_t i = 0; i < aColumns.size(); ++i) {
        TRColumn& c = *aColumns[i];
        if (i > 0) x = aColumns[i - 1]->nCalCol + aColumns[i - 1]->nWidth + nSeparator;
        c.nCalCol = c.nCol > 0 ? c.nCol : x;
    }
    oHeader->Stabilize(nTopMargin, nMargin);
    oTitle->Stabilize(nTopMargin + oHeader->nHeight, nMargin);
    oFooter->Stabilize(nHeight - nDnMargin - oFooter->nHeight, nMargin);
    for (auto& g : aGroups) {
        g->nHeaderHeight = textHeight(fontOf(g->bHeadFont));
        g->nFooterHeight = textHeight(fontOf(g->bFootFont));
    }
    nTitleRow = nTopMargin + oHeader->nHeight + oTitle->nHeight;
    int maxData = 0;
    for (auto& c : aColumns) maxData = std::max(maxData, c->nDataHeight);
    const int ruleHeight = 10 * std::max(1, oDevice->penWidth(1));
    nBottomRow = nHeight - oFooter->nHeight - nDnMargin - (lTotal ? nStdLineHeight + maxData : 0) -
                 (!lTotal && lSeparator ? ruleHeight : 0) - (lTotal && lBoxOnTotal ? nStdLineHeight : 0);
    nTitleHeight = 0;
    for (int i = 0; i < nMaxTitle; ++i) {
        int h = 0;
        for (auto& c : aColumns) h = std::max(h, c->nTitleHeight);
        nTitleHeight += h;
    }
    aDataHeight.assign(static_cast<std::size_t>(std::max(nMaxData, 1)), maxData);
    lStable = true;
    lFinish = false;
    return true;
}

void TReport::Activate(std::function<bool()> bForIn, std::function<bool()> bWhileIn) {
    if (!bFor) bFor = bForIn ? std::move(bForIn) : [] { return true; };
    if (!bWhile) bWhile = bWhileIn ? std::move(bWhileIn) : [] { return false; };
    if (!aGroups.empty())
        while (bWhile() && !bFor()) Skip(1);
    if (!lCreated) {
        End();
        return;
    }
    bool laidOut = Stabilize();
    if (!laidOut && lIsNarrow && lCreated) {
        oDevice->SetLandscape();
        nWidth = oDevice->nHorzRes();
        nHeight = oDevice->nVertRes();
        laidOut = Stabilize();
    }
    if (!laidOut) {
        End();
        return;
    }
    if (!oRptWnd) oRptWnd = oDevice->progress();
    if (oRptWnd) oRptWnd->Start(cName, !lNoCancel);
    Play();
    if (oRptWnd) oRptWnd->Close();
}

void TReport::Skip(int n) {
    ++nCounter;
    if (bChange) bChange();
    if (bSkip) bSkip(n);
}

void TReport::Play() {
    StartPage();
    if (bInit) bInit(*this);
    for (auto& g : aGroups) g->Reset(true);
    for (std::size_t i = 0; i < aGroups.size(); ++i) StartGroup(i);
    while (!lBreak && bWhile()) {
        if (oRptWnd && oRptWnd->Cancelled()) {
            lBreak = true;
            break;
        }
        if (!bFor()) {
            Skip(1);
            continue;
        }
        for (auto& g : aGroups) ++g->nCounter;
        nMemoLines = 0;
        for (auto& c : aColumns) nMemoLines = std::max(nMemoLines, c->LineCount());
        const int lines = std::max(nMaxData, nMemoLines);
        for (int line = 1; line <= lines; ++line) {
            nDataLine = line;
            const int height = aDataHeight[static_cast<std::size_t>(std::min(line, nMaxData) - 1)];
            if (!lSummary) {
                StartLine(height, lSeparator && !lFirstRow && line == 1);
                for (auto& c : aColumns) c->SayData(nRow, line);
            }
            for (std::size_t i = 0; i < aColumns.size(); ++i) {
                TRColumn& c = *aColumns[i];
                if (!c.lTotal || line > static_cast<int>(c.aData.size()) || (c.bTotalExpr && !c.bTotalExpr()))
                    continue;
                const Value v = c.aData[static_cast<std::size_t>(line - 1)]();
                if (!v.isNumber()) continue;
                c.nTotal += v.number();
                for (auto& g : aGroups) g->aTotal[i] += v.number();
            }
            if (!lSummary) EndLine(height);
        }
        Skip(1);
        if (aGroups.empty()) continue;
        while (bWhile() && !bFor()) Skip(1);
        for (std::size_t i = aGroups.size(); i-- > 0;)
            if (aGroups[i]->Check()) EndGroup(i);
        for (std::size_t i = 0; i < aGroups.size(); ++i)
            if (aGroups[i]->lNeedStart) StartGroup(i);
    }
    for (std::size_t i = aGroups.size(); i-- > 0;)
        if (aGroups[i]->nCounter > 0) EndGroup(i);
    End();
}

void TReport::End() {
    if (lFinish) return;
    lFinish = true;
    if (!lCreated || !lStable) {
        if (oDevice) oDevice->End();
        return;
    }
    if (!lBreak && bEnd) bEnd(*this);
    EndPage();
    if (!oDevice->isPreview()) oDevice->End();
}

void TReport::StartPage() {
    oDevice->StartPage();
    ++nPage;
    if (oRptWnd) oRptWnd->Page(nPage);
    if (bStartPage) bStartPage(*this);
    oHeader->Say();
    oTitle->Say();
    ColTitle();
    lFirstRow = true;
}

void TReport::EndPage() {
    if (bEndPage) bEndPage(*this);
    PageTotal();
    oFooter->Say();
    if (bPostPage) bPostPage(*this);
    if (lFinish && !lBreak && bPostEnd) bPostEnd(*this);
    oDevice->EndPage();
    if (!lFinish) StartPage();
}

void TReport::StartLine(int height, bool separator) {
    if (height == 0) return;
    if (nRow + height >= nBottomRow) {
        EndPage();
    } else if (separator) {
        Separator();
    }
    Shadow(height);
    Grid(height);
}

void TReport::Grid(int height, std::optional<int> row) {
    if (!lGrid || height == 0) return;
    const int top = row.value_or(nRow);
    if (oDevice->isTextFile()) {
        const std::string bar(static_cast<std::size_t>(std::max(nSeparator, 1)), '\xB3');
        for (auto& c : aColumns) {
            if (!c->lGrid) continue;
            oDevice->Say(top, std::max(0, c->nCalCol - static_cast<int>(bar.size())), bar, 1);
            oDevice->Say(top, c->nCalCol + c->nWidth, bar, 1);
        }
        return;
    }
    for (auto& c : aColumns) {
        if (!c->lGrid) continue;
        const int left = c->nCalCol - nSeparator / 2, right = c->nCalCol + c->nWidth + nSeparator / 2;
        oDevice->Line(top, left, top + height, left, c->nPen);
        oDevice->Line(top, right, top + height, right, c->nPen);
    }
}

void TReport::Shadow(int height) {
    if (!lShadow || height == 0) return;
    for (auto& c : aColumns) {
        if (!c->lShadow) continue;
        const int widen = c->lGrid ? 2 * std::max(1, oDevice->penWidth(c->nPen)) : 0;
        oDevice->FillRect(nRow, c->nCalCol - widen, nRow + height, c->nCalCol + c->nWidth + widen, nClrShadow);
    }
}

void TReport::Margin(double nValue, int nType, int nScale) {
    const double inches = nScale == 2 ? nValue / 2.54 : nValue;
    const int x = static_cast<int>(inches * nLogPixX), y = static_cast<int>(inches * nLogPixY);
    switch (nType) {
        case 1: nLeftMargin = x; break;
        case 2: nRightMargin = x; break;
        case 4: nTopMargin = y; break;
        case 5: nDnMargin = y; break;
        default: return;
    }
    lStable = false;
}

void TReport::SayBitmap(double nRow, double nCol, const std::string& xImage, double nWidth, double nHeight,
                        int nScale, int nAlpha) {
    if (nScale > 0) {
        const double unit = nScale == 2 ? 1 / 2.54 : 1.0;
        nRow *= unit * nLogPixY;
        nCol *= unit * nLogPixX;
        nWidth *= unit * nLogPixX;
        nHeight *= unit * nLogPixY;
    }
    // Rounded: a centimetre value converted back to inches is a hair short.
    oDevice->SayImage(static_cast<int>(std::lround(nRow)), static_cast<int>(std::lround(nCol)), xImage,
                      static_cast<int>(std::lround(nWidth)), static_cast<int>(std::lround(nHeight)), nAlpha);
}

void TReport::CellView() {
    lJoin = lSeparator = lBoxOnTotal = true;
    for (auto& c : aColumns) c->lGrid = true;
    lStable = false;
}

void TReport::EndLine(int height) {
    nRow += height;
    lFirstRow = false;
    if (nRow >= nBottomRow) EndPage();
}

void TReport::StartGroup(std::size_t n) {
    TRGroup& g = *aGroups[n];
    g.lNeedStart = false;
    if (!bWhile()) return;
    if (g.hasHeader()) {
        StartLine(g.nHeaderHeight);
        g.Header(nRow);
        EndLine(g.nHeaderHeight);
    }
}

void TReport::EndGroup(std::size_t n) {
    TRGroup& g = *aGroups[n];
    if (!lSummary && lTotal) StartLine(2 * g.nFooterHeight);
    if (g.hasFooter()) {
        Separator();
        StartLine(g.nFooterHeight);
        g.Footer(nRow);
        EndLine(g.nFooterHeight);
    }
    if (!lSummary && lTotal) TotalLine(nGroupLine, 0);
    if (g.lEject && !lFirstRow && bWhile() && bFor()) EndPage();
    g.Reset(false);
}

void TReport::PageTotal() {
    if (!lTotal || (!lPageTotal && !lFinish)) {
        if (lSeparator || lJoin) TotalLine(nTotalLine, 0);
        return;
    }
    if (lBoxOnTotal) {
        TotalLine(nTotalLine, 2);
        Grid(nStdLineHeight);
    } else {
        TotalLine(nTotalLine, 0);
    }
    const std::string label = lFinish ? cGrandTotal : cPageTotal;
    if (!label.empty()) oDevice->Say(nRow, aColumns.front()->nCalCol, label, 1);
    for (auto& c : aColumns) c->SayTotal(nRow);
    nRow += nStdLineHeight;
    if (lBoxOnTotal) TotalLine(nTotalLine, 0);
}

void TReport::ColTitle() {
    nRow = nTitleRow;
    TotalLine(nTitleUpLine, 1);
    for (int line = 1; line <= nMaxTitle; ++line) {
        int h = 0;
        for (auto& c : aColumns) {
            c->SayTitle(nRow, line);
            h = std::max(h, c->nTitleHeight);
        }
        if (nTitleUpLine != 0) Grid(h);
        nRow += h;
    }
    TotalLine(nTitleDnLine, 2);
    lFirstRow = true;
}

void TReport::TotalLine(int type, int pos) {
    if (type != 1 && type != 2) return;
    if (oDevice->isTextFile()) {
        const char fill = type == 1 ? kSingle : kDouble;
        for (std::size_t i = 0; i < aColumns.size(); ++i) {
            const TRColumn& c = *aColumns[i];
            const bool joinNext = lJoin && i + 1 < aColumns.size();
            oDevice->Say(nRow, c.nCalCol, std::string(static_cast<std::size_t>(c.nWidth + (joinNext ? nSeparator : 0)), fill), 1);
        }
        if (lGrid) totalLineJunctions(type, pos);
        nRow += 1;
        return;
    }
    const int h = 10 * std::max(1, oDevice->penWidth(1));
    // Where the grid meets the rule: under it (0), above it (1), through it (2).
    int gridTop = nRow, gridHeight = 0;
    if (type == 1) {
        gridHeight = pos == 2 ? h : h / 2;
        if (pos == 1) gridTop = nRow + h / 2;
    } else {
        gridHeight = pos == 2 ? h : h * 6 / 10;
        if (pos == 1) gridTop = nRow + h * 4 / 10;
    }
    Grid(gridHeight, gridTop);
    const int half = lJoin ? nSeparator / 2 : 0;
    for (auto& c : aColumns) {
        const int left = c->nCalCol - half, right = c->nCalCol + c->nWidth + half;
        if (type == 1) {
            oDevice->Line(nRow + h / 2, left, nRow + h / 2, right, 1);
        } else {
            oDevice->Line(nRow + h * 4 / 10, left, nRow + h * 4 / 10, right, 1);
            oDevice->Line(nRow + h * 6 / 10, left, nRow + h * 6 / 10, right, 1);
        }
    }
    nRow += h;
}

void TReport::totalLineJunctions(int type, int pos) {
    // Code page 437 box characters: {junction, left end, right end} of a
    // single and a double rule under (0), above (1) and through (2) the grid.
    static constexpr char kJoints[2][3][3] = {
        {{'\xC1', '\xC0', '\xD9'}, {'\xC2', '\xDA', '\xBF'}, {'\xC5', '\xC3', '\xB4'}},
        {{'\xCF', '\xD4', '\xBE'}, {'\xD1', '\xD5', '\xB8'}, {'\xD8', '\xC6', '\xB5'}}};
    const char* joint = kJoints[type - 1][std::clamp(pos, 0, 2)];
    std::size_t first = aColumns.size(), last = 0;
    for (std::size_t i = 0; i < aColumns.size(); ++i)
        if (aColumns[i]->lGrid) {
            first = std::min(first, i);
            last = i;
        }
    const int sep = std::max(nSeparator, 1);
    for (std::size_t i = 0; i < aColumns.size(); ++i) {
        const TRColumn& c = *aColumns[i];
        if (!c.lGrid) continue;
        const char left = i == first ? joint[1] : joint[0];
        const char right = i == last ? joint[2] : joint[0];
        oDevice->Say(nRow, std::max(0, c.nCalCol - sep), std::string(static_cast<std::size_t>(sep), left), 1);
        oDevice->Say(nRow, c.nCalCol + c.nWidth, std::string(static_cast<std::size_t>(sep), right), 1);
    }
}

void TReport::Separator() {
    if (oDevice->isTextFile()) {
        std::string line(1, '\xC3');
        for (std::size_t i = 0; i < aColumns.size(); ++i) {
            if (i > 0) line += '\xC5';
            line += std::string(static_cast<std::size_t>(aColumns[i]->nWidth), kSingle);
        }
        line += '\xB4';
        oDevice->Say(nRow, std::max(0, nMargin - nSeparator), line, 1);
        nRow += 1;
        return;
    }
    const int pen = std::max(1, oDevice->penWidth(1));
    for (auto& c : aColumns) {
        const int half = c->lGrid ? nSeparator / 2 : 0;
        oDevice->Line(nRow, c->nCalCol - half, nRow, c->nCalCol + c->nWidth + half, c->nPen);
    }
    nRow += 4 * pen;
}

void TReport::ToExcel() {
    if (bToExcel) {
        bToExcel(*this);
        return;
    }
    MSGALERT("Excel not installed", std::string("Alert"));
}

// ---- building ----

namespace {

struct Building {
    TReport* report;
    std::unique_ptr<TReport> owned;
    std::vector<std::unique_ptr<TRColumn>> columns;
    std::vector<std::unique_ptr<TRGroup>> groups;
};

std::vector<Building>& building() {
    return processState().reportBuilding.get<std::vector<Building>>();
}

}  // namespace

TReport* RPTBEGIN(std::unique_ptr<ReportDevice> device, ReportOptions options) {
    auto report = std::make_unique<TReport>(std::move(device), std::move(options));
    TReport* r = report.get();
    building().push_back({r, std::move(report), {}, {}});
    return r;
}

void RPTADDCOLUMN(ColumnOptions o) {
    if (building().empty()) return;
    auto c = std::make_unique<TRColumn>();
    c->aTitle = o.aTitle.empty() ? std::vector<ReportText>{blank()} : std::move(o.aTitle);
    c->aData = o.aData.empty() ? std::vector<ReportText>{blank()} : std::move(o.aData);
    c->nCol = o.nCol;
    c->nSize = o.nSize;
    c->aPicture = o.aPicture.empty() ? std::vector<std::string>{""} : std::move(o.aPicture);
    c->bDataFont = o.bFont ? o.bFont : fontOne();
    c->bTitleFont = fontOne();
    c->bTotalFont = c->bDataFont;
    c->lTotal = o.lTotal;
    c->bTotalExpr = std::move(o.bTotalExpr);
    c->lShadow = o.lShadow;
    c->lGrid = o.lGrid;
    c->nPen = o.nPen;
    c->lMemo = o.lMemo;
    c->lImage = o.lImage;
    c->bImage = std::move(o.bImage);
    (o.lImgHeight ? c->nImgHtx : c->nImgLines) = o.nImgSize;
    if (o.lImage) c->nAlphaLevel = o.nAlpha;
    const bool numeric = c->aData[0] && c->aData[0]().isNumber();
    c->nPad = reportPad(o.cAlign.empty() ? (numeric ? "RIGHT" : "LEFT") : o.cAlign, 1);
    c->cTotalPict = c->aPicture[0];
    while (c->aPicture.size() < c->aData.size()) c->aPicture.push_back(c->cTotalPict);
    building().back().columns.push_back(std::move(c));
}

void RPTADDGROUP(ReportText bGroup, ReportText bHeader, ReportText bFooter, ReportIndex bFont, bool lEject) {
    if (building().empty()) return;
    auto g = std::make_unique<TRGroup>();
    g->bGroup = bGroup ? std::move(bGroup) : blank();
    g->bHeader = bHeader ? std::move(bHeader) : blank();
    g->bFooter = bFooter ? std::move(bFooter) : [] { return Value(std::string("Total...")); };
    g->bHeadFont = g->bFootFont = bFont ? std::move(bFont) : fontOne();
    g->lEject = lEject;
    building().back().groups.push_back(std::move(g));
}

std::unique_ptr<TReport> RPTEND() {
    if (building().empty()) return nullptr;
    Building b = std::move(building().back());
    building().pop_back();
    for (auto& c : b.columns) b.owned->AddColumn(std::move(c));
    for (auto& g : b.groups) b.owned->AddGroup(std::move(g));
    return std::move(b.owned);
}

}  // namespace wl
