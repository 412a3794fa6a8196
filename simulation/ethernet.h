#pragma once
// Ethernet without a network: the server's output on port panel 2, the client's traffic on
// panel 3 with its received data typed into that panel's box. Nothing is ever sent anywhere.

#include <cstdint>
#include <string>
#include <string_view>

#include "interpreter/dispatch_tables.h"
#include "simulation/method_table.h"

namespace quorvex {

class Interpreter;

class Ethernet {
public:
    explicit Ethernet(Interpreter& in) : in_(in) {}

    // «Ethernet.begin(mac, ip)»: its value is dropped.
    int32_t kEthernet(const Match& m);
    // The methods of the registered server and client objects.
    int32_t kEthServer(const Match& m);
    int32_t kEthClient(const Match& m);

    // Declarations: «IPAddress ip(10, 0, 0, 1);», «EthernetServer server(80);»,
    // «EthernetClient client = server.available();».
    void kIPAddress(std::string_view s);
    void kEthernetServer(std::string_view s);
    void kEthernetClient(std::string_view s);

private:
    using Method = int32_t (Ethernet::*)(const Match&);
    static const MethodRow<Method> ethernet_methods[];
    static const MethodRow<Method> server_methods[];
    static const MethodRow<Method> client_methods[];

    // The methods: each sets the call's value and returns its integer side.
    int32_t kbegin(const Match& m); // Ethernet's: the window shown, the addresses read
    int32_t klisten(const Match& m);
    int32_t kclient_waiting(const Match& m);
    int32_t ksend(const Match& m);
    int32_t kready(const Match& m); // 1: the client is there
    int32_t kreceived(const Match& m);
    int32_t kread(const Match& m);
    int32_t kprintln(const Match& m);
    int32_t kprint(const Match& m);
    int32_t kwrite(const Match& m);

    Interpreter& in_;
};

} // namespace quorvex
