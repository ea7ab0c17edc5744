#include "FloatText.h"
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {
using Wide = unsigned __int128;

constexpr uint64_t kPowersOfTen[20] = {1ull,
                                       10ull,
                                       100ull,
                                       1000ull,
                                       10000ull,
                                       100000ull,
                                       1000000ull,
                                       10000000ull,
                                       100000000ull,
                                       1000000000ull,
                                       10000000000ull,
                                       100000000000ull,
                                       1000000000000ull,
                                       10000000000000ull,
                                       100000000000000ull,
                                       1000000000000000ull,
                                       10000000000000000ull,
                                       100000000000000000ull,
                                       1000000000000000000ull,
                                       10000000000000000000ull};
constexpr uint32_t kLeast9 = 100000000;  // 10^8: the least nine-digit number
constexpr uint32_t kBeyond9 = 1000000000; // 10^9

// The magnitude of a finite non-zero float rounded to nine significant digits as printf
// rounds it (to nearest, ties to even), in whole-number arithmetic on its exact value:
// 10^8 <= digits < 10^9 and the value is digits * 10^(exponent - 8). False where the numbers
// would not fit 128 bits (magnitudes below 1e-11 or from 1e28), left to to_chars.
bool NineDigits(float value, uint32_t& digits, int& exponent) {
    const uint32_t bits = std::bit_cast<uint32_t>(value);
    const int biased = static_cast<int>(bits >> 23 & 0xff);
    const uint32_t fraction = bits & 0x7fffff;
    if (biased == 0xff || (biased == 0 && fraction == 0)) return false;
    // The value is mantissa * 2^binary.
    const uint64_t mantissa = biased == 0 ? fraction : fraction | 0x800000;
    const int binary = biased == 0 ? -149 : biased - 150;
    // The value lies in [2^top, 2^(top + 1)); top * log10(2) estimates its decimal exponent to
    // within one, and the quotient's size below tells which way to correct it.
    const int top = binary + 63 - std::countl_zero(mantissa);
    int decimal = top >= 0 ? top * 78913 >> 18 : -((-top * 78913 + (1 << 18) - 1) >> 18);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int scale = 8 - decimal; // digits = value * 10^scale, rounded
        if (scale > 19 || scale < -19 || (scale < 0 && binary < 0)) return false;
        if (scale >= 0 && scale <= 12 && binary < 0 && binary > -64) {
            // The common case of prices and volumes: mantissa * 10^12 still fits 64 bits.
            const uint64_t numerator = mantissa * kPowersOfTen[scale];
            const int shift = -binary;
            uint64_t quotient = numerator >> shift;
            if (quotient < kLeast9) {
                --decimal;
                continue;
            }
            if (quotient >= kBeyond9) {
                ++decimal;
                continue;
            }
            const uint64_t remainder = numerator & ((uint64_t{1} << shift) - 1);
            const uint64_t half = uint64_t{1} << (shift - 1);
            if (remainder > half || (remainder == half && (quotient & 1))) ++quotient;
            if (quotient == kBeyond9) {
                quotient = kLeast9;
                ++decimal;
            }
            digits = static_cast<uint32_t>(quotient);
            exponent = decimal;
            return true;
        }
        Wide numerator = mantissa;
        Wide denominator = 1;
        int shift = 0; // the denominator's power of two
        if (binary >= 0)
            numerator <<= binary; // below 2^128: the mantissa has 24 bits, binary at most 104
        else
            shift = -binary;
        if (scale >= 0)
            numerator *= kPowersOfTen[scale]; // then the value is below 10^9: binary at most 6
        else
            denominator = kPowersOfTen[-scale];
        Wide quotient, remainder;
        if (denominator == 1) {
            if (shift >= 127) return false;
            quotient = numerator >> shift;
            remainder = numerator & ((Wide{1} << shift) - 1);
            denominator = Wide{1} << shift;
        } else {
            // A value of at least 1e9 has no fraction bits: the power of two is in the numerator.
            quotient = numerator / denominator;
            remainder = numerator % denominator;
        }
        if (quotient < kLeast9) {
            --decimal;
            continue;
        }
        if (quotient >= kBeyond9) {
            ++decimal;
            continue;
        }
        const Wide twice = remainder * 2;
        if (twice > denominator || (twice == denominator && (quotient & 1))) ++quotient;
        if (quotient == kBeyond9) {
            quotient = kLeast9;
            ++decimal;
        }
        digits = static_cast<uint32_t>(quotient);
        exponent = decimal;
        return true;
    }
    return false;
}

// "%.9g" of a value with those nine digits: fixed from 1e-4 up to below 1e9, otherwise
// d.dddddddde+XX; trailing zeros of the fraction and a bare point dropped.
char* WriteGeneral(char* out, bool negative, uint32_t digits, int exponent) {
    char d[9];
    for (int i = 8; i >= 0; --i) {
        d[i] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    int last = 8;
    while (last > 0 && d[last] == '0') --last;
    if (negative) *out++ = '-';
    if (exponent >= -4 && exponent < 9) {
        if (exponent >= 0) {
            std::memcpy(out, d, static_cast<size_t>(exponent) + 1);
            out += exponent + 1;
            if (last > exponent) {
                *out++ = '.';
                std::memcpy(out, d + exponent + 1, static_cast<size_t>(last - exponent));
                out += last - exponent;
            }
        } else {
            *out++ = '0';
            *out++ = '.';
            for (int zero = 0; zero < -exponent - 1; ++zero) *out++ = '0';
            std::memcpy(out, d, static_cast<size_t>(last) + 1);
            out += last + 1;
        }
        return out;
    }
    *out++ = d[0];
    if (last > 0) {
        *out++ = '.';
        std::memcpy(out, d + 1, static_cast<size_t>(last));
        out += last;
    }
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) *out++ = '0';
    return std::to_chars(out, out + 4, magnitude).ptr;
}
} // namespace

char* AppendGeneral9(char* out, float value) {
    if (std::isnan(value)) {
        // to_chars has no sign for NaN on every library; printf writes the sign bit.
        const char* text = std::signbit(value) ? "-nan" : "nan";
        const std::size_t length = std::strlen(text);
        std::memcpy(out, text, length);
        return out + length;
    }
    uint32_t digits = 0;
    int exponent = 0;
    if (NineDigits(value, digits, exponent))
        return WriteGeneral(out, std::signbit(value), digits, exponent);
    // Zero, infinity and the far ends of the range: to_chars is specified to give printf's
    // text, and printf receives the float as a double.
    return std::to_chars(out, out + kGeneral9Room, static_cast<double>(value),
                         std::chars_format::general, 9)
        .ptr;
}

void AppendGeneral9(std::string& out, float value) {
    char text[kGeneral9Room];
    out.append(text, AppendGeneral9(text, value));
}

std::string FormatGeneral9(float value) {
    std::string text;
    AppendGeneral9(text, value);
    return text;
}
