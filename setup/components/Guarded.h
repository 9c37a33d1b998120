#pragma once
// Runs one component operation so that a fault inside it (an exception that
// escapes: out of memory, a broken text) is logged with the operation's line
// and reported as the operation's failure value, instead of ending setup.

#include <utility>

#include "Log.h"

template <class Result, class Body>
Result GuardedOperation(Result failure, Body&& body, const wchar_t* faultFormat, const wchar_t* argument = L"") {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        GlobalLog().Print(faultFormat, argument);
        return failure;
    }
}
