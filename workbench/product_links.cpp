// The error-report mail link.
#include "workbench/product_links.h"

namespace quorvex {

std::string percent_encode(std::string_view text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() * 3);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                                c == '-' || c == '.' || c == '_' || c == '~';
        if (unreserved) {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string mailto_url(std::string_view address, std::string_view error, std::string_view line) {
    std::string subject = "Auto Error=";
    subject += error;
    subject += " Line=";
    subject += line;
    return "mailto:" + std::string(address) + "?subject=" + percent_encode(subject);
}

} // namespace quorvex
