// Which builder makes which file.
#include <charconv>
#include <string>

#include "builders.h"

namespace forge {

Model BuildTreasureChest();

namespace {

// "laatta7.exp" with stem "laatta" gives 7; 0 when the name is not of that family.
int Numbered(std::string_view file, std::string_view stem, std::string_view ending) {
    if (file.size() <= stem.size() + ending.size() || !file.starts_with(stem) ||
        !file.ends_with(ending))
        return 0;
    std::string_view digits = file.substr(stem.size(), file.size() - stem.size() - ending.size());
    int n = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (error != std::errc() || end != digits.data() + digits.size()) return 0;
    return n;
}

} // namespace

bool BuildModel(std::string_view file, Model& out) {
    if (int n = Numbered(file, "laatta", ".exp"); n >= 1 && n <= FloorDesigns)
        return out = BuildFloor(n - 1), true;
    if (int n = Numbered(file, "seina", ".exp"); n >= 1 && n <= WallDesigns)
        return out = BuildWall(n - 1), true;
    if (int n = Numbered(file, "conveyor", ".exp"); n >= 1 && n <= 8)
        return out = BuildConveyor(n - 1), true;
    if (int n = Numbered(file, "koriste", "s.exp"); n >= 1 && n <= 7)
        return out = BuildDecoration(n, true), true;
    if (int n = Numbered(file, "koriste", ".exp"); n >= 1 && n <= 7)
        return out = BuildDecoration(n, false), true;
    struct Special {
        std::string_view file;
        Model (*build)();
    };
    static constexpr Special specials[] = {
        {"3dhahmobin.exp", BuildHero},
        {"zombie.exp", BuildZombie},
        {"warrior.exp", BuildWarrior},
        {"warriordead.exp", BuildWarriorDead},
        {"ghost.exp", BuildGhost},
        {"weapon2.exp", BuildPistol},
        {"weapon1.exp", BuildSubmachineGun},
        {"weapon3.exp", BuildAssaultRifle},
        {"treasure1.exp", BuildTreasureChest},
        {"empty.exp", BuildPlaceholder},
    };
    for (const Special& s : specials)
        if (s.file == file) return out = s.build(), true;
    for (auto table : {TileParts(), ItemParts()})
        for (const NamedParts& p : table)
            if (p.file == file) return out = RigidModel(p.parts), true;
    return false;
}

} // namespace forge
