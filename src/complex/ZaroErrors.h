#pragma once
// The program's error kinds. Every error carries its message text; callers that
// need to tell errors apart test the type (math, range) or the exact message.

#include <stdexcept>
#include <string>

namespace zaro {

// Any error of the program that carries a message for the user or the log.
class EZaroError : public std::runtime_error {
public:
    explicit EZaroError(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// Floating-point fault detected by an explicit check: the analysis commands
// report these in their own words instead of showing the message.
class EMathError : public EZaroError {
public:
    enum class TKind { ZeroDivide, InvalidOp, Overflow };
    EMathError(TKind kind, const std::string& message) : EZaroError(message), Kind(kind) {}
    TKind Kind;
};

class EZeroDivide : public EMathError {
public:
    EZeroDivide() : EMathError(TKind::ZeroDivide, "Floating point division by zero") {}
};

class EInvalidOp : public EMathError {
public:
    EInvalidOp() : EMathError(TKind::InvalidOp, "Invalid floating point operation") {}
};

class EOverflow : public EMathError {
public:
    EOverflow() : EMathError(TKind::Overflow, "Floating point overflow") {}
};

// An index outside an array: raised instead of touching memory.
class ERangeError : public EZaroError {
public:
    ERangeError() : EZaroError("Range check error") {}
    explicit ERangeError(const std::string& message) : EZaroError(message) {}
};

// Throws ERangeError unless 0 <= index < count.
inline void CheckIndex(long long index, long long count) {
    if (index < 0 || index >= count) {
        throw ERangeError();
    }
}

// Checks a computed double before it is stored: NaN is an invalid operation,
// an infinity an overflow.
double CheckedResult(double value);

} // namespace zaro
