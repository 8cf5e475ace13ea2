/* Stand-ins for the other programs a test of the Windows launcher needs.
 *   record_open.exe ARG...          what Windows opens folders with during the test:
 *                                   appends each argument as it arrived, in UTF-8, one a
 *                                   line, then "--", to the file %VITRINA_TEST_RECORD%
 *   record_open.exe hold FILE SECS  an editor holding FILE open for writing: prints
 *                                   "held" once it does, lets go after SECS seconds */
#include <windows.h>
#include <shellapi.h>
#include <stdio.h>
#include <stdlib.h>

static void AppendUtf8(HANDLE file, const wchar_t* text) {
    char bytes[8192];
    int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, NULL, NULL);
    DWORD written;
    if (length > 1) WriteFile(file, bytes, (DWORD)(length - 1), &written, NULL);
    WriteFile(file, "\n", 1, &written, NULL);
}

int main(void) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return 3;
    if (argc == 4 && wcscmp(argv[1], L"hold") == 0) {
        HANDLE held = CreateFileW(argv[2], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, NULL);
        if (held == INVALID_HANDLE_VALUE) {
            fprintf(stderr, "record_open: cannot hold %ls: error %lu\n", argv[2], GetLastError());
            return 1;
        }
        printf("held\n");
        fflush(stdout);
        Sleep((DWORD)_wtoi(argv[3]) * 1000);
        CloseHandle(held);
        return 0;
    }
    wchar_t recordName[MAX_PATH * 4];
    if (!GetEnvironmentVariableW(L"VITRINA_TEST_RECORD", recordName, MAX_PATH * 4)) return 2;
    HANDLE record = CreateFileW(recordName, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, NULL);
    if (record == INVALID_HANDLE_VALUE) return 1;
    for (int i = 1; i < argc; ++i) AppendUtf8(record, argv[i]);
    AppendUtf8(record, L"--");
    CloseHandle(record);
    return 0;
}
