#pragma once
#include "catalogue/message_catalogue.h"
#include "host/host_texts.h"

#include <cstddef>

// Every host text in every catalogue language, one row per EHostText; the
// build makes it from the translations in po/.
extern const char16_t* const g_HostTexts[static_cast<std::size_t>(EHostText::kCount)]
                                        [kLanguageCount];
