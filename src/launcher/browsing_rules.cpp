#include "launcher/browsing_rules.h"

std::string TitlePath(std::string_view category, std::string_view folder) {
    std::string path = "soft\\";
    path += category;
    path += '\\';
    path += folder;
    return path;
}

int TitleListHeight(int itemCount) { return itemCount >= 20 ? 394 : 20 * itemCount + 2; }
