#pragma once
// String methods and the character tests.

#include <cstdint>

#include "interpreter/dispatch_tables.h"

namespace quorvex {

class Interpreter;

class Strings {
public:
    explicit Strings(Interpreter& in) : in_(in) {}

    // Handlers reached from the dispatch tables.
    int32_t kcheck(const Match& m);
    int32_t ktouppercase(const Match& m);
    int32_t ktolowercase(const Match& m);
    int32_t kcharAt(const Match& m);
    int32_t ksetcharAt(const Match& m);
    int32_t kstring(const Match& m);
    int32_t kconcat(const Match& m);
    int32_t kequalsignorecase(const Match& m);
    int32_t kequalsascii(const Match& m);
    int32_t kcompareto(const Match& m);
    int32_t kindexof(const Match& m);
    int32_t klastindexof(const Match& m);
    int32_t klength(const Match& m);
    int32_t ktrim(const Match& m);
    int32_t kreplace(const Match& m);
    int32_t kstartswith(const Match& m);
    int32_t kendswith(const Match& m);
    int32_t ksubstring(const Match& m);
    int32_t ktoint(const Match& m);
    int32_t kreserve(const Match& m);

    // Part of reset.
    void reset();

private:
    Interpreter& in_;
};

} // namespace quorvex
