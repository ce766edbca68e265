#pragma once
#include "catalogue/message_catalogue.h"

// The language of each catalogue column, as screenshot file names carry it.
inline constexpr const char* kScreenshotLanguages[kLanguageCount] = {
    "default", "english",  "french",  "german", "swedish", "dutch",  "finnish", "norwegian",
    "russian", "japanese", "chinese", "danish", "italian", "polish", "spanish"};
