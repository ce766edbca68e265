#pragma once
#include <string>
#include <string_view>

namespace ui {

// What the user may put into an edit, the same in every backend. A
// single-line edit keeps only the first line of pasted text, so no line
// break can reach a settings file; a NUL never enters. Text set from code
// is stored as given.
bool IsLineBreak(char16_t character);
// The part of pasted text that enters a single-line edit.
std::u16string PastedLine(std::u16string_view clipboard);
// A digits-only edit takes 0 to 9 and nothing else.
bool IsDigitsOnly(std::u16string_view text);

} // namespace ui
