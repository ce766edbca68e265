#include "ui/edit_input.h"

#include <algorithm>

namespace ui {

bool IsLineBreak(char16_t character) { return character == u'\r' || character == u'\n'; }

std::u16string PastedLine(std::u16string_view clipboard) {
    const auto lineEnd = std::find_if(clipboard.begin(), clipboard.end(), IsLineBreak);
    std::u16string line(clipboard.begin(), lineEnd);
    std::erase(line, u'\0');
    return line;
}

bool IsDigitsOnly(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char16_t character) { return character >= u'0' && character <= u'9'; });
}

} // namespace ui
