// times FILE: the five fastest times a level's times file gives.
#include "json.h"
#include "output.h"

#include "campaign/leveltimes.h"

namespace {

int Times(const std::vector<std::string>& args) {
    if (args.size() != 1) return tool::UsageError("times FILE");
    tscore times[FastestTimePlaces + 1];
    ClearFastestTimes(times);
    ReadTimesFile(args[0], times);
    std::vector<std::string> places;
    for (int i = 0; i < FastestTimePlaces; ++i)
        places.push_back(tool::JsonObject()
                             .Add("Name", json::Quote(times[i].Name))
                             .Add("Time", json::Number(times[i].Value))
                             .Text());
    tool::Print(tool::JsonObject().Add("times", tool::JsonArray(places)).Text());
    return tool::Ok;
}

tool::Register command({"times", "FILE   the five places of a level's times file, as JSON", Times});

} // namespace
