// Number reading and checked arithmetic; see numbers.h for the contracts.
#include "platform/numbers.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "platform/runtime_error.h"

namespace platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Collects the longest prefix of `text` (blanks dropped) that forms a number and reports how
// many characters of `text` it used; strtod then does the exact decimal conversion.
std::string NumberPrefix(std::string_view text, size_t* used) {
    std::string out;
    size_t i = 0;
    auto skip = [&] { while (i < text.size() && IsBlank(text[i])) ++i; };
    skip();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) { out += text[i++]; skip(); }
    bool digits = false;
    while (i < text.size() && (IsDigit(text[i]) || IsBlank(text[i]))) {
        if (IsDigit(text[i])) { out += text[i]; digits = true; }
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        out += text[i++];
        while (i < text.size() && (IsDigit(text[i]) || IsBlank(text[i]))) {
            if (IsDigit(text[i])) { out += text[i]; digits = true; }
            ++i;
        }
    }
    if (!digits) { *used = 0; return {}; }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        std::string exp = "e";
        while (j < text.size() && IsBlank(text[j])) ++j;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exp += text[j++];
        bool expDigits = false;
        while (j < text.size() && (IsDigit(text[j]) || IsBlank(text[j]))) {
            if (IsDigit(text[j])) { exp += text[j]; expDigits = true; }
            ++j;
        }
        if (expDigits) { out += exp; i = j; }
    }
    while (i < text.size() && IsBlank(text[i])) ++i;
    *used = i;
    return out;
}

double Convert(const std::string& number) {
    // strtod reports out-of-range values as HUGE_VAL, which is what the callers want.
    return std::strtod(number.c_str(), nullptr);
}

template <class T>
T RoundInto(double value) {
    double r = RoundHalfEven(value);
    if (!(r >= static_cast<double>(std::numeric_limits<T>::min()) &&
          r <= static_cast<double>(std::numeric_limits<T>::max())))
        throw RuntimeError::Overflow();
    return static_cast<T>(r);
}

template <class T>
T Fit(int64_t v) {
    if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max()) throw RuntimeError::Overflow();
    return static_cast<T>(v);
}

}  // namespace

double LeadingNumber(std::string_view text) {
    size_t used = 0;
    std::string number = NumberPrefix(text, &used);
    return number.empty() ? 0.0 : Convert(number);
}

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    double floor = std::floor(value);
    double diff = value - floor;
    if (diff < 0.5) return floor;
    if (diff > 0.5) return floor + 1.0;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

int16_t ToInt16(double value) { return RoundInto<int16_t>(value); }
int32_t ToInt32(double value) { return RoundInto<int32_t>(value); }

std::optional<int16_t> ParseStoredInt16(std::string_view text) {
    size_t used = 0;
    std::string number = NumberPrefix(text, &used);
    if (number.empty() || used != text.size()) return std::nullopt;
    try {
        return ToInt16(Convert(number));
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

int16_t Add16(int32_t a, int32_t b) { return Fit<int16_t>(int64_t{a} + b); }
int16_t Sub16(int32_t a, int32_t b) { return Fit<int16_t>(int64_t{a} - b); }
int16_t Mul16(int32_t a, int32_t b) { return Fit<int16_t>(int64_t{a} * b); }

int32_t Add32(int64_t a, int64_t b) {
    if (a > INT32_MAX || a < INT32_MIN || b > INT32_MAX || b < INT32_MIN) throw RuntimeError::Overflow();
    return Fit<int32_t>(a + b);
}
int32_t Sub32(int64_t a, int64_t b) {
    if (a > INT32_MAX || a < INT32_MIN || b > INT32_MAX || b < INT32_MIN) throw RuntimeError::Overflow();
    return Fit<int32_t>(a - b);
}
int32_t Mul32(int64_t a, int64_t b) {
    if (a > INT32_MAX || a < INT32_MIN || b > INT32_MAX || b < INT32_MIN) throw RuntimeError::Overflow();
    return Fit<int32_t>(a * b);
}
int32_t Abs32(int32_t a) { return Fit<int32_t>(a < 0 ? -int64_t{a} : int64_t{a}); }

}  // namespace platform
