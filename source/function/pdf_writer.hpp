// The library's PDF writer: a PDF 1.3 file of full-page JPEG images, written
// object by object while the byte offset of each is counted for the
// cross-reference table. PdfOutput holds the writing calls (one object per
// file being written, so two PDFs may be written at once); WLPDF lays out
// the page groups on top of them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace wl {

// The writing calls. Each writes its text byte for byte and answers the
// running byte count. The file is written under a temporary name in the
// target's folder and renamed over the target by PDFCLOSE4 only when every
// write and the close succeeded; on any failure the partial file is removed
// and error() tells the system's error code.
class PdfOutput {
public:
    PdfOutput() = default;
    ~PdfOutput();
    PdfOutput(const PdfOutput&) = delete;
    PdfOutput& operator=(const PdfOutput&) = delete;

    std::int64_t PDFBEGIN(const std::string& file);
    std::int64_t PGPART1(int n, double width, double height);
    std::int64_t PGPART2(int n, int page, int image);
    std::int64_t PGPART3(int n, double width, double height, int page);
    std::int64_t PGPART4(int n);
    std::int64_t PGJPEG1(int n, int page, int width, int height, std::string_view jpeg);
    // A page without an image (its rendering failed): resources without
    // images and an empty drawing, so nothing names an undefined object.
    std::int64_t PGBLANK2(int n);
    std::int64_t PGBLANK3(int n);
    std::int64_t PDFCLOSE1(int count, const std::string& kids);
    std::int64_t PDFCLOSE2(int n, const std::string& date);
    std::int64_t PDFCLOSE3(int n);
    // Writes the outlines, the cross-reference table and the trailer and
    // puts the finished file in place. refs[i] is the offset of object i.
    std::int64_t PDFCLOSE4(int n, const std::vector<std::int64_t>& refs);

    std::int64_t count() const { return count_; }
    bool failed() const { return error_ != 0; }
    int error() const { return error_; }
    // Gives up a file being written: the partial file is removed.
    void abandon();

private:
    void write(std::string_view bytes);
    void fail(int error);

    std::FILE* f_ = nullptr;
    std::string target_, temp_;
    std::int64_t count_ = 0;
    int streamLength_ = 0;
    int error_ = 0;
};

// The offsets of a JPEG's first SOF0 frame header: height and width, or
// {0, 0} when there is none (or it is cut short).
struct JpegSize {
    int width = 0;
    int height = 0;
};
JpegSize jpegSize(std::string_view jpeg);

// The creation date: the first 14 characters of the timestamp, year to
// seconds ("20261211033000").
std::string pdfDateNow();

// One PDF being written.
class WLPDF {
public:
    // "P" gives an A4 portrait page (595 x 842 points), anything else
    // landscape. date: the creation date (the current time when empty).
    explicit WLPDF(const std::string& cFile, const std::string& cOrient = "P", std::string date = {});

    double nPageWidth = 595.0;
    double nPageHeight = 842.0;
    int nPage = 0;
    int nObject = 1;
    int nNextObj = 5;
    std::string cKids;
    std::vector<std::int64_t> aRefs{0, 0};
    int nImageAt = 0;  // 0: no image written yet

    // Counts the page and writes it with the JPEG that render makes of the
    // page file ("" when rendering failed: a blank page in its place).
    void AddMeta(const std::string& cEmfFile, const std::function<std::string(const std::string&)>& render);
    // Writes one page group; an empty or unreadable JPEG gives a blank page.
    void WritePage(std::string_view cJpeg);
    // Writes the closing objects; true when the whole file is in place.
    bool Close();

    std::int64_t nDocLen() const { return out_.count(); }
    bool failed() const { return out_.failed(); }
    int error() const { return out_.error(); }

private:
    void writeGroup(std::string_view jpeg, bool listed);

    PdfOutput out_;
    std::string date_;
};

}  // namespace wl
