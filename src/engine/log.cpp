#include "engine/log.h"

#include "platform/files.h"

#include <string>

bool WriteLog(std::string_view text) {
    std::string line(text);
    line += "\r\n";
    return files::AppendToExisting(files::HomePath(LogFileName), line);
}
