// The operator search that the readers and the operator handlers split texts with: whole
// tokens only, at bracket depth 0, never inside string or char literals.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "interpreter/literals.h"

namespace quorvex::test {
namespace {

constexpr size_t none = std::string_view::npos;

struct Case {
    const char* s;
    const char* op;
    size_t at;
    size_t from = 0;
};

void check(const std::vector<Case>& cases) {
    for (const Case& c : cases) EXPECT_EQ(find_operator(c.s, c.op, c.from), c.at) << "«" << c.s << "» " << c.op;
}

TEST(FindOperator, MatchesWholeTokensOnly) {
    check({
        {"a = b", "=", 2},       {"a == b", "=", none},  {"a == b", "==", 2},
        {"a <= b", "=", none},   {"a <= b", "<", none},  {"a <= b", "<=", 2},
        {"a >= b", ">", none},   {"x != y", "=", none},  {"x != y", "!", none},
        {"!x", "!", 0},          {"a << 2", "<", none},  {"a << 2", "<<", 2},
        {"a <<= 2", "<<", none}, {"a <<= 2", "=", none}, {"a <<= 2", "<<=", 2},
        {"a >>= 2", ">>=", 2},   {"a && b", "&", none},  {"a & b", "&", 2},
        {"a || b", "|", none},   {"a += 1", "+", none},  {"a += 1", "=", none},
        {"a ^= 1", "^", none},   {"i++", "+", none},     {"i++", "++", 1},
        {"a+++b", "+", 3}, // lexed as a ++ + b
        {"a - -1", "-", 2},      {"p->x > 1", ">", 5},   {"p->x - 1", "-", 5},
        {"f(a, b), c", ",", 7},  {"a ? b : c", ":", 6},  {"Foo::bar ? 1 : 2", ":", 13},
        {"a.b", ".", 1},
    });
}

TEST(FindOperator, OnlyAtBracketDepthZero) {
    check({
        {"(a = b)", "=", none},
        {"f(a = b) = c", "=", 9},
        {"arr[i = 1] = 2", "=", 11},
        {"((a)) + b", "+", 6},
        {"(a + (b)) * c", "+", none},
        {"(a + (b)) * c", "*", 10},
        {"a[(1 + 2)] - b", "-", 11},
        {"a) = (b", "=", 3}, // a stray ")" does not hide what follows
        {"(a = b", "=", none},
    });
}

TEST(FindOperator, SkipsStringAndCharLiterals) {
    check({
        {"\"a = b\" = c", "=", 8},
        {"'=' == c", "==", 4},
        {"'=' == c", "=", none},
        {"'\\'' + 1", "+", 5},
        {"\"a\\\"=\" = 1", "=", 7},
        {"\"(\" + x", "+", 4}, // a bracket inside quotes opens nothing
        {"'[' + x", "+", 4},
        {"\"a = b", "=", none}, // an unclosed literal runs to the end
        {"'a = b", "=", none},
    });
}

TEST(FindOperator, NumbersKeepTheirSignsAndPoints) {
    check({
        {"1.5e-3 - x", "-", 7},
        {"x = 1e+5", "+", none},
        {"x = 2.5E-1", "-", none},
        {"0x1e-5", "-", 4}, // no decimal exponent in a hex number
        {"3.75", ".", none},
        {"x = .5", ".", none},
        {"value-5", "-", 5}, // an "e" inside a name is no exponent
    });
}

TEST(FindOperator, StartsAtFromAndHandlesEmptyTexts) {
    check({
        {"a = b = c", "=", 2},
        {"a = b = c", "=", 6, 3},
        {"a = b = c", "=", none, 7},
        {"a = b", "=", none, 99},
        {"", "=", none},
        {"a = b", "", none},
        {"a b c", "+", none},
    });
}

TEST(FindOperator, TokenisesTheWholeTextLeftToRight) {
    struct Case {
        const char* s;
        std::vector<std::string> tokens;
    } cases[] = {
        {"a<<=b>>c->d!=e", {"<<=", ">>", "->", "!="}},
        {"x=-1", {"="}},           // a sign is no operator
        {"i++ - -j", {"++", "-"}}, // a postfix step leaves an operand before the "-"
        {"-a*(-b)", {"*"}},
        {"a&&!b||~c", {"&&", "!", "||", "~"}},
        {"f(x+1)*g[y-1]/2", {"*", "/"}},
        {"s == \"<>\" && c != '!'", {"==", "&&", "!="}},
        {"#include <x.h>", {"<", ".", ">"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> seen;
        const size_t at = find_operator_if(c.s, [&](std::string_view token) {
            seen.emplace_back(token);
            return false;
        });
        EXPECT_EQ(at, none);
        EXPECT_EQ(seen, c.tokens) << c.s;
    }
    // The predicate decides: the first depth-0 token holding a comparison character.
    const std::string_view s = "(a < b) + c >= d";
    EXPECT_EQ(find_operator_if(s, [](std::string_view t) { return t.find_first_of("<>") != std::string_view::npos; }),
              12u);
}

TEST(FindOperator, SignsAreNoSplitPoints) {
    check({
        {"5 - -3", "-", 2},
        {"-5", "-", none},
        {"+5", "+", none},
        {"(-5)", "-", none},
        {"- a - b", "-", 4},
        {"a * -b", "-", none},
        {"a = -b", "-", none},
        {"a[-1] - b", "-", 6},
        {"f(x) - 1", "-", 5},
        {"'a' - 1", "-", 4},
        {"\"s\" + 1", "+", 4},
        {"x++ - 1", "-", 4}, // postfix: an operand stands before the "-"
        {"--x - 1", "-", 4}, // prefix: the operand follows it
        {"-a + -b", "+", 3},
        {"a - --b", "-", 2},
        {"1e-3 - -1e-3", "-", 5},
    });
}

TEST(FindOperator, FirstOrLastOccurrence) {
    struct Case {
        const char* s;
        const char* op;
        size_t first;
        size_t last;
    } cases[] = {
        {"a - b - c", "-", 2, 6},         {"a + (b + c)", "+", 2, 2},     {"x += y += 1", "+=", 2, 7},
        {"a - -b - -c", "-", 2, 7},       {"\"-\" - x - '-'", "-", 4, 8}, {"a[i - 1] - b[j - 1]", "-", 9, 9},
        {"x = {1 - 2} - 3", "-", 12, 12}, // braces of an initialiser hold their own operators
        {"a - b", "+", none, none},       {"\"a - b", "-", none, none}, // an unclosed quote runs to the end
        {"'-", "-", none, none},          {"", "-", none, none},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(find_operator(c.s, c.op, Occurrence::first), c.first) << "«" << c.s << "»";
        EXPECT_EQ(find_operator(c.s, c.op, Occurrence::last), c.last) << "«" << c.s << "»";
    }
}

TEST(FindOperator, EscapesInsideLiterals) {
    check({
        {"'\\\\' + 1", "+", 5},    // '\\' is one backslash
        {"\"a\\\\\" + 1", "+", 6}, // "a\\" ends at its second quote
        {"\"\\\"+\" + 1", "+", 6}, // an escaped quote does not end the literal
        {"'\\'' + 1", "+", 5},     // '\'' is the quote character
        {"'\\' + 1", "+", none},   // '\' + 1 never closes: the rest is inside the literal
        {"{a = b} = c", "=", 8},
        {"x = {1, 2}", ",", none},
    });
}

TEST(FindOperator, OperatorLengthAgreesWithTheCOperatorSet) {
    // Every text of up to three characters over the operator alphabet, against longest match.
    const std::vector<std::string_view> set = {"<<=", ">>=", "<<", ">>", "<=", ">=", "==", "!=", "&&", "||",
                                               "++",  "--",  "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^=",
                                               "->",  "::",  "+",  "-",  "*",  "/",  "%",  "=",  "<",  ">",
                                               "!",   "~",   "&",  "|",  "^",  "?",  ":",  ",",  "."};
    const std::string alphabet = "<>=!&|+-*/%^~?:,.a(";
    for (char a : alphabet)
        for (char b : alphabet)
            for (char c : alphabet) {
                for (const std::string& text : {std::string{a}, std::string{a, b}, std::string{a, b, c}}) {
                    size_t longest = 0;
                    for (std::string_view op : set)
                        if (std::string_view(text).starts_with(op) && op.size() > longest) longest = op.size();
                    ASSERT_EQ(operator_length(text, 0), longest) << "«" << text << "»";
                }
            }
}

TEST(FindOperator, OperatorLengthTakesTheLongestMatch) {
    EXPECT_EQ(operator_length("<<=1", 0), 3u);
    EXPECT_EQ(operator_length("<<1", 0), 2u);
    EXPECT_EQ(operator_length("<1", 0), 1u);
    EXPECT_EQ(operator_length("a->b", 1), 2u);
    EXPECT_EQ(operator_length("a", 0), 0u);
    EXPECT_EQ(operator_length("(", 0), 0u);
    EXPECT_EQ(operator_length("+", 5), 0u); // past the end
    EXPECT_EQ(word_length("count+1", 0), 5u);
    EXPECT_EQ(word_length("1.5e-3*x", 0), 6u);
    EXPECT_EQ(word_length(".5+x", 0), 2u);
    EXPECT_EQ(word_length("+x", 0), 0u);
}

} // namespace
} // namespace quorvex::test
