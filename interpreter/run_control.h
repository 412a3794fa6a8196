#pragma once
// Plain state of the run controls that execution control drives.

#include <array>
#include <cstdint>
#include <string>

namespace quorvex {

// Stand-in for a port panel of the simulation window: whether it is shown and the text
// in its input box. The event entry reads the panel that Event_Panel names.
struct PortPanel {
    bool Visible = false;
    std::string input;
};

inline constexpr int32_t max_interrupts = 6; // external interrupts 0..5

} // namespace quorvex
