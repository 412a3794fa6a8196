#pragma once
// A family's methods by name, as the dispatch tables hold the families one level up: each family
// keeps one constant array of {method name, member} rows, looks the called name up once per call
// statement and takes its one path for a name that is no method. The arrays are small, so a
// linear search whose compares mostly stop at the length beats any map, and it never allocates.

#include <cstddef>
#include <string_view>

namespace quorvex {

template <class Member>
struct MethodRow {
    std::string_view name; // as the handler sees it: «print», or «.print» after a bare object name
    Member member;
};

// The member of the row named `name`, nullptr for none.
template <class Member, size_t N>
constexpr Member find_method(const MethodRow<Member> (&rows)[N], std::string_view name) {
    for (const MethodRow<Member>& row : rows)
        if (row.name == name) return row.member;
    return nullptr;
}

} // namespace quorvex
