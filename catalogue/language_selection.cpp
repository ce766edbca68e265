#include "catalogue/message_catalogue.h"

#include "platform/lcid.h"

#include <algorithm>

int g_nLanguageIndex = 0;

std::string_view LanguageTagOfColumn(int column) {
    return g_Languages[column >= 0 && column < kLanguageCount ? column : 0].tag;
}

// Only the listed locales have a column of their own; any other gets column 0.
int LanguageIndexForLcid(std::uint32_t lcid) {
    for (int column = 0; column < kLanguageCount; ++column) {
        if (std::ranges::find(g_Languages[column].lcids, lcid) != g_Languages[column].lcids.end()) {
            return column;
        }
    }
    return 0;
}

void SelectLanguageFromLocale() {
    g_nLanguageIndex = LanguageIndexForLcid(platform::GetUserDefaultLCID());
}
