// The variable table, then reading values: one term (find_value) and a whole expression
// (get_value). Both run for every term of every statement, so they scan string_views and
// allocate nothing for ordinary int terms.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <new>

#include "interpreter/checked.h"
#include "interpreter/interpreter.h"
#include "interpreter/literals.h"

namespace quorvex {

// --- the variable table ----------------------------------------------------------------------

namespace {
// The codes that ever hold entries, in lookup order.
constexpr std::array<int32_t, 8> live_codes = {1, 2, 3, 4, 5, 6, 7, n_define};
} // namespace

int32_t VariableTable::find(int32_t t, std::string_view name) const {
    if (t < 1 || t > max_type) return 0;
    const std::vector<Ref>* refs = by_name_.find(name);
    if (refs == nullptr) return 0;
    for (const Ref r : *refs)
        if (r.type == t && live(r)) return r.slot;
    return 0;
}

VariableTable::Ref VariableTable::lookup(std::string_view name, int32_t first, int32_t last) const {
    static constexpr std::array<bool, max_type + 1> searched = [] {
        std::array<bool, max_type + 1> codes{};
        for (int32_t t : live_codes) codes[static_cast<size_t>(t)] = true;
        return codes;
    }();
    const std::vector<Ref>* refs = by_name_.find(name);
    if (refs == nullptr) return {};
    for (const Ref r : *refs) {
        if (r.type > last) break;
        if (r.type >= first && searched[static_cast<size_t>(r.type)] && live(r)) return r;
    }
    return {};
}

int32_t VariableTable::add(int32_t t, std::string name, int32_t flags) {
    if (!has_room(t)) return 0;
    const int32_t slot = var_n[static_cast<size_t>(t)];
    auto& list = entries_[static_cast<size_t>(t)];
    const Ref ref{t, slot};
    const auto before = [](Ref a, Ref b) { return a.type != b.type ? a.type < b.type : a.slot < b.slot; };
    if (list.size() < static_cast<size_t>(slot)) {
        list.resize(static_cast<size_t>(slot));
    } else if (const std::string& old = list[static_cast<size_t>(slot - 1)].name; old != name) {
        // A dead slot taken again: it no longer holds its old name.
        if (std::vector<Ref>* old_refs = by_name_.find(old)) {
            const auto at = std::lower_bound(old_refs->begin(), old_refs->end(), ref, before);
            if (at != old_refs->end() && at->type == t && at->slot == slot) old_refs->erase(at);
        }
    }
    std::vector<Ref>& refs = by_name_.at(by_name_.find_or_add(name, [] { return std::vector<Ref>{}; }));
    if (const auto at = std::lower_bound(refs.begin(), refs.end(), ref, before);
        at == refs.end() || at->type != t || at->slot != slot)
        refs.insert(at, ref);
    // The slot's old entry is replaced whole: a dead slot's old data never leaks in.
    Entry* const entry = &list[static_cast<size_t>(slot - 1)];
    std::destroy_at(entry);
    ::new (static_cast<void*>(entry)) Entry{.name = std::move(name), .flags = flags};
    ++var_n[static_cast<size_t>(t)];
    return slot;
}

void VariableTable::clear() {
    var_n.fill(1);
    for (auto& list : entries_) list.clear();
    by_name_.clear();
}

// --- reading values ----------------------------------------------------------------------------

namespace {

struct FixedName {
    std::string_view name;
    int32_t value;
};

constexpr FixedName fixed_names[] = {
    {"TOTAL_ANALOG_PINS", 6}, {"TOTAL_PORTS", 14},      {"OUTPUT", 1}, {"TOTAL_PINS", 20}, {"SD_CARD_TYPE_SD1", 1},
    {"SD_CARD_TYPE_SD2", 2},  {"SD_CARD_TYPE_SDHC", 3},
};

bool is_digit(char c) { return c >= '0' && c <= '9'; }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// `s` equals the lower-case word `w`, ignoring the case of `s`.
bool equals_lower(std::string_view s, std::string_view w) {
    if (s.size() != w.size()) return false;
    for (size_t i = 0; i < s.size(); ++i)
        if (lower(s[i]) != w[i]) return false;
    return true;
}

bool all_of(std::string_view s, bool (*pred)(char)) {
    for (char c : s)
        if (!pred(c)) return false;
    return true;
}

bool is_binary_digit(char c) { return c == '0' || c == '1'; }

// Letters, digits and "_" only: one word to the tokeniser, never an operator.
bool plain_word(std::string_view s) {
    for (char c : s)
        if (!ident_char(c)) return false;
    return true;
}

// Any binary operator makes a text an expression («arr[0] - 4», «0x10 - 1»); member access does not.
bool expression_operator(std::string_view token) { return token != "." && token != "->" && token != "::"; }

Value int_value(int32_t i, int32_t type) { return Value{i, static_cast<long double>(i), {}, type, true}; }

} // namespace

int32_t Interpreter::new_entry(int32_t t, std::string name, int32_t flags) {
    if (t < 1 || t > max_type) return 0;
    if (!vars.has_room(t)) {
        const std::string word = t == n_define ? "#define" : (t <= 7 ? kident_type_word[static_cast<size_t>(t)] : "");
        ShowMessage1("Sketch Error - Too many " + word + " variables (limit " +
                     std::to_string(VariableTable::capacity(t)) + ")");
        return 0;
    }
    return vars.add(t, std::move(name), flags);
}

Value Interpreter::register_value(int32_t result) const {
    Value v;
    v.i = result;
    v.type = n_type;
    v.found = var_found != 0;
    v.f = n_type == n_float ? var_float : static_cast<long double>(result);
    if (n_type == n_string || n_type == n_define) v.s = Results;
    return v;
}

Value Interpreter::expand_define(int32_t slot) {
    if (eval_depth_ == 0) start_define_count(); // a read outside any statement: its own count
    if (define_expansions_ >= max_define_expansions) {
        // Reported once, naming the outermost #define of the flood; the rest of the statement
        // yields 0 at once instead of running for hours.
        if (define_expansions_ == max_define_expansions) {
            ++define_expansions_;
            const int32_t outermost = expanding_defines_.empty() ? slot : expanding_defines_.front();
            ShowMessage1("Cannot Evaluate " + vars.at(n_define, outermost).name);
        }
        if (eval_depth_ > 0) eval_aborted_ = true; // nothing encloses a read at depth 0
        n_type = n_int;
        Results.clear();
        var_found = 1;
        return int_value(0, n_int);
    }
    ++define_expansions_;
    for (int32_t active : expanding_defines_) {
        if (active != slot) continue;
        ShowMessage1("Sketch Error - #define " + vars.at(n_define, slot).name + " refers to itself");
        n_type = n_int;
        Results.clear();
        var_found = 1;
        return int_value(0, n_int);
    }
    // A copy: evaluating the text may add entries and move the table's storage.
    const std::string text = vars.at(n_define, slot).def;
    struct Pop {
        std::vector<int32_t>& stack;
        ~Pop() { stack.pop_back(); }
    };
    expanding_defines_.push_back(slot);
    const Pop pop{expanding_defines_};
    const DepthGuard guard(eval_depth_); // a chain of #defines recurses without the executor
    const uint32_t errors_before = errors_shown_;
    Value v = get_value(text);
    // An error inside a #define's text ends the statement's expansions, silently: a chain whose
    // every text uses an unknown name twice would otherwise report it once per use, 65,536 times.
    if (errors_shown_ != errors_before) define_expansions_ = max_define_expansions + 1;
    return v;
}

// --- the rungs of find_term, tried in this order ---------------------------------------------

namespace {

// A number or name found: never a string, so a stale text cannot pass for its value.
Value found_int(Interpreter& in, int32_t value, int32_t type) {
    in.Results.clear();
    in.n_type = type;
    in.var_found = 1;
    return int_value(value, type);
}

Value not_found(Interpreter& in) {
    in.n_type = n_int;
    in.var_found = 0;
    return Value{0, 0.0L, {}, n_int, false};
}

// The term's text: cut before the first ";" that is code, so «';'» and «"a;b"» stay whole and
// «x ;» reads "x".
std::string_view term_text(std::string_view s) {
    std::string_view t = dtrim(s);
    if (const size_t semi = find_outside_literals(t, ";"); semi != std::string_view::npos) t = dtrim(t.substr(0, semi));
    return t;
}

const FixedName* fixed_name(std::string_view t) {
    for (const FixedName& f : fixed_names)
        if (t == f.name) return &f;
    return nullptr;
}

// 'x' is the code of x; '\x' is the code of x minus 97, so '\n' gives 13.
int32_t char_code(std::string_view t) {
    if (t.size() < 2 || (t[1] == '\\' && t.size() < 3)) throw EvalFault("incomplete character literal");
    const auto code = [](char c) { return static_cast<int32_t>(static_cast<unsigned char>(c)); };
    return t[1] == '\\' ? code(t[2]) - 97 : code(t[1]);
}

// false, LOW, true and HIGH in any letter case.
bool truth_word(std::string_view t, int32_t& value) {
    if (t.size() > 5) return false;
    if (equals_lower(t, "false") || equals_lower(t, "low")) {
        value = 0;
        return true;
    }
    if (equals_lower(t, "true") || equals_lower(t, "high")) {
        value = 1;
        return true;
    }
    return false;
}

// A pin name: «A5» (one digit, as in «A5x»; «A10»..«A15» as a whole term) or «D13».
bool pin_name(std::string_view t, int32_t& pin) {
    if (t.size() < 2 || !is_digit(t[1])) return false;
    const char first = lower(t[0]);
    if (first == 'a') {
        if (t.size() == 3 && t[1] == '1' && t[2] >= '0' && t[2] <= '5')
            pin = 10 + (t[2] - '0');
        else
            pin = t[1] - '0';
        return true;
    }
    if (first == 'd') {
        pin = t[1] - '0';
        if (t.size() >= 3 && is_digit(t[2])) pin = pin * 10 + (t[2] - '0');
        return true;
    }
    return false;
}

// A number with a point, as written; from_chars ignores the process locale, which Qt sets from
// the user's settings.
Value float_literal(Interpreter& in, std::string_view t) {
    long double f = 0.0L;
    const auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), f);
    if (ec != std::errc() || ptr != t.data() + t.size()) throw EvalFault("not a number");
    // Checked here in extended precision: narrowing an out-of-range value to double is undefined.
    if (!(f > -0x1p63L && f < 0x1p63L)) throw EvalFault("float out of range");
    const int32_t i = float_to_int32(static_cast<double>(std::trunc(f)));
    in.Results.clear();
    in.var_float = f;
    in.n_type = n_float;
    in.var_found = 1;
    return Value{i, f, {}, n_float, true};
}

// «0x1F», «0b101», «42» or «B101».
bool integer_literal(std::string_view t, int32_t& value) {
    if (t.starts_with("0x")) {
        value = StrToHex(dtrim(t.substr(2)));
    } else if (t.starts_with("0b")) {
        value = StrToBin(dtrim(t.substr(2)));
    } else if (is_digit(t[0]) && all_of(t, is_digit)) {
        value = text_to_int32(t);
    } else if (t.size() >= 2 && t[0] == 'B' && all_of(t.substr(1), is_binary_digit)) {
        value = StrToBin(t.substr(1));
    } else {
        return false;
    }
    return true;
}

} // namespace

Value Interpreter::string_term(std::string_view t) {
    // Each backslash-quote pair becomes an apostrophe.
    std::string text;
    text.reserve(t.size());
    for (size_t i = 1; i < t.size(); ++i) {
        if (t[i] == '\\' && i + 1 < t.size() && t[i + 1] == '"') {
            text += '\'';
            ++i;
        } else {
            text += t[i];
        }
    }
    var_found = 1;
    if (text.empty() || text.find('"') == text.size() - 1) {
        if (!text.empty()) text.pop_back();
        Results = std::move(text);
        n_type = n_string;
        return Value{0, 0.0L, Results, n_string, true};
    }
    // More follows the closing quote, as in «"a" + b»: a string expression.
    const int32_t result = evaluate_expression(std::string(t));
    var_found = 1;
    return register_value(result);
}

Value Interpreter::table_term(VariableTable::Ref r, int32_t* define_slot) {
    const Entry& e = vars.at(r.type, r.slot);
    val_other = e.flags;
    n_type = r.type;
    var_found = 1;
    switch (r.type) {
    case n_float:
        Results.clear();
        var_float = e.fval;
        return Value{e.ival, e.fval, {}, n_float, true};
    case n_string:
        Results = e.sval;
        return Value{e.ival, static_cast<long double>(e.ival), e.sval, n_string, true};
    case n_define: {
        Results = e.def;
        if (define_slot != nullptr) {
            *define_slot = r.slot;
            return Value{e.ival, static_cast<long double>(e.ival), e.def, n_define, true};
        }
        const int32_t flags = e.flags;
        const Value text_value = expand_define(r.slot);
        // The text's value as the integer result; the term itself stays a #define.
        Results = vars.at(n_define, r.slot).def;
        n_type = n_define;
        var_found = 1;
        val_other = flags;
        return Value{text_value.i, text_value.f, Results, n_define, true};
    }
    default:
        Results.clear();
        return int_value(e.ival, r.type);
    }
}

Value Interpreter::element_term(std::string_view t, int32_t* define_slot) {
    // The index is a full expression; text after the "]" is dropped.
    const size_t open = t.find('[');
    const size_t close = open == std::string_view::npos ? open : matching_bracket(t, open);
    if (close == std::string_view::npos) return not_found(*this);
    std::string key(dtrim(t.substr(0, open)));
    int32_t index = 0;
    {
        const DepthGuard guard(eval_depth_); // «a[a[a[...]]]» recurses without the executor
        index = get_value(dtrim(t.substr(open + 1, close - open - 1))).i;
    }
    var_found = 0;
    key += '[';
    key += std::to_string(index);
    key += ']';
    if (const VariableTable::Ref r = vars.lookup(key)) return table_term(r, define_slot);
    return not_found(*this);
}

Value Interpreter::find_value(std::string_view s) { return find_term(s, nullptr, !s.empty() && plain_word(s)); }

Value Interpreter::find_term(std::string_view s, int32_t* define_slot, bool plain) {
    var_found = 0;
    n_type = -1;
    // A plain word is its own term text and holds no "=" or ".".
    std::string_view t = plain ? s : term_text(s);
    if (t.empty()) return Value{0, 0.0L, {}, -1, false};
    if (const FixedName* f = fixed_name(t)) return found_int(*this, f->value, -1);
    if (t[0] == '\'') return found_int(*this, char_code(t), n_char);
    if (t[0] == '"') return string_term(t);

    n_type = n_int;
    if (const size_t eq = plain ? std::string_view::npos : t.find('='); eq != std::string_view::npos) {
        t = dtrim(t.substr(0, eq));
        if (t.empty()) return not_found(*this);
    }
    // A declared name wins over the literal forms below, so a1, d2 or LEDB1 read as variables.
    // A name never starts with a digit, which spares numbers the table scan.
    if (!is_digit(t[0]))
        if (const VariableTable::Ref r = vars.lookup(t)) return table_term(r, define_slot);
    int32_t value = 0;
    if (truth_word(t, value) || pin_name(t, value)) return found_int(*this, value, n_int);
    if (!plain && t.find('.') != std::string_view::npos) {
        if (t.find(' ') != std::string_view::npos) return not_found(*this); // «Serial.print (x)» is no term
        if (is_digit(t[0])) return float_literal(*this, t);
    }
    if (integer_literal(t, value)) return found_int(*this, value, n_int);
    return element_term(t, define_slot);
}

Value Interpreter::get_value(std::string_view s) {
    // A nesting fault caught inside abandons the statement; a caller outside any evaluation
    // (the variables grid) must find the interpreter ready for the next one.
    struct ClearAbort {
        Interpreter& in;
        ~ClearAbort() {
            if (in.eval_depth_ == 0) in.eval_aborted_ = false;
        }
    };
    const ClearAbort clear_abort{*this};

    // A copy (short terms stay in place): `s` may view Results or another register that the
    // evaluation below overwrites before the text is handed on.
    std::string text(dtrim(s));
    const std::string_view t = text;
    if (t.empty()) {
        n_type = n_int;
        Results.clear();
        var_float = 0.0L;
        var_found = 0;
        return Value{0, 0.0L, {}, n_int, false};
    }
    if (t[0] == '"') return find_term(t, nullptr);

    auto execute = [&] {
        // A handler that yields a number may leave n_type alone; an earlier term's type must not
        // pass for this value's. Results stays: the method fallback and handlers hand text on in it.
        n_type = n_int;
        unsigned_bits = false;
        Value v = register_value(evaluate_expression(std::move(text)));
        v.unsigned_bits = std::exchange(unsigned_bits, false);
        return v;
    };
    // A plain name or number holds no operator: the tokeniser need not look.
    const bool plain = plain_word(t);
    if (!plain && find_operator_if(t, expression_operator) != std::string_view::npos) return execute();

    int32_t define_slot = 0;
    Value v = find_term(t, &define_slot, plain);
    // A #define was found: its text decides, even when that text is no term.
    if (define_slot > 0) return expand_define(define_slot);
    if (!v.found) return execute();
    // A lone float term's integer side is its value truncated, as a float result's is: handlers
    // that want a whole number read it (a float entry's own integer slot is never its value).
    if (v.type == n_float) v.i = float_int_side(v.f);
    return v;
}

} // namespace quorvex
