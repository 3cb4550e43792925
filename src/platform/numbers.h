// Number conversion and checked integer arithmetic shared by the battle rules, the settings
// and the command line. Integers have fixed widths (16-bit counts, 32-bit positions) and
// every overflow raises RuntimeError::Overflow instead of wrapping around.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

// The number a text begins with: blanks (space, tab, CR, LF) are ignored wherever they
// stand, a sign, decimal point and exponent are read, reading stops at the first character
// that cannot continue the number, and a text without a number gives 0. A value too large
// for a double comes back as +/- infinity, which every integer conversion rejects.
double LeadingNumber(std::string_view text);

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double RoundHalfEven(double value);

// Round halves-to-even into a fixed width; Overflow when the result does not fit (NaN too).
int16_t ToInt16(double value);
int32_t ToInt32(double value);

// Reads a stored whole value: the entire text (blanks around it allowed) must be one decimal
// number, which is rounded halves-to-even into 16 bits. Anything else gives nullopt, so a
// junk value can fall back to its default instead of failing.
std::optional<int16_t> ParseStoredInt16(std::string_view text);

int16_t Add16(int32_t a, int32_t b);
int16_t Sub16(int32_t a, int32_t b);
int16_t Mul16(int32_t a, int32_t b);
int32_t Add32(int64_t a, int64_t b);
int32_t Sub32(int64_t a, int64_t b);
int32_t Mul32(int64_t a, int64_t b);
int32_t Abs32(int32_t a);

// Array access that raises SubscriptOutOfRange instead of reading past the end.
template <class Container>
auto& At(Container& c, int64_t index);

}  // namespace platform

#include "platform/numbers_inl.h"
