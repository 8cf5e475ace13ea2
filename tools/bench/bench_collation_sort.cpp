// bench-collation-sort: the catalogue's sort against a plain std::sort with the same
// comparison, on the lines of one file, in the same run; and the memory the sort leaves
// behind. Usage: bench-collation-sort FILE [LOCALE]   (LOCALE as in LC_ALL, default ru_RU)

#include "platform/collation.h"
#include "platform/text_file.h"

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

double ResidentMb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(::sysconf(_SC_PAGESIZE)) / (1 << 20);
}

double ThreadSeconds() {
    timespec t;
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Processor time of this thread: both sorts run on one core, and on a busy machine
// wall time would mostly measure the others.
template <typename F> double Seconds(F&& body) {
    const double start = ThreadSeconds();
    body();
    return ThreadSeconds() - start;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench-collation-sort FILE [LOCALE]\n");
        return 2;
    }
    const TCollator collator(argc > 2 ? argv[2] : "ru_RU");
    TTextFileLines text = TTextFileLines::Read(argv[1]);
    const std::vector<std::string_view> lines = text.Lines();

    std::vector<std::string_view> items = lines;
    const double before = ResidentMb();
    const double ours = Seconds([&] { CollationSort(items, collator); });
    const double after = ResidentMb();

    std::vector<std::string_view> plain = lines;
    const double reference = Seconds([&] {
        std::sort(plain.begin(), plain.end(),
                  [&](std::string_view a, std::string_view b) { return collator.Compare(a, b) < 0; });
    });
    bool same = std::equal(items.begin(), items.end(), plain.begin(),
                           [&](auto a, auto b) { return collator.Compare(a, b) == 0; });
    std::printf("%zu lines: CollationSort %.3f s, std::sort with Compare %.3f s (%.2fx; processor time), "
                "resident after the sort %+.1f MB%s\n",
                lines.size(), ours, reference, ours / reference, after - before,
                same ? "" : ", ORDERS DIFFER");
    return same ? 0 : 1;
}
