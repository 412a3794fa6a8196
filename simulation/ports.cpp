#include "simulation/ports.h"

#include <array>
#include <string>

namespace quorvex {

namespace {

// How one port's bits map to pins: `count` bits, bit b on pin `base` + b when `direct`,
// else on MegaPins[`base` + b].
struct PortMap {
    char letter;
    int32_t base;
    int32_t count;
    bool direct;
};

// A board with at most 13 digital pins has ports B, C and D only, whichever board menu item
// is ticked, so an Other board that kept those limits drives the same pins.
constexpr std::array<PortMap, 3> small_ports = {{{'B', 8, 6, true}, {'C', 60, 6, true}, {'D', 0, 8, true}}};
constexpr std::array<PortMap, 11> large_ports = {{{'A', 16, 8, false},
                                                  {'B', 8, 8, false},
                                                  {'C', 60, 8, false},
                                                  {'D', 0, 8, false},
                                                  {'E', 24, 8, false},
                                                  {'F', 32, 8, false},
                                                  {'G', 40, 8, false},
                                                  {'H', 48, 8, false},
                                                  {'J', 80, 8, false},
                                                  {'K', 68, 8, true},
                                                  {'L', 88, 8, false}}};

// The map of port `letter` on a board with `maxPin`, null when the port has no pins there.
const PortMap* port_map(char letter, int32_t maxPin) {
    const auto find = [letter](const auto& ports) -> const PortMap* {
        for (const PortMap& p : ports)
            if (p.letter == letter) return &p;
        return nullptr;
    };
    return maxPin <= 13 ? find(small_ports) : find(large_ports);
}

} // namespace

bool drive_port_register(Board& board, std::string_view name, int32_t val) {
    if (!maybe_port_register(name)) return false;
    const bool ddr = name[0] == 'D';
    const char letter = name.back();
    const PortMap* map = port_map(letter, board.maxPin);
    if (map == nullptr) return false;
    for (int32_t b = 0; b < map->count; ++b) {
        const int32_t pin = map->direct ? map->base + b : MegaPins[static_cast<size_t>(map->base + b)];
        if (pin < 0) continue; // this bit has no pin
        const int32_t mask = bits[static_cast<size_t>(b)];
        if (ddr) {
            const char label[] = {'P', letter, static_cast<char>('0' + b)};
            board.set_output(pin, (val & mask) / mask, std::string(label, sizeof label));
        } else {
            board.output_on(pin, (val & mask) > 0);
        }
    }
    return true;
}

} // namespace quorvex
