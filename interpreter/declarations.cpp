// Declarations of variables, arrays and qualified entries; function-style casts; sizeof.
#include "interpreter/declarations.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "interpreter/bind.h"
#include "interpreter/checked.h"
#include "interpreter/interpreter.h"
#include "interpreter/literals.h"
#include "interpreter/row_filter.h"
#include "interpreter/value_format.h"

namespace quorvex {

namespace {

using Ref = VariableTable::Ref;

bool all_digits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// An initialiser without the braces of nested lists around it: «{1» and «2}» give 1 and 2.
std::string_view strip_braces(std::string_view item) {
    item = dtrim(item);
    while (!item.empty() && item.front() == '{') item = dtrim(item.substr(1));
    while (!item.empty() && item.back() == '}') item = dtrim(item.substr(0, item.size() - 1));
    return item;
}

std::string element_name(std::string_view name, int64_t k) {
    char digits[24];
    const auto r = std::to_chars(digits, digits + sizeof digits, k);
    std::string out;
    out.reserve(name.size() + 2 + static_cast<size_t>(r.ptr - digits));
    out.append(name);
    out += '[';
    out.append(digits, r.ptr);
    out += ']';
    return out;
}

// The integer a value stores: a float is truncated toward zero and keeps the low 32 bits;
// NaN and values beyond 64 bits are faults.
int32_t int_of(const Value& v) {
    if (v.type != n_float) return v.i;
    if (!(v.f > -0x1p63L && v.f < 0x1p63L)) throw EvalFault("float out of range");
    return float_to_int32(static_cast<double>(v.f));
}

// A control word where a declaration expects a name or a value («char c = while(...)»,
// «volatile if (x)»): the text is no declaration, and running the word would open a block.
bool starts_with_control_word(std::string_view t) {
    static constexpr std::string_view words[] = {"if",     "else",     "while",  "for",  "do",
                                                 "switch", "continue", "return", "goto", "break"};
    for (std::string_view word : words)
        if (starts_with_word(t, word)) return true;
    return false;
}

Value zero_of(int32_t t) { return t == n_string ? Value::of_text({}) : Value::of_int(0); }

// An initial value converted to its entry's type before anything is created, so that a
// conversion fault leaves the table as it was.
struct Initial {
    bool set = false; // false: a text into a number, which stores nothing
    int32_t i = 0;
    float f = 0.0f;
    std::string s;
    bool unsigned_bits = false;
};

Initial convert(const Value& v, int32_t t) {
    Initial out;
    out.set = true;
    out.unsigned_bits = v.unsigned_bits;
    if (t == n_string)
        out.s = value_text(v);
    else if (v.type == n_string)
        out.set = false;
    else if (t == n_float)
        out.f = to_single(v.type == n_float ? v.f : static_cast<long double>(v.i));
    else
        out.i = int_of(v);
    return out;
}

void write(Interpreter& in, int32_t t, int32_t slot, const Initial& init) {
    if (!init.set) return;
    Entry& e = in.vars.at(t, slot);
    if (t == n_string) {
        if (in.string_fits(e.name, init.s)) e.sval = init.s;
    } else if (t == n_float) {
        e.fval = init.f;
    } else {
        e.ival = init.i;
        if (init.unsigned_bits && t == n_long && (e.flags & SET_UNSIGNED) != 0) return; // in range as it is
        in.do_check(t, slot, 0); // range message and wrap; a const takes its initial value silently
    }
}

} // namespace

// One row per line, in table order.
// clang-format off
const std::array<DeclRow, max_ident + 1> kident = {{
    {"void", BIND(decl, kvoid), 0, false},
    {"boolean", BIND(decl, kbyte), n_boolean, true},
    {"byte", BIND(decl, kbyte), n_byte, true},
    {"char", BIND(decl, kbyte), n_char, true},
    {"int", BIND(decl, kbyte), n_int, true},
    {"long", BIND(decl, kbyte), n_long, true},
    {"float", BIND(decl, kbyte), n_float, true},
    {"string", BIND(decl, kbyte), n_string, true},
    {"unsigned", BIND(decl, kunsigned), 0, true},
    {"static", BIND(decl, kstatic), 0, true},
    {"volatile", BIND(decl, kvolatile), 0, true},
    {"const", BIND(decl, kconst), 0, true},
    {"local", BIND(decl, klocal), 0, true},
    {"uint8_t", BIND(decl, kbyte), n_byte, true},
    {"uint16_t", BIND(decl, kbyte), n_int, true},
    {"uint32_t", BIND(decl, kbyte), n_long, true},
    {"bool", BIND(decl, kbyte), n_boolean, true},
    {"SoftwareSerial", BIND(serial, ksoftserial), 0, true},
    {"LiquidCrystal", BIND(lcd, klcddef), 0, true},
    {"IPAddress", BIND(ethernet, kIPAddress), 0, true},
    {"Servo", BIND(motors, kServo), 0, true},
    {"EthernetServer", BIND(ethernet, kEthernetServer), 0, true},
    {"EthernetClient", BIND(ethernet, kEthernetClient), 0, true},
    {"Stepper", BIND(motors, kStepper), 0, true},
    {"Sd2Card", BIND(sd, kSD2card), 0, true},
    {"SdVolume", BIND(sd, kSDVolume), 0, true},
    {"SdFile", BIND(sd, kSDFile), 0, true},
    {"File", BIND(sd, kFile), 0, true},
    {"word", BIND(decl, kword), n_int, true},
    {"double", BIND(decl, kbyte), n_float, true},
    {"String", BIND(decl, kbyte), n_string, true},
}};
// clang-format on

const std::array<DeclRow, max_hash + 1> khash = {{
    {"", nullptr, 0, true},
    {"include", BIND(pre, kinclude), 0, true},
    {"define", BIND(pre, khdefine), 0, true},
    {"ifdef", BIND(pre, khifdef), 0, true},
    {"ifndef", BIND(pre, khifndef), 0, true},
    {"if", BIND(pre, khif), 0, true},
    {"else", BIND(pre, khelse), 0, true},
    {"elif", BIND(pre, khelif), 0, true},
    {"endif", BIND(pre, khendif), 0, true},
}};

// One declaration statement, however deeply its handlers nest. The outermost clears the
// qualifier flags and the array register on every way out, faults included.
class Declarations::Depth {
public:
    Depth(Declarations& d, std::string_view statement) : d_(d) {
        if (d_.depth_++ == 0) d_.statement_ = statement;
    }
    ~Depth() {
        if (--d_.depth_ > 0) return;
        d_.in_.set_other = 0;
        d_.in_.skip_array = 0;
        d_.statement_ = {};
    }
    Depth(const Depth&) = delete;
    Depth& operator=(const Depth&) = delete;

private:
    Declarations& d_;
};

struct Declarations::Piece {
    std::string_view name;
    std::string_view init; // the initial text; empty when there is none
    bool has_init = false;
    bool array = false;                 // entries name[0] .. name[size - 1]
    int32_t type = 0;                   // type code of the entries
    int64_t size = 1;                   // entries the piece declares
    std::vector<std::string_view> list; // an array's initialisers, nested braces flattened
    std::string key;                    // the name whose entry shows that the piece exists
};

Declarations::Declarations(Interpreter& in) : in_(in) {
    for (size_t i = 0; i < kident.size(); ++i) ident_slots[i] = kident[i].handler;
    for (size_t i = 0; i < khash.size(); ++i) hash_slots[i] = khash[i].handler;
}

namespace {
// Only the rows whose word starts with a statement's first character are compared: most
// statements start with none of them.
const auto kident_by_char = rows_by_first_char(kident, 0);
} // namespace

bool may_declare(std::string_view t) {
    if (t.empty()) return false;
    if (t.front() == '#') return true;
    return kident_by_char[static_cast<unsigned char>(t.front())].find_if(
        [&](size_t i) { return starts_with_word(t, kident[i].word); });
}

bool Declarations::check_declarations(std::string_view s) {
    cast_value = 0;
    std::string_view t = dtrim(s);
    if (t.empty()) return false;
    if (t.front() == '#') {
        t.remove_prefix(1);
        // No word boundary: "ifdef" is found before "if".
        for (size_t i = 1; i < khash.size(); ++i) {
            const std::string_view word = khash[i].word;
            if (!t.starts_with(word)) continue;
            const DeclHandler handler = hash_slots[i];
            if (handler == nullptr) return false;
            const Depth depth(*this, s);
            in_.colour_line(in_.Line, col_hash);
            handler(in_, dtrim(t.substr(word.size())), 0);
            cast_value = 0;
            return khash[i].handled;
        }
        // An unknown directive goes on without its "#".
        if (t.empty()) return false;
    }
    bool handled = false;
    kident_by_char[static_cast<unsigned char>(t.front())].find_if([&](size_t i) {
        const std::string_view word = kident[i].word;
        if (!starts_with_word(t, word)) return false;
        const DeclHandler handler = ident_slots[i];
        if (handler == nullptr) return true;
        const Depth depth(*this, s);
        pass_on_ = false;
        const int32_t value = handler(in_, dtrim(t.substr(word.size())), kident[i].code);
        // Cleared on the way out, so only this statement's own cast can have set it.
        if (std::exchange(pass_on_, false)) return true;
        cast_value = value;
        handled = kident[i].handled;
        return true;
    });
    return handled;
}

int32_t Declarations::kbyte(std::string_view s, int32_t x) {
    if (x < n_boolean || x > n_string) return 0; // only codes 1..7 declare variables
    const Depth depth(*this, {});
    in_.set_ident = 0;
    std::string_view t = dtrim(s);
    if (t.empty()) {
        // A bare type word, as inside «(int)».
        in_.set_ident = x;
        in_.n_type = x;
        return 0;
    }
    if (x == n_char && t.front() == '*') {
        t = dtrim(t.substr(1));
        x = n_string; // «char *msg» is a string
    }
    if (t.front() == '(') return cast(t, x);

    // A function header or prototype: the text before the first "(" is a bare name.
    const size_t paren = find_outside_literals(t, "(");
    const bool header = paren != std::string_view::npos && is_identifier(dtrim(t.substr(0, paren)));
    const int quote = dpos("\"", t);
    const bool quoted_first = quote > 0 && quote < dpos(kident[static_cast<size_t>(x)].word, t) && !contains(t, '=');
    if (header || quoted_first) {
        in_.keep_going = 1;
        return 0;
    }
    // The flags belong to this declaration alone: a parameter declared while an initialiser
    // is evaluated must not pick them up.
    const int32_t flags = std::exchange(in_.set_other, 0);
    declare(cut_statement(t), x, flags);
    return 0;
}

int32_t Declarations::cast(std::string_view t, int32_t x) {
    const size_t close = matching_bracket(t, 0);
    if (close == std::string_view::npos) throw EvalFault("unmatched bracket");
    // A cast takes only its own bracket: in «float(sum) / n» the operators split first.
    if (!cut_statement(t.substr(close + 1)).empty()) {
        pass_on_ = true;
        return 0;
    }
    in_.set_ident = x;
    const std::string inner(t.substr(1, close - 1));
    if (x == n_string) {
        // One formatter for every String(...) and print argument, «String(x, HEX)» included.
        in_.Results = printx(in_, inner);
        in_.n_type = n_string;
        return 0;
    }
    const std::vector<std::string_view> args = split_top_level(inner);
    in_.Results.clear();
    Value v;
    if (!args[0].empty()) v = in_.get_value(args[0]);

    switch (x) {
    case n_float: {
        const long double f = v.type == n_float ? v.f : (v.type == n_string ? 0.0L : static_cast<long double>(v.i));
        in_.var_float = f;
        in_.Results.clear();
        in_.n_type = n_float;
        // The integer side, as a float term gives it; a value beyond int32 has none.
        return f > -2147483649.0L && f < 2147483648.0L ? static_cast<int32_t>(std::trunc(f)) : 0;
    }
    default: {
        // Casts do not narrow: int(70000) stays 70000.
        const int32_t i = v.type == n_string ? 0 : int_of(v);
        in_.Results.clear();
        in_.n_type = x;
        return i;
    }
    }
}

void Declarations::declare(std::string_view text, int32_t x, int32_t flags) {
    const int32_t line = in_.Line;   // the declaring line, before a list moves the cursor
    const std::string written(text); // `text` may view a register that evaluations overwrite
    std::string whole(written);
    if (!collect_initialiser(whole)) {
        bad_declaration(written, x);
        return;
    }

    // Every piece is checked, and its entries counted, before any is created.
    std::vector<Piece> pieces;
    for (std::string_view part : split_top_level(whole)) {
        Piece& p = pieces.emplace_back();
        if (!plan(part, x, p)) {
            bad_declaration(written, x);
            return;
        }
    }
    std::array<int64_t, max_n> need{};
    for (const Piece& p : pieces)
        if (decide(p, line) == Action::create) need[static_cast<size_t>(p.type)] += p.size;
    for (int32_t t = 1; t < max_n; ++t) {
        const int64_t used = in_.vars.var_n[static_cast<size_t>(t)] - 1;
        if (need[static_cast<size_t>(t)] == 0 || used + need[static_cast<size_t>(t)] <= VariableTable::capacity(t))
            continue;
        in_.ShowMessage1("Sketch Error - Too many " + std::string(kident_type_word[static_cast<size_t>(t)]) +
                         " variables (limit " + std::to_string(VariableTable::capacity(t)) + ")");
        return;
    }
    for (const Piece& p : pieces) run(p, flags, line);
}

bool Declarations::collect_initialiser(std::string& text) {
    int balance = brace_balance(text);
    if (balance <= 0) return true;
    while (balance > 0) {
        std::string line;
        if (!read_next_line(line)) return false;
        balance += brace_balance(line);
        // A blank between lines, so that the last token of one and the first of the next never
        // merge («2» and «3» into «23»).
        text += ' ';
        text += line;
    }
    text = std::string(cut_statement(text));
    return true;
}

bool Declarations::read_next_line(std::string& line) {
    if (next_line) return next_line(line);
    // Every following line, code or not: «3, 4,» alone is still part of the list.
    if (!in_.ListBox1.has(in_.Line + 1)) return false;
    ++in_.Line;
    line = in_.get_line();
    return true;
}

bool Declarations::plan(std::string_view part, int32_t x, Piece& p) {
    p.type = x;
    const size_t eq = find_outside_literals(part, "=");
    const std::string_view lhs = dtrim(part.substr(0, eq));
    if (eq != std::string_view::npos) {
        p.has_init = true;
        p.init = dtrim(part.substr(eq + 1));
        if (p.init.empty() || starts_with_control_word(p.init)) return false;
    }
    const size_t open = lhs.find('[');
    p.name = dtrim(lhs.substr(0, open));
    if (!is_identifier(p.name) || starts_with_control_word(p.name)) return false;
    if (open == std::string_view::npos) {
        p.key = p.name;
        return true;
    }

    const size_t close = matching_bracket(lhs, open);
    if (close == std::string_view::npos) return false;
    // Further dimensions are read past: «int m[2][3]» declares m[0] and m[1].
    for (size_t i = close + 1; i < lhs.size();) {
        if (lhs[i] == ' ') {
            ++i;
            continue;
        }
        if (lhs[i] != '[') return false;
        const size_t c = matching_bracket(lhs, i);
        if (c == std::string_view::npos) return false;
        i = c + 1;
    }
    const std::string_view size_text = dtrim(lhs.substr(open + 1, close - open - 1));
    int64_t size = -1;
    if (!size_text.empty() && !array_size(size_text, size)) return false;

    if (p.has_init && x == n_char && p.init.front() == '"') {
        // A char array holding a text is one string, as «char *» declares it.
        p.type = n_string;
        p.key = p.name;
        return true;
    }
    p.array = true;
    if (p.has_init) {
        if (p.init.front() != '{') return false;
        const size_t end = closing_bracket(p.init, 1, '{', '}');
        if (end != p.init.size() - 1) return false;
        for (std::string_view item : split_top_level(p.init.substr(1, end - 1), BraceRule::plain)) {
            item = strip_braces(item);
            if (!item.empty()) p.list.push_back(item);
        }
        if (p.list.size() > static_cast<size_t>(max_initialisers)) return false;
    }
    p.size = size >= 0 ? size : static_cast<int64_t>(p.list.size());
    p.key = element_name(p.name, 0);
    return true;
}

bool Declarations::array_size(std::string_view text, int64_t& size) {
    if (all_digits(text)) {
        size = text_to_int32(text);
        return true;
    }
    // A name that is no value would only be reported as an unknown command.
    if (is_identifier(text) && !in_.find_value(text).found) return false;
    const Value v = in_.get_value(text);
    if (v.type == n_string) return false;
    size = int_of(v);
    return size >= 0;
}

Declarations::Action Declarations::decide(const Piece& p, int32_t line) const {
    const Ref r = in_.vars.lookup(p.key);
    if (!r) return Action::create;
    const Entry& e = in_.vars.at(r.type, r.slot);
    if ((e.flags & SET_LOCAL) != 0) return Action::create; // a parameter's name is declared anew
    if (e.decl_line != line) return p.has_init ? Action::assign : Action::leave;
    // This line declared it before: a global or a static keeps its value; a body local
    // starts again from its initial value, a const one included.
    if (e.from_scan || (e.flags & SET_STATIC) != 0 || !p.has_init) return Action::leave;
    return Action::reinit;
}

void Declarations::run(const Piece& p, int32_t flags, int32_t line) {
    const Action action = decide(p, line);
    if (action == Action::leave) return;

    // A sketch function as the whole initialiser runs stepped and delivers at its return; the
    // variable must exist before the call saves the variable counts, or the return drops it.
    if (!p.array && p.has_init && in_.calls.is_call(p.init)) {
        if (action == Action::create) {
            const int32_t slot = in_.new_entry(p.type, std::string(p.name), flags);
            if (slot > 0) in_.vars.at(p.type, slot).decl_line = line;
        }
        in_.get_value(p.init);
        in_.got_it = 1;
        return;
    }

    // Every initialiser is read before anything is stored.
    std::vector<Value> values;
    if (p.has_init && p.array) {
        values.reserve(p.list.size());
        for (std::string_view item : p.list) values.push_back(in_.get_value(item));
    } else if (p.has_init) {
        values.push_back(in_.get_value(p.init));
    }

    if (action != Action::create) {
        const AssignMode mode = action == Action::reinit ? AssignMode::DeclInit : AssignMode::Assign;
        if (!p.array) {
            in_.assign(p.name, values.front(), mode);
            return;
        }
        for (int64_t k = 0; k < p.size; ++k) {
            const std::string element = element_name(p.name, k);
            if (!in_.vars.lookup(element)) break;
            const auto i = static_cast<size_t>(k);
            in_.assign(element, i < values.size() ? values[i] : zero_of(p.type), mode);
        }
        return;
    }

    std::vector<Initial> initial;
    initial.reserve(values.size());
    for (const Value& v : values) initial.push_back(convert(v, p.type));

    auto create = [&](std::string name) {
        const int32_t slot = in_.new_entry(p.type, std::move(name), flags);
        if (slot > 0) in_.vars.at(p.type, slot).decl_line = line;
        return slot;
    };
    if (!p.array) {
        const int32_t slot = create(std::string(p.name));
        if (slot > 0 && !initial.empty()) write(in_, p.type, slot, initial.front());
    } else {
        in_.skip_array = 1;
        for (int64_t k = 0; k < p.size; ++k) {
            const int32_t slot = create(element_name(p.name, k));
            if (slot == 0) break;
            if (static_cast<size_t>(k) < initial.size()) write(in_, p.type, slot, initial[static_cast<size_t>(k)]);
        }
        in_.skip_array = 0;
    }
    if (p.has_init) in_.got_it = 1;
}

void Declarations::bad_declaration(std::string_view s, int32_t x) {
    // The whole statement as written when it came through check_declarations.
    std::string text;
    if (statement_.empty()) {
        text = kident[static_cast<size_t>(x)].word;
        text += ' ';
        text += s;
    } else {
        text = cut_statement(statement_);
    }
    in_.ShowMessage1("Sketch Error - Bad declaration: " + text);
}

void Declarations::qualify(std::string_view s, int32_t flag, bool is_const) {
    const Depth depth(*this, {});
    if (starts_with_control_word(dtrim(s))) {
        bad_declaration(s, 0);
        return;
    }
    const int32_t line = in_.Line;
    const int32_t before = in_.set_other;
    in_.set_other |= flag;
    // The rest goes back through the executor, which reaches the type word or another qualifier.
    in_.evaluate_expression(std::string(dtrim(s)));
    in_.set_other = before;
    in_.colour_line(line, is_const ? col_const : col_decl);
}

void Declarations::kvoid(std::string_view s) {
    // "void loop() {" marks where loop() starts; any other void header is no declaration.
    if (contains(s, "loop")) in_.flow.kloop(s);
}

int32_t Declarations::kword(std::string_view s) {
    // "word" is an unsigned int; the flag joins any qualifiers already collected.
    const int32_t before = in_.set_other;
    in_.set_other |= SET_UNSIGNED;
    const int32_t value = kbyte(s, n_int);
    in_.set_other = before;
    return value;
}

void Declarations::kconst(std::string_view s) { qualify(s, SET_CONST, true); }
void Declarations::klocal(std::string_view s) { qualify(s, SET_LOCAL, false); }
void Declarations::kunsigned(std::string_view s) { qualify(s, SET_UNSIGNED, false); }
void Declarations::kstatic(std::string_view s) { qualify(s, SET_STATIC, false); }
void Declarations::kvolatile(std::string_view s) { qualify(s, SET_VOLATILE, false); }

int32_t Declarations::ksizeof(std::string_view s) {
    const std::string_view t = dtrim(s);
    size_t close = std::string_view::npos;
    if (!t.empty() && t.front() == '(') {
        close = matching_bracket(t, 0);
        // «sizeof(a) / sizeof(a[0])»: the operators split first.
        if (close != std::string_view::npos && !cut_statement(t.substr(close + 1)).empty()) {
            in_.keep_going = 1;
            return 0;
        }
    }
    std::vector<std::string_view> args;
    if (close != std::string_view::npos && !dtrim(t.substr(1, close - 1)).empty())
        args = split_top_level(t.substr(1, close - 1));
    int32_t size = 0;
    if (args.size() != 1) {
        in_.ShowMessage1("Sketch Error - sizeof needs 1 parameter - has " + std::to_string(args.size()));
    } else {
        const std::string arg(args.front()); // a copy: reading it may overwrite the registers
        size = element_size(arg);
    }
    in_.n_type = n_int;
    in_.Results.clear();
    return size;
}

int32_t Declarations::element_size(std::string_view arg) {
    // Bytes by type code; float keeps 8 and a String has no size.
    static constexpr std::array<int32_t, 8> bytes = {0, 1, 1, 1, 2, 4, 8, 0};
    auto size_of = [](int32_t t) { return t >= 1 && t <= 7 ? bytes[static_cast<size_t>(t)] : 0; };

    if (const int32_t t = cast_type(arg); t > 0) return size_of(t);
    if (const Ref r = in_.vars.lookup(arg); r && r.type != n_define) return size_of(r.type);
    if (is_identifier(arg)) {
        // An array: its elements stand in consecutive slots from name[0].
        if (const Ref r = in_.vars.lookup(element_name(arg, 0)); r && r.type != n_define) {
            const int32_t live = in_.vars.var_n[static_cast<size_t>(r.type)];
            int32_t count = 0;
            while (r.slot + count < live && in_.vars.at(r.type, r.slot + count).name == element_name(arg, count))
                ++count;
            return count * size_of(r.type);
        }
    }
    in_.find_value(arg);
    if (in_.n_type == n_define) return size_of(in_.get_value(arg).type);
    return size_of(in_.n_type);
}

} // namespace quorvex
