#pragma once
// A family's methods by name, as the dispatch tables hold the families one level up: each family
// keeps one constant array of {method name, member} rows, looks the called name up once per call
// statement and takes its one path for a name that is no method. The arrays are small, so a
// linear search whose compares mostly stop at the length beats any map, and it never allocates.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <type_traits>
#include <utility>

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

// The row named `name` called on `owner` with `args`: its value (0 from a member that returns
// none), or nothing when no row has that name and nothing was called. The caller then reports
// the name in its own words, or stays silent. Inline, as find_method is: it runs once per call
// statement and costs less than a call of its own.
template <class Owner, class Member, size_t N, class... Args>
inline std::optional<int32_t> call_row(Owner& owner, const MethodRow<Member> (&rows)[N], std::string_view name,
                                       Args&&... args) {
    const Member member = find_method(rows, name);
    if (member == nullptr) return std::nullopt;
    if constexpr (std::is_void_v<decltype((owner.*member)(std::forward<Args>(args)...))>) {
        (owner.*member)(std::forward<Args>(args)...);
        return 0;
    } else {
        return (owner.*member)(std::forward<Args>(args)...);
    }
}

} // namespace quorvex
