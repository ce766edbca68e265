#include "catalogue/message_line.h"

#include "catalogue/message_catalogue.h"
#include "platform/utf8_text.h"

std::string MessageLine(int messageId, int captionId) {
    return WideToUtf8(GetMessageText(captionId)) + ": " + WideToUtf8(GetMessageText(messageId));
}
