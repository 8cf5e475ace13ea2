#pragma once
// The values a form description can make from files at build time: raw bytes, lines
// of text, and whatever the program's layers add.

#include <functional>
#include <string>

// `fileRead` hears of every file a value is made from, for build dependencies.
void RegisterFormValueMakers(std::function<void(const std::string& path)> fileRead);
