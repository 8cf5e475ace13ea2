#include "platform/byte_order_mark.h"

#include "platform/cp1251.h"

std::size_t DecodeMarkedUtf8(std::span<char> text) {
    if (!StartsWithUtf8ByteOrderMark(std::string_view(text.data(), text.size())))
        return text.size();
    std::string_view utf8(text.data() + Utf8ByteOrderMark.size(),
                          text.size() - Utf8ByteOrderMark.size());
    return Utf8ToCp1251Into(utf8, text.data());
}
