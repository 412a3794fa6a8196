#pragma once
// The sketch editor's file rules without a toolkit: the save name, the saved bytes and the
// lines the editor shows.

#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

class Interpreter;

// The name a save writes: `chosen` with ".ino" appended unless its extension is exactly ".ino".
std::string sketch_save_name(std::string_view chosen);

// Why a save must not write to `path`, as a user reads it; empty when it may. A name that exists
// and is not a regular file once links are followed (a device, a pipe, a socket, a folder) is
// refused: the save would put a new file in its place. A missing name is left to the save, which
// creates it or reports why it cannot.
std::string save_target_problem(const std::string& path);

// The file a save writes: line 0, "// Saved by <title> V<version>", the other lines; each line
// ends with CR LF. The lines are UTF-8 and written as they are.
std::string saved_bytes(const std::vector<std::string>& lines, std::string_view title, std::string_view version);

// The code list's lines without those an #include inserted: saving or updating must not copy a
// header's text into the sketch.
std::vector<std::string> editor_lines(const Interpreter& core);

// The "Bare Minimum" template, eleven lines.
const std::vector<std::string>& bare_minimum();

} // namespace quorvex
