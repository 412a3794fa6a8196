#pragma once
// The variable table: every variable, array element and #define of the running sketch,
// organised by type code. Lookup is by first match: lowest type code, then lowest slot.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "interpreter/text_map.h"

namespace quorvex {

// Type codes, the indexes of the type words.
inline constexpr int32_t n_boolean = 1;
inline constexpr int32_t n_byte = 2;
inline constexpr int32_t n_char = 3;
inline constexpr int32_t n_int = 4;
inline constexpr int32_t n_long = 5;
inline constexpr int32_t n_float = 6;
inline constexpr int32_t n_string = 7;
inline constexpr int32_t n_define = 12;
inline constexpr int32_t max_n = 8;     // codes a call frame saves and restores
inline constexpr int32_t max_type = 30; // highest type code

// Qualifier flags.
inline constexpr int32_t SET_CONST = 1;
inline constexpr int32_t SET_UNSIGNED = 2;
inline constexpr int32_t SET_STATIC = 4;
inline constexpr int32_t SET_VOLATILE = 8;
inline constexpr int32_t SET_LOCAL = 16;

// Capacity: slots 1..1000 per type code, 1..200 for float, string and #define entries.
inline constexpr int32_t max_var_slots = 1000;
inline constexpr int32_t max_side_slots = 200;

// The type words for codes 1..7 (code 0 unused), as messages name them.
inline constexpr std::array<const char*, 8> kident_type_word = {"",    "boolean", "byte",  "char",
                                                                "int", "long",    "float", "string"};

// An entry's name is fixed when the table makes it (VariableTable::add) and the table's name
// index relies on that: it is const, and an entry cannot be assigned over, so a handler holding
// at()'s reference can change the value fields only.
struct Entry {
    const std::string name;
    int32_t ival = 0;       // value of codes 1..5 (and the integer side of any code)
    float fval = 0.0f;      // value of a float (code 6), single precision
    std::string sval{};     // value of a string (code 7)
    std::string def{};      // macro text of a #define (code 12)
    int32_t flags = 0;      // SET_* qualifier flags
    int32_t decl_line = -1; // the code line whose declaration created the entry
    bool from_scan = false; // created by the reset scan (a global)
};

// A value as read or stored: the integer, extended float and string sides and the type code.
// `s` is meaningful for strings (7) and #define texts (12) only.
struct Value {
    int32_t i = 0;
    long double f = 0.0L;
    std::string s;
    int32_t type = n_int;
    bool found = false;
    // `i` is the bit pattern of an unsigned 32-bit count (micros(), millis()): an unsigned long
    // takes it whole, even beyond 2^31, without a range report.
    bool unsigned_bits = false;

    static Value of_int(int32_t i) { return {i, static_cast<long double>(i), {}, n_int, true}; }
    static Value of_float(long double f) { return {0, f, {}, n_float, true}; }
    static Value of_text(std::string s) { return {0, 0.0L, std::move(s), n_string, true}; }
};

class VariableTable {
public:
    struct Ref {
        int32_t type = 0;
        int32_t slot = 0;
        explicit operator bool() const { return slot > 0; }
    };

    VariableTable() { clear(); }

    // Next free slot per type code; the live slots of code t are 1 .. var_n[t] - 1.
    std::array<int32_t, max_type + 1> var_n{};

    static int32_t capacity(int32_t t) {
        return t == n_float || t == n_string || t == n_define ? max_side_slots : max_var_slots;
    }
    // Slot of `name` among the live slots of code t, 0 when absent.
    int32_t find(int32_t t, std::string_view name) const;
    // First match over the codes first..last (only codes that can hold entries are searched).
    Ref lookup(std::string_view name, int32_t first = 1, int32_t last = n_define) const;

    // Entry [t][slot]; the slot must be live or just added.
    Entry& at(int32_t t, int32_t slot) { return entries_[static_cast<size_t>(t)][static_cast<size_t>(slot - 1)]; }
    const Entry& at(int32_t t, int32_t slot) const {
        return entries_[static_cast<size_t>(t)][static_cast<size_t>(slot - 1)];
    }

    // A new live entry in slot var_n[t] with every field fresh; 0 when code t is full. The only
    // way an entry gets its name (see Entry).
    int32_t add(int32_t t, std::string name, int32_t flags);
    // True when code t has room for one more entry.
    bool has_room(int32_t t) const { return t >= 1 && t <= max_type && var_n[static_cast<size_t>(t)] <= capacity(t); }

    void clear();
    // The slot is in use (below its code's next free slot).
    bool live(Ref r) const { return r.slot < var_n[static_cast<size_t>(r.type)]; }

private:
    std::array<std::vector<Entry>, max_type + 1> entries_{};

    // Every slot that holds a name, live or not, by name and in lookup order (code, then slot),
    // so that a lookup does not scan the table: the first of them that is live is the match.
    // A slot leaves its old name's list when add() gives it another name.
    TextMap<std::vector<Ref>> by_name_;
};

} // namespace quorvex
