#include "pdf_writer.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "test_support.hpp"

namespace {

namespace fs = std::filesystem;

// The smallest bytes the writer takes for a JPEG: a start marker and an
// SOF0 frame header giving 3 x 2 pixels.
const std::string kFakeJpeg("\xFF\xD8\xFF\xC0\x00\x11\x08\x00\x02\x00\x03\x03\xFF\xD9", 14);

std::string readAll(const fs::path& p) { return zrtest::readBytes(p.string()); }

struct PdfFile {
    zrtest::TempDir temp;
    fs::path dir{temp.path()};
    fs::path path{dir / "out.pdf"};
};

// Every object's cross-reference entry must be the offset of "n 0 obj".
void expectXrefMatchesObjects(const std::string& pdf, int size) {
    const auto xref = pdf.rfind("xref\r\n0 " + std::to_string(size) + "\r\n");
    ASSERT_NE(xref, std::string::npos);
    std::size_t at = pdf.find("\r\n", xref + 6) + 2;
    EXPECT_EQ(pdf.substr(at, 20), "0000000000 65535 f\r\n");
    for (int obj = 1; obj < size; ++obj) {
        const std::string entry = pdf.substr(at + 20 * obj, 20);
        const long long offset = std::stoll(entry.substr(0, 10));
        EXPECT_EQ(entry.substr(10), " 00000 n\r\n");
        EXPECT_EQ(pdf.compare(offset, std::to_string(obj).size() + 6, std::to_string(obj) + " 0 obj"), 0)
            << "object " << obj << " at " << offset;
    }
    const auto startxref = pdf.find("startxref\r\n");
    EXPECT_EQ(std::stoll(pdf.substr(startxref + 11)), static_cast<long long>(xref));
    EXPECT_TRUE(pdf.ends_with("%%EOF\r\n"));
}

TEST(WLPDF, OnePortraitPageHasTheDocumentedObjectsAndBytes) {
    PdfFile f;
    wl::WLPDF pdf(f.path.string(), "P", "20261211033000");
    pdf.AddMeta("page1.emf", [](const std::string&) { return kFakeJpeg; });
    ASSERT_TRUE(pdf.Close());
    const std::string bytes = readAll(f.path);
    EXPECT_FALSE(fs::exists(f.path.string() + ".part"));
    // The page group, byte for byte.
    const std::string page =
        "%PDF-1.3\r\n"
        "2 0 obj\r\n<<\r\n/Type /Page /Parent 1 0 R\r\n/Resources 3 0 R\r\n/MediaBox [ 0 0 595.00 842.00 ]\r\n"
        "/Contents 4 0 R\r\n>>\r\nendobj\r\n"
        "3 0 obj\r\n<<\r\n/ColorSpace << /DeviceRGB /DeviceGray >>\r\n/ProcSet [ /PDF /Text /ImageB /ImageC ]\r\n"
        "/XObject\r\n<<\r\n/Image1 6 0 R\r\n>>\r\n>>\r\nendobj\r\n"
        "4 0 obj << /Length 5 0 R \r\n\r\n>>\r\nstream\r\n"
        "\r\nq\r\n595.0 0 0 842.0 0 0 cm\r\n/Image1 Do\r\nQ \r\nendstream\r\nendobj\r\n"
        "5 0 obj\r\n43\r\nendobj\r\n"
        "6 0 obj\r\n<<\r\n/Type /XObject\r\n/Subtype /Image\r\n/Name /Image1\r\n/Filter [ /DCTDecode ]\r\n"
        "/Width 3\r\n/Height 2\r\n/BitsPerComponent 8\r\n/ColorSpace/DeviceRGB\r\n/Length 14\r\n>>\r\nstream\r\n" +
        kFakeJpeg + "endstream\r\nendobj\r\n";
    EXPECT_EQ(bytes.substr(0, page.size()), page);
    // "\r\nq\r\n595.0 0 0 842.0 0 0 cm\r\n/Image1 Do\r\nQ \r\n" is 45 bytes; the length leaves out the line end before "endstream".
    EXPECT_NE(bytes.find("1 0 obj\r\n<<\r\n/Type /Pages /Count 1\r\n/Kids [ 2 0 R ]\r\n>>\r\nendobj\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("11 0 obj\r\n<< /Title ()\r\n/Producer ()\r\n/Author ()\r\n/Creator ()\r\n/Subject ()\r\n"
                         "/Keywords ()\r\n/CreationDate (D:20261211033000)\r\n>>\r\nendobj\r\n"),
              std::string::npos);
    EXPECT_NE(bytes.find("12 0 obj\r\n<< /Type /Catalog /Pages 1 0 R /Outlines 13 0 R >>\r\nendobj\r\n"),
              std::string::npos);
    EXPECT_NE(bytes.find("13 0 obj\r\n<< /Type /Outlines /Count 0 >>\r\nendobj\r\n\r\nxref\r\n0 14\r\n"),
              std::string::npos);
    EXPECT_NE(bytes.find("trailer << /Size 14 /Root 12 0 R /Info 11 0 R >>\r\nstartxref\r\n"), std::string::npos);
    expectXrefMatchesObjects(bytes, 14);
}

TEST(WLPDF, LandscapeAndSeveralPagesNumberTheirObjectsInOrder) {
    PdfFile f;
    wl::WLPDF pdf(f.path.string(), "L", "20260101000000");
    for (int i = 0; i < 3; ++i) pdf.AddMeta("p.emf", [](const std::string&) { return kFakeJpeg; });
    ASSERT_TRUE(pdf.Close());
    const std::string bytes = readAll(f.path);
    EXPECT_NE(bytes.find("/MediaBox [ 0 0 842.00 595.00 ]"), std::string::npos);
    EXPECT_NE(bytes.find("842.0 0 0 595.0 0 0 cm"), std::string::npos);
    EXPECT_NE(bytes.find("/Count 3\r\n/Kids [ 2 0 R 7 0 R 12 0 R ]"), std::string::npos);
    EXPECT_NE(bytes.find("/Image3 16 0 R"), std::string::npos);
    // 3 pages of five objects, the closing group of four, info, catalogue, outlines.
    EXPECT_NE(bytes.find("trailer << /Size 24 /Root 22 0 R /Info 21 0 R >>"), std::string::npos);
    expectXrefMatchesObjects(bytes, 24);
}

// A page whose rendering failed stays in the page tree as a blank page, and
// nothing names an object that was never written.
TEST(WLPDF, FailedPagesAreBlankListedPagesWithoutDanglingReferences) {
    struct Case {
        std::vector<bool> rendered;
        std::string kids;
        int size;
    };
    const Case cases[] = {
        {{false}, "/Count 1\r\n/Kids [ 2 0 R ]", 13},
        {{false, true}, "/Count 2\r\n/Kids [ 2 0 R 6 0 R ]", 18},
        {{true, false, true}, "/Count 3\r\n/Kids [ 2 0 R 7 0 R 11 0 R ]", 23},
    };
    for (const Case& c : cases) {
        PdfFile f;
        wl::WLPDF pdf(f.path.string(), "P", "20260101000000");
        for (bool ok : c.rendered) pdf.AddMeta("p.emf", [ok](const std::string&) { return ok ? kFakeJpeg : ""; });
        ASSERT_TRUE(pdf.Close());
        const std::string bytes = readAll(f.path);
        EXPECT_NE(bytes.find(c.kids), std::string::npos) << c.kids;
        expectXrefMatchesObjects(bytes, c.size);
        // Every "n 0 R" names an object that exists.
        const std::regex ref(R"((\d+) 0 R)");
        for (auto it = std::sregex_iterator(bytes.begin(), bytes.end(), ref); it != std::sregex_iterator(); ++it) {
            const int obj = std::stoi((*it)[1]);
            EXPECT_TRUE(obj >= 1 && obj < c.size) << c.kids << ": " << obj;
        }
        EXPECT_EQ(bytes.find(" 0 R 0 R"), std::string::npos);
        EXPECT_EQ(bytes.find("/Image1 0 0 R"), std::string::npos);
    }
}

TEST(WLPDF, AWriteFailureIsReportedAndLeavesNoFile) {
    PdfFile f;
    const fs::path missing = f.dir / "no-such-folder" / "out.pdf";
    wl::WLPDF pdf(missing.string(), "P", "20260101000000");
    pdf.AddMeta("p.emf", [](const std::string&) { return kFakeJpeg; });
    EXPECT_FALSE(pdf.Close());
    EXPECT_NE(pdf.error(), 0);
    EXPECT_FALSE(fs::exists(missing));
#ifndef _WIN32
    if (fs::exists("/dev/full")) {
        // A full disk: the writes themselves fail.
        fs::create_symlink("/dev/full", f.dir / "full.pdf.part");
        wl::WLPDF full((f.dir / "full.pdf").string(), "P", "20260101000000");
        full.AddMeta("p.emf", [](const std::string&) { return std::string(100000, 'x') + kFakeJpeg; });
        EXPECT_FALSE(full.Close());
        EXPECT_FALSE(fs::exists(f.dir / "full.pdf"));
    }
#endif
}

TEST(JpegSize, ReadsTheFirstFrameHeaderOrNothing) {
    struct Case {
        std::string bytes;
        int width, height;
    };
    const Case cases[] = {
        {kFakeJpeg, 3, 2},
        {std::string("\xFF\xD8\xFF\xC0\x00\x11\x08\x01\x00\x02\x00", 11), 512, 256},
        {std::string("\xFF\xD8\xFF\xC2\x00\x11\x08\x01\x00\x02\x00", 11), 0, 0},  // progressive: no SOF0
        {std::string("\xFF\xC0\x00\x11\x08\x01", 6), 0, 0},                       // cut short
        {"", 0, 0},
    };
    for (const Case& c : cases) {
        const wl::JpegSize s = wl::jpegSize(c.bytes);
        EXPECT_EQ(s.width, c.width);
        EXPECT_EQ(s.height, c.height);
    }
    const std::string date = wl::pdfDateNow();
    EXPECT_EQ(date.size(), 14u);
    EXPECT_EQ(date.find_first_not_of("0123456789"), std::string::npos);
}

}  // namespace
