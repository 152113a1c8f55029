#include "platform/filesizelimit.h"

#include <csignal>

namespace files {

void FailWritesPastTheSizeLimit() {
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace files
