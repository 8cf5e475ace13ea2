#include "form_value_makers.h"

#include "platform/exceptions.h"
#include "toolkit/form_description.h"

#include <fstream>
#include <sstream>

namespace {

std::string JoinPath(const std::string& baseDir, const std::string& relative) {
    if (relative.empty() || relative[0] == '/' || baseDir.empty()) return relative;
    return baseDir + "/" + relative;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw Exception("cannot open " + path);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

} // namespace

void RegisterFormValueMakers(std::function<void(const std::string& path)> fileRead) {
    RegisterValueConstructor("file", [fileRead](const std::string& argument, const std::string& baseDir) {
        std::string path = JoinPath(baseDir, argument);
        fileRead(path);
        TFormValue value;
        value.Kind = TFormValue::vkBinary;
        std::string content = ReadFile(path);
        value.Bytes.assign(content.begin(), content.end());
        return value;
    });
}
