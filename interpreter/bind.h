#pragma once
// One idiom binds every table row to its handler: BIND(member, method) names a member object of
// Interpreter and one of its methods, as in BIND(pinio, kdigwrite). It serves the dispatch tables
// (dispatch_tables.cpp) and the declaration tables (declarations.cpp) alike. The method takes
// what its row hands over, the first of these forms that fits:
//   (const Match& m)                               a library handler: the match and its text
//   (std::string_view rest, std::string_view op, const OperatorSplit* split)
//                                                  an operator: the statement, the operator and
//                                                  where it stands (Match::split)
//   (std::string_view rest, const OperatorSplit* split)
//                                                  an operator that knows its word, likewise
//   (std::string_view rest, std::string_view op)   an operator that splits the statement itself
//   (std::string_view rest, int32_t code)          a declaration word: the text after it, its type code
//   (std::string_view rest)                        a control word, directive or qualifier
// An int32_t result is the row's value; a void method gives 0.

#include <cstdint>
#include <string_view>
#include <type_traits>

#include "interpreter/declarations.h"
#include "interpreter/dispatch_tables.h"

namespace quorvex {

template <auto Member, auto Method>
struct BoundRow {
    template <class... Args>
    static int32_t call(Interpreter& in, Args... args) {
        auto& object = in.*Member;
        if constexpr (std::is_void_v<decltype((object.*Method)(args...))>) {
            (object.*Method)(args...);
            return 0;
        } else {
            return (object.*Method)(args...);
        }
    }
    template <class... Args>
    static constexpr bool takes =
        std::is_invocable_v<decltype(Method), decltype(std::declval<Interpreter&>().*Member), Args...>;

    static int32_t on_match(Interpreter& in, const Match& m) {
        if constexpr (takes<const Match&>)
            return call<const Match&>(in, m);
        else if constexpr (takes<std::string_view, std::string_view, const OperatorSplit*>)
            return call(in, m.rest, m.op, m.split);
        else if constexpr (takes<std::string_view, const OperatorSplit*>)
            return call(in, m.rest, m.split);
        else if constexpr (takes<std::string_view, std::string_view>)
            return call(in, m.rest, m.op);
        else
            return call(in, m.rest);
    }
    static int32_t on_words(Interpreter& in, std::string_view rest, int32_t code) {
        if constexpr (takes<std::string_view, int32_t>)
            return call(in, rest, code);
        else
            return call(in, rest);
    }
    constexpr operator Handler() const { return &on_match; }
    constexpr operator DeclHandler() const { return &on_words; }
};

#define BIND(member, method) (::quorvex::BoundRow<&Interpreter::member, &decltype(Interpreter::member)::method>{})

} // namespace quorvex
