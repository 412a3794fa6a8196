#pragma once
// The five ordered keyword tables of the statement executor. Table order is the
// precedence: the first entry that fits a statement takes it.

#include <array>
#include <cstdint>
#include <string_view>

#include "interpreter/literals.h" // the matchers: prefix_matches, call_matches, cut_statement

namespace quorvex {

class Interpreter;
struct OperatorSplit;

// What a handler receives for the entry that matched.
struct Match {
    std::string_view rest;      // text after the word (operators: the whole cut statement)
    std::string_view op;        // the operator, for koperators rows
    int row = 0;                // 1-based row of the table
    int code = 0;               // the row's code (kcheck, kTime, kmath ...), 0 for none
    int panel = 0;              // port panel 1..5 of the simulation window, 0 for none
    std::string_view port;      // port name passed to the device handler
    std::string_view statement; // the whole statement, for messages
    // For «receiver.method(...)»: the receiver's text, and whether the call (or, for operators,
    // the expression) stood alone as a statement, its value unused: in-place String methods
    // then store back, and an append need not copy the whole text into the registers.
    std::string_view receiver;
    bool whole_statement = false;
    // For operator rows: where the row's word stands in `rest`, worked out once with the text's
    // plan; `rest` is then cut already. nullptr: the handler cuts and splits `rest` itself. It
    // lives as long as the handler's call, and only that call may read it.
    const OperatorSplit* split = nullptr;
};

using Handler = int32_t (*)(Interpreter&, const Match&);

enum class ResultUse : uint8_t { returned, dropped };

struct DispatchRow {
    std::string_view word;
    Handler handler; // nullptr: not built yet
    int code;
    int panel;
    const char* port;
    ResultUse result;
};

inline constexpr int max_obj = 22;
inline constexpr int max_control = 21;
inline constexpr int max_afn = 78;
inline constexpr int max_lib = 2;
inline constexpr int max_op = 33;

// Object keys: kobj rows whose words the object declarations replace with the sketch's names.
inline constexpr int softser_key = 9;
inline constexpr int softser_key2 = 10;
inline constexpr int lcd_key = 11;
inline constexpr int server_key = 14;
inline constexpr int client_key = 15;
inline constexpr int servo_key = 16;
inline constexpr int servo_key2 = 17;
inline constexpr int stepper_key = 18;
inline constexpr int sd2card_key = 19;
inline constexpr int sdvolume_key = 20;
inline constexpr int sdfile_key = 21;
inline constexpr int file_key = 22;

// Rows are 1-based as the tables are numbered; index 0 is unused.
extern const std::array<DispatchRow, max_obj + 1> kobj;
extern const std::array<DispatchRow, max_control + 1> kcontrol;
extern const std::array<DispatchRow, max_afn + 1> karduinofn;
extern const std::array<DispatchRow, max_lib + 1> klibfn;
extern const std::array<DispatchRow, max_op + 1> koperators;

// True for kobj rows that hold a placeholder until an object declaration names them.
constexpr bool is_object_key(int row) { return row >= softser_key && row <= file_key && row != 12 && row != 13; }

// Type words a cast may name, with their type codes.
struct TypeWord {
    const char* word;
    int32_t type;
};
extern const std::array<TypeWord, 14> cast_types;

// The type code of a cast's bracket text ("int", "unsigned long", ...), 0 for none.
int32_t cast_type(std::string_view bracket_text);

} // namespace quorvex
