#pragma once
// The variables grid without a toolkit: its display format, the Watch switch and the user's
// marks, and the rows a refresh shows, built from the variable table.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvex {

class VariableTable;

enum class GridFormat { Decimal, Hex, Char };

// One grid row under the titles: a type's header row or one variable.
struct GridRow {
    bool header = false;
    int32_t type = 0;      // the type code
    std::string no;        // the running number, "" on a header row
    std::string mark;      // "", "w" or "+"; a header row shows "w"
    std::string name;      // the variable's name, or the type word on a header row
    std::string value;     // "Value" on a header row
    std::string qualifier; // the qualifier words, or the type's variable count on a header row
    bool hidden = false;

    // A row stands for the same thing as another: the same header, or the same variable.
    bool same_key(const GridRow& o) const { return header == o.header && type == o.type && name == o.name; }
    bool same_cells(const GridRow& o) const {
        return no == o.no && mark == o.mark && value == o.value && qualifier == o.qualifier;
    }
};

// Orders (type code, name) keys; looks them up by a name view without copying it.
struct MarkKeyLess {
    using is_transparent = void;
    template <typename A, typename B>
    bool operator()(const A& a, const B& b) const {
        if (a.first != b.first) return a.first < b.first;
        return std::string_view(a.second) < std::string_view(b.second);
    }
};

struct GridState {
    GridFormat format = GridFormat::Decimal;
    bool Watch = false;
    // The user's marks, kept with the variable (type code and name) rather than the row, so a
    // mark stays on its variable when locals come and go above it.
    std::map<std::pair<int32_t, std::string>, std::string, MarkKeyLess> marks;

    const std::string& mark(int32_t type, std::string_view name) const;
    // An empty text removes the mark.
    void set_mark(int32_t type, std::string_view name, std::string text);
};

// The type codes in the order the grid lists them.
inline constexpr int32_t grid_types[] = {1, 2, 3, 4, 5, 6, 7, 8, 12};

// The rows of every variable, grouped by type, with folding and Watch applied. `out` is
// overwritten; its storage is reused.
void build_rows(const VariableTable& vars, const GridState& state, std::vector<GridRow>& out);

// The value text of an integer in a display format: "%d", "0x%X" of the 32-bit pattern, or
// the character of the low 16 bits (control characters as U+FFFD) and " (0x%X)".
std::string integer_text(int32_t value, GridFormat format);

// A text typed into a value cell (already trimmed), as the variable's type reads it.
struct TypedValue {
    enum class Kind {
        Typing,    // "", "-" or ".": a number on its way
        Text,      // a String's or #define's new text: any text
        Float,     // a finite decimal number a float holds: "." whatever the locale, no hex
        Whole,     // a whole 32-bit decimal number, for the other types
        NotAValue, // nothing the type can take
    };
    Kind kind = Kind::NotAValue;
    int32_t whole = 0; // the number, for Whole
};
// Whether `text` is a number still being typed; decided before the variable is looked up.
bool still_typing(std::string_view text);
TypedValue read_typed(std::string_view text, int32_t type);

// Folding or unfolding at once after the mark of row `current` changed: shows the element rows
// below it up to the next array (unfolded), or hides them up to a marked row (folded).
void update_arrays(std::vector<GridRow>& rows, size_t current);

} // namespace quorvex
