#pragma once
// The players and the high scores each have an older hexadecimal file that is still read:
// when it exists it wins, and it goes once its contents loaded completely, so the next
// save replaces it with the current form.
#include "platform/files.h"

#include <string_view>

inline void LoadPreferringOlderForm(const char* olderHexFile, const char* file,
                                    bool (*loadFrom)(std::string_view fileName, bool hexForm)) {
    bool older = files::Exists(olderHexFile);
    if (!older && !files::Exists(file)) return;
    bool complete = loadFrom(older ? olderHexFile : file, older);
    if (complete && older) files::Delete(olderHexFile);
}
