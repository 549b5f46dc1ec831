#include "pdf_writer.hpp"

#include <cerrno>
#include <cstdarg>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "file_io.hpp"

namespace wl {

namespace {

// printf-style text; the formats here never hold locale-dependent items
// other than %f, and the library runs in the "C" numeric locale.
std::string format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string text(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
    if (n > 0) std::vsnprintf(text.data(), text.size() + 1, fmt, args);
    va_end(args);
    return text;
}

}  // namespace

PdfOutput::~PdfOutput() { abandon(); }

void PdfOutput::fail(int error) {
    if (error_ == 0) error_ = error != 0 ? error : 29;  // 29: write fault
}

void PdfOutput::abandon() {
    if (f_) std::fclose(f_);
    f_ = nullptr;
    if (!temp_.empty()) {
        std::error_code ec;
        std::filesystem::remove(temp_, ec);
        temp_.clear();
    }
}

void PdfOutput::write(std::string_view bytes) {
    if (!f_) {
        fail(6);  // no file open
        return;
    }
    errno = 0;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f_) != bytes.size()) fail(lastOsError());
    count_ += static_cast<std::int64_t>(bytes.size());
}

std::int64_t PdfOutput::PDFBEGIN(const std::string& file) {
    abandon();
    error_ = 0;
    count_ = 0;
    target_ = file;
    temp_ = file + ".part";
    errno = 0;
    f_ = std::fopen(temp_.c_str(), "wb");
    if (!f_) {
        fail(lastOsError());
        temp_.clear();
        return count_;
    }
    write(format("%s\r\n", "%PDF-1.3"));
    return count_;
}

std::int64_t PdfOutput::PGPART1(int n, double width, double height) {
    write(format("%d 0 obj\r\n<<\r\n/Type /Page /Parent 1 0 R\r\n/Resources %d 0 R\r\n"
                 "/MediaBox [ 0 0 %.2f %.2f ]\r\n/Contents %d 0 R\r\n>>\r\nendobj\r\n",
                 n + 1, n + 2, width, height, n + 3));
    return count_;
}

std::int64_t PdfOutput::PGPART2(int n, int page, int image) {
    write(format("%d 0 obj\r\n<<\r\n/ColorSpace << /DeviceRGB /DeviceGray >>\r\n"
                 "/ProcSet [ /PDF /Text /ImageB /ImageC ]\r\n/XObject\r\n<<\r\n/Image%d %d 0 R\r\n>>\r\n>>\r\n"
                 "endobj\r\n",
                 n, page, image));
    return count_;
}

std::int64_t PdfOutput::PGBLANK2(int n) {
    write(format("%d 0 obj\r\n<<\r\n/ColorSpace << /DeviceRGB /DeviceGray >>\r\n"
                 "/ProcSet [ /PDF /Text /ImageB /ImageC ]\r\n>>\r\nendobj\r\n",
                 n));
    return count_;
}

std::int64_t PdfOutput::PGPART3(int n, double width, double height, int page) {
    write(format("%d 0 obj << /Length %d 0 R \r\n\r\n>>\r\nstream\r\n", n, n + 1));
    const std::string body =
        format("\r\nq\r\n%.1f 0 0 %.1f 0 0 cm\r\n/Image%d Do\r\nQ \r\nendstream\r\nendobj\r\n", width, height, page);
    // The stream's bytes: the body less the line end before "endstream"
    // and what follows it.
    streamLength_ = static_cast<int>(body.size()) - 21;
    write(body);
    return count_;
}

std::int64_t PdfOutput::PGBLANK3(int n) {
    write(format("%d 0 obj << /Length %d 0 R \r\n\r\n>>\r\nstream\r\n", n, n + 1));
    const std::string body = "\r\nq\r\nQ \r\nendstream\r\nendobj\r\n";
    streamLength_ = static_cast<int>(body.size()) - 21;
    write(body);
    return count_;
}

std::int64_t PdfOutput::PGPART4(int n) {
    write(format("%d 0 obj\r\n%d\r\nendobj\r\n", n, streamLength_));
    return count_;
}

std::int64_t PdfOutput::PGJPEG1(int n, int page, int width, int height, std::string_view jpeg) {
    write(format("%d 0 obj\r\n<<\r\n/Type /XObject\r\n/Subtype /Image\r\n/Name /Image%d\r\n"
                 "/Filter [ /DCTDecode ]\r\n/Width %d\r\n/Height %d\r\n/BitsPerComponent 8\r\n"
                 "/ColorSpace/DeviceRGB\r\n/Length %d\r\n>>\r\nstream\r\n",
                 n, page, width, height, static_cast<int>(jpeg.size())));
    write(jpeg);
    write("endstream\r\nendobj\r\n");
    return count_;
}

std::int64_t PdfOutput::PDFCLOSE1(int count, const std::string& kids) {
    write(format("1 0 obj\r\n<<\r\n/Type /Pages /Count %d\r\n/Kids [%s ]\r\n>>\r\nendobj\r\n", count, kids.c_str()));
    return count_;
}

std::int64_t PdfOutput::PDFCLOSE2(int n, const std::string& date) {
    write(format("%d 0 obj\r\n<< /Title ()\r\n/Producer ()\r\n/Author ()\r\n/Creator ()\r\n/Subject ()\r\n"
                 "/Keywords ()\r\n/CreationDate (D:%s)\r\n>>\r\nendobj\r\n",
                 n, date.c_str()));
    return count_;
}

std::int64_t PdfOutput::PDFCLOSE3(int n) {
    write(format("%d 0 obj\r\n<< /Type /Catalog /Pages 1 0 R /Outlines %d 0 R >>\r\nendobj\r\n", n, n + 1));
    return count_;
}

std::int64_t PdfOutput::PDFCLOSE4(int n, const std::vector<std::int64_t>& refs) {
    write(format("%d 0 obj\r\n<< /Type /Outlines /Count 0 >>\r\nendobj\r\n\r\n", n));
    const std::int64_t xref = count_;
    write(format("xref\r\n0 %d\r\n", n + 1));
    for (std::size_t i = 0; i < refs.size(); ++i)
        write(format(i == 0 ? "%010lld 65535 f\r\n" : "%010lld 00000 n\r\n", static_cast<long long>(refs[i])));
    write(format("trailer << /Size %d /Root %d 0 R /Info %d 0 R >>\r\nstartxref\r\n%lld\r\n%s\r\n", n + 1, n - 1, n - 2,
                 static_cast<long long>(xref), "%%EOF"));
    if (f_) {
        errno = 0;
        if (std::fflush(f_) != 0) fail(lastOsError());
        errno = 0;
        const int closed = std::fclose(f_);
        f_ = nullptr;
        if (closed != 0) fail(lastOsError());
    }
    if (error_ == 0) {
        const int moved = replaceFile(temp_, target_);
        if (moved != 0) fail(moved);
        else temp_.clear();
    }
    if (error_ != 0) abandon();
    return count_;
}

JpegSize jpegSize(std::string_view jpeg) {
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i) {
        if (static_cast<unsigned char>(jpeg[i]) != 0xFF || static_cast<unsigned char>(jpeg[i + 1]) != 0xC0) continue;
        if (i + 8 >= jpeg.size()) return {};
        auto word = [&](std::size_t at) {
            return static_cast<unsigned char>(jpeg[at]) * 256 + static_cast<unsigned char>(jpeg[at + 1]);
        };
        return {word(i + 7), word(i + 5)};
    }
    return {};
}

std::string pdfDateNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d%H%M%S", &local);
    return text;
}

WLPDF::WLPDF(const std::string& cFile, const std::string& cOrient, std::string date) : date_(std::move(date)) {
    if (cOrient != "P") {
        nPageWidth = 842.0;
        nPageHeight = 595.0;
    }
    out_.PDFBEGIN(cFile);
}

void WLPDF::AddMeta(const std::string& cEmfFile, const std::function<std::string(const std::string&)>& render) {
    ++nPage;
    WritePage(render ? render(cEmfFile) : std::string());
}

void WLPDF::WritePage(std::string_view cJpeg) { writeGroup(cJpeg, true); }

void WLPDF::writeGroup(std::string_view jpeg, bool listed) {
    const JpegSize size = jpegSize(jpeg);
    // A page whose rendering failed (or whose bytes are no baseline JPEG)
    // stays a listed, blank page, so /Count and the kids agree.
    const bool image = listed && size.width > 0 && size.height > 0;
    const int n = nObject;
    aRefs.push_back(out_.count());
    if (listed) cKids += " " + std::to_string(n + 1) + " 0 R";
    aRefs.push_back(out_.PGPART1(n, nPageWidth, nPageHeight));
    nObject = n + 3;
    if (image) nImageAt = ++nNextObj;
    // The closing group names the last image, when there is one.
    const bool drawn = image || (!listed && nImageAt != 0);
    aRefs.push_back(drawn ? out_.PGPART2(n + 2, nPage, nImageAt) : out_.PGBLANK2(n + 2));
    aRefs.push_back(drawn ? out_.PGPART3(n + 3, nPageWidth, nPageHeight, nPage) : out_.PGBLANK3(n + 3));
    out_.PGPART4(n + 4);
    if (image) {
        aRefs.push_back(out_.count());
        out_.PGJPEG1(nImageAt, nPage, size.width, size.height, jpeg);
    }
    nObject = nNextObj;
    nNextObj = nObject + 4;
}

bool WLPDF::Close() {
    // One more page group outside the page tree, as the format has always
    // been written.
    writeGroup({}, false);
    aRefs[1] = out_.count();
    aRefs.push_back(out_.PDFCLOSE1(nPage, cKids));
    const int info = static_cast<int>(aRefs.size()) - 1;
    aRefs.push_back(out_.PDFCLOSE2(info, date_.empty() ? pdfDateNow() : date_));
    aRefs.push_back(out_.PDFCLOSE3(info + 1));
    out_.PDFCLOSE4(info + 2, aRefs);
    return !out_.failed();
}

}  // namespace wl
