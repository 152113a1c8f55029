#include "campaign/savefiles.h"

#include "engine/log.h"
#include "platform/files.h"

#include <cstdio>

void LoadSaveFile(tsavefile& save) {
    save.unreadable.clear();
    const std::string older = files::HomePath(save.olderHexFile);
    if (files::Exists(older)) {
        if (save.loadFrom(older, true)) {
            files::Delete(older);
            return;
        }
        // A damaged older file must not hide the current one, which the next save would
        // otherwise replace unread. The older one stays for the next start.
    }
    const std::string current = files::HomePath(save.file);
    if (files::Exists(current) && !save.loadFrom(current, false)) save.unreadable = current;
}

std::string UnreadableName(const std::string& path, const sysclock::LocalTime& time) {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, ".unreadable-%.4d%.2d%.2d-%.2d%.2d%.2d", time.year,
                  time.month, time.day, time.hour, time.minute, time.second);
    const std::string name = path + stamp;
    std::string candidate = name;
    for (int n = 2; files::Exists(candidate); ++n) candidate = name + "-" + std::to_string(n);
    return candidate;
}

bool KeepUnreadableFile(tsavefile& save) {
    if (save.unreadable.empty()) return true;
    if (!files::Exists(save.unreadable)) {
        save.unreadable.clear();
        return true;
    }
    const std::string kept = UnreadableName(save.unreadable, sysclock::Now());
    if (!files::Rename(save.unreadable, kept)) return false;
    WriteLog(save.unreadable + " could not be read; kept as " + kept);
    save.unreadable.clear();
    return true;
}

void NoteFailedSave(tsavereport& report, std::string_view gamePath) {
    report.push_back({files::NativePath(gamePath), files::LastFailure()});
}
