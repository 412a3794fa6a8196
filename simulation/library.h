#pragma once
// The toolkit every library family builds on: one argument splitter and its reader, the result
// setters (from interpreter/value_format.h, which the operators share), the argument-error
// watcher and, in simulation/method_table.h, the method rows and call_row. A family uses these
// and keeps no helpers of its own for the same jobs.
//
// A family is one class in its own file pair under simulation/, constructed from the
// Interpreter&, holding its own state and clearing it in reset(); its handlers are named as the
// table rows call them («kdigwrite») and take `const Match&`. An object's methods are rows of
// one constant MethodRow array, found and called with call_row, the caller reporting a name that
// is none of them in its own words. Adding a family touches, besides its own files:
//   - interpreter.h: its #include and one member line in the family section («Lcd lcd{*this};»);
//   - Interpreter::reset_families() in loading.cpp: one line («lcd.reset();»);
//   - its table rows, bound with BIND (interpreter/bind.h): kobj, karduinofn and klibfn rows in
//     dispatch_tables.cpp («{"lcd_obj", BIND(lcd, klcd), ...}»), kident and khash rows in
//     declarations.cpp («{"LiquidCrystal", BIND(lcd, klcddef), 0, true}»).
// A typical handler, which reads the call once, and one of its methods:
//     int32_t Lcd::klcd(const Match& m) {
//         const std::string_view rest = dtrim(m.rest);
//         const std::string command = call_method(rest);
//         const ArgumentErrors errors(in_);
//         const Call c{rest, call_arguments(in_, rest), errors};
//         if (!call_row(*this, methods, command, c).has_value())
//             in_.ShowMessage1("Sketch Error - Undefined LCD command");
//         return int_result(in_, 0);
//     }
//     void Lcd::ksetCursor(const Call& c) {
//         const int32_t col = in_.get_var(argument(c.a, 0));
//         const int32_t row = c.a.size() > 1 ? in_.get_var(c.a[1]) : 0;
//         if (c.errors.raised()) return; // an argument reported an error: change nothing
//         place_cursor(col, row);
//     }

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "interpreter/interpreter.h"
#include "interpreter/value_format.h"

namespace quorvex {

// --- arguments ---------------------------------------------------------------------------------

// The argument texts of a call's bracket, «(a, 0, 1023)» given as the text after the word, split
// at the commas outside literals and brackets («f(g(1, 2), "a,b")» has two arguments); copies,
// because evaluating one argument may parse again and overwrite the registers.
std::vector<std::string> call_arguments(Interpreter& in, std::string_view rest);

// Argument `k` of `list`, "" when there are fewer; a view into `list`, so the list must be a
// named one, never the temporary of a call.
inline std::string_view argument(const std::vector<std::string>& list, size_t k) {
    return k < list.size() ? std::string_view(list[k]) : std::string_view();
}
std::string_view argument(std::vector<std::string>&& list, size_t k) = delete;

// The method name of «write(0, 5)» or «.begin()»: the trimmed text before the first "(", or the
// whole statement (cut at ";") when there is no bracket, as for an object named alone. A bracket
// that is never closed is a fault («Cannot Evaluate»), never a call with no arguments.
std::string call_method(std::string_view rest);

// A call with an operator after its ")" («read(0) == 255», «available() > 0») is an operand: the
// handler declines (keep_going), so the operators split the statement and bring the call back
// alone. True when it declined; the handler then returns at once, before any effect.
bool declines_as_operand(Interpreter& in, std::string_view rest);

// An assignment to an object or a comparison with it («client = server.available()», «f == 0»):
// an "=" outside literals and outside brackets, so «f.println(a == 1)» is still a call. The
// handler declines (keep_going) and the operators take the statement. True when it declined.
bool declines_assignment(Interpreter& in, std::string_view rest);

// --- declarations ------------------------------------------------------------------------------

// A name an object declaration may register: one identifier that is no control or type word,
// so «File if;» or «EthernetServer (80);» names nothing.
bool is_object_name(std::string_view name);
// `name` trimmed when it is an object name; otherwise "" after reporting the declaration `s`
// being handled as "Sketch Error - Bad declaration: ...".
std::string declared_object_name(Interpreter& in, std::string_view name, std::string_view s);
// The object name of a declaration with arguments, «lcd(12, 11, 5, 4, 3, 2);» or «motor;», checked
// as declared_object_name does; a bracket that is never closed declares nothing and is reported
// the same way.
std::string declared_call_name(Interpreter& in, std::string_view s);

// Watches the evaluation of a handler's arguments. An argument that reported an error (a fault,
// an unknown name) has already stopped the run and evaluated to 0; the handler then changes
// nothing rather than acting on that 0. The last error text is kept for everyone else.
class ArgumentErrors {
public:
    explicit ArgumentErrors(Interpreter& in) : in_(in), saved_(std::move(in.error_str)) { in_.error_str.clear(); }
    ~ArgumentErrors() {
        if (in_.error_str.empty()) in_.error_str = std::move(saved_);
    }
    ArgumentErrors(const ArgumentErrors&) = delete;
    ArgumentErrors& operator=(const ArgumentErrors&) = delete;
    bool raised() const { return !in_.error_str.empty(); }

private:
    Interpreter& in_;
    std::string saved_;
};

} // namespace quorvex
