#include "GuardedText.h"

#include "FaultGuard.h"

namespace printers {

TextCopy CopyGuardedText(const wchar_t* text, wchar_t* buffer, std::size_t capacity) noexcept {
    buffer[0] = L'\0';
    if (text == nullptr) return TextCopy::kNull;
    std::size_t length = 0;
    const bool read = GuardedCall([&] {
        while (length + 1 < capacity && text[length] != L'\0') {
            buffer[length] = text[length];
            ++length;
        }
    });
    if (!read) {
        buffer[0] = L'\0';
        return TextCopy::kFault;
    }
    buffer[length] = L'\0';
    return TextCopy::kCopied;
}

}  // namespace printers
