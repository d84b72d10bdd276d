// Single-precision arithmetic that raises a run-time error instead of letting
// an infinity or a NaN reach the results model or the screen. Inexact results
// and underflow are accepted.
#ifndef TAMSOR_CHECKED_ARITHMETIC_H
#define TAMSOR_CHECKED_ARITHMETIC_H

#include <cstdint>

namespace tamsor {

float checked_add(float a, float b);
float checked_subtract(float a, float b);
float checked_multiply(float a, float b);
// Division by zero, 0/0 included (an invalid operation), and overflow raise errors.
float checked_divide(float a, float b);

// To the nearest 32-bit integer, halves to the even neighbour; overflow is an error.
std::int32_t round_to_long(float value);

}  // namespace tamsor

#endif
