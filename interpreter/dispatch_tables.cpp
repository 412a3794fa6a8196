// The keyword tables of the statement executor, in search order, and their matching rules.
#include "interpreter/dispatch_tables.h"

#include "interpreter/interpreter.h"
#include "interpreter/literals.h"

namespace quorvex {

namespace {

constexpr ResultUse R = ResultUse::returned;
constexpr ResultUse D = ResultUse::dropped;

int32_t consume(Interpreter&, const Match&) { return 0; }
int32_t kinterrupts(Interpreter& in, const Match&) {
    in.allow_interrupts = true;
    return 0;
}
int32_t knointerrupts(Interpreter& in, const Match&) {
    in.allow_interrupts = false;
    return 0;
}

int32_t kequals(Interpreter& in, const Match& m) { return in.ops.kequals(m.rest); }

// Control words: the handler gets the rest after the word.
template <void (ControlFlow::*H)(std::string_view)>
int32_t flow_word(Interpreter& in, const Match& m) {
    (in.flow.*H)(m.rest);
    return 0;
}
int32_t kreturn(Interpreter& in, const Match& m) { return in.calls.kreturn(m.rest); }
// "setup(" and "loop(" get the whole statement.
int32_t ksetup(Interpreter& in, const Match& m) {
    in.flow.ksetup(m.rest);
    return 0;
}
int32_t kloop(Interpreter& in, const Match& m) {
    in.flow.kloop(m.rest);
    return 0;
}
int32_t ksizeof(Interpreter& in, const Match& m) { return in.decl.ksizeof(m.rest); }
int32_t kop(Interpreter& in, const Match& m) { return in.ops.kop(m.rest, m.op); }
int32_t kcomparison(Interpreter& in, const Match& m) { return in.ops.kcomparison(m.rest, m.op); }
int32_t klop(Interpreter& in, const Match& m) { return in.ops.klop(m.rest, m.op); }
int32_t kinc(Interpreter& in, const Match& m) { return in.ops.kinc(m.rest); }
int32_t kdec(Interpreter& in, const Match& m) { return in.ops.kdec(m.rest); }

bool ident_char(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

} // namespace

const std::array<DispatchRow, max_obj + 1> kobj = {{
    {"", nullptr, 0, 0, "", R},
    {"Serial1.", nullptr, 0, 2, "Serial1", R},
    {"Serial2.", nullptr, 0, 2, "Serial2", R},
    {"Serial3.", nullptr, 0, 2, "Serial3", R},
    {"Serial.", nullptr, 0, 1, "Serial", R},
    {"SPI", nullptr, 0, 4, "SPI", R},
    {"EEPROM.", nullptr, 0, 0, "", R},
    {"Firmata.", nullptr, 0, 0, "", R},
    {"SD", nullptr, 0, 0, "", R},
    {"softser_obj", nullptr, 0, 2, "", R}, // port name: the row's current word
    {"softser_obj2", nullptr, 0, 3, "", R},
    {"lcd_obj", nullptr, 0, 4, "", D},
    {"Wire", nullptr, 0, 4, "Wire", R},
    {"Ethernet.", nullptr, 0, 2, "", D},
    {"Server_obj", nullptr, 0, 2, "", R},
    {"Client_obj", nullptr, 0, 3, "", R},
    {"servo_object", nullptr, 0, 0, "", R},
    {"servo_object2", nullptr, 0, 0, "", R},
    {"stepper_obj", nullptr, 0, 0, "", R},
    {"Sd2Card_obj", nullptr, 0, 0, "", R},
    {"SdVolume_obj", nullptr, 0, 0, "", R},
    {"SdFile_obj", nullptr, 0, 0, "", R},
    {"File_Obj", nullptr, 0, 5, "", R},
}};

const std::array<DispatchRow, max_control + 1> kcontrol = {{
    {"", nullptr, 0, 0, "", D},
    {"else", flow_word<&ControlFlow::kelse>, 0, 0, "", D},
    {"if", flow_word<&ControlFlow::kif>, 0, 0, "", D},
    {"while", flow_word<&ControlFlow::kwhile>, 0, 0, "", D},
    {"for", flow_word<&ControlFlow::kfor>, 0, 0, "", D},
    {"}", flow_word<&ControlFlow::krbr>, 0, 0, "", D},
    {"{", flow_word<&ControlFlow::klbr>, 0, 0, "", D},
    {"continue", flow_word<&ControlFlow::kcontinue>, 0, 0, "", D},
    {"switch", flow_word<&ControlFlow::kswitch>, 0, 0, "", D},
    {"break", flow_word<&ControlFlow::kbreak>, 0, 0, "", D},
    {"pulseIn", nullptr, 0, 0, "", R},
    {"reserve", nullptr, 0, 0, "", D},
    {"return", kreturn, 0, 0, "", D},
    {"initialize", consume, 0, 0, "", D},
    {"attachInterrupt", nullptr, 0, 0, "", D},
    {"interrupts", kinterrupts, 0, 0, "", D},
    {"noInterrupts", knointerrupts, 0, 0, "", D},
    {"strlen", nullptr, 0, 0, "", R},
    {"do", flow_word<&ControlFlow::kdo>, 0, 0, "", D},
    {"goto", flow_word<&ControlFlow::kgoto>, 0, 0, "", D},
    {"sizeof", ksizeof, 0, 0, "", R},
    {"detachInterrupt", nullptr, 0, 0, "", D},
}};

const std::array<DispatchRow, max_afn + 1> karduinofn = {{
    {"", nullptr, 0, 0, "", D},
    {"delay", nullptr, 0, 0, "", D},
    {"delayMicroseconds", nullptr, 0, 0, "", D},
    {"tone", nullptr, 0, 0, "", D},
    {"noTone", consume, 0, 0, "", D},
    {"pinMode", nullptr, 0, 0, "", D},
    {"digitalWrite", nullptr, 0, 0, "", D},
    {"digitalRead", nullptr, 0, 0, "", R},
    {"analogRead", nullptr, 0, 0, "", R},
    {"analogWrite", nullptr, 0, 0, "", D},
    {"map", nullptr, 0, 0, "", R},
    {"constrain", nullptr, 0, 0, "", R},
    {"millis()", nullptr, 0, 0, "", R},
    {"randomSeed", nullptr, 0, 0, "", D},
    {"random", nullptr, 0, 0, "", R},
    {"isAlphaNumeric", nullptr, 1, 0, "", R},
    {"isAlpha", nullptr, 2, 0, "", R},
    {"isAscii", nullptr, 3, 0, "", R},
    {"isWhitespace", nullptr, 4, 0, "", R},
    {"isControl", nullptr, 5, 0, "", R},
    {"isDigit", nullptr, 6, 0, "", R},
    {"isGraph", nullptr, 7, 0, "", R},
    {"isLowerCase", nullptr, 8, 0, "", R},
    {"isPrintable", nullptr, 9, 0, "", R},
    {"isPunct", nullptr, 10, 0, "", R},
    {"isSpace", nullptr, 11, 0, "", R},
    {"isUpperCase", nullptr, 12, 0, "", R},
    {"isHexadecimalDigit", nullptr, 13, 0, "", R},
    {"toUpperCase", nullptr, 0, 0, "", D},
    {"toLowerCase", nullptr, 0, 0, "", D},
    {"charAt", nullptr, 0, 0, "", R},
    {"setCharAt", nullptr, 0, 0, "", D},
    {"String", nullptr, 0, 0, "", R},
    {"concat", nullptr, 0, 0, "", R},
    {"micros()", nullptr, 0, 0, "", R},
    {"equalsIgnoreCase", nullptr, 0, 0, "", R},
    {"equals", nullptr, 0, 0, "", R},
    {"compareTo", nullptr, 0, 0, "", R},
    {"indexOf", nullptr, 0, 0, "", R},
    {"lastIndexOf", nullptr, 0, 0, "", R},
    {"length", nullptr, 0, 0, "", R},
    {"trim", nullptr, 0, 0, "", R},
    {"replace", nullptr, 0, 0, "", R},
    {"startsWith", nullptr, 0, 0, "", R},
    {"endsWith", nullptr, 0, 0, "", R},
    {"substring", nullptr, 0, 0, "", R},
    {"toInt", nullptr, 0, 0, "", R},
    {"getLength", nullptr, 0, 0, "", R},
    {"shiftOut", nullptr, 0, 0, "", R},
    {"shiftIn", nullptr, 0, 0, "", R},
    {"analogReference", nullptr, 0, 0, "", R},
    {"hour", nullptr, 1, 0, "", R},
    {"minute", nullptr, 2, 0, "", R},
    {"second", nullptr, 3, 0, "", R},
    {"day", nullptr, 4, 0, "", R},
    {"weekday", nullptr, 5, 0, "", R},
    {"month", nullptr, 6, 0, "", R},
    {"year", nullptr, 7, 0, "", R},
    {"hourFormat12", nullptr, 8, 0, "", R},
    {"isAM", nullptr, 9, 0, "", R},
    {"isPM", nullptr, 10, 0, "", R},
    {"now", nullptr, 11, 0, "", R},
    {"setTime", nullptr, 0, 0, "", R},
    {"min", nullptr, 1, 0, "", R},
    {"max", nullptr, 2, 0, "", R},
    {"abs", nullptr, 3, 0, "", R},
    {"pow", nullptr, 5, 0, "", R},
    {"sqrt", nullptr, 4, 0, "", R},
    {"sq", nullptr, 6, 0, "", R},
    {"cos", nullptr, 1, 0, "", R},
    {"sin", nullptr, 2, 0, "", R},
    {"tan", nullptr, 3, 0, "", R},
    {"lowByte", nullptr, 1, 0, "", R},
    {"highByte", nullptr, 2, 0, "", R},
    {"bitRead", nullptr, 3, 0, "", R},
    {"bitWrite", nullptr, 4, 0, "", R},
    {"bitSet", nullptr, 5, 0, "", R},
    {"bitClear", nullptr, 6, 0, "", R},
    {"bit", nullptr, 7, 0, "", R},
}};

const std::array<DispatchRow, max_lib + 1> klibfn = {{
    {"", nullptr, 0, 0, "", R},
    {"FreqCounter::", nullptr, 0, 0, "", R},
    {"adjustTime", nullptr, 0, 0, "", R},
}};

const std::array<DispatchRow, max_op + 1> koperators = {{
    {"", nullptr, 0, 0, "", R},
    {"loop(", kloop, 0, 0, "", D},
    {"setup(", ksetup, 0, 0, "", D},
    {"+=", kop, 0, 0, "", R},
    {"-=", kop, 0, 0, "", R},
    {"&=", kop, 0, 0, "", R},
    {"|=", kop, 0, 0, "", R},
    {"*=", kop, 0, 0, "", R},
    {"/=", kop, 0, 0, "", R},
    {"<<=", kop, 0, 0, "", R},
    {">>=", kop, 0, 0, "", R},
    {"=", kequals, 0, 0, "", R},
    {"<<", kop, 0, 0, "", R},
    {">>", kop, 0, 0, "", R},
    {"++", kinc, 0, 0, "", R},
    {"--", kdec, 0, 0, "", R},
    {"&&", klop, 0, 0, "", R},
    {"||", klop, 0, 0, "", R},
    {"^", klop, 0, 0, "", R},
    {"~", klop, 0, 0, "", R},
    {"==", kcomparison, 0, 0, "", R},
    {"!=", kcomparison, 0, 0, "", R},
    {"<=", kcomparison, 0, 0, "", R},
    {"<", kcomparison, 0, 0, "", R},
    {">=", kcomparison, 0, 0, "", R},
    {">", kcomparison, 0, 0, "", R},
    {"%", kop, 0, 0, "", R},
    {"*", kop, 0, 0, "", R},
    {"/", kop, 0, 0, "", R},
    {"&", kop, 0, 0, "", R},
    {"|", kop, 0, 0, "", R},
    {"+", kop, 0, 0, "", R},
    {"-", kop, 0, 0, "", R},
    {"!", kop, 0, 0, "", R},
}};

const std::array<TypeWord, 14> cast_types = {{
    {"boolean", 1}, {"byte", 2}, {"char", 3}, {"int", 4}, {"long", 5}, {"float", 6}, {"string", 7},
    {"uint8_t", 2}, {"uint16_t", 4}, {"uint32_t", 5}, {"bool", 1}, {"word", 4}, {"double", 6}, {"String", 7},
}};

bool prefix_matches(std::string_view s, std::string_view word) {
    if (word.empty() || !s.starts_with(word)) return false;
    if (!ident_char(word.back())) return true;
    return s.size() == word.size() || !ident_char(s[word.size()]);
}

bool call_matches(std::string_view s, std::string_view word) {
    if (word.empty() || !s.starts_with(word)) return false;
    const std::string_view raw = s.substr(word.size());
    if (!raw.empty() && ident_char(word.back()) && ident_char(raw.front())) return false;
    const std::string_view rest = dtrim(raw);
    if (rest.empty()) return true;
    if (rest.front() != '(') return false;
    return matching_bracket(rest, 0) == rest.size() - 1;
}

int32_t cast_type(std::string_view bracket_text) {
    std::string_view t = dtrim(bracket_text);
    if (t.starts_with("unsigned") && t.size() > 8 && static_cast<unsigned char>(t[8]) <= ' ') t = dtrim(t.substr(8));
    for (const TypeWord& w : cast_types)
        if (t == w.word) return w.type;
    return 0;
}

std::string_view cut_statement(std::string_view s) {
    const size_t semi = find_outside_literals(s, ";");
    return dtrim(semi == std::string_view::npos ? s : s.substr(0, semi));
}

} // namespace quorvex
