#pragma once
// The catalogue order Windows gave a set of hard lines, recorded under Wine by
// scripts/make-collation-oracle into tests/data/collation/LOCALE.order.

#include "platform/cp1251.h"

#include <fstream>
#include <string>
#include <string_view>
#include <vector>

// One line of a recorded order: its text in code page 1251 and the rank of the group of
// lines Windows calls equal to it.
struct TOracleLine {
    std::string Text;
    int Rank;
};

// The UTF-8 spelling of an order file back in code page 1251: \xNN a byte, \\ a
// backslash, X\{N} the character X N times.
inline std::string Unescape(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == 'x') {
            out += static_cast<char>(std::stoi(std::string(s.substr(i + 2, 2)), nullptr, 16));
            i += 4;
        } else if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == '{') {
            std::size_t close = s.find('}', i);
            out.append(std::stoul(std::string(s.substr(i + 2, close - i - 2))) - 1, out.back());
            i = close + 1;
        } else if (s[i] == '\\') {
            out += '\\';
            i += 2;
        } else {
            std::size_t len = static_cast<unsigned char>(s[i]) < 0x80 ? 1
                              : static_cast<unsigned char>(s[i]) < 0xE0 ? 2
                                                                        : 3;
            out += Utf8ToCp1251(s.substr(i, len));
            i += len;
        }
    }
    return out;
}

inline std::vector<TOracleLine> ReadOrder(const std::string& windowsLocale) {
    std::ifstream in(std::string(VITRINA_TEST_DATA) + "/collation/" + windowsLocale + ".order",
                     std::ios::binary);
    std::vector<TOracleLine> lines;
    int rank = -1;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        rank += line[0] == '<';
        lines.push_back({Unescape(std::string_view(line).substr(2)), rank});
    }
    return lines;
}
