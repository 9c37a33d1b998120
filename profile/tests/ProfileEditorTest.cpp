// Editing a profile file's text: only the value written changes.
#include <gtest/gtest.h>

#include "ProfileEditor.h"

namespace {

TEST(ProfileEditor, ChangesOnlyTheValueWritten) {
    const struct {
        const wchar_t* text;
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* value;
        const wchar_t* expected;
    } cases[] = {
        // existing key, first of its name in the first section of its name
        {L"[S]\r\nK = old // note\r\nK=second\r\n[S]\r\nK=third\r\n", L"s", L"k", L"new",
         L"[S]\r\nK = new\r\nK=second\r\n[S]\r\nK=third\r\n"},
        // new key after the last filled line, blank lines and the next section stay; LF file
        {L"[S]\nA=1\n\n[T]\nB=2\n", L"S", L"C", L"3", L"[S]\nA=1\nC=3\n\n[T]\nB=2\n"},
        {L"[S]\nA=1\n", L"T", L"B", L"2", L"[S]\nA=1\n[T]\nB=2\n"},
        // last line without a line break
        {L"[S]\r\nA=1", L"S", L"B", L"2", L"[S]\r\nA=1\r\nB=2\r\n"},
        // header spelled another way
        {L"[ \"S\" ]\r\nA=1\r\n", L"S", L"A", L"2", L"[ \"S\" ]\r\nA=2\r\n"},
        // new section at the end, after a missing line break
        {L"[S]\r\nA=1", L"T", L"B", L"2", L"[S]\r\nA=1\r\n[T]\r\nB=2\r\n"},
        // empty file
        {L"", L"T", L"B", L"2", L"[T]\r\nB=2\r\n"},
        // byte-order mark stays
        {L"\xFEFF[S]\r\nA=1\r\n", L"S", L"A", L"2", L"\xFEFF[S]\r\nA=2\r\n"},
        // empty key empties the section and keeps its header
        {L"[S]\r\nA=1\r\n// c\r\n[T]\r\nB=2\r\n", L"S", L"", L"", L"[S]\r\n[T]\r\nB=2\r\n"},
        {L"[T]\r\nB=2\r\n", L"S", L"", L"", L"[T]\r\nB=2\r\n"},
        // a key in another section or a bare line of that name is not the key
        {L"[A]\r\nK=1\r\n[S]\r\nK\r\n", L"S", L"K", L"2", L"[A]\r\nK=1\r\n[S]\r\nK\r\nK=2\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EditProfileText(c.text, c.section, c.key, c.value), c.expected) << c.text << " | " << c.key;
}

}  // namespace
