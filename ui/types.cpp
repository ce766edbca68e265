#include "ui/types.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace ui {

bool IsSuggestedFor(std::u16string_view value, std::u16string_view typed) {
    const auto folded = [](char16_t c) { return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c; };
    return std::search(value.begin(), value.end(), typed.begin(), typed.end(),
                       [&folded](char16_t first, char16_t second) {
                           return folded(first) == folded(second);
                       }) != value.end();
}

void FailMissingControl(int templateId, int controlId) {
    std::fprintf(stderr, "internal error: dialog %d has no control %d\n", templateId, controlId);
    std::abort();
}

const ControlTemplate* DialogTemplate::FindControl(int controlId) const {
    for (const auto& control : controls) {
        if (control.id == controlId) {
            return &control;
        }
    }
    return nullptr;
}

std::vector<int> DialogTemplate::RadioGroupContaining(int controlId) const {
    std::vector<int> group;
    bool found = false;
    for (const auto& control : controls) {
        const bool isRadio = control.kind == ControlKind::RadioButton;
        const bool startsGroup = !isRadio || (control.style & style::kGroup) != 0;
        if (startsGroup && found) {
            break;
        }
        if (startsGroup) {
            group.clear();
        }
        if (isRadio) {
            group.push_back(control.id);
        }
        found = found || control.id == controlId;
    }
    return found ? group : std::vector<int>{};
}

} // namespace ui
