// The EEPROM library: integer cells written and read by address.
#include "simulation/eeprom.h"

#include <string>
#include <vector>

#include "interpreter/interpreter.h"
#include "simulation/library.h"

namespace quorvex {

std::optional<int32_t> Eeprom::get(int32_t addr) const {
    if (!in_range(addr)) return std::nullopt;
    return val_eeprom[static_cast<size_t>(addr)];
}

bool Eeprom::set(int32_t addr, int32_t value) {
    if (!in_range(addr)) return false;
    val_eeprom[static_cast<size_t>(addr)] = value;
    return true;
}

void Eeprom::out_of_range(int32_t addr) {
    in_.ShowMessage1("Sketch Error - EEPROM address " + std::to_string(addr) + " out of range 0.." +
                     std::to_string(max_address));
}

int32_t Eeprom::kEEPROM(const Match& m) {
    if (declines_as_operand(in_, m.rest)) return 0;
    if ((in_.pre.library1 & LIB_EEPROM) == 0) {
        in_.ShowMessage1("Sketch Error - <EEPROM.h> library must be included first!");
        return int_result(in_, 0);
    }
    const std::string method = call_method(m.rest);
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    const ArgumentErrors errors(in_);

    // update and put store as write does: dropping them would lose the sketch's data.
    if (method == "write" || method == "update" || method == "put") {
        if (a.size() < 2) {
            in_.ShowMessage1("Sketch Error - EEPROM." + method + " needs 2 arguments");
            return int_result(in_, 0);
        }
        // The value first, then the address.
        const int32_t value = in_.get_var(a[1]);
        const int32_t addr = in_.get_var(a[0]);
        if (errors.raised()) return int_result(in_, 0);
        if (!set(addr, value)) {
            out_of_range(addr);
            return int_result(in_, 0);
        }
        in_.host().eeprom_changed(addr);
        return int_result(in_, 0);
    }
    if (method == "length") {
        // The board's own EEPROM size, so the usual «addr == EEPROM.length()» wraps in time;
        // the cells beyond it stay reachable: the sketch may address up to max_address.
        return int_result(in_, in_.board.kind == BoardKind::Mega ? 4096 : 1024);
    }
    if (method == "read") {
        const int32_t addr = a.empty() ? 0 : in_.get_var(a[0]);
        if (errors.raised()) return int_result(in_, 0);
        const std::optional<int32_t> value = get(addr);
        if (!value) out_of_range(addr);
        return int_result(in_, value.value_or(0));
    }
    return int_result(in_, 0);
}

} // namespace quorvex
