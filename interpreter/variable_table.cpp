#include "interpreter/variables.h"

#include <charconv>

#include "interpreter/text_routines.h"
#include "simulation/printing.h"

namespace quorvex {

namespace {
// The codes that ever hold entries, in lookup order.
constexpr std::array<int32_t, 8> live_codes = {1, 2, 3, 4, 5, 6, 7, n_define};
} // namespace

std::string value_text(const Value& v) {
    switch (v.type) {
    case n_string:
        return v.s;
    case n_char:
        return std::string(1, static_cast<char>(v.i));
    case n_float:
        return float_text(v.f);
    default: {
        char buf[16];
        const auto r = std::to_chars(buf, buf + sizeof buf, v.i);
        return std::string(buf, r.ptr);
    }
    }
}

int32_t VariableTable::find(int32_t t, std::string_view name) const {
    if (t < 1 || t > max_type) return 0;
    const auto& list = entries_[static_cast<size_t>(t)];
    const int32_t live = var_n[static_cast<size_t>(t)] - 1;
    for (int32_t j = 0; j < live; ++j)
        if (list[static_cast<size_t>(j)].name == name) return j + 1;
    return 0;
}

VariableTable::Ref VariableTable::lookup(std::string_view name, int32_t first, int32_t last) const {
    for (int32_t t : live_codes) {
        if (t < first || t > last) continue;
        if (const int32_t j = find(t, name); j > 0) return {t, j};
    }
    return {};
}

int32_t VariableTable::add(int32_t t, std::string name, int32_t flags) {
    if (!has_room(t)) return 0;
    const int32_t slot = var_n[static_cast<size_t>(t)];
    auto& list = entries_[static_cast<size_t>(t)];
    Entry fresh;
    fresh.name = std::move(name);
    fresh.flags = flags;
    if (list.size() < static_cast<size_t>(slot)) list.resize(static_cast<size_t>(slot));
    list[static_cast<size_t>(slot - 1)] = std::move(fresh); // a dead slot's old data never leaks in
    ++var_n[static_cast<size_t>(t)];
    return slot;
}

void VariableTable::clear() {
    var_n.fill(1);
    for (auto& list : entries_) list.clear();
}

} // namespace quorvex
