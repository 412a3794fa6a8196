// The Ethernet library on the port panels.
#include "simulation/ethernet.h"

#include <string>
#include <vector>

#include "interpreter/interpreter.h"
#include "simulation/library.h"

namespace quorvex {

namespace {

constexpr int32_t client_panel = 3;

} // namespace

int32_t Ethernet::kEthernet(const Match& m) {
    if ((in_.pre.library1 & LIB_ETHERNET) == 0) {
        in_.ShowMessage1("Sketch Error - <Ethernet.h> library must be included first!");
        return 0;
    }
    if (call_method(m.rest) == "begin") {
        in_.host().show_simulation_window();
        // The sketch's address arrays are read, as a board would, and shown nowhere.
        for (int k = 0; k < 6; ++k) in_.find_var("mac[" + std::to_string(k) + "]");
        for (int k = 0; k < 4; ++k) in_.find_var("ip[" + std::to_string(k) + "]");
    }
    return 0;
}

void Ethernet::kIPAddress(std::string_view s) {
    const std::string text(cut_statement(s));
    const std::string name = declared_object_name(in_, std::string_view(text).substr(0, text.find('(')), s);
    if (name.empty()) return;
    const std::vector<std::string> a = call_arguments(in_, text);
    if (a.size() != 4) return;
    const ArgumentErrors errors(in_);
    std::string array = "byte " + name + "[4] = {";
    for (size_t k = 0; k < a.size(); ++k) {
        if (k > 0) array += ',';
        array += std::to_string(in_.get_var(a[k]));
    }
    if (errors.raised()) return;
    array += "};";
    in_.decl.check_declarations(array);
}

void Ethernet::kEthernetServer(std::string_view s) {
    const std::string text(cut_statement(s));
    const std::string name = declared_object_name(in_, std::string_view(text).substr(0, text.find('(')), s);
    if (name.empty()) return;
    const std::vector<std::string> a = call_arguments(in_, text);
    if (a.size() != 1) return;
    const ArgumentErrors errors(in_);
    in_.get_var(a[0]); // the port, which nothing listens on
    if (errors.raised()) return;
    in_.register_object(server_key, name);
}

int32_t Ethernet::kEthServer(const Match& m) {
    if (declines_as_operand(in_, m.rest)) return 0;
    PortPanel& panel = in_.panels[m.panel];
    panel.Panel.Visible = true;
    panel.Panel.Caption = in_.tables.kobj_word[server_key];
    const std::string method = call_method(m.rest);
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    if (method == ".begin") return int_result(in_, 0);
    if (method == ".available") return int_result(in_, 1);
    if (method == ".print" || method == ".println" || method == ".write") {
        // A text is sent as text, a number as one character; println ends no line here.
        if (a.empty() || a[0].empty()) return int_result(in_, 0);
        const ArgumentErrors errors(in_);
        const Value v = in_.get_value(a[0]);
        if (errors.raised()) return int_result(in_, 0);
        if (v.type == n_string)
            panel.append_text(v.s);
        else
            panel.ListBox.append_char(v.i);
        panel.select_last();
        return int_result(in_, 0);
    }
    in_.ShowMessage1("Undefined Ethernet Server command => " + method);
    return int_result(in_, 0);
}

void Ethernet::kEthernetClient(std::string_view s) {
    const std::string text(s);
    const ArgumentErrors errors(in_);
    // «client = server.available();» names the client whatever the server answers: a name
    // holding the "= ..." would be an object no statement reaches.
    const size_t eq = find_outside_literals(text, "=");
    if (eq == std::string::npos && text.find(';') == std::string::npos) return;
    std::string_view written = cut_statement(text);
    if (eq != std::string::npos) {
        const std::string_view value = cut_statement(std::string_view(text).substr(eq + 1));
        if (!value.empty()) {
            in_.get_var(value);
            written = std::string_view(text).substr(0, eq);
        }
    }
    if (errors.raised()) return;
    const std::string name = declared_object_name(in_, written, s);
    if (name.empty()) return;
    in_.register_object(client_key, name);
    PortPanel& panel = in_.panels[client_panel];
    if (panel.Panel.Visible) return;
    panel.Panel.Visible = true;
    panel.Panel.Caption = name;
    panel.IN.set_text("Ethernet Client data");
    if (in_.panels.on_open) in_.panels.on_open(client_panel);
}

int32_t Ethernet::kEthClient(const Match& m) {
    if (declines_assignment(in_, m.rest) || declines_as_operand(in_, m.rest)) return 0;
    const std::string method = call_method(m.rest);
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    const std::string first = a.empty() ? std::string() : a[0];
    PortPanel& panel = in_.panels[m.panel];
    int32_t result = 0;
    if (method.empty() || method == ".begin" || method == ".stop" || method == ".connect") {
        result = 1;
    } else if (method == ".available" || method == ".connected") {
        result = panel.IN.empty() ? 0 : 1;
    } else if (method == ".read") {
        result = in_.serial.kserialin(panel, 1);
    } else if (method == ".println") {
        panel.println(first.empty() ? std::string() : printx(in_, first));
    } else if (method == ".print") {
        panel.print(printx(in_, first));
    } else if (method == ".write") {
        panel.write(in_.get_var(first));
    } else {
        in_.ShowMessage1("Undefined Ethernet Client command => " + method);
    }
    return int_result(in_, result);
}

} // namespace quorvex
