// TRFile: a report's pages as a text file: 64 lines of 80 characters by
// default, each page ended by a form feed, condensed print (CHR(15)) first
// on a page with a line wider than the page.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "report_device.hpp"

namespace wl {

class TRFile : public ReportDevice {
public:
    // Creates (truncates) the file; ok() is false when it cannot be made.
    explicit TRFile(const std::string& cFile, const std::string& cDocument = {});
    ~TRFile() override;
    TRFile(const TRFile&) = delete;
    TRFile& operator=(const TRFile&) = delete;

    std::vector<std::string> aRows;
    std::string cDocument;
    std::string cPrnComp{"\x0F"};
    int nHeight = 64;
    int nWidth = 80;
    bool lPrint = true;

    bool ok() const override { return f_ != nullptr; }
    bool isTextFile() const override { return true; }
    std::string documentName() const override { return cDocument; }
    void StartPage() override;
    void EndPage() override;
    // Closes the file; false when a write or the close failed.
    void End() override;
    bool failed() const { return failed_; }
    void Say(int row, int col, const std::string& text, int font, std::optional<int> width = {}) override;
    int GetTextWidth(const std::string& text, int) override { return static_cast<int>(text.size()); }
    int GetTextHeight(const std::string&, int) override { return 1; }
    void Line(int, int, int, int, int) override {}
    int nHorzRes() override { return nWidth; }
    int nVertRes() override { return nHeight; }
    int nLogPixelX() override { return 1; }
    int nLogPixelY() override { return 1; }
    void SetWidth(int n) override { nWidth = n; }
    void SetHeight(int n) { nHeight = n; }

private:
    void write(const std::string& bytes);
    std::FILE* f_ = nullptr;
    bool failed_ = false;
};

}  // namespace wl
