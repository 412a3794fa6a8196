#pragma once
// Declarations: directives and type, qualifier and object words at the start of a statement.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quorvex {

class Interpreter;

inline constexpr int max_ident = 30;
inline constexpr int max_hash = 8;
// Initialisers a list may hold: as many as the argument splitter keeps.
inline constexpr int max_initialisers = 201;

// A declaration word's handler. `rest` is the statement after the word, trimmed, in the letter
// case written (it may still end with ";"); `code` is the row's type code, 0 for rows without
// one. The result is the statement's value, which only a function-style cast sets.
using DeclHandler = int32_t (*)(Interpreter&, std::string_view rest, int32_t code);

struct DeclRow {
    std::string_view word;
    DeclHandler handler; // nullptr: not built yet
    int32_t code;
    bool handled; // what check_declarations answers once the row's handler ran
};

// Type, qualifier and object words in search order; for rows 1..7 the index is the type code.
extern const std::array<DeclRow, max_ident + 1> kident;
// Directive words after "#" in search order, rows 1..8 (row 0 unused).
extern const std::array<DeclRow, max_hash + 1> khash;

// Whether check_declarations can take the trimmed text `t` at all: it begins with "#" or with a
// declaration word.
bool may_declare(std::string_view t);

class Declarations {
public:
    explicit Declarations(Interpreter& in);

    // True when the statement was handled here (a directive or a declaration word).
    bool check_declarations(std::string_view s);
    // Declaration or function-style cast for type code x; `s` is the text after the type word.
    // Returns the cast's value, 0 for anything else.
    int32_t kbyte(std::string_view s, int32_t x);
    // "void": only a loop() header means anything.
    void kvoid(std::string_view s);
    // "word": an unsigned int declaration or cast.
    int32_t kword(std::string_view s);
    void kconst(std::string_view s);
    void klocal(std::string_view s);
    void kunsigned(std::string_view s);
    void kstatic(std::string_view s);
    void kvolatile(std::string_view s);
    int32_t ksizeof(std::string_view s);
    // "Sketch Error - Bad declaration: " and the statement as written (type word `x` and `s`
    // when no statement is under way); object declarations report a bad name so too.
    void bad_declaration(std::string_view s, int32_t x);

    // Per-instance copies of the row handlers, so that tests can bind stand-ins.
    std::array<DeclHandler, max_ident + 1> ident_slots{};
    std::array<DeclHandler, max_hash + 1> hash_slots{};

    // The value of the statement check_declarations handled last: a cast's typed value, else 0.
    int32_t cast_value = 0;

    // The next source line of a multi-line initialiser; false at the end of the source. Empty:
    // the next line of the code list, advancing Line (an include file's reader replaces it).
    std::function<bool(std::string& line)> next_line;

private:
    struct Piece;
    class Depth;
    // What a declaration piece does, given the entry already under its name.
    enum class Action { create, reinit, assign, leave };

    int32_t cast(std::string_view t, int32_t x);
    void declare(std::string_view text, int32_t x, int32_t flags);
    bool plan(std::string_view part, int32_t x, Piece& p);
    bool array_size(std::string_view text, int64_t& size);
    Action decide(const Piece& p, int32_t line) const;
    void run(const Piece& p, int32_t flags, int32_t line);
    bool collect_initialiser(std::string& text);
    bool read_next_line(std::string& line);
    void qualify(std::string_view s, int32_t flag, bool is_const);
    int32_t element_size(std::string_view arg);

    Interpreter& in_;
    int depth_ = 0;              // declaration handlers active; the outermost clears the flags
    bool pass_on_ = false;       // a cast followed by more text: the operators take the statement
    std::string_view statement_; // the outermost statement, for messages
};

} // namespace quorvex
