#pragma once
// Copies a text a caller handed in into a buffer of our own, under the fault
// guard, before anything else reads it: an operation that logs or compares a
// caller's text then never faults on the pointer in the middle of writing a
// log line.

#include <cstddef>

namespace printers {

enum class TextCopy {
    kNull,    // no text: the buffer holds an empty text
    kCopied,  // the buffer holds the text, cut to |capacity| - 1 characters
    kFault,   // the text could not be read: the buffer holds an empty text
};

// |capacity| is at least 1.
TextCopy CopyGuardedText(const wchar_t* text, wchar_t* buffer, std::size_t capacity) noexcept;

template <std::size_t N>
TextCopy CopyGuardedText(const wchar_t* text, wchar_t (&buffer)[N]) noexcept {
    return CopyGuardedText(text, buffer, N);
}

}  // namespace printers
