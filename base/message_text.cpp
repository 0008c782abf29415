#include "base/message_text.h"

#include <cstdio>

namespace base {
namespace {

void appendEscaped(std::string& out, unsigned char c) {
    if (c == '"' || c == '\\') {
        out += '\\';
        out += static_cast<char>(c);
    } else if (c == '\t') {
        out += "\\t";
    } else if (c >= 0x20 && c < 0x7f) {
        out += static_cast<char>(c);
    } else {
        char escape[5];
        std::snprintf(escape, sizeof escape, "\\x%02x", c);
        out += escape;
    }
}

bool isCut(std::string_view text) { return text.size() > kExcerptLength; }

}  // namespace

std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) appendEscaped(out, static_cast<unsigned char>(c));
    return out;
}

std::string excerpt(std::string_view text) {
    return escaped(text.substr(0, kExcerptLength)) + (isCut(text) ? "..." : "");
}

std::string quotedExcerpt(std::string_view text) {
    return '"' + escaped(text.substr(0, kExcerptLength)) + '"' + (isCut(text) ? "..." : "");
}

std::string counted(std::size_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + ' ' + std::string(count == 1 ? one : many);
}

}  // namespace base
