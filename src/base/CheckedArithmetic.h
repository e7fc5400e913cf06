#pragma once

#include "base/Failure.h"

#include <QtGlobal>

#include <climits>

// Integer arithmetic that fails instead of wrapping: a line number or position that leaves the
// 32-bit range is an error to report, not a different number.
namespace CheckedArithmetic {

inline Failure overflow() { return Failure(QStringLiteral("Overflow")); }

inline int add(int a, int b)
{
    int sum;
    if (__builtin_add_overflow(a, b, &sum))
        throw overflow();
    return sum;
}

inline int subtract(int a, int b)
{
    int difference;
    if (__builtin_sub_overflow(a, b, &difference))
        throw overflow();
    return difference;
}

// A sum that stops at the ends of the range instead of failing: for sizes read from a file,
// where a nonsensical value is to become a sensible one rather than an error.
inline int saturatingAdd(int a, int b)
{
    int sum;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? INT_MAX : INT_MIN;
    return sum;
}

// A message reply as a 32-bit integer.
inline int narrow(qintptr value)
{
    int narrowed;
    if (__builtin_add_overflow(value, qintptr(0), &narrowed))
        throw overflow();
    return narrowed;
}

} // namespace CheckedArithmetic
