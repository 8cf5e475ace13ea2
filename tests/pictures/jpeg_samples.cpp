#include "jpeg_samples.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace {

// The inks that leave a colour on white paper, as amounts (0 = none) or inverted.
void ToInks(const std::uint8_t rgb[3], bool inverted, JSAMPLE* inks) {
    int light = std::max({rgb[0], rgb[1], rgb[2]});
    for (int c = 0; c < 3; ++c) inks[c] = JSAMPLE(light ? 255 - rgb[c] * 255 / light : 255);
    inks[3] = JSAMPLE(255 - light);
    if (inverted)
        for (int c = 0; c < 4; ++c) inks[c] = JSAMPLE(255 - inks[c]);
}

} // namespace

std::string MakeJpeg(const TJpegSample& sample) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(sample.Width);
    cinfo.image_height = JDIMENSION(sample.Height);
    const bool inks = sample.Inks != NoInks;
    cinfo.input_components = sample.Grayscale ? 1 : inks ? 4 : 3;
    cinfo.in_color_space = sample.Grayscale ? JCS_GRAYSCALE : inks ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    if (sample.Inks == PlainCmyk) cinfo.write_Adobe_marker = FALSE;
    if (sample.Inks == AdobeYcck) jpeg_set_colorspace(&cinfo, JCS_YCCK);
    jpeg_set_quality(&cinfo, sample.Quality, TRUE);
    if (sample.Progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(std::size_t(sample.Width) * 4);
    while (cinfo.next_scanline < cinfo.image_height) {
        int y = int(cinfo.next_scanline);
        for (int x = 0; x < sample.Width; ++x) {
            std::uint8_t rgb[3] = {128, 128, 128};
            if (sample.Pixel) sample.Pixel(x, y, rgb);
            if (sample.Grayscale)
                row[std::size_t(x)] = rgb[0];
            else if (inks)
                ToInks(rgb, sample.Inks != PlainCmyk, &row[std::size_t(4 * x)]);
            else
                for (int c = 0; c < 3; ++c) row[std::size_t(3 * x + c)] = rgb[c];
        }
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&cinfo, &pointer, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return bytes;
}

std::string WithFrameSize(std::string jpeg, int width, int height) {
    for (std::size_t i = 2; i + 9 < jpeg.size(); ++i) {
        auto marker = std::uint8_t(jpeg[i + 1]);
        if (std::uint8_t(jpeg[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
            jpeg[i + 5] = char(height >> 8);
            jpeg[i + 6] = char(height & 0xFF);
            jpeg[i + 7] = char(width >> 8);
            jpeg[i + 8] = char(width & 0xFF);
            break;
        }
    }
    return jpeg;
}
