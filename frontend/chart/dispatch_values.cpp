#include "dispatch_values.h"

#include <cmath>
#include <limits>

#include "runtime/runtime_error.h"

namespace tamsor {

namespace {

bool isInteger(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            return true;
        default:
            return false;
    }
}

bool isReal(const QVariant& value) {
    return value.typeId() == QMetaType::Float || value.typeId() == QMetaType::Double;
}

template <typename Integer>
Integer integerValue(const QVariant& value, int dispatchId, const char* typeName) {
    if (!isInteger(value)) {
        refuseAssignment(dispatchId,
                         QStringLiteral("expects %1, got %2")
                             .arg(QLatin1String(typeName),
                                  QLatin1String(value.typeName() ? value.typeName() : "nothing")));
    }
    // Unsigned 64-bit values above the signed range would wrap in toLongLong.
    if (value.typeId() == QMetaType::ULongLong &&
        value.toULongLong() > static_cast<qulonglong>(std::numeric_limits<Integer>::max())) {
        refuseAssignment(dispatchId, QStringLiteral("value out of range"));
    }
    const qlonglong number = value.toLongLong();
    if (number < std::numeric_limits<Integer>::min() ||
        number > std::numeric_limits<Integer>::max()) {
        refuseAssignment(
            dispatchId,
            QStringLiteral("value %1 does not fit in %2").arg(number).arg(QLatin1String(typeName)));
    }
    return static_cast<Integer>(number);
}

}  // namespace

void refuseAssignment(int dispatchId, const QString& reason) {
    throw RuntimeError(RuntimeErrorKind::kControlFailure,
                       QStringLiteral("Chart control refused property %1: %2")
                           .arg(dispatchId)
                           .arg(reason)
                           .toStdString());
}

std::int16_t int16Value(const QVariant& value, int dispatchId) {
    return integerValue<std::int16_t>(value, dispatchId, "a 16-bit integer");
}

std::int32_t int32Value(const QVariant& value, int dispatchId) {
    return integerValue<std::int32_t>(value, dispatchId, "a 32-bit integer");
}

double numberValue(const QVariant& value, int dispatchId) {
    if (!isInteger(value) && !isReal(value)) {
        refuseAssignment(dispatchId, QStringLiteral("expects a number"));
    }
    const double number = value.toDouble();
    if (!std::isfinite(number)) refuseAssignment(dispatchId, QStringLiteral("value not finite"));
    return number;
}

QString textValue(const QVariant& value, int dispatchId) {
    if (value.typeId() != QMetaType::QString) {
        refuseAssignment(dispatchId, QStringLiteral("expects text"));
    }
    return value.toString();
}

}  // namespace tamsor
