// Run-time errors of the system: one small hierarchy, numbered as the
// system's run-time numbers them. The failure paths of a saver run catch
// RuntimeError; handlers that run with errors ignored catch it and go on.
#pragma once
#include <stdexcept>
#include <string>

struct RuntimeError : std::runtime_error {
    int number;
    RuntimeError(int n, const std::string& what) : std::runtime_error(what), number(n) {}
};

struct OverflowError : RuntimeError {
    OverflowError() : RuntimeError(6, "Overflow") {}
};

struct DivisionByZeroError : RuntimeError {
    DivisionByZeroError() : RuntimeError(11, "Division by zero") {}
};

struct ObjectNotSetError : RuntimeError {
    ObjectNotSetError() : RuntimeError(91, "Object variable not set") {}
};

struct TypeMismatchError : RuntimeError {
    TypeMismatchError() : RuntimeError(13, "Type mismatch") {}
};
