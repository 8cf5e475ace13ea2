/* Asks Windows' own collation about code page 1251 text; built with MinGW and run
 * under Wine by scripts/make-collation-oracle. Lines come on standard input, one per
 * line, each written as the hexadecimal digits of its bytes (so any byte can be asked about).
 *
 *   compare_string whoami       the user's default locale and ANSI code page
 *   compare_string keys LCID    each line's LCMapStringW sort key (NORM_IGNORECASE), in hex
 *   compare_string sort LCID    the lines in CompareStringW(LCID, NORM_IGNORECASE) order
 *   compare_string sort user    the same with CompareStringA(LOCALE_USER_DEFAULT) on the bytes
 *
 * sort prints one "<" or "=" (greater than or equal to the line before) and the line's
 * input number per line, then checks every pair against that order and reports on
 * standard error any pair that disagrees with it. Text is decoded from code page 1251
 * whatever the locale, as the program reads its catalogue.
 */
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef struct {
    char* bytes;
    int length;
    WCHAR* wide;
    int wideLength;
} Line;

static Line* lines;
static int count;
static LCID lcid;
static int useAnsi;

static void* checked(void* p) {
    if (!p) {
        fprintf(stderr, "out of memory\n");
        exit(1);
    }
    return p;
}

static int hexDigit(int c) {
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

static void readLines(void) {
    size_t size = 0, capacity = 1 << 20;
    char* all = checked(malloc(capacity));
    size_t got;
    while ((got = fread(all + size, 1, capacity - size, stdin)) > 0) {
        size += got;
        if (size == capacity) all = checked(realloc(all, capacity *= 2));
    }
    int room = 1024;
    lines = checked(malloc(room * sizeof(Line)));
    for (size_t start = 0; start < size;) {
        char* end = memchr(all + start, '\n', size - start);
        size_t digits = (end ? (size_t)(end - all) : size) - start;
        if (count == room) lines = checked(realloc(lines, (room *= 2) * sizeof(Line)));
        Line* line = &lines[count++];
        /* The bytes replace their digits in place. */
        line->bytes = all + start;
        line->length = (int)(digits / 2);
        for (int i = 0; i < line->length; ++i)
            line->bytes[i] =
                (char)(hexDigit(all[start + 2 * i]) << 4 | hexDigit(all[start + 2 * i + 1]));
        line->wide = checked(malloc((line->length + 1) * sizeof(WCHAR)));
        line->wideLength = MultiByteToWideChar(1251, 0, line->bytes, line->length, line->wide,
                                               line->length);
        line->wide[line->wideLength] = 0;
        start += digits + 1;
    }
}

/* -1, 0 or 1. */
static int compare(const Line* a, const Line* b) {
    int r = useAnsi ? CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a->bytes, a->length,
                                     b->bytes, b->length)
                    : CompareStringW(lcid, NORM_IGNORECASE, a->wide, a->wideLength, b->wide,
                                     b->wideLength);
    if (r == 0) {
        fprintf(stderr, "CompareString failed: %lu\n", (unsigned long)GetLastError());
        exit(1);
    }
    return r - CSTR_EQUAL;
}

/* A stable merge sort of line numbers, so equal lines keep their input order. */
static void mergeSort(int* items, int* scratch, int n) {
    if (n < 2) return;
    int half = n / 2;
    mergeSort(items, scratch, half);
    mergeSort(items + half, scratch, n - half);
    int i = 0, j = half, k = 0;
    while (i < half && j < n)
        scratch[k++] = compare(&lines[items[j]], &lines[items[i]]) < 0 ? items[j++] : items[i++];
    while (i < half)
        scratch[k++] = items[i++];
    while (j < n)
        scratch[k++] = items[j++];
    memcpy(items, scratch, n * sizeof(int));
}

static int sortLines(void) {
    int* order = checked(malloc((count + 1) * sizeof(int)));
    int* scratch = checked(malloc((count + 1) * sizeof(int)));
    int* group = checked(malloc((count + 1) * sizeof(int)));
    for (int i = 0; i < count; ++i)
        order[i] = i;
    mergeSort(order, scratch, count);
    for (int i = 0; i < count; ++i) {
        int equal = i > 0 && compare(&lines[order[i - 1]], &lines[order[i]]) == 0;
        group[i] = i == 0 ? 0 : group[i - 1] + !equal;
        printf("%c %d\n", equal ? '=' : '<', order[i]);
    }
    long long wrong = 0;
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j) {
            int expected = group[i] == group[j] ? 0 : -1;
            if (compare(&lines[order[i]], &lines[order[j]]) != expected && wrong++ < 20)
                fprintf(stderr, "inconsistent: lines %d and %d\n", order[i], order[j]);
        }
    if (wrong) fprintf(stderr, "%lld pairs disagree with the order\n", wrong);
    return wrong ? 1 : 0;
}

static int printKeys(void) {
    for (int i = 0; i < count; ++i) {
        const Line* line = &lines[i];
        /* An empty text is refused with a length of 0, not as an empty string. */
        int length = line->wideLength ? line->wideLength : -1;
        int size = LCMapStringW(lcid, LCMAP_SORTKEY | NORM_IGNORECASE, line->wide, length, NULL, 0);
        BYTE* key = checked(malloc(size + 1));
        if (size == 0 || LCMapStringW(lcid, LCMAP_SORTKEY | NORM_IGNORECASE, line->wide, length,
                                      (LPWSTR)key, size) != size) {
            fprintf(stderr, "LCMapString failed on line %d: %lu\n", i, (unsigned long)GetLastError());
            return 1;
        }
        for (int b = 0; b < size; ++b)
            printf("%02x", key[b]);
        printf("\n");
        free(key);
    }
    return 0;
}

int main(int argc, char** argv) {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc == 2 && !strcmp(argv[1], "whoami")) {
        printf("%04lx %u\n", (unsigned long)GetUserDefaultLCID(), GetACP());
        return 0;
    }
    if (argc != 3 || (strcmp(argv[1], "keys") && strcmp(argv[1], "sort"))) {
        fprintf(stderr, "usage: compare_string whoami | keys LCID | sort LCID|user\n");
        return 2;
    }
    useAnsi = !strcmp(argv[2], "user");
    lcid = useAnsi ? LOCALE_USER_DEFAULT : (LCID)strtoul(argv[2], NULL, 16);
    if (!useAnsi && !IsValidLocale(lcid, LCID_SUPPORTED)) {
        fprintf(stderr, "locale %s is not known here\n", argv[2]);
        return 1;
    }
    readLines();
    return !strcmp(argv[1], "keys") ? printKeys() : sortLines();
}
