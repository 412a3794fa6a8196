// The toolkit of the library families.
#include "simulation/library.h"

#include "interpreter/checked.h"

namespace quorvex {

std::vector<std::string> call_arguments(Interpreter&, std::string_view rest) {
    std::vector<std::string> out;
    const size_t open = rest.find('(');
    const size_t close = open == std::string_view::npos ? open : matching_bracket(rest, open);
    if (close == std::string_view::npos) return out;
    const std::string_view inside = rest.substr(open + 1, close - open - 1);
    if (dtrim(inside).empty()) return out;
    for (std::string_view arg : split_top_level(inside)) out.emplace_back(arg);
    return out;
}

std::string call_method(std::string_view rest) {
    const size_t open = rest.find('(');
    if (open != std::string_view::npos && matching_bracket(rest, open) == std::string_view::npos)
        throw EvalFault("unmatched bracket");
    return std::string(dtrim(open == std::string_view::npos ? cut_statement(rest) : rest.substr(0, open)));
}

bool declines_as_operand(Interpreter& in, std::string_view rest) {
    const size_t open = rest.find('(');
    const size_t close = open == std::string_view::npos ? open : matching_bracket(rest, open);
    if (close == std::string_view::npos || cut_statement(rest.substr(close + 1)).empty()) return false;
    in.keep_going = 1;
    return true;
}

bool declines_assignment(Interpreter& in, std::string_view rest) {
    if (find_top_level(rest, 0, BraceRule::nest, [](char c) { return c == '='; }) == std::string_view::npos)
        return false;
    in.keep_going = 1;
    return true;
}

bool is_object_name(std::string_view name) {
    if (!is_identifier(name)) return false;
    for (const DispatchRow& row : kcontrol)
        if (name == row.word) return false;
    for (const DeclRow& row : kident)
        if (name == row.word) return false;
    return true;
}

std::string declared_object_name(Interpreter& in, std::string_view name, std::string_view s) {
    name = dtrim(name);
    if (is_object_name(name)) return std::string(name);
    in.decl.bad_declaration(s, 0);
    return {};
}

std::string declared_call_name(Interpreter& in, std::string_view s) {
    s = dtrim(s);
    const size_t open = s.find('(');
    if (open == std::string_view::npos) return declared_object_name(in, cut_statement(s), s);
    if (matching_bracket(s, open) == std::string_view::npos) {
        in.decl.bad_declaration(s, 0);
        return {};
    }
    return declared_object_name(in, s.substr(0, open), s);
}

} // namespace quorvex
