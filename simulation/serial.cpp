// Serial ports and SoftwareSerial objects printing into and reading from the port panels, and
// the print formatter they share with every device that prints.
#include "simulation/serial.h"

#include <optional>
#include <string>

#include "interpreter/checked.h"
#include "interpreter/interpreter.h"
#include "interpreter/literals.h"
#include "interpreter/value_format.h"
#include "simulation/library.h"

namespace quorvex {

namespace {

constexpr size_t npos = std::string_view::npos;

// The print argument of a call's bracket content: the first argument, or the first two joined
// by a comma (a value and its format). Commas inside literals and nested calls do not split, so
// «println(max(a, b))» prints the call's value; braces do not nest here.
std::string print_argument(std::string_view content) {
    const std::vector<std::string_view> args = split_top_level(content, BraceRule::plain);
    std::string val(args[0]);
    if (args.size() == 2) {
        val += ',';
        val += args[1];
    }
    return val;
}

} // namespace

// --- the print formatter, which every device that prints shares ------------------------------

std::string printx(Interpreter& in, std::string_view s) {
    const std::string t(dtrim(s)); // a copy: `s` may view a register the evaluation overwrites
    // Cleared before every evaluation, so a text left by an earlier statement is never printed.
    in.Results.clear();
    if (t.empty()) {
        in.n_type = n_string;
        return {};
    }
    in.n_type = -1;
    if (t[0] == '"') {
        const Value v = in.get_value(t);
        return v.type == n_string ? v.s : in.Results;
    }
    const size_t comma = top_level_comma(t);
    if (comma == std::string::npos) {
        const Value v = in.get_value(t);
        if (v.type == n_string) return v.s;
        if (v.type == n_float) return float_text(v.f);
        if (v.type == n_char) {
            std::string c;
            append_code_unit(c, v.i);
            return c;
        }
        if (!in.Results.empty()) return in.Results;
        return print_format(v.i, "dec");
    }
    const std::string_view left = dtrim(std::string_view(t).substr(0, comma));
    const std::string_view right = dtrim(std::string_view(t).substr(comma + 1));
    const std::string format = lower_ascii(right);
    const Value v = in.get_value(left);
    if (v.type != n_float) return print_format(v.i, format);
    if (format == "dec" || format == "hex" || format == "oct" || format == "bin")
        return print_format(float_int_side(v.f), format);
    // Any other word is a count of decimals.
    in.Results.clear();
    return float_text(v.f, in.get_var(right));
}

// --- the ports -------------------------------------------------------------------------------

// One call statement: what every method reads.
struct SerialPorts::Call {
    std::string_view port;  // a hardware name, or a software object's prefix with its dot
    const std::string& val; // the print argument: the value, and its format after a comma
    PortPanel& panel;
    const HardwarePort* hw; // nullptr for a software port
    int32_t panel_number;
};

// clang-format off
const MethodRow<SerialPorts::Method> SerialPorts::methods[] = {
    {"begin", &SerialPorts::kbegin},
    {"end", &SerialPorts::kend},
    {"println", &SerialPorts::kprintln},
    {"print", &SerialPorts::kprint},
    {"write", &SerialPorts::kwrite},
    {"available", &SerialPorts::kavailable},
    {"read", &SerialPorts::kread},
    {"peek", &SerialPorts::kpeek},
    {"flush", &SerialPorts::kflush},
    {"listen", &SerialPorts::klisten},
};
// clang-format on

const HardwarePort* SerialPorts::hardware(std::string_view name) {
    for (const HardwarePort& p : hardware_ports)
        if (name == p.name) return &p;
    return nullptr;
}

int32_t SerialPorts::kserial(const Match& m) {
    const std::string_view s = m.rest;
    const size_t open = s.find('(');
    const size_t close = open == npos ? npos : matching_bracket(s, open);

    // An assignment or comparison after the call belongs to the operators; an "=" inside the
    // call's brackets is part of its argument («println(a == b)»).
    const std::string_view after = close == npos ? s : s.substr(close + 1);
    if (contains(after, '=') && !contains(s, '"')) {
        in_.ops.kequals(s);
        return 0;
    }
    // Any other operator after the call: the operator scan splits the statement first, so the
    // call comes back here as an operand («Serial.read() - '0'»).
    if (close != npos && !cut_statement(s.substr(close + 1)).empty()) {
        in_.keep_going = 1;
        return 0;
    }

    if (m.port == in_.tables.kobj_word[softser_key] && (in_.pre.library1 & LIB_SOFTSERIAL) == 0) {
        in_.ShowMessage1("Sketch Error - <SoftwareSerial.h> library must be include first!");
        return 0;
    }
    in_.got_it = 1;

    // An unclosed bracket leaves no command, which is reported as undefined.
    std::string_view command;
    std::string val;
    if (open != npos && close != npos) {
        command = dtrim(s.substr(0, open));
        val = print_argument(s.substr(open + 1, close - open - 1));
    }
    const Call c{m.port, val, in_.panels[m.panel], hardware(m.port), m.panel};
    if (const std::optional<int32_t> value = call_row(*this, methods, command, c)) return *value;
    in_.ShowMessage1("Sketch Error - Undefined Serial command: " + std::string(s));
    return 0;
}

int32_t SerialPorts::kbegin(const Call& c) {
    const std::string port(c.port);
    in_.panels.open(c.panel_number, port + " at " + c.val, port + " Input data 12,34,56\\n");
    in_.host().show_simulation_window();
    if (c.hw != nullptr) {
        Board& board = in_.board;
        if (c.hw->panel != 1 && board.kind == BoardKind::Uno)
            in_.host().notice("Sketch Error - The Uno does not have a " + port + " port");
        board.set_output(c.hw->rx, SPECIAL, port + ".RX");
        board.set_output(c.hw->tx, SPECIAL, port + ".TX");
    }
    return int_result(in_, 0);
}

int32_t SerialPorts::kend(const Call& c) {
    c.panel.Panel.Visible = false;
    c.panel.Panel.Caption = "Serial";
    if (c.hw != nullptr) {
        Board& board = in_.board;
        board.set_output(c.hw->rx, UNDEFINED, Board::digital_label(c.hw->rx));
        board.set_output(c.hw->tx, UNDEFINED, Board::digital_label(c.hw->tx));
    }
    return int_result(in_, 0);
}

int32_t SerialPorts::kprintln(const Call& c) {
    Board& board = in_.board;
    board.txled = true;
    // Every port checks that Serial itself has begun.
    if (board.pin(0).label.caption != "Serial.RX") {
        in_.ShowMessage1("Sketch Error - Initialise Serial Port first!");
        return 0;
    }
    c.panel.println(c.val.empty() ? std::string() : printx(in_, c.val));
    return int_result(in_, 0);
}

int32_t SerialPorts::kprint(const Call& c) {
    in_.board.txled = true;
    c.panel.print(printx(in_, c.val));
    return int_result(in_, 0);
}

int32_t SerialPorts::kwrite(const Call& c) {
    in_.board.txled = true;
    in_.Results.clear();
    const Value v = in_.get_value(c.val);
    if (v.type == n_string) {
        c.panel.append_text(v.s);
        c.panel.select_last();
    } else {
        c.panel.write(v.i);
    }
    return int_result(in_, 0);
}

int32_t SerialPorts::kavailable(const Call& c) { return int_result(in_, c.panel.IN.available()); }
int32_t SerialPorts::kread(const Call& c) { return int_result(in_, kserialin(c.panel, 1)); }
int32_t SerialPorts::kpeek(const Call& c) { return int_result(in_, kserialin(c.panel, 0)); }

int32_t SerialPorts::kflush(const Call& c) {
    c.panel.IN.clear();
    return int_result(in_, 0);
}

// One software port listens at a time on the board; every panel listens here.
int32_t SerialPorts::klisten(const Call&) { return int_result(in_, 0); }

int32_t SerialPorts::kserialin(PortPanel& panel, int32_t move) {
    if (panel.IN.empty()) return 0;
    in_.board.rxled = true;
    return panel.IN.read(move > 0);
}

void SerialPorts::ksoftserial(std::string_view s) {
    // «SoftwareSerial s;» names no pins and makes no port.
    if (!contains(s, '(') || !contains(s, ')')) return;
    const int count = in_.parse(s, '(', ')');
    // Copies: marking the pins parses again and overwrites the registers.
    std::string name = in_.eval_fn;
    const std::string rx = in_.varx[0];
    const std::string tx = in_.varx[1];
    if (count == 2) {
        for (const std::string* pin : {&rx, &tx}) {
            const std::string text = "(" + *pin + ",OUTPUT)";
            const std::string statement = "pinMode" + text;
            Match pm;
            pm.rest = text;
            pm.statement = statement;
            in_.pinio.kpinmode(pm);
        }
    }
    ++soft_serial;
    if (const size_t eq = name.find('='); eq != std::string::npos)
        name = std::string(dtrim(std::string_view(name).substr(0, eq)));
    if (name.empty()) return;
    in_.register_object(soft_serial == 1 ? softser_key : softser_key2, name + ".");
}

} // namespace quorvex
