#include "host/host_texts.h"

#include "host/host_text_table.h"

QString HostText(EHostText text) {
    return QString::fromUtf16(g_HostTexts[static_cast<std::size_t>(text)][g_nLanguageIndex]);
}
