// The keyword tables of the statement executor, in search order, and their matching rules.
#include "interpreter/dispatch_tables.h"

#include "interpreter/bind.h"
#include "interpreter/interpreter.h"
#include "interpreter/literals.h"

namespace quorvex {

namespace {

constexpr ResultUse R = ResultUse::returned;
constexpr ResultUse D = ResultUse::dropped;

int32_t consume(Interpreter&, const Match&) { return 0; }

} // namespace

const std::array<DispatchRow, max_obj + 1> kobj = {{
    {"", nullptr, 0, 0, "", R},
    {"Serial1.", BIND(serial, kserial), 0, 2, "Serial1", R},
    {"Serial2.", BIND(serial, kserial), 0, 2, "Serial2", R},
    {"Serial3.", BIND(serial, kserial), 0, 2, "Serial3", R},
    {"Serial.", BIND(serial, kserial), 0, 1, "Serial", R},
    {"SPI", BIND(wire_spi, kspi), 0, 4, "SPI", R},
    {"EEPROM.", BIND(eeprom, kEEPROM), 0, 0, "", R},
    {"Firmata.", BIND(firmata, kfirmata), 0, 0, "", R},
    {"SD", BIND(sd, kSD), 0, 0, "", R},
    {"softser_obj", BIND(serial, kserial), 0, 2, "", R}, // port name: the row's current word
    {"softser_obj2", BIND(serial, kserial), 0, 3, "", R},
    {"lcd_obj", BIND(lcd, klcd), 0, 4, "", D},
    {"Wire", BIND(wire_spi, kWire), 0, 4, "Wire", R},
    {"Ethernet.", BIND(ethernet, kEthernet), 0, 2, "", D},
    {"Server_obj", BIND(ethernet, kEthServer), 0, 2, "", R},
    {"Client_obj", BIND(ethernet, kEthClient), 0, 3, "", R},
    {"servo_object", BIND(motors, kServo_obj), 0, 0, "", R},
    {"servo_object2", BIND(motors, kServo_obj2), 0, 0, "", R},
    {"stepper_obj", BIND(motors, kStepper_obj), 0, 0, "", R},
    {"Sd2Card_obj", BIND(sd, kSD2card_obj), 0, 0, "", R},
    {"SdVolume_obj", BIND(sd, kSDVolume_obj), 0, 0, "", R},
    {"SdFile_obj", BIND(sd, kSDFile_obj), 0, 0, "", R},
    {"File_Obj", BIND(sd, kFile_obj), 0, 5, "", R},
}};

const std::array<DispatchRow, max_control + 1> kcontrol = {{
    {"", nullptr, 0, 0, "", D},
    {"else", BIND(flow, kelse), 0, 0, "", D},
    {"if", BIND(flow, kif), 0, 0, "", D},
    {"while", BIND(flow, kwhile), 0, 0, "", D},
    {"for", BIND(flow, kfor), 0, 0, "", D},
    {"}", BIND(flow, krbr), 0, 0, "", D},
    {"{", BIND(flow, klbr), 0, 0, "", D},
    {"continue", BIND(flow, kcontinue), 0, 0, "", D},
    {"switch", BIND(flow, kswitch), 0, 0, "", D},
    {"break", BIND(flow, kbreak), 0, 0, "", D},
    {"pulseIn", BIND(pinio, kpulsein), 0, 0, "", R},
    {"reserve", BIND(strings, kreserve), 0, 0, "", D},
    {"return", BIND(calls, kreturn), 0, 0, "", D},
    {"initialize", consume, 0, 0, "", D},
    {"attachInterrupt", BIND(interrupts, kattach), 0, 0, "", D},
    {"interrupts", BIND(interrupts, kinterrupts), 0, 0, "", D},
    {"noInterrupts", BIND(interrupts, knointerrupts), 0, 0, "", D},
    {"strlen", BIND(strings, klength), 0, 0, "", R},
    {"do", BIND(flow, kdo), 0, 0, "", D},
    {"goto", BIND(flow, kgoto), 0, 0, "", D},
    {"sizeof", BIND(decl, ksizeof), 0, 0, "", R},
    {"detachInterrupt", BIND(interrupts, kdetach), 0, 0, "", D},
}};

const std::array<DispatchRow, max_afn + 1> karduinofn = {{
    {"", nullptr, 0, 0, "", D},
    {"delay", BIND(simtime, kdelay), 0, 0, "", D},
    {"delayMicroseconds", BIND(simtime, kdelayMicroseconds), 0, 0, "", D},
    {"tone", BIND(pinio, ktone), 0, 0, "", D},
    {"noTone", consume, 0, 0, "", D},
    {"pinMode", BIND(pinio, kpinmode), 0, 0, "", D},
    {"digitalWrite", BIND(pinio, kdigwrite), 0, 0, "", D},
    {"digitalRead", BIND(pinio, kdigread), 0, 0, "", R},
    {"analogRead", BIND(pinio, kanalog), 0, 0, "", R},
    {"analogWrite", BIND(pinio, kanalogWrite), 0, 0, "", D},
    {"map", BIND(mathlib, kmap), 0, 0, "", R},
    {"constrain", BIND(mathlib, kconstrain), 0, 0, "", R},
    {"millis()", BIND(simtime, kmillis), 0, 0, "", R},
    {"randomSeed", BIND(mathlib, krandomseed), 0, 0, "", D},
    {"random", BIND(mathlib, krandom), 0, 0, "", R},
    {"isAlphaNumeric", BIND(strings, kcheck), 1, 0, "", R},
    {"isAlpha", BIND(strings, kcheck), 2, 0, "", R},
    {"isAscii", BIND(strings, kcheck), 3, 0, "", R},
    {"isWhitespace", BIND(strings, kcheck), 4, 0, "", R},
    {"isControl", BIND(strings, kcheck), 5, 0, "", R},
    {"isDigit", BIND(strings, kcheck), 6, 0, "", R},
    {"isGraph", BIND(strings, kcheck), 7, 0, "", R},
    {"isLowerCase", BIND(strings, kcheck), 8, 0, "", R},
    {"isPrintable", BIND(strings, kcheck), 9, 0, "", R},
    {"isPunct", BIND(strings, kcheck), 10, 0, "", R},
    {"isSpace", BIND(strings, kcheck), 11, 0, "", R},
    {"isUpperCase", BIND(strings, kcheck), 12, 0, "", R},
    {"isHexadecimalDigit", BIND(strings, kcheck), 13, 0, "", R},
    {"toUpperCase", BIND(strings, ktouppercase), 0, 0, "", D},
    {"toLowerCase", BIND(strings, ktolowercase), 0, 0, "", D},
    {"charAt", BIND(strings, kcharAt), 0, 0, "", R},
    {"setCharAt", BIND(strings, ksetcharAt), 0, 0, "", D},
    {"String", BIND(strings, kstring), 0, 0, "", R},
    {"concat", BIND(strings, kconcat), 0, 0, "", R},
    {"micros()", BIND(simtime, kmicros), 0, 0, "", R},
    {"equalsIgnoreCase", BIND(strings, kequalsignorecase), 0, 0, "", R},
    {"equals", BIND(strings, kequalsascii), 0, 0, "", R},
    {"compareTo", BIND(strings, kcompareto), 0, 0, "", R},
    {"indexOf", BIND(strings, kindexof), 0, 0, "", R},
    {"lastIndexOf", BIND(strings, klastindexof), 0, 0, "", R},
    {"length", BIND(strings, klength), 0, 0, "", R},
    {"trim", BIND(strings, ktrim), 0, 0, "", R},
    {"replace", BIND(strings, kreplace), 0, 0, "", R},
    {"startsWith", BIND(strings, kstartswith), 0, 0, "", R},
    {"endsWith", BIND(strings, kendswith), 0, 0, "", R},
    {"substring", BIND(strings, ksubstring), 0, 0, "", R},
    {"toInt", BIND(strings, ktoint), 0, 0, "", R},
    {"getLength", BIND(strings, klength), 0, 0, "", R},
    {"shiftOut", BIND(pinio, kshiftOut), 0, 0, "", R},
    {"shiftIn", BIND(pinio, kshiftIn), 0, 0, "", R},
    {"analogReference", BIND(pinio, kanalogReference), 0, 0, "", R},
    {"hour", BIND(simtime, kTime), 1, 0, "", R},
    {"minute", BIND(simtime, kTime), 2, 0, "", R},
    {"second", BIND(simtime, kTime), 3, 0, "", R},
    {"day", BIND(simtime, kTime), 4, 0, "", R},
    {"weekday", BIND(simtime, kTime), 5, 0, "", R},
    {"month", BIND(simtime, kTime), 6, 0, "", R},
    {"year", BIND(simtime, kTime), 7, 0, "", R},
    {"hourFormat12", BIND(simtime, kTime), 8, 0, "", R},
    {"isAM", BIND(simtime, kTime), 9, 0, "", R},
    {"isPM", BIND(simtime, kTime), 10, 0, "", R},
    {"now", BIND(simtime, kTime), 11, 0, "", R},
    {"setTime", BIND(simtime, ksetTime), 0, 0, "", R},
    {"min", BIND(mathlib, kmath), 1, 0, "", R},
    {"max", BIND(mathlib, kmath), 2, 0, "", R},
    {"abs", BIND(mathlib, kmath), 3, 0, "", R},
    {"pow", BIND(mathlib, kmath), 5, 0, "", R},
    {"sqrt", BIND(mathlib, kmath), 4, 0, "", R},
    {"sq", BIND(mathlib, kmath), 6, 0, "", R},
    {"cos", BIND(mathlib, ktrig), 1, 0, "", R},
    {"sin", BIND(mathlib, ktrig), 2, 0, "", R},
    {"tan", BIND(mathlib, ktrig), 3, 0, "", R},
    {"lowByte", BIND(mathlib, kbits), 1, 0, "", R},
    {"highByte", BIND(mathlib, kbits), 2, 0, "", R},
    {"bitRead", BIND(mathlib, kbits), 3, 0, "", R},
    {"bitWrite", BIND(mathlib, kbits), 4, 0, "", R},
    {"bitSet", BIND(mathlib, kbits), 5, 0, "", R},
    {"bitClear", BIND(mathlib, kbits), 6, 0, "", R},
    {"bit", BIND(mathlib, kbits), 7, 0, "", R},
}};

const std::array<DispatchRow, max_lib + 1> klibfn = {{
    {"", nullptr, 0, 0, "", R},
    {"FreqCounter::", BIND(simtime, kfreq), 0, 0, "", R},
    {"adjustTime", BIND(simtime, kadjTime), 0, 0, "", R},
}};

// One row per line, in table order.
// clang-format off
const std::array<DispatchRow, max_op + 1> koperators = {{
    {"", nullptr, 0, 0, "", R},
    {"loop(", BIND(flow, kloop), 0, 0, "", D},
    {"setup(", BIND(flow, ksetup), 0, 0, "", D},
    {"+=", BIND(ops, kadd_assign), 0, 0, "", R},
    {"-=", BIND(ops, kop), 0, 0, "", R},
    {"&=", BIND(ops, kop), 0, 0, "", R},
    {"|=", BIND(ops, kop), 0, 0, "", R},
    {"*=", BIND(ops, kop), 0, 0, "", R},
    {"/=", BIND(ops, kop), 0, 0, "", R},
    {"<<=", BIND(ops, kop), 0, 0, "", R},
    {">>=", BIND(ops, kop), 0, 0, "", R},
    {"=", BIND(ops, kequals), 0, 0, "", R},
    {"<<", BIND(ops, kop), 0, 0, "", R},
    {">>", BIND(ops, kop), 0, 0, "", R},
    {"++", BIND(ops, kinc), 0, 0, "", R},
    {"--", BIND(ops, kdec), 0, 0, "", R},
    {"&&", BIND(ops, klop), 0, 0, "", R},
    {"||", BIND(ops, klop), 0, 0, "", R},
    {"^", BIND(ops, klop), 0, 0, "", R},
    {"~", BIND(ops, klop), 0, 0, "", R},
    {"==", BIND(ops, kcomparison), 0, 0, "", R},
    {"!=", BIND(ops, kcomparison), 0, 0, "", R},
    {"<=", BIND(ops, kcomparison), 0, 0, "", R},
    {"<", BIND(ops, kcomparison), 0, 0, "", R},
    {">=", BIND(ops, kcomparison), 0, 0, "", R},
    {">", BIND(ops, kcomparison), 0, 0, "", R},
    {"%", BIND(ops, kop), 0, 0, "", R},
    {"*", BIND(ops, kop), 0, 0, "", R},
    {"/", BIND(ops, kop), 0, 0, "", R},
    {"&", BIND(ops, kop), 0, 0, "", R},
    {"|", BIND(ops, kop), 0, 0, "", R},
    {"+", BIND(ops, kop), 0, 0, "", R},
    {"-", BIND(ops, kop), 0, 0, "", R},
    {"!", BIND(ops, kop), 0, 0, "", R},
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
