#include "platform/message.h"

#include <cstdio>

void MessageToStderr(std::string_view text, MessageIcon) {
    std::fprintf(stderr, "%s: %.*s\n", ApplicationTitle, static_cast<int>(text.size()),
                 text.data());
}

MessageFunction ShowMessage = MessageToStderr;
