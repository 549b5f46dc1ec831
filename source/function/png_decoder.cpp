#include "png_decoder.hpp"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "messages.hpp"

namespace wl {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

struct ReadStructs {
    png_structp png = nullptr;
    png_infop info = nullptr;
    png_infop endInfo = nullptr;
    ~ReadStructs() {
        if (png) png_destroy_read_struct(&png, info ? &info : nullptr, endInfo ? &endInfo : nullptr);
    }
};

void readFromFile(png_structp png, png_bytep data, png_size_t length) {
    auto* f = static_cast<std::FILE*>(png_get_io_ptr(png));
    if (std::fread(data, 1, length, f) < length) {
        MSGALERT(Value(std::string("Read Error")), Value(std::string("PNG Support")));
        // The image cannot be complete: end the load without a picture.
        png_error(png, "Read Error");
    }
}

// Silences libpng's default printing to stderr; errors still long-jump.
void quietError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void quietWarning(png_structp, png_const_charp) {}

// The part of the load that libpng may leave by long jump: only trivially
// destructible locals here, everything else belongs to the caller.
int readImage(ReadStructs& s, std::FILE* file, std::vector<unsigned char>& block, std::vector<png_bytep>& rows,
              png_uint_32& width, png_uint_32& height, int& channels) {
    if (setjmp(png_jmpbuf(s.png))) return kPngLibraryError;
    png_set_read_fn(s.png, file, readFromFile);
    png_set_user_limits(s.png, kPngMaxSide, kPngMaxSide);
    png_read_info(s.png, s.info);
    int depth = 0, colorType = 0;
    png_get_IHDR(s.png, s.info, &width, &height, &depth, &colorType, nullptr, nullptr, nullptr);
    if (png_get_valid(s.png, s.info, PNG_INFO_tRNS)) {
        png_set_tRNS_to_alpha(s.png);
        colorType = (colorType | PNG_COLOR_MASK_ALPHA) & ~PNG_COLOR_MASK_PALETTE;
    }
    if (colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(s.png);
    if (colorType == PNG_COLOR_TYPE_RGB || colorType == PNG_COLOR_TYPE_RGB_ALPHA) png_set_bgr(s.png);
    if (depth == 16) png_set_strip_16(s.png);
    png_read_update_info(s.png, s.info);
    png_get_IHDR(s.png, s.info, &width, &height, &depth, &colorType, nullptr, nullptr, nullptr);
    channels = png_get_channels(s.png, s.info);
    if ((channels != 3 && channels != 4) || depth != 8) return kPngLayout;
    std::uint64_t rowBytes = png_get_rowbytes(s.png, s.info);
    // Checked: width x height x channels within the limit before allocating.
    if (width == 0 || height == 0 || width > kPngMaxSide || height > kPngMaxSide ||
        rowBytes != std::uint64_t{width} * static_cast<unsigned>(channels) ||
        rowBytes * height > kPngMaxBytes || std::uint64_t{width} * height * 4 > kPngMaxBytes)
        return kPngTooLarge;
    try {
        block.resize(static_cast<std::size_t>(rowBytes * height));
        rows.resize(height);
    } catch (const std::bad_alloc&) {
        return kPngNoMemory;
    }
    for (png_uint_32 y = 0; y < height; ++y) rows[y] = block.data() + static_cast<std::size_t>(rowBytes) * y;
    png_read_image(s.png, rows.data());
    return kPngOk;
}

}  // namespace

std::optional<PngImage> decodePngFile(const std::string& path, int* status) {
    int dummy = 0;
    int& st = status ? *status : dummy;
    st = kPngOk;
    if (path.empty()) {
        st = kPngNoFile;
        return std::nullopt;
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        st = kPngNoOpen;
        return std::nullopt;
    }
    unsigned char sig[8];
    if (std::fread(sig, 1, 8, file.get()) < 8) {
        st = kPngShort;
        return std::nullopt;
    }
    if (png_sig_cmp(sig, 0, 8) != 0) {
        st = kPngNoSignature;
        return std::nullopt;
    }
    std::rewind(file.get());  // libpng reads the signature again
    ReadStructs s;
    s.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, quietError, quietWarning);
    if (!s.png) {
        st = kPngNoReadStruct;
        return std::nullopt;
    }
    s.info = png_create_info_struct(s.png);
    if (!s.info) {
        st = kPngNoInfoStruct;
        return std::nullopt;
    }
    s.endInfo = png_create_info_struct(s.png);
    std::vector<unsigned char> block;
    std::vector<png_bytep> rows;
    png_uint_32 width = 0, height = 0;
    int channels = 0;
    st = readImage(s, file.get(), block, rows, width, height, channels);
    if (st != kPngOk) return std::nullopt;

    PngImage out;
    out.channels = channels;
    out.image = PixelImage(static_cast<int>(width), static_cast<int>(height));
    for (png_uint_32 y = 0; y < height; ++y) {
        const unsigned char* r = rows[y];
        for (png_uint_32 x = 0; x < width; ++x) {
            const unsigned char* p = r + static_cast<std::size_t>(x) * channels;
            // Bytes are blue, green, red (and alpha) after the transformations.
            std::uint32_t v = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                              static_cast<std::uint32_t>(p[2]) << 16 |
                              (channels == 4 ? static_cast<std::uint32_t>(p[3]) << 24 : 0u);
            out.image.at(static_cast<int>(x), static_cast<int>(y)) = v;
        }
    }
    return out;
}

namespace {

// The part of a write that libpng may leave by long jump.
bool writeRows(png_structp png, png_infop info, std::FILE* file, const PixelImage& image,
               std::vector<png_bytep>& rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_init_io(png, file);
    png_set_rows(png, info, rows.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    return true;
}

}  // namespace

bool writePngFile(const PixelImage& image, const std::string& path) {
    if (image.empty()) return false;
    // Rows of red, green, blue (the picture holds blue, green, red).
    std::vector<unsigned char> block(static_cast<std::size_t>(image.width) * image.height * 3);
    std::vector<png_bytep> rows(static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        unsigned char* r = block.data() + static_cast<std::size_t>(y) * image.width * 3;
        rows[static_cast<std::size_t>(y)] = r;
        for (int x = 0; x < image.width; ++x) {
            std::uint32_t p = image.at(x, y);
            r[x * 3] = static_cast<unsigned char>(pixelRed(p));
            r[x * 3 + 1] = static_cast<unsigned char>(pixelGreen(p));
            r[x * 3 + 2] = static_cast<unsigned char>(pixelBlue(p));
        }
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, quietError, quietWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    bool ok = info && writeRows(png, info, file.get(), image, rows);
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return ok;
}

void premultiplyAlpha(PixelImage& image) {
    for (auto& p : image.pixels) {
        int a = pixelAlpha(p);
        p = makePixel(pixelRed(p) * a / 255, pixelGreen(p) * a / 255, pixelBlue(p) * a / 255, a);
    }
}

}  // namespace wl
