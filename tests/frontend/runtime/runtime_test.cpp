#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "runtime/cell_text.h"
#include "runtime/checked_arithmetic.h"
#include "runtime/checked_array.h"
#include "runtime/runtime_error.h"

namespace {

using tamsor::RuntimeError;
using tamsor::RuntimeErrorKind;

RuntimeErrorKind error_of(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const RuntimeError& error) {
        return error.kind();
    }
    ADD_FAILURE() << "no run-time error";
    return RuntimeErrorKind::kControlFailure;
}

TEST(CellText, WritesIntegersAndRealsAsTheResultsTableShowsThem) {
    EXPECT_EQ(tamsor::cell_text(std::int64_t{12}), " 12");
    EXPECT_EQ(tamsor::cell_text(std::int64_t{0}), " 0");
    EXPECT_EQ(tamsor::cell_text(std::int64_t{-3}), "-3");
    EXPECT_EQ(tamsor::cell_text(1234.5f), " 1234.5");
    EXPECT_EQ(tamsor::cell_text(0.5f), " .5");
    EXPECT_EQ(tamsor::cell_text(-0.5f), "-.5");
    EXPECT_EQ(tamsor::cell_text(3.0f), " 3");
    EXPECT_EQ(tamsor::cell_text(1500.0f), " 1500");
    EXPECT_EQ(tamsor::cell_text(0.0f), " 0");
    EXPECT_EQ(tamsor::cell_text(109.09f), " 109.09");
    EXPECT_EQ(tamsor::cell_text(1234567.0f), " 1234567");
    EXPECT_EQ(tamsor::cell_text(0.000012f), " .000012");
    // Seven significant digits: 2750 / 11 = 250 exactly, 1000 / 3 is cut.
    EXPECT_EQ(tamsor::cell_text(1000.0f / 3.0f), " 333.3333");
    EXPECT_EQ(tamsor::cell_text(99999.99609375f), " 100000");
    // Beyond seven digits or very small: exponent form.
    EXPECT_EQ(tamsor::cell_text(12345678.0f), " 1.234568E+07");
    EXPECT_EQ(tamsor::cell_text(10000000.0f), " 1E+07");
    EXPECT_EQ(tamsor::cell_text(-0.000001f), "-1E-06");
}

TEST(CheckedArithmetic, RaisesAnErrorInsteadOfAnInfinityOrNaN) {
    EXPECT_EQ(tamsor::checked_divide(1, 8), 0.125f);
    EXPECT_EQ(tamsor::checked_add(0.25f, 0.5f), 0.75f);
    EXPECT_EQ(tamsor::checked_divide(1e-30f, 1e30f), 0.0f);  // underflow is accepted
    EXPECT_EQ(error_of([] { tamsor::checked_divide(5, 0); }), RuntimeErrorKind::kDivisionByZero);
    EXPECT_EQ(error_of([] { tamsor::checked_divide(0, 0); }), RuntimeErrorKind::kOverflow);
    EXPECT_EQ(error_of([] { tamsor::checked_divide(3e38f, 1e-3f); }), RuntimeErrorKind::kOverflow);
    EXPECT_EQ(error_of([] { tamsor::checked_multiply(3e38f, 10); }), RuntimeErrorKind::kOverflow);
    EXPECT_EQ(error_of([] { tamsor::checked_add(3e38f, 3e38f); }), RuntimeErrorKind::kOverflow);
    EXPECT_EQ(error_of([] { tamsor::checked_subtract(-3e38f, 3e38f); }),
              RuntimeErrorKind::kOverflow);
    const float infinity = std::numeric_limits<float>::infinity();
    EXPECT_EQ(error_of([&] { tamsor::checked_multiply(infinity, 0); }),
              RuntimeErrorKind::kOverflow);
}

TEST(CheckedArithmetic, RoundsHalvesToTheEvenInteger) {
    EXPECT_EQ(tamsor::round_to_long(2.5f), 2);
    EXPECT_EQ(tamsor::round_to_long(3.5f), 4);
    EXPECT_EQ(tamsor::round_to_long(-2.5f), -2);
    EXPECT_EQ(tamsor::round_to_long(7.4999995f), 7);
    EXPECT_EQ(tamsor::round_to_long(12.0f), 12);
    EXPECT_EQ(error_of([] { tamsor::round_to_long(3e9f); }), RuntimeErrorKind::kOverflow);
}

TEST(CheckedArray, RaisesAnErrorOutsideItsBounds) {
    tamsor::CheckedArray<float, 9> values;
    values(8) = 2.5f;
    EXPECT_EQ(values(8), 2.5f);
    EXPECT_EQ(values(0), 0.0f);  // starts zeroed
    EXPECT_EQ(error_of([&] { values(9); }), RuntimeErrorKind::kSubscriptOutOfRange);
    EXPECT_EQ(error_of([&] { values(-1); }), RuntimeErrorKind::kSubscriptOutOfRange);
    tamsor::CheckedMatrix<float, 9, 9> table;
    table(8, 8) = 1;
    EXPECT_EQ(error_of([&] { table(0, 9); }), RuntimeErrorKind::kSubscriptOutOfRange);
    EXPECT_EQ(error_of([&] { table(9, 0); }), RuntimeErrorKind::kSubscriptOutOfRange);
}

}  // namespace
