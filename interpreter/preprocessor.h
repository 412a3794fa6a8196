#pragma once
// Directives: macros, conditional inclusion and #include.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvex {

class Interpreter;

// Library flags set by #include of a known header.
inline constexpr int32_t LIB_EEPROM = 1;
inline constexpr int32_t LIB_ETHERNET = 2;
inline constexpr int32_t LIB_FIRMATA = 4;
inline constexpr int32_t LIB_LCD = 8;
inline constexpr int32_t LIB_SD = 16;
inline constexpr int32_t LIB_SERVO = 32;
inline constexpr int32_t LIB_SOFTSERIAL = 64;
inline constexpr int32_t LIB_STEPPER = 128;
inline constexpr int32_t LIB_SPI = 256;
inline constexpr int32_t LIB_TIMER1 = 512;
inline constexpr int32_t LIB_WIRE = 1024;
inline constexpr int32_t LIB_TIME = 2048;
inline constexpr int32_t LIB_FC = 4096;

class Preprocessor {
public:
    explicit Preprocessor(Interpreter& in) : in_(in) {}

    void kinclude(std::string_view s);
    void khdefine(std::string_view s);
    void khifdef(std::string_view s);
    void khifndef(std::string_view s);
    void khif(std::string_view s);
    void khelse(std::string_view s);
    void khelif(std::string_view s);
    void khendif(std::string_view s);

    void reset();

    int32_t library1 = 0;
    int32_t hloop = 0;
    std::array<int32_t, 201> hif{};
    bool included = false;
    bool kinclude1 = false; // an include file's lines are being executed
    int32_t include_start = -1;
    int32_t include_end = -1;

private:
    Interpreter& in_;
};

} // namespace quorvex
