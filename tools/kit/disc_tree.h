#pragma once
// A folder tree read for packing onto a disc: every file and folder under a root, with
// what stops it from going onto a disc found before anything is written. Symbolic
// links are followed, so the disc gets what they point to.

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

struct TTreeEntry {
    std::string Relative; // path under the root, "/"-separated, the bytes as stored
    std::string Source;   // where to read it
    bool IsFolder = false;
    mode_t Mode = 0;      // permission bits
    timespec Modified{};
    std::uintmax_t Size = 0;
};

struct TTreeScan {
    std::vector<TTreeEntry> Entries; // folders before what they hold
    // One line per file that cannot go onto a disc, naming it.
    std::vector<std::string> Problems;
};

// Reads the tree under root. `skip` leaves out entries (by relative path) and what
// they hold.
TTreeScan ScanTree(const std::string& root, const std::function<bool(const std::string&)>& skip = {});

// Copies the entries into the existing folder `destination`: names, bytes, permission
// bits and modification times. Throws Exception naming the file that failed.
void CopyTree(const std::vector<TTreeEntry>& entries, const std::string& destination);

// A relative path as a person can read it: UTF-8 as it is, other bytes as \xNN.
std::string PrintablePath(const std::string& bytes);
