// The Ethernet library on the port panels.
#include "simulation/ethernet.h"

#include <optional>
#include <string>
#include <vector>

#include "interpreter/interpreter.h"
#include "simulation/library.h"

namespace quorvex {

namespace {

constexpr int32_t client_panel = 3;

} // namespace

const MethodRow<Ethernet::Method> Ethernet::ethernet_methods[] = {
    {"begin", &Ethernet::kbegin},
};

const MethodRow<Ethernet::Method> Ethernet::server_methods[] = {
    {".begin", &Ethernet::klisten}, {".available", &Ethernet::kclient_waiting},
    {".print", &Ethernet::ksend},   {".println", &Ethernet::ksend},
    {".write", &Ethernet::ksend},
};

const MethodRow<Ethernet::Method> Ethernet::client_methods[] = {
    {"", &Ethernet::kready},         {".begin", &Ethernet::kready},        {".stop", &Ethernet::kready},
    {".connect", &Ethernet::kready}, {".available", &Ethernet::kreceived}, {".connected", &Ethernet::kreceived},
    {".read", &Ethernet::kread},     {".println", &Ethernet::kprintln},    {".print", &Ethernet::kprint},
    {".write", &Ethernet::kwrite},
};

// Any other method of Ethernet itself does nothing, and says nothing.
int32_t Ethernet::kEthernet(const Match& m) {
    if ((in_.pre.library1 & LIB_ETHERNET) == 0) {
        in_.ShowMessage1("Sketch Error - <Ethernet.h> library must be included first!");
        return 0;
    }
    call_row(*this, ethernet_methods, call_method(m.rest), m);
    return 0;
}

int32_t Ethernet::kbegin(const Match&) {
    in_.host().show_simulation_window();
    // The sketch's address arrays are read, as a board would, and shown nowhere.
    for (int k = 0; k < 6; ++k) in_.find_var("mac[" + std::to_string(k) + "]");
    for (int k = 0; k < 4; ++k) in_.find_var("ip[" + std::to_string(k) + "]");
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
    if (const std::optional<int32_t> value = call_row(*this, server_methods, method, m)) return *value;
    in_.ShowMessage1("Undefined Ethernet Server command => " + method);
    return int_result(in_, 0);
}

int32_t Ethernet::klisten(const Match&) { return int_result(in_, 0); }
int32_t Ethernet::kclient_waiting(const Match&) { return int_result(in_, 1); }

// print, println and write: a text is sent as text, a number as one character; println ends
// no line here.
int32_t Ethernet::ksend(const Match& m) {
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    const std::string_view text = argument(a, 0);
    if (text.empty()) return int_result(in_, 0);
    const ArgumentErrors errors(in_);
    const Value v = in_.get_value(text);
    if (errors.raised()) return int_result(in_, 0);
    PortPanel& panel = in_.panels[m.panel];
    if (v.type == n_string)
        panel.append_text(v.s);
    else
        panel.ListBox.append_char(v.i);
    panel.select_last();
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
    if (const std::optional<int32_t> value = call_row(*this, client_methods, method, m)) return *value;
    in_.ShowMessage1("Undefined Ethernet Client command => " + method);
    return int_result(in_, 0);
}

int32_t Ethernet::kready(const Match&) { return int_result(in_, 1); }
int32_t Ethernet::kreceived(const Match& m) { return int_result(in_, in_.panels[m.panel].IN.empty() ? 0 : 1); }
int32_t Ethernet::kread(const Match& m) { return int_result(in_, in_.serial.kserialin(in_.panels[m.panel], 1)); }

int32_t Ethernet::kprintln(const Match& m) {
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    const std::string_view first = argument(a, 0);
    in_.panels[m.panel].println(first.empty() ? std::string() : printx(in_, first));
    return int_result(in_, 0);
}

int32_t Ethernet::kprint(const Match& m) {
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    const std::string_view first = argument(a, 0);
    in_.panels[m.panel].print(printx(in_, first));
    return int_result(in_, 0);
}

int32_t Ethernet::kwrite(const Match& m) {
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    const std::string_view first = argument(a, 0);
    in_.panels[m.panel].write(in_.get_var(first));
    return int_result(in_, 0);
}

} // namespace quorvex
