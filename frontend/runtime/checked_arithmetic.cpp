#include "checked_arithmetic.h"

#include <cmath>

#include "runtime_error.h"

namespace tamsor {
namespace {

float finite_or_error(float result, const char* operation) {
    if (!std::isfinite(result))
        throw RuntimeError(RuntimeErrorKind::kOverflow, std::string("overflow in ") + operation);
    return result;
}

}  // namespace

float checked_add(float a, float b) {
    return finite_or_error(a + b, "addition");
}

float checked_subtract(float a, float b) {
    return finite_or_error(a - b, "subtraction");
}

float checked_multiply(float a, float b) {
    return finite_or_error(a * b, "multiplication");
}

float checked_divide(float a, float b) {
    if (b == 0) {
        if (a == 0 || std::isnan(a))
            throw RuntimeError(RuntimeErrorKind::kOverflow, "invalid division 0 / 0");
        throw RuntimeError(RuntimeErrorKind::kDivisionByZero, "division by zero");
    }
    return finite_or_error(a / b, "division");
}

std::int32_t round_to_long(float value) {
    const double rounded = std::nearbyint(static_cast<double>(value));  // halves to even
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
        throw RuntimeError(RuntimeErrorKind::kOverflow, "overflow rounding to an integer");
    return static_cast<std::int32_t>(rounded);
}

}  // namespace tamsor
