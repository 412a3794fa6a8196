// Directives: macros, conditional inclusion and #include.
#include "interpreter/preprocessor.h"

#include "interpreter/interpreter.h"

namespace quorvex {

void Preprocessor::kinclude(std::string_view) {}
void Preprocessor::khdefine(std::string_view) {}
void Preprocessor::khifdef(std::string_view) {}
void Preprocessor::khifndef(std::string_view) {}
void Preprocessor::khif(std::string_view) {}
void Preprocessor::khelse(std::string_view) {}
void Preprocessor::khelif(std::string_view) {}
void Preprocessor::khendif(std::string_view) {}

void Preprocessor::reset() {
    library1 = 0;
    hloop = 0;
}

} // namespace quorvex
