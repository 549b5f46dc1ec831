#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include "png_decoder.hpp"
#include "test_support.hpp"

namespace {

struct PngSpec {
    int width = 2;
    int height = 2;
    int colorType = PNG_COLOR_TYPE_RGB;
    int depth = 8;
    std::vector<unsigned char> pixels;  // rows as the file holds them
    std::vector<png_color> palette;
    std::vector<png_byte> trans;         // palette transparency
};

// Writes a small PNG with libpng's own writer.
bool writePng(const std::string& path, const PngSpec& spec) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, spec.width, spec.height, spec.depth, spec.colorType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!spec.palette.empty())
        png_set_PLTE(png, info, spec.palette.data(), static_cast<int>(spec.palette.size()));
    if (!spec.trans.empty())
        png_set_tRNS(png, info, spec.trans.data(), static_cast<int>(spec.trans.size()), nullptr);
    png_write_info(png, info);
    std::size_t rowBytes = spec.pixels.size() / spec.height;
    for (int y = 0; y < spec.height; ++y)
        png_write_row(png, const_cast<png_bytep>(spec.pixels.data() + rowBytes * y));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return true;
}

using wl::makePixel;

struct DecodeCase {
    const char* name;
    PngSpec spec;
    int channels;                    // 0: nothing decoded
    std::vector<std::uint32_t> expected;
};

TEST(PngDecoder, Layouts) {
    zrtest::TempDir dir;
    const DecodeCase cases[] = {
        {"RGB, top row first, blue green red", {2, 2, PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, {}, {}},
         3, {makePixel(1, 2, 3), makePixel(4, 5, 6), makePixel(7, 8, 9), makePixel(10, 11, 12)}},
        {"RGBA keeps straight alpha", {1, 2, PNG_COLOR_TYPE_RGB_ALPHA, 8, {200, 100, 50, 128, 1, 2, 3, 0}, {}, {}},
         4, {makePixel(200, 100, 50, 128), makePixel(1, 2, 3, 0)}},
        {"palette with transparency",
         {2, 1, PNG_COLOR_TYPE_PALETTE, 8, {0, 1}, {{10, 20, 30}, {40, 50, 60}}, {0}},
         4, {makePixel(10, 20, 30, 0), makePixel(40, 50, 60, 255)}},
        {"palette without transparency", {2, 1, PNG_COLOR_TYPE_PALETTE, 8, {0, 1}, {{10, 20, 30}, {40, 50, 60}}, {}},
         0, {}},
        {"grey with alpha", {2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {77, 255, 5, 9}, {}, {}},
         4, {makePixel(77, 77, 77, 255), makePixel(5, 5, 5, 9)}},
        {"grey without alpha", {1, 1, PNG_COLOR_TYPE_GRAY, 8, {77}, {}, {}}, 0, {}},
        {"16-bit RGB loads as 8-bit", {1, 1, PNG_COLOR_TYPE_RGB, 16, {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}, {}, {}},
         3, {makePixel(0x12, 0x56, 0x9A)}},
    };
    int n = 0;
    for (const auto& c : cases) {
        std::string path = dir.file("case" + std::to_string(n++) + ".png");
        ASSERT_TRUE(writePng(path, c.spec)) << c.name;
        int status = -1;
        auto img = wl::decodePngFile(path, &status);
        if (c.channels == 0) {
            EXPECT_FALSE(img) << c.name;
            EXPECT_EQ(status, wl::kPngLayout) << c.name;
            continue;
        }
        ASSERT_TRUE(img) << c.name << " status " << status;
        EXPECT_EQ(img->channels, c.channels) << c.name;
        EXPECT_EQ(img->image.width, c.spec.width) << c.name;
        EXPECT_EQ(img->image.height, c.spec.height) << c.name;
        EXPECT_EQ(img->image.pixels, c.expected) << c.name;
    }
}

TEST(PngDecoder, FilesThatAreNoPngGiveNothingSilently) {
    zrtest::TempDir dir;
    zrtest::PromptRecorder prompts;
    int status = 0;
    EXPECT_FALSE(wl::decodePngFile(dir.write("notes.png", "This is a text file, not a picture.\r\n"), &status));
    EXPECT_EQ(status, wl::kPngNoSignature);
    EXPECT_FALSE(wl::decodePngFile(dir.write("short.png", "\x89PNG"), &status));
    EXPECT_EQ(status, wl::kPngShort);
    EXPECT_FALSE(wl::decodePngFile(dir.file("missing.png"), &status));
    EXPECT_EQ(status, wl::kPngNoOpen);
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST(PngDecoder, OversizedHeaderIsRefusedBeforeAllocating) {
    zrtest::TempDir dir;
    // A valid signature and IHDR chunk claiming 1,000,000 x 1,000,000 pixels.
    std::string ihdr("IHDR\x00\x0F\x42\x40\x00\x0F\x42\x40\x08\x06\x00\x00\x00", 17);
    std::uint32_t crc = static_cast<std::uint32_t>(
        ::crc32(0, reinterpret_cast<const Bytef*>(ihdr.data()), static_cast<uInt>(ihdr.size())));
    std::string file("\x89PNG\r\n\x1a\n\x00\x00\x00\x0D", 12);
    file += ihdr;
    for (int i = 3; i >= 0; --i) file.push_back(static_cast<char>(crc >> (8 * i)));
    file += std::string("\x00\x00\x00\x00IEND\xAE\x42\x60\x82", 12);
    int status = 0;
    EXPECT_FALSE(wl::decodePngFile(dir.write("huge.png", file), &status));
    EXPECT_EQ(status, wl::kPngLibraryError);  // libpng's user limits refuse it
}

TEST(PngDecoder, CutFileWarnsOnceAndGivesNothing) {
    zrtest::TempDir dir;
    PngSpec spec{16, 16, PNG_COLOR_TYPE_RGB, 8, std::vector<unsigned char>(16 * 16 * 3), {}, {}};
    for (std::size_t i = 0; i < spec.pixels.size(); ++i) spec.pixels[i] = static_cast<unsigned char>(i * 37);
    std::string whole = dir.file("whole.png");
    ASSERT_TRUE(writePng(whole, spec));
    std::string bytes = zrtest::readBytes(whole);
    zrtest::PromptRecorder prompts;
    int status = 0;
    EXPECT_FALSE(wl::decodePngFile(dir.write("cut.png", bytes.substr(0, bytes.size() - 40)), &status));
    EXPECT_EQ(status, wl::kPngLibraryError);
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].text, "Read Error");
    EXPECT_EQ(prompts.prompts()[0].caption, "PNG Support");
    EXPECT_EQ(prompts.prompts()[0].kind, wl::PromptKind::Alert);
}

TEST(PngWriter, RowsRoundTripAtOddWidths) {
    zrtest::TempDir dir;
    wl::PixelImage img(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) img.at(x, y) = makePixel(x * 40, y * 80, 255 - x * 10);
    std::string path = dir.file("out.png");
    ASSERT_TRUE(wl::writePngFile(img, path));
    auto back = wl::decodePngFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->channels, 3);
    EXPECT_EQ(back->image.pixels, img.pixels);
    EXPECT_FALSE(wl::writePngFile(img, dir.file("no/such/folder.png")));
}

TEST(PngDecoder, PremultipliedAlpha) {
    wl::PixelImage img(3, 1);
    img.at(0, 0) = makePixel(255, 255, 255, 0);
    img.at(1, 0) = makePixel(255, 128, 0, 128);
    img.at(2, 0) = makePixel(10, 20, 30, 255);
    wl::premultiplyAlpha(img);
    EXPECT_EQ(img.at(0, 0), makePixel(0, 0, 0, 0));  // no white halo
    EXPECT_EQ(img.at(1, 0), makePixel(128, 64, 0, 128));
    EXPECT_EQ(img.at(2, 0), makePixel(10, 20, 30, 255));
}

}  // namespace
