// tarnhollow-tool level FILE: loads a level the way the game does (catalogue header, then
// the world cleared and loaded) and prints what the world holds afterwards.
#include "command.h"
#include "json.h"

#include "campaign/levels.h"
#include "world/creaturebase.h"
#include "world/creaturekinds.h"
#include "world/level/levelloader.h"

#include <cstdio>
#include <string>

namespace {

std::string Field(const char* name, const std::string& value, bool last = false) {
    return json::Quote(name) + ":" + value + (last ? "" : ",");
}

std::string TileJson(const ttile& t) {
    using json::Number;
    return "{" + Field("channel", Number(t.channel)) + Field("param", Number(t.param)) +
           Field("floor", Number(t.floor)) + Field("block", Number(t.block)) +
           Field("seen", Number(t.seen)) + Field("solid", Number(t.solid)) +
           Field("mechanism", Number(t.mechanism)) + Field("anim", Number(t.anim)) +
           Field("fallspeed", Number(t.fallspeed)) + Field("item", Number(t.item)) +
           Field("period", Number(t.period)) + Field("design", Number(t.design)) +
           Field("floordesign", Number(t.floordesign)) +
           Field("occupied", Number(t.occupied), true) + "}";
}

int Refuse(const std::string& file, const std::string& why) {
    std::fprintf(stderr, "%s: level refused: %s\n", file.c_str(), why.c_str());
    return tool::Refused;
}

int RunLevel(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: tarnhollow-tool level FILE\n");
        return tool::Usage;
    }
    const std::string& file = args[0];
    std::string name, id;
    if (!ReadLevelHeader(file, name, id)) return Refuse(file, "the file cannot be read");
    std::unique_ptr<tnode> leveldoc;
    try {
        leveldoc = LoadHeaderedDocument(file, LargestLevelFile);
    } catch (const XmlError& error) {
        return Refuse(file, error.what());
    }
    if (!leveldoc) return Refuse(file, "the document does not parse");

    ResetWorldTables();
    ClearWorld();
    std::string why;
    if (!LoadLevel(*leveldoc, &why)) return Refuse(file, why);

    using json::Number;
    std::string out = "{" + Field("name", json::Quote(name)) + Field("id", json::Quote(id)) +
                      Field("creatorname", json::Quote(inlevel.loaded.creatorname)) +
                      Field("music", json::Quote(inlevel.loaded.levelmusic));
    out += Field("mainlight", "{" + Field("R", Number(inlevel.loaded.mainlight.R)) +
                                  Field("G", Number(inlevel.loaded.mainlight.G)) +
                                  Field("B", Number(inlevel.loaded.mainlight.B)) +
                                  Field("X", Number(inlevel.loaded.mainlight.X)) +
                                  Field("Y", Number(inlevel.loaded.mainlight.Y)) +
                                  Field("Z", Number(inlevel.loaded.mainlight.Z)) +
                                  Field("I", Number(inlevel.loaded.mainlight.I), true) + "}");
    out += Field("filllight", "{" + Field("R", Number(inlevel.loaded.filllight.R)) +
                                  Field("G", Number(inlevel.loaded.filllight.G)) +
                                  Field("B", Number(inlevel.loaded.filllight.B)) +
                                  Field("I", Number(inlevel.loaded.filllight.I), true) + "}");
    out += Field("start", "{" + Field("column", Number(CellOf(hero.column))) +
                              Field("row", Number(CellOf(hero.row)), true) + "}");
    out += "\"tiles\":[\n";
    for (int index = 0; index < GridSize * GridSize; ++index) {
        out += TileJson(tiles[index % GridSize][index / GridSize]);
        out += index + 1 < GridSize * GridSize ? ",\n" : "\n";
    }
    out += "],\"creatures\":[";
    for (size_t i = 0; i < creatures.size(); ++i) {
        const tcreature& creature = *creatures[i];
        out += (i ? ",\n" : "\n") + std::string("{") +
               Field("kind", json::Quote(KindOf(creature))) +
               Field("column", Number(creature.CellColumn())) +
               Field("row", Number(creature.CellRow()), true) + "}";
    }
    out += "]}\n";
    std::fputs(out.c_str(), stdout);
    return tool::Ok;
}

tool::Register level{{"level", "FILE", RunLevel}};

} // namespace
