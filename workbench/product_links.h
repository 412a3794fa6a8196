#pragma once
// The product's own addresses and the error-report mail link.

#include <string>
#include <string_view>

namespace quorvex {

inline constexpr const char* product_web_page = "https://quorvex.example.org/";
inline constexpr const char* support_mail = "support@quorvex.example.org";
inline constexpr const char* maker_line = "Made by the Quorvex developers - https://quorvex.example.org/";

// Every byte but the unreserved characters (letters, digits, "-", ".", "_", "~") as "%XX".
std::string percent_encode(std::string_view text);

// "mailto:" + address, with one "subject" item "Auto Error=" + error + " Line=" + line, encoded
// so that no character of the message can start another item or cut the link.
std::string mailto_url(std::string_view address, std::string_view error, std::string_view line);

} // namespace quorvex
