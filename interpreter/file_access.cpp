#include "interpreter/file_access.h"

#include <array>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <system_error>

#include "interpreter/value_format.h"

namespace quorvex {

namespace {

// Every byte in a well-formed sequence, or the text is taken as Windows-1252.
bool is_utf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const Utf8Char c = decode_utf8(s, i, BadByte::refused);
        if (c.code == not_utf8) return false;
        i += c.length;
    }
    return true;
}

// Windows-1252 bytes 0x80..0x9F; the rest of the upper half is Latin-1. Unassigned bytes keep
// their value as a control character.
constexpr std::array<uint16_t, 32> cp1252_high = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// A regular file's bytes, when it is no larger than `max_bytes` and can be read.
SketchBytes read_regular_file(const std::filesystem::path& path, std::uintmax_t max_bytes) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return {};
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) return {};
    if (size > max_bytes) return {SketchBytes::Status::TooLarge, {}};
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return {};
    return {SketchBytes::Status::Read, text.str()};
}

} // namespace

std::string full_path(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path given(path);
    if (given.empty() || given.is_absolute()) return path;
    std::error_code ec;
    const fs::path full = fs::absolute(given, ec);
    if (ec) return path;
    fs::path folder = fs::weakly_canonical(full.parent_path(), ec);
    if (ec) folder = full.parent_path().lexically_normal();
    return (folder / full.filename()).string();
}

SketchBytes FileAccess::read_sketch(const std::string& path) {
    std::string full = full_path(path);
    SketchBytes file = read_regular_file(full, max_sketch_bytes);
    if (file.status == SketchBytes::Status::Read && full != path) file.path = std::move(full);
    return file;
}

bool FileAccess::append(const std::filesystem::path& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    if (!out) return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(out);
}

std::string decode_sketch_text(std::string bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
    if (is_utf8(bytes)) return bytes;
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80)
            out += ch;
        else if (c < 0xA0)
            append_utf8(out, cp1252_high[c - 0x80]);
        else
            append_utf8(out, c);
    }
    return out;
}

std::optional<std::string> DiskFiles::read(const std::string& name) {
    const std::filesystem::path wanted(name);
    // Only names inside the sketch folder: no absolute paths, no way up.
    if (name.empty() || wanted.is_absolute()) return std::nullopt;
    for (const auto& part : wanted)
        if (part == "..") return std::nullopt;

    std::error_code ec;
    std::filesystem::path path = root / wanted;
    if (!std::filesystem::is_regular_file(path, ec)) {
        // No exact match: a unique match that differs only in letter case.
        const std::filesystem::path folder = path.parent_path();
        const std::string lower_name = [&] {
            std::string s = wanted.filename().string();
            for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            return s;
        }();
        std::filesystem::path match;
        int matches = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
            std::string s = entry.path().filename().string();
            for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (s == lower_name && entry.is_regular_file(ec)) {
                match = entry.path();
                ++matches;
            }
        }
        if (matches != 1) return std::nullopt;
        path = match;
    }
    SketchBytes file = read_regular_file(path, max_bytes);
    if (file.status != SketchBytes::Status::Read) return std::nullopt;
    return std::move(file.bytes);
}

} // namespace quorvex
