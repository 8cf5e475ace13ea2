#include "pictures/jpeg_codec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

// Nothing in this file may hold an object with a destructor while libjpeg runs.

namespace {

constexpr std::size_t kBlockSize = 4096;
const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

struct TErrorManager {
    jpeg_error_mgr Pub;
    std::jmp_buf Jump;
};

// The bytes in memory, or pulled through a reader into Buffer.
struct TSource {
    jpeg_source_mgr Pub;
    const JOCTET* Data;
    std::size_t Size;
    std::size_t Offset;
    TJpegReader Reader;
    bool StartOfFile;
    JOCTET Buffer[kBlockSize];
};

struct TProgress {
    jpeg_progress_mgr Pub;
    int MaxScans;
};

extern "C" {

static void ErrorExit(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<TErrorManager*>(cinfo->err)->Jump, 1);
}

// Warnings and trace messages are not shown anywhere.
static void EmitMessage(j_common_ptr cinfo, int level) {
    if (level < 0) ++cinfo->err->num_warnings;
}

static void OutputMessage(j_common_ptr) {}

static void InitSource(j_decompress_ptr cinfo) {
    auto* src = reinterpret_cast<TSource*>(cinfo->src);
    src->Offset = 0;
    src->StartOfFile = true;
}

static boolean FillInputBuffer(j_decompress_ptr cinfo) {
    auto* src = reinterpret_cast<TSource*>(cinfo->src);
    std::size_t n = 0;
    if (src->Reader.Read) {
        n = src->Reader.Read(src->Reader.Context, src->Buffer, kBlockSize);
        src->Pub.next_input_byte = src->Buffer;
    } else {
        n = std::min(kBlockSize, src->Size - src->Offset);
        src->Pub.next_input_byte = src->Data + src->Offset;
        src->Offset += n;
    }
    if (n == 0) {
        if (src->StartOfFile) ERREXIT(cinfo, JERR_INPUT_EMPTY);
        // A file cut short ends here as if it were complete; the library fills in the rest.
        WARNMS(cinfo, JWRN_JPEG_EOF);
        src->Pub.next_input_byte = kEndOfImage;
        src->Pub.bytes_in_buffer = 2;
    } else {
        src->Pub.bytes_in_buffer = n;
    }
    src->StartOfFile = false;
    return TRUE;
}

static void SkipInputData(j_decompress_ptr cinfo, long count) {
    if (count <= 0) return;
    jpeg_source_mgr* src = cinfo->src;
    while (std::size_t(count) > src->bytes_in_buffer) {
        count -= long(src->bytes_in_buffer);
        FillInputBuffer(cinfo);
    }
    src->next_input_byte += count;
    src->bytes_in_buffer -= std::size_t(count);
}

static void TermSource(j_decompress_ptr) {}

// Called between scans while a multi-scan file is read in; stops files with an
// absurd number of scans, each of which would cost a pass over the whole picture.
static void ProgressMonitor(j_common_ptr cinfo) {
    auto* progress = reinterpret_cast<TProgress*>(cinfo->progress);
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (cinfo->is_decompressor && progress->MaxScans > 0 && d->input_scan_number > progress->MaxScans)
        ERREXIT(cinfo, JERR_BAD_PROGRESSION);
}

} // extern "C"

void Prepare(jpeg_decompress_struct& cinfo, TErrorManager& err, TSource& src, TProgress& progress,
             const std::uint8_t* data, std::size_t size, const TJpegReader& reader, int maxScans) {
    cinfo.err = jpeg_std_error(&err.Pub);
    err.Pub.error_exit = ErrorExit;
    err.Pub.emit_message = EmitMessage;
    err.Pub.output_message = OutputMessage;
    src.Pub.init_source = InitSource;
    src.Pub.fill_input_buffer = FillInputBuffer;
    src.Pub.skip_input_data = SkipInputData;
    src.Pub.resync_to_restart = jpeg_resync_to_restart;
    src.Pub.term_source = TermSource;
    src.Pub.next_input_byte = nullptr;
    src.Pub.bytes_in_buffer = 0;
    src.Data = data;
    src.Size = size;
    src.Offset = 0;
    src.Reader = reader;
    src.StartOfFile = true;
    progress.Pub.progress_monitor = ProgressMonitor;
    progress.MaxScans = maxScans;
}

int Failure(jpeg_decompress_struct& cinfo, TErrorManager& err) {
    jpeg_destroy_decompress(&cinfo);
    return err.Pub.msg_code ? err.Pub.msg_code : JERR_NOTIMPL;
}

bool TooLarge(const jpeg_decompress_struct& cinfo, std::int64_t maxPixels) {
    return maxPixels > 0 && std::int64_t(cinfo.image_width) * std::int64_t(cinfo.image_height) > maxPixels;
}

// Adobe's programs store ink inverted (255 = no ink), others plainly. The colour is what
// the paper shows through all four inks.
void InkToBgr(const JSAMPLE* ink, std::uint8_t* out, JDIMENSION width, bool inverted, bool grey) {
    for (JDIMENSION x = 0; x < width; ++x, ink += 4, out += 3) {
        int light[4];
        for (int i = 0; i < 4; ++i) light[i] = inverted ? ink[i] : 255 - ink[i];
        int red = (light[0] * light[3] + 127) / 255;
        int green = (light[1] * light[3] + 127) / 255;
        int blue = (light[2] * light[3] + 127) / 255;
        if (grey) red = green = blue = (red * 299 + green * 587 + blue * 114 + 500) / 1000;
        out[0] = std::uint8_t(blue);
        out[1] = std::uint8_t(green);
        out[2] = std::uint8_t(red);
    }
}

int HeaderOf(const std::uint8_t* data, std::size_t size, const TJpegReader& reader, int scaleDenominator,
             const TJpegLimits& limits, TJpegHeaderInfo& info) {
    jpeg_decompress_struct cinfo;
    TErrorManager err;
    TSource src;
    TProgress progress;
    std::memset(&cinfo, 0, sizeof cinfo);
    Prepare(cinfo, err, src, progress, data, size, reader, limits.MaxScans);
    if (setjmp(err.Jump)) return Failure(cinfo, err);
    jpeg_create_decompress(&cinfo);
    cinfo.src = &src.Pub;
    jpeg_read_header(&cinfo, TRUE);
    if (TooLarge(cinfo, limits.MaxPixels)) ERREXIT(&cinfo, JERR_IMAGE_TOO_BIG);
    info.Width = int(cinfo.image_width);
    info.Height = int(cinfo.image_height);
    info.Grayscale = cinfo.jpeg_color_space == JCS_GRAYSCALE;
    info.Progressive = jpeg_has_multiple_scans(&cinfo);
    info.OutputWidth = info.Width;
    info.OutputHeight = info.Height;
    if (scaleDenominator != 1) {
        cinfo.scale_num = 1;
        cinfo.scale_denom = unsigned(scaleDenominator);
        jpeg_calc_output_dimensions(&cinfo);
        info.OutputWidth = int(cinfo.output_width);
        info.OutputHeight = int(cinfo.output_height);
    }
    jpeg_destroy_decompress(&cinfo);
    return 0;
}

} // namespace

int ReadJpegHeader(const std::uint8_t* data, std::size_t size, int scaleDenominator, const TJpegLimits& limits,
                   TJpegHeaderInfo& info) {
    return HeaderOf(data, size, TJpegReader{}, scaleDenominator, limits, info);
}

int ReadJpegHeader(const TJpegReader& reader, int scaleDenominator, const TJpegLimits& limits,
                   TJpegHeaderInfo& info) {
    return HeaderOf(nullptr, 0, reader, scaleDenominator, limits, info);
}

int DecodeJpeg(const std::uint8_t* data, std::size_t size, const TJpegDecodeSettings& settings,
               const TJpegLimits& limits, const TJpegDecodeTarget& target) {
    jpeg_decompress_struct cinfo;
    TErrorManager err;
    TSource src;
    TProgress progress;
    std::memset(&cinfo, 0, sizeof cinfo);
    Prepare(cinfo, err, src, progress, data, size, TJpegReader{}, limits.MaxScans);
    if (setjmp(err.Jump)) return Failure(cinfo, err);
    jpeg_create_decompress(&cinfo);
    cinfo.src = &src.Pub;
    cinfo.progress = &progress.Pub;
    jpeg_read_header(&cinfo, TRUE);
    if (TooLarge(cinfo, limits.MaxPixels)) ERREXIT(&cinfo, JERR_IMAGE_TOO_BIG);

    cinfo.scale_num = 1;
    cinfo.scale_denom = unsigned(settings.ScaleDenominator);
    cinfo.do_block_smoothing = settings.Smoothing ? TRUE : FALSE;
    // Printers' files: the library gives their four inks (turning YCCK into CMYK) and
    // nothing else, so they are turned into colour here, row by row, whatever the
    // settings ask for beyond grey.
    const bool inks = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    if (inks)
        cinfo.out_color_space = JCS_CMYK;
    else if (settings.Grayscale)
        cinfo.out_color_space = JCS_GRAYSCALE;
    const bool indexed = !inks && (settings.EightBit || cinfo.out_color_space == JCS_GRAYSCALE);
    if (indexed) {
        cinfo.quantize_colors = TRUE;
        cinfo.desired_number_of_colors = 236;
    } else if (!inks) {
        // Straight into the bitmap's own channel order.
        cinfo.out_color_space = JCS_EXT_BGR;
    }
    if (settings.BestSpeed) {
        cinfo.dct_method = JDCT_IFAST;
        cinfo.two_pass_quantize = FALSE;
        cinfo.dither_mode = JDITHER_ORDERED;
    }
    jpeg_start_decompress(&cinfo);
    if (!target.Allocate(target.Context, int(cinfo.output_width), int(cinfo.output_height), indexed))
        ERREXIT1(&cinfo, JERR_OUT_OF_MEMORY, 0);
    if (indexed && !target.SetPalette(target.Context, cinfo.colormap, cinfo.out_color_components,
                                      cinfo.actual_number_of_colors))
        ERREXIT1(&cinfo, JERR_OUT_OF_MEMORY, 0);

    JSAMPARRAY ink = inks ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                       cinfo.output_width * 4, 1)
                          : nullptr;
    while (ink && cinfo.output_scanline < cinfo.output_height) {
        std::uint8_t* row = target.Row(target.Context, int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, ink, 1);
        InkToBgr(ink[0], row, cinfo.output_width, cinfo.saw_Adobe_marker, settings.Grayscale);
    }
    JSAMPROW rows[16];
    while (cinfo.output_scanline < cinfo.output_height) {
        int count = int(std::min<JDIMENSION>(16, cinfo.output_height - cinfo.output_scanline));
        for (int i = 0; i < count; ++i) rows[i] = target.Row(target.Context, int(cinfo.output_scanline) + i);
        jpeg_read_scanlines(&cinfo, rows, JDIMENSION(count));
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return 0;
}
