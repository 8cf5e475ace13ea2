#include "platform/stored_name.h"

// Linux file systems tell letter case apart: a path that exists is spelt as stored.
std::string StoredName(const std::string&, const std::string& writtenName) { return writtenName; }
