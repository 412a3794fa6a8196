#pragma once
// Everything a reset owns, as one comparable text: two resets of the same sketch must give
// the same text whatever ran in between. Without `values` only the shape is compared (names,
// counts, depth, objects, subroutines, colours): random numbers and consumed serial input
// rightly survive a reset, so a global initialised from them may differ.

#include <string>

#include "interpreter/interpreter.h"

namespace quorvex::test {

inline std::string state_snapshot(const Interpreter& in, bool values = true) {
    std::string s = std::to_string(in.Line) + "|" + std::to_string(in.cs.loopx) + "|" + std::to_string(in.us) + "|" +
                    std::to_string(in.subs.srx()) + "|" + std::to_string(in.pre.library1) + "|" + in.Event + "|";
    for (int32_t t = 1; t <= max_type; ++t) {
        s += std::to_string(in.vars.var_n[static_cast<size_t>(t)]) + ",";
        for (int32_t j = 1; j < in.vars.var_n[static_cast<size_t>(t)]; ++j) {
            const Entry& e = in.vars.at(t, j);
            s += e.name + "/" + std::to_string(e.flags);
            if (values) s += "=" + std::to_string(e.ival) + "/" + e.sval + "/" + e.def;
            s += ";";
        }
    }
    for (size_t k = 1; k < in.tables.kobj_word.size(); ++k)
        s += in.tables.kobj_word[k] + (in.tables.kobj_live[k] ? "+" : "-");
    for (const Subroutine& r : in.subs.rows())
        s += r.name + ":" + std::to_string(r.header_line) + "-" + std::to_string(r.close_line) + ";";
    for (LineColour c : in.f_color) s += std::to_string(static_cast<int>(c));
    return s;
}

} // namespace quorvex::test
