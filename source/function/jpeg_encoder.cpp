#include "jpeg_encoder.hpp"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace wl {

namespace {

// libjpeg reports errors by calling error_exit, which must not return.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void onError(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1); }

// Frees the memory destination's buffer whatever happens.
struct Buffer {
    unsigned char* data = nullptr;
    unsigned long size = 0;
    ~Buffer() { std::free(data); }
};

}  // namespace

std::string encodeJpeg(const PixelImage& image, int quality) {
    if (image.empty()) return {};
    jpeg_compress_struct info{};
    ErrorManager error{};
    Buffer out;
    std::vector<JSAMPLE> row(static_cast<std::size_t>(image.width) * 3);
    info.err = jpeg_std_error(&error.base);
    error.base.error_exit = onError;
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        return {};
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &out.data, &out.size);
    info.image_width = static_cast<JDIMENSION>(image.width);
    info.image_height = static_cast<JDIMENSION>(image.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.at(x, y);
            row[static_cast<std::size_t>(x) * 3] = static_cast<JSAMPLE>(pixelRed(p));
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<JSAMPLE>(pixelGreen(p));
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<JSAMPLE>(pixelBlue(p));
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::string(reinterpret_cast<const char*>(out.data), out.size);
}

}  // namespace wl
