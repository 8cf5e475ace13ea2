// bench-pictures: JPEG decoding through TJPEGImage against libjpeg-turbo's djpeg on
// the same files in the same run, what a load costs as the file grows, and the memory a
// drawn picture keeps per pixel.
// Usage: bench-pictures [DJPEG]   (DJPEG defaults to "djpeg" on the PATH)

#include "jpeg_samples.h"
#include "pictures/gif_image.h"
#include "pictures/jpeg_image.h"
#include "pictures/picture.h"
#include "platform/stream.h"
#include "toolkit/canvas.h"
#include "toolkit/pixel_buffer.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using TClock = std::chrono::steady_clock;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Median wall time of `runs` calls, in milliseconds, after one warm-up call.
double TimeMs(int runs, const std::function<void()>& body) {
    body();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        auto start = TClock::now();
        body();
        times.push_back(std::chrono::duration<double, std::milli>(TClock::now() - start).count());
    }
    return Median(times);
}

void Run(const std::string& program, const std::string& file) {
    std::vector<std::string> args = {program, "-outfile", "/dev/null", file};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid;
    if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "bench-pictures: cannot run %s\n", program.c_str());
        std::exit(2);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "bench-pictures: %s failed on %s\n", program.c_str(), file.c_str());
        std::exit(2);
    }
}

// Something like a game screenshot: smooth shading, hard-edged shapes, fine detail.
TJpegSample Screenshot(int width, int height, int quality, int noise) {
    TJpegSample sample;
    sample.Width = width;
    sample.Height = height;
    sample.Quality = quality;
    sample.Pixel = [=](int x, int y, std::uint8_t rgb[3]) {
        unsigned hash = unsigned(x * 73856093) ^ unsigned(y * 19349663);
        hash = (hash ^ (hash >> 13)) * 1274126177u;
        int grain = int(hash >> 24) % (noise + 1) - noise / 2;
        bool box = ((x / 37) + (y / 23)) % 5 == 0;
        bool text = (y % 16 < 9) && ((x * 7 + y * 3) % 11 < 4) && (y / 16) % 3 == 0;
        int r = box ? 230 : 40 + x * 160 / width;
        int g = text ? 250 : 60 + y * 150 / height;
        int b = box ? 30 : 120 + ((x + y) % 64);
        rgb[0] = std::uint8_t(std::clamp(r + grain, 0, 255));
        rgb[1] = std::uint8_t(std::clamp(g + grain, 0, 255));
        rgb[2] = std::uint8_t(std::clamp(b - grain, 0, 255));
    };
    return sample;
}

std::string Write(const std::filesystem::path& folder, const std::string& name, const std::string& bytes) {
    std::string path = (folder / name).string();
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return path;
}

void Compare(const char* what, const std::string& file, const std::string& djpeg, double startupMs, int runs) {
    double ours = TimeMs(runs, [&] {
        TPicture picture;
        picture.LoadFromFile(file);
        static_cast<TJPEGImage*>(picture.Graphic())->Bitmap();
    });
    double theirs = TimeMs(runs, [&] { Run(djpeg, file); });
    double theirsDecode = std::max(theirs - startupMs, 0.001);
    std::printf("%-28s  TJPEGImage %8.3f ms   djpeg %8.3f ms (%.3f without start-up)   ratio %.2f (%.2f)\n", what,
                ours, theirs, theirsDecode, ours / theirs, ours / theirsDecode);
}

// Peak resident memory, in kB, of a child that loads file and, if asked, draws it into 4x4.
long PeakKilobytes(const std::string& file, bool draw) {
    pid_t child = fork();
    if (child == 0) {
        TPicture picture;
        picture.LoadFromFile(file);
        if (draw) {
            TPixelBuffer surface;
            surface.Allocate(4, 4, pf32bit);
            picture.Graphic()->Draw(surface.Canvas(), Rect(0, 0, 4, 4));
            surface.Canvas().Flush();
        }
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "bench-pictures: drawing %s failed\n", file.c_str());
        std::exit(2);
    }
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv) {
    const std::string djpeg = argc > 1 ? argv[1] : "djpeg";
    InitializeGifUnit();
    InitializeJpegUnit();
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "vitrina-bench-pictures";
    std::filesystem::create_directories(folder);

    const std::string screenshot = Write(folder, "photo.jpg", MakeJpeg(Screenshot(1600, 1200, 90, 24)));
    const std::string thumbnail = Write(folder, "Resize of photo.jpg", MakeJpeg(Screenshot(242, 200, 90, 24)));
    const std::string tiny = Write(folder, "tiny.jpg", MakeJpeg(Screenshot(8, 8, 90, 0)));
    const std::string large = Write(folder, "large.jpg", MakeJpeg(Screenshot(1900, 1400, 100, 255)));

    // What starting djpeg costs, measured on a picture with next to nothing to decode.
    const double startupMs = TimeMs(200, [&] { Run(djpeg, tiny); });
    std::printf("djpeg start-up (8x8 file)     %8.3f ms\n", startupMs);
    Compare("screenshot 1600x1200", screenshot, djpeg, startupMs, 40);
    Compare("thumbnail 242x200", thumbnail, djpeg, startupMs, 300);

    // A title click loads the screenshot: its cost must not grow with the file. The same
    // picture padded to 1 GB (a sparse file, so the disc holds little of it).
    const auto largeSize = std::filesystem::file_size(large);
    const std::string padded = Write(folder, "padded.jpg", std::string());
    std::filesystem::copy_file(large, padded, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::resize_file(padded, std::uintmax_t(1) << 30);
    auto loadOf = [](const std::string& file) {
        return [file] {
            TPicture picture;
            picture.LoadFromFile(file);
        };
    };
    double loadLarge = TimeMs(100, loadOf(large));
    double loadPadded = TimeMs(20, loadOf(padded));
    std::printf("header-only load              %.1f MB file %.3f ms, 1 GB file %.3f ms: ratio %.2f\n",
                double(largeSize) / 1e6, loadLarge, loadPadded, loadPadded / loadLarge);

    // Memory a decoded picture keeps: a 10000x10000 picture drawn into 4x4, against a
    // load of the same file that draws nothing.
    TJpegSample vast;
    vast.Width = 10000;
    vast.Height = 10000;
    vast.Quality = 75;
    vast.Pixel = [](int x, int y, std::uint8_t rgb[3]) {
        rgb[0] = std::uint8_t(x);
        rgb[1] = std::uint8_t(y);
        rgb[2] = std::uint8_t(x ^ y);
    };
    const std::string vastFile = Write(folder, "vast.jpg", MakeJpeg(vast));
    const long loaded = PeakKilobytes(vastFile, false);
    const long drawn = PeakKilobytes(vastFile, true);
    // The compressed file stays in memory beside the pixels, as it must.
    const double compressed = double(std::filesystem::file_size(vastFile));
    std::printf("10000x10000 drawn into 4x4    peak %.0f MB, load alone %.0f MB, file %.1f MB: %.2f bytes per "
                "pixel (at most 4)\n",
                double(drawn) / 1024, double(loaded) / 1024, compressed / 1e6,
                (double(drawn - loaded) * 1024 - compressed) / 1e8);
    std::filesystem::remove_all(folder);
    return 0;
}
