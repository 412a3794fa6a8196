#pragma once
// Directives: macros, conditional inclusion and #include.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvex {

class Interpreter;

// Library flags set by #include of a known header.
inline constexpr int32_t LIB_EEPROM = 1;
inline constexpr int32_t LIB_ETHERNET = 2;
inline constexpr int32_t LIB_FIRMATA = 4;
inline constexpr int32_t LIB_LCD = 8;
inline constexpr int32_t LIB_SD = 16;
inline constexpr int32_t LIB_SERVO = 32;
inline constexpr int32_t LIB_SOFTSERIAL = 64;
inline constexpr int32_t LIB_STEPPER = 128;
inline constexpr int32_t LIB_SPI = 256;
inline constexpr int32_t LIB_TIMER1 = 512;
inline constexpr int32_t LIB_WIRE = 1024;
inline constexpr int32_t LIB_TIME = 2048;
inline constexpr int32_t LIB_FC = 4096;

// The lines of one include file, read in order with the file's own comment state.
class IncludeReader {
public:
    static constexpr int32_t max_lines = 1000;

    // `text` is the decoded file; only its first max_lines lines are kept.
    IncludeReader(std::string name, std::string_view text);

    const std::string& name() const { return name_; }
    const std::vector<std::string>& lines() const { return lines_; }
    // The next line as written (tabs made blanks); false at the end.
    bool next(std::string& raw);
    // A line's code: comments removed, carrying a /* */ comment across this file's lines only.
    std::string code(Interpreter& in, std::string_view raw);

    bool inserting = false; // the lines also stand in the code list, one after another from Line

private:
    std::string name_;
    std::vector<std::string> lines_;
    size_t next_ = 0;
    bool open_comment_ = false;
};

class Preprocessor {
public:
    static constexpr int32_t max_hif = 200;         // deepest #if nesting
    static constexpr int32_t max_include_depth = 8; // include files within include files

    explicit Preprocessor(Interpreter& in) : in_(in) {}

    void kinclude(std::string_view s);
    void khdefine(std::string_view s);
    void khifdef(std::string_view s);
    void khifndef(std::string_view s);
    void khif(std::string_view s);
    void khelse(std::string_view s);
    void khelif(std::string_view s);
    void khendif(std::string_view s);

    void reset();

    // True when the code line was inserted from an include file (the #include line is not).
    bool from_include(int32_t line) const;

    int32_t library1 = 0;
    int32_t hloop = 0;
    std::array<int32_t, max_hif + 1> hif{}; // 1 at a depth whose branch was taken
    bool included = false;
    bool kinclude1 = false; // an include file's lines are being executed
    int32_t include_start = -1;
    int32_t include_end = -1;

private:
    // One #if level: opens it, then runs or skips its first branch.
    void open_if(bool taken);
    // Skips to the next #else, a true #elif or the #endif of the current level.
    void skip_to_branch();
    // Skips to the #endif of the current level and closes it.
    void skip_to_endif();
    // The one skip: to "#endif", and with `to_branch` also to a taken "#else"/"#elif".
    void skip(bool to_branch);
    // The next line a skip reads, from the running include file or the code list; false at the end.
    bool skip_next(std::string& text, bool& in_list);
    void skip_colour(bool in_list, bool stop);
    bool known(std::string_view name);
    void include_file(const std::string& name);
    // include_file's steps: the file's decoded text unless it is refused (too deep, including
    // itself, missing, not text); its lines put into the code list when the reset scan inserts
    // them; its lines run as statements.
    std::optional<std::string> include_text(const std::string& name);
    void insert_lines(IncludeReader& reader);
    void run_lines(IncludeReader& reader);
    bool next_include_line(std::string& line);
    void drop_stale_ranges();

    Interpreter& in_;
    std::vector<IncludeReader*> readers_;             // include files being run, innermost last
    std::vector<std::pair<int32_t, int32_t>> ranges_; // inserted line ranges, first..last
};

} // namespace quorvex
