// bench-pictures: JPEG decoding through TJPEGImage against libjpeg-turbo's djpeg on
// the same files in the same run, and the cost of a header-only load of a large file.
// Usage: bench-pictures [DJPEG]   (DJPEG defaults to "djpeg" on the PATH)

#include "jpeg_samples.h"
#include "pictures/gif_image.h"
#include "pictures/jpeg_image.h"
#include "pictures/picture.h"
#include "platform/stream.h"

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
#include <sys/wait.h>
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

    const auto largeSize = std::filesystem::file_size(large);
    double readOnly = TimeMs(100, [&] {
        TFileStream stream(large, fmOpenRead);
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream.Size()));
        stream.ReadBuffer(bytes.data(), std::int64_t(bytes.size()));
    });
    double load = TimeMs(100, [&] {
        TPicture picture;
        picture.LoadFromFile(large);
    });
    std::printf("header-only load, %.1f MB   file read %.3f ms, load %.3f ms: header parse %.3f ms\n",
                double(largeSize) / 1e6, readOnly, load, load - readOnly);
    std::filesystem::remove_all(folder);
    return 0;
}
