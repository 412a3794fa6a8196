#pragma once
// Ethernet without a network: the server's output on port panel 2, the client's traffic on
// panel 3 with its received data typed into that panel's box. Nothing is ever sent anywhere.

#include <cstdint>
#include <string_view>

#include "interpreter/dispatch_tables.h"

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
    Interpreter& in_;
};

} // namespace quorvex
