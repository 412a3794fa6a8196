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

// Library handlers: a method of one of the interpreter's family objects.
template <auto Member, auto Method>
int32_t lib(Interpreter& in, const Match& m) {
    return ((in.*Member).*Method)(m);
}
#define PIN(h) lib<&Interpreter::pinio, &PinIO::h>
#define TIME(h) lib<&Interpreter::simtime, &SimTime::h>
#define INTR(h) lib<&Interpreter::interrupts, &Interrupts::h>
#define MATH(h) lib<&Interpreter::mathlib, &MathLib::h>
#define STR(h) lib<&Interpreter::strings, &Strings::h>
#define SER lib<&Interpreter::serial, &SerialPorts::kserial>

} // namespace

const std::array<DispatchRow, max_obj + 1> kobj = {{
    {"", nullptr, 0, 0, "", R},
    {"Serial1.", SER, 0, 2, "Serial1", R},
    {"Serial2.", SER, 0, 2, "Serial2", R},
    {"Serial3.", SER, 0, 2, "Serial3", R},
    {"Serial.", SER, 0, 1, "Serial", R},
    {"SPI", nullptr, 0, 4, "SPI", R},
    {"EEPROM.", nullptr, 0, 0, "", R},
    {"Firmata.", nullptr, 0, 0, "", R},
    {"SD", nullptr, 0, 0, "", R},
    {"softser_obj", SER, 0, 2, "", R}, // port name: the row's current word
    {"softser_obj2", SER, 0, 3, "", R},
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
    {"pulseIn", PIN(kpulsein), 0, 0, "", R},
    {"reserve", STR(kreserve), 0, 0, "", D},
    {"return", kreturn, 0, 0, "", D},
    {"initialize", consume, 0, 0, "", D},
    {"attachInterrupt", INTR(kattach), 0, 0, "", D},
    {"interrupts", kinterrupts, 0, 0, "", D},
    {"noInterrupts", knointerrupts, 0, 0, "", D},
    {"strlen", STR(klength), 0, 0, "", R},
    {"do", flow_word<&ControlFlow::kdo>, 0, 0, "", D},
    {"goto", flow_word<&ControlFlow::kgoto>, 0, 0, "", D},
    {"sizeof", ksizeof, 0, 0, "", R},
    {"detachInterrupt", INTR(kdetach), 0, 0, "", D},
}};

const std::array<DispatchRow, max_afn + 1> karduinofn = {{
    {"", nullptr, 0, 0, "", D},
    {"delay", TIME(kdelay), 0, 0, "", D},
    {"delayMicroseconds", TIME(kdelayMicroseconds), 0, 0, "", D},
    {"tone", PIN(ktone), 0, 0, "", D},
    {"noTone", consume, 0, 0, "", D},
    {"pinMode", PIN(kpinmode), 0, 0, "", D},
    {"digitalWrite", PIN(kdigwrite), 0, 0, "", D},
    {"digitalRead", PIN(kdigread), 0, 0, "", R},
    {"analogRead", PIN(kanalog), 0, 0, "", R},
    {"analogWrite", PIN(kanalogWrite), 0, 0, "", D},
    {"map", MATH(kmap), 0, 0, "", R},
    {"constrain", MATH(kconstrain), 0, 0, "", R},
    {"millis()", TIME(kmillis), 0, 0, "", R},
    {"randomSeed", MATH(krandomseed), 0, 0, "", D},
    {"random", MATH(krandom), 0, 0, "", R},
    {"isAlphaNumeric", STR(kcheck), 1, 0, "", R},
    {"isAlpha", STR(kcheck), 2, 0, "", R},
    {"isAscii", STR(kcheck), 3, 0, "", R},
    {"isWhitespace", STR(kcheck), 4, 0, "", R},
    {"isControl", STR(kcheck), 5, 0, "", R},
    {"isDigit", STR(kcheck), 6, 0, "", R},
    {"isGraph", STR(kcheck), 7, 0, "", R},
    {"isLowerCase", STR(kcheck), 8, 0, "", R},
    {"isPrintable", STR(kcheck), 9, 0, "", R},
    {"isPunct", STR(kcheck), 10, 0, "", R},
    {"isSpace", STR(kcheck), 11, 0, "", R},
    {"isUpperCase", STR(kcheck), 12, 0, "", R},
    {"isHexadecimalDigit", STR(kcheck), 13, 0, "", R},
    {"toUpperCase", STR(ktouppercase), 0, 0, "", D},
    {"toLowerCase", STR(ktolowercase), 0, 0, "", D},
    {"charAt", STR(kcharAt), 0, 0, "", R},
    {"setCharAt", STR(ksetcharAt), 0, 0, "", D},
    {"String", STR(kstring), 0, 0, "", R},
    {"concat", STR(kconcat), 0, 0, "", R},
    {"micros()", TIME(kmicros), 0, 0, "", R},
    {"equalsIgnoreCase", STR(kequalsignorecase), 0, 0, "", R},
    {"equals", STR(kequalsascii), 0, 0, "", R},
    {"compareTo", STR(kcompareto), 0, 0, "", R},
    {"indexOf", STR(kindexof), 0, 0, "", R},
    {"lastIndexOf", STR(klastindexof), 0, 0, "", R},
    {"length", STR(klength), 0, 0, "", R},
    {"trim", STR(ktrim), 0, 0, "", R},
    {"replace", STR(kreplace), 0, 0, "", R},
    {"startsWith", STR(kstartswith), 0, 0, "", R},
    {"endsWith", STR(kendswith), 0, 0, "", R},
    {"substring", STR(ksubstring), 0, 0, "", R},
    {"toInt", STR(ktoint), 0, 0, "", R},
    {"getLength", STR(klength), 0, 0, "", R},
    {"shiftOut", PIN(kshiftOut), 0, 0, "", R},
    {"shiftIn", PIN(kshiftIn), 0, 0, "", R},
    {"analogReference", PIN(kanalogReference), 0, 0, "", R},
    {"hour", TIME(kTime), 1, 0, "", R},
    {"minute", TIME(kTime), 2, 0, "", R},
    {"second", TIME(kTime), 3, 0, "", R},
    {"day", TIME(kTime), 4, 0, "", R},
    {"weekday", TIME(kTime), 5, 0, "", R},
    {"month", TIME(kTime), 6, 0, "", R},
    {"year", TIME(kTime), 7, 0, "", R},
    {"hourFormat12", TIME(kTime), 8, 0, "", R},
    {"isAM", TIME(kTime), 9, 0, "", R},
    {"isPM", TIME(kTime), 10, 0, "", R},
    {"now", TIME(kTime), 11, 0, "", R},
    {"setTime", TIME(ksetTime), 0, 0, "", R},
    {"min", MATH(kmath), 1, 0, "", R},
    {"max", MATH(kmath), 2, 0, "", R},
    {"abs", MATH(kmath), 3, 0, "", R},
    {"pow", MATH(kmath), 5, 0, "", R},
    {"sqrt", MATH(kmath), 4, 0, "", R},
    {"sq", MATH(kmath), 6, 0, "", R},
    {"cos", MATH(ktrig), 1, 0, "", R},
    {"sin", MATH(ktrig), 2, 0, "", R},
    {"tan", MATH(ktrig), 3, 0, "", R},
    {"lowByte", MATH(kbits), 1, 0, "", R},
    {"highByte", MATH(kbits), 2, 0, "", R},
    {"bitRead", MATH(kbits), 3, 0, "", R},
    {"bitWrite", MATH(kbits), 4, 0, "", R},
    {"bitSet", MATH(kbits), 5, 0, "", R},
    {"bitClear", MATH(kbits), 6, 0, "", R},
    {"bit", MATH(kbits), 7, 0, "", R},
}};

const std::array<DispatchRow, max_lib + 1> klibfn = {{
    {"", nullptr, 0, 0, "", R},
    {"FreqCounter::", TIME(kfreq), 0, 0, "", R},
    {"adjustTime", TIME(kadjTime), 0, 0, "", R},
}};

// One row per line, in table order.
// clang-format off
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
// clang-format on

const std::array<TypeWord, 14> cast_types = {{
    {"boolean", 1},
    {"byte", 2},
    {"char", 3},
    {"int", 4},
    {"long", 5},
    {"float", 6},
    {"string", 7},
    {"uint8_t", 2},
    {"uint16_t", 4},
    {"uint32_t", 5},
    {"bool", 1},
    {"word", 4},
    {"double", 6},
    {"String", 7},
}};

int32_t cast_type(std::string_view bracket_text) {
    std::string_view t = dtrim(bracket_text);
    if (t.starts_with("unsigned") && t.size() > 8 && static_cast<unsigned char>(t[8]) <= ' ') t = dtrim(t.substr(8));
    for (const TypeWord& w : cast_types)
        if (t == w.word) return w.type;
    return 0;
}

} // namespace quorvex
