#pragma once
// The port registers DDRA..DDRL and PORTA..PORTL: which pin each bit of a port drives on
// the chosen board. A DDRx write sets the pins' modes, a PORTx write their levels.

#include <array>
#include <cstdint>
#include <string_view>

#include "simulation/board.h"

namespace quorvex {

// The Mega board's pin for each port bit, at the port's block offset plus the bit number;
// -1 where the bit has no pin. Offsets: D 0, B 8, A 16, E 24, F 32, G 40, H 48, C 60,
// J 80, L 88 (port K maps directly to pins 68..75).
// clang-format off
inline constexpr std::array<int32_t, 96> MegaPins = {
    21, 20, 19, 18, -1, -1, -1, 38,  // D
    53, 52, 51, 50, 10, 11, 12, 13,  // B
    29, 28, 27, 26, 25, 24, 23, 22,  // A
     0,  1, -1,  5,  2,  3, -1, -1,  // E
    60, 61, 62, 63, 64, 65, 66, 67,  // F
    41, 40, 39, -1, -1,  4, -1, -1,  // G
    17, 16, -1,  6,  7,  8,  9, -1,  // H
     1,  2,  3,  4, 37, 36, 35, 34,  // +4..+7: C bits 0..3
    33, 32, 31, 30, -1, -1, -1, -1,  // +0..+3: C bits 4..7
    -1, -1, -1, -1, -1, -1, -1, -1,
    15, 14, -1, -1, -1, -1, -1, -1,  // J
    49, 48, 47, 46, 45, 44, 43, 42,  // L
};
// clang-format on

// True when `name` could be a port register ("DDRx" or "PORTx"); a cheap first test that
// keeps ordinary names off the port path.
inline bool maybe_port_register(std::string_view name) {
    return (name.size() == 4 && name[0] == 'D' && name[1] == 'D' && name[2] == 'R') ||
           (name.size() == 5 && name[0] == 'P' && name[1] == 'O' && name[2] == 'R' && name[3] == 'T');
}

// Drives the pins of port register `name` with `val` (bit b drives the pin of bit b).
// Returns false, driving nothing, when `name` is no port register on this board; the
// register's variable, if one is declared, is stored by the caller either way.
bool drive_port_register(Board& board, std::string_view name, int32_t val);

} // namespace quorvex
