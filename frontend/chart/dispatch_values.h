// Reading the value of a property assignment as the type the property
// takes. Each reader throws RuntimeError (kControlFailure) when the value
// has another type or does not fit.
#ifndef TAMSOR_DISPATCH_VALUES_H
#define TAMSOR_DISPATCH_VALUES_H

#include <QString>
#include <QVariant>

#include <cstdint>

namespace tamsor {

// An integer of any integer type that fits in 16 bits.
std::int16_t int16Value(const QVariant& value, int dispatchId);
// An integer of any integer type that fits in 32 bits.
std::int32_t int32Value(const QVariant& value, int dispatchId);
// A finite number, integer or real.
double numberValue(const QVariant& value, int dispatchId);
QString textValue(const QVariant& value, int dispatchId);

// Throws the error of a refused assignment.
[[noreturn]] void refuseAssignment(int dispatchId, const QString& reason);

}  // namespace tamsor

#endif
