// TPrinter: the one way the program draws on paper. It owns a printer
// device context, sends pages straight to the printer or records each page
// as a metafile file (for the preview and the PDF writer), and converts
// centimetres, millimetres and inches into device pixels.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "colors.hpp"
#include "font.hpp"
#include "pen.hpp"
#include "print_units.hpp"

namespace wl {

class TBrush;

struct PrinterOptions {
    std::string cDocument = "Report";
    bool lUser = false;      // ask the user with the print dialog
    bool lPreview = false;   // pages go into metafiles for the preview
    std::string cModel;      // "device,driver,port" of a printer to use
    bool lModal = false;     // the preview is to be modal
    bool lSelection = false;
    std::string cFile;       // a PDF to write instead of printing
};

class TPrinter {
public:
    explicit TPrinter(PrinterOptions options = {});
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    std::shared_ptr<TFont> oFont;
    HDC hDC = nullptr;
    HDC hDCOut = nullptr;
    std::vector<std::string> aMeta;
    std::string cDir, cDocument, cModel, cFile;
    int nPage = 0;
    int nXOffset = 0, nYOffset = 0;
    int nPad = 0;
    std::optional<int> nOrient;
    bool lMeta = false, lPreview = false, lStarted = false, lModified = false, lPrvModal = false;

    void StartPage();
    void EndPage();
    void End();
    void Rebuild();

    // Text output; see sayColumn for nPad without a width.
    void Say(int nRow, int nCol, const std::string& cText, const std::shared_ptr<TFont>& font = nullptr,
             std::optional<int> nWidth = {}, std::optional<Color> nClrText = {}, int nBkMode = TRANSPARENT,
             std::optional<int> pad = {});
    void CmSay(double nRow, double nCol, const std::string& cText, const std::shared_ptr<TFont>& font = nullptr,
               std::optional<double> nWidth = {}, std::optional<Color> nClrText = {}, int nBkMode = TRANSPARENT,
               std::optional<int> pad = {});
    void MmSay(double nRow, double nCol, const std::string& cText, const std::shared_ptr<TFont>& font = nullptr,
               std::optional<double> nWidth = {}, std::optional<Color> nClrText = {}, int nBkMode = TRANSPARENT,
               std::optional<int> pad = {});
    void InchSay(double nRow, double nCol, const std::string& cText, const std::shared_ptr<TFont>& font = nullptr,
                 std::optional<double> nWidth = {}, std::optional<Color> nClrText = {}, int nBkMode = TRANSPARENT,
                 std::optional<int> pad = {});

    std::pair<double, double> Cmtr2Pix(double& nRow, double& nCol) const;
    std::pair<double, double> Mmtr2Pix(double& nRow, double& nCol) const;
    std::pair<double, double> Inch2Pix(double& nRow, double& nCol) const;
    std::vector<double> CmRect2Pix(const std::vector<double>& aRect) const;
    std::pair<int, int> SizeInch2Pix(double nHeight = 0, double nWidth = 0) const;
    std::pair<double, double> Pix2Cmtr(double nX, double nY) const;
    std::pair<double, double> Pix2Mmtr(double nX, double nY) const;
    std::pair<double, double> Pix2Inch(double nX, double nY) const;

    void Box(int nTop, int nLeft, int nBottom, int nRight, const TPen* oPen = nullptr);
    void Line(int nTop, int nLeft, int nBottom, int nRight, const TPen* oPen = nullptr);
    void CmBox(double nTop, double nLeft, double nBottom, double nRight, const TPen* oPen = nullptr);
    void CmLine(double nTop, double nLeft, double nBottom, double nRight, const TPen* oPen = nullptr);
    void SetPos(int nRow, int nCol);
    void RoundBox(int nTop, int nLeft, int nBottom, int nRight, int nWidth, int nHeight, const TPen* oPen = nullptr,
                  std::optional<Color> nBrushColor = {});
    void Arc(int nTop, int nLeft, int nBottom, int nRight, int nXStart, int nYStart, int nXEnd, int nYEnd,
             const TPen* oPen = nullptr);
    void Chord(int nTop, int nLeft, int nBottom, int nRight, int nXStart, int nYStart, int nXEnd, int nYEnd,
               const TPen* oPen = nullptr);
    void Ellipse(int nTop, int nLeft, int nBottom, int nRight, const TPen* oPen = nullptr);
    void Pie(int n1, int n2, int n3, int n4, int n5, int n6, int n7, int n8, const TPen* oPen = nullptr);
    void FillRect(const RECT& aRect, HBRUSH hBrush);
    void DrawText(const std::string& cText, RECT aRect, UINT nFormat = 0);
    // Sets one pixel; reads it back with GetPixel.
    void SetPixel(int nRow, int nCol, std::optional<Color> nColor = {});
    // The colour of one pixel of the page (CLR_INVALID outside it).
    Color GetPixel(int nRow, int nCol) const;
    void SayBitmap(int nRow, int nCol, const std::string& xBitmap, int nWidth = 0, int nHeight = 0,
                   DWORD nRaster = SRCCOPY);
    // A picture file or picture bytes, sized and aligned by placeImage; an
    // image with an alpha channel is blended with nAlpha.
    void SayImage(int nRow, int nCol, const std::string& xImage, int nWidth = 0, int nHeight = 0,
                  DWORD nRaster = SRCCOPY, bool lStretch = true, int nAlpha = 255, int nAlign = 1);
    void ImportWMF(const std::string& cFile);
    void ImportRAW(const std::string& cFile);

    std::shared_ptr<TFont> SetFont(const std::shared_ptr<TFont>& font = nullptr);
    int GetTextWidth(const std::string& cText, const std::shared_ptr<TFont>& font = nullptr);
    int GetTextHeight(const std::string& cText, const std::shared_ptr<TFont>& font = nullptr);
    double CmtrGetTextWidth(const std::string& cText, const std::shared_ptr<TFont>& font = nullptr);
    double CmVertPhySize() const { return GetPhySize().second / 10; }
    double CmHorzPhySize() const { return GetPhySize().first / 10; }
    double CmtrTextToCenter(const std::string& cText, const std::shared_ptr<TFont>& font = nullptr);
    std::pair<double, double> GetPhySize() const;
    void CharSay(int nRow, int nCol, const std::string& cText);
    int CharWidth();
    int CharHeight();

    int nVertRes() const { return caps(VERTRES); }
    int nHorzRes() const { return caps(HORZRES); }
    int nVertSize() const { return caps(VERTSIZE); }
    int nHorzSize() const { return caps(HORZSIZE); }
    int nLogPixelX() const { return caps(LOGPIXELSX); }
    int nLogPixelY() const { return caps(LOGPIXELSY); }
    DeviceMetrics metrics() const;

    void SetPixelMode() { mapMode(MM_TEXT); }
    void SetLoMetricMode() { mapMode(MM_LOMETRIC); }
    void SetHiMetricMode() { mapMode(MM_HIMETRIC); }
    void SetLoInchMode() { mapMode(MM_LOENGLISH); }
    void SetHiInchMode() { mapMode(MM_HIENGLISH); }
    void SetTwipsMode() { mapMode(MM_TWIPS); }
    void SetIsotropicMode() { mapMode(MM_ISOTROPIC); }
    void SetAnisotropicMode() { mapMode(MM_ANISOTROPIC); }
    void SetWindowExt(int nX, int nY);
    void SetViewPortExt(int nX, int nY);
    bool ResetDC();

    int GetOrientation() const;
    void SetLandscape();
    void SetPortrait();
    void SetCopies(int n);
    void SetSize(int nWidth, int nHeight);
    void SetPage(int nPaper);
    void SetBin(int nBin);
    void DraftMode(bool lOn);
    std::string GetModel() const;
    std::string GetDriver() const;
    std::string GetPort() const;
    bool Setup();
    // Recorded pages to show: metafile mode, a page and a device.
    bool canPreview() const { return lMeta && !aMeta.empty() && hDC; }

private:
    int caps(int index) const { return hDC ? GetDeviceCaps(hDC, index) : 0; }
    void mapMode(int mode) {
        if (hDC) SetMapMode(hDC, mode);
    }
    void sayIn(PrintUnit unit, double nRow, double nCol, const std::string& cText, const std::shared_ptr<TFont>& font,
               std::optional<double> nWidth, std::optional<Color> nClrText, int nBkMode, std::optional<int> pad);
    template <class F>
    void withPen(const TPen* oPen, F draw);
    void eraseMetafiles();
};

}  // namespace wl
