#pragma once
#include "catalogue/message_catalogue.h"

#include <stdexcept>
#include <string>
#include <string_view>

// The catalogue column of a language by its name in po/languages.txt, so a
// test never copies the list's order.
inline int LanguageColumn(std::string_view name) {
    for (int column = 0; column < kLanguageCount; ++column) {
        if (g_Languages[column].name == name) {
            return column;
        }
    }
    throw std::invalid_argument("no catalogue column for " + std::string(name));
}
