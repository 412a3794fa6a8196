#pragma once
// The EEPROM: 4,097 integer cells that live for the whole program run, untouched by reset and
// by loading another sketch. The sketch reaches them through «EEPROM.»; the EEPROM window reads
// and edits them through get and set.

#include <array>
#include <cstdint>
#include <optional>

#include "interpreter/dispatch_tables.h"

namespace quorvex {

class Interpreter;

class Eeprom {
public:
    static constexpr int32_t max_address = 4096;

    explicit Eeprom(Interpreter& in) : in_(in) { val_eeprom.fill(255); }

    // «EEPROM.write(a, v)», «read», «update», «put», «length»; other methods are silent.
    int32_t kEEPROM(const Match& m);

    // Cell `addr`, or nothing outside 0..4096.
    std::optional<int32_t> get(int32_t addr) const;
    // Stores `value` in cell `addr`; false, and nothing stored, outside 0..4096.
    bool set(int32_t addr, int32_t value);

    // The full integer the sketch wrote, never reduced to a byte.
    std::array<int32_t, max_address + 1> val_eeprom{};

private:
    static bool in_range(int32_t addr) { return addr >= 0 && addr <= max_address; }
    void out_of_range(int32_t addr);
    Interpreter& in_;
};

} // namespace quorvex
