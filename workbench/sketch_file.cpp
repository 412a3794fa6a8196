// The sketch editor's save name, saved bytes and shown lines.
#include "workbench/sketch_file.h"

#include <filesystem>
#include <system_error>

#include "interpreter/interpreter.h"

namespace quorvex {

std::string sketch_save_name(std::string_view chosen) {
    const size_t slash = chosen.find_last_of('/');
    const std::string_view file = slash == std::string_view::npos ? chosen : chosen.substr(slash + 1);
    const size_t dot = file.rfind('.');
    std::string name(chosen);
    if (dot == std::string_view::npos || file.substr(dot) != ".ino") name += ".ino";
    return name;
}

std::string save_target_problem(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_type type = std::filesystem::status(path, error).type();
    if (type == std::filesystem::file_type::not_found || type == std::filesystem::file_type::none ||
        type == std::filesystem::file_type::regular)
        return {};
    if (type == std::filesystem::file_type::directory) return "It is a folder";
    return "It is not a regular file";
}

std::string saved_bytes(const std::vector<std::string>& lines, std::string_view title, std::string_view version) {
    size_t size = 64;
    for (const std::string& line : lines) size += line.size() + 2;
    std::string out;
    out.reserve(size);
    out += lines.empty() ? std::string() : lines.front();
    out += "\r\n// Saved by ";
    out += title;
    out += " V";
    out += version;
    out += "\r\n";
    for (size_t i = 1; i < lines.size(); ++i) {
        out += lines[i];
        out += "\r\n";
    }
    return out;
}

std::vector<std::string> editor_lines(const Interpreter& core) {
    std::vector<std::string> lines;
    lines.reserve(core.ListBox1.items().size());
    for (int32_t i = 0; i < core.ListBox1.Count(); ++i)
        if (!core.pre.from_include(i)) lines.push_back(core.ListBox1.item(i));
    return lines;
}

const std::vector<std::string>& bare_minimum() {
    static const std::vector<std::string> lines = {"// Simulate Uno",
                                                   "",
                                                   "void setup() {",
                                                   "  // put your setup code here, to run once:",
                                                   "",
                                                   "}",
                                                   "",
                                                   "void loop() {",
                                                   "  // put your main code here, to run repeatedly:",
                                                   "",
                                                   "}"};
    return lines;
}

} // namespace quorvex
