#include "ui/types.h"

#include <cstdio>
#include <cstdlib>

namespace ui {

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
