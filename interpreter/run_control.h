#pragma once
// Plain state of the run controls that execution control drives.

#include <array>
#include <cstdint>
#include <string>

namespace quorvex {

inline constexpr int32_t max_interrupts = 6; // external interrupts 0..5

} // namespace quorvex
