#include "scene.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "builders.h"
#include "materials.h"
#include "noise.h"
#include "skeleton.h"

namespace forge {

float HeroTurn(int facing) {
    return (5 - facing) * (-2 * Pi / 8);
}
float MonsterTurn(int direction) {
    return (direction - 5) * Pi / 4;
}

const Model& CachedModel(const std::string& file) {
    static std::map<std::string, Model> cache;
    auto it = cache.find(file);
    if (it != cache.end()) return it->second;
    Model m;
    BuildModel(file, m);
    return cache[file] = std::move(m);
}

const Image& ModelTexture() {
    static const Image sheet = [] {
        Image s(2048, 2048);
        PaintMaterials(s);
        return s;
    }();
    return sheet;
}

void PaintBackdrop(Image& image, const Sky& sky, uint32_t seed) {
    PaintSky(image, sky.top, sky.horizon, sky.horizonAt);
    int w = image.width, h = image.height;
    float base = sky.horizonAt * h;
    if (sky.sun) {
        float sx = sky.sunX * w, sy = sky.sunY * h, r = h * 0.05f;
        for (int y = 0; y < int(base); ++y)
            for (int x = 0; x < w; ++x) {
                float d = std::hypot(x - sx, y - sy) / r;
                float glow = d < 1 ? 1.0f : 0.45f * std::exp(-(d - 1) * 0.5f);
                image.blend(x, y, sky.sunColour, glow);
            }
    }
    if (sky.mountains) {
        // Two ranges of hills standing on the horizon, the far one paler.
        for (int range = 0; range < 2; ++range) {
            std::vector<float> poly;
            for (int x = 0; x <= w; x += std::max(1, w / 160)) {
                float n = Fbm(x * 3.0f / w + range * 5, 0.5f, seed + range, 4);
                poly.push_back(float(x));
                poly.push_back(base - (0.05f + 0.16f * n) * h * (range ? 0.6f : 1.0f));
            }
            poly.push_back(float(w)), poly.push_back(base + 2);
            poly.push_back(0), poly.push_back(base + 2);
            Colour c = range == 0 ? Mix(sky.mountain, sky.horizon, 0.5f)
                                  : Mix(sky.mountain, sky.horizon, 0.2f);
            image.fillPolygon(poly, c);
        }
    }
    // Land below the horizon, hazy in the distance.
    for (int y = std::max(0, int(base)); y < h; ++y) {
        float t = std::clamp((y - base) / std::max(1.0f, h - base), 0.0f, 1.0f);
        Colour c = Mix(Mix(sky.ground, sky.horizon, 0.55f), sky.ground, std::sqrt(t));
        for (int x = 0; x < w; ++x) image.at(x, y) = c;
    }
}

namespace {

struct Placed {
    const char* file;
    float scale, turn;
};

// Items as the game draws them on a cell: model, scale and turn.
bool ItemFor(char c, Placed& out) {
    switch (c) {
    case 'T':
        out = {"treasure1.exp", 1.3f, -0.7f};
        return true;
    case 'G':
        out = {"treasure2.exp", 1, 0};
        return true;
    case 'K':
        out = {"treasure3.exp", 1, -0.5f};
        return true;
    case '1':
        out = {"potion_of_health.exp", 1.5f, -0.5f};
        return true;
    case '2':
        out = {"potion_of_life.exp", 1.5f, -0.5f};
        return true;
    case '3':
        out = {"potion_of_speed.exp", 1.5f, -0.5f};
        return true;
    case '4':
        out = {"potion_of_blessing.exp", 1.5f, -0.5f};
        return true;
    case '5':
        out = {"potion_of_invincility.exp", 1.5f, -0.5f};
        return true;
    case '6':
        out = {"potion_of_invisibility.exp", 1.5f, -0.5f};
        return true;
    case '7':
        out = {"potion_of_kill_all.exp", 1.5f, -0.5f};
        return true;
    case 'k':
        out = {"koriste1.exp", 1, 0};
        return true;
    case 'v':
        out = {"koriste2.exp", 1, 0};
        return true;
    case 'u':
        out = {"koriste3.exp", 1, 0};
        return true;
    case 'n':
        out = {"koriste4.exp", 1, 0};
        return true;
    case 'y':
        out = {"koriste5.exp", 1, 0};
        return true;
    case 'f':
        out = {"koriste6.exp", 1, 0};
        return true;
    case 'q':
        out = {"koriste7.exp", 1, 0};
        return true;
    case 'P':
        out = {"pylvas1.exp", 1, 0};
        return true;
    case 'S':
        out = {"patsas2.exp", 1, 0};
        return true;
    case 'b':
        out = {"pylvas2.exp", 1, 0};
        return true;
    case 'O':
        out = {"pylvas3.exp", 1, 0};
        return true;
    case 'B':
        out = {"pylvas4.exp", 1, 0};
        return true;
    default:
        return false;
    }
}

Mat4 Place(float scale, float turn, Vec3 at) {
    return Scaling({scale, scale, scale}) * RotationY(turn) * Translation(at);
}

} // namespace

void DrawStage(Rasterizer& r, const Stage& stage) {
    const Image& tex = ModelTexture();
    int rows = int(stage.map.size());
    std::string floorA = "laatta" + std::to_string(stage.floorDesign + 1) + ".exp";
    std::string floorB = "laatta" + std::to_string(stage.altFloor + 1) + ".exp";
    std::string wallA = "seina" + std::to_string(stage.wallDesign + 1) + ".exp";
    std::string wallB = "seina" + std::to_string(stage.altWall + 1) + ".exp";
    for (int line = 0; line < rows; ++line) {
        const std::string& text = stage.map[line];
        float row = float(rows - 1 - line);
        for (int col = 0; col < int(text.size()); ++col) {
            char c = text[col];
            Vec3 at{float(col), 0, row};
            Mat4 here = Translation(at);
            const char* block = nullptr;
            switch (c) {
            case ' ':
                continue;
            case '#':
                block = wallA.c_str();
                break;
            case '%':
                block = wallB.c_str();
                break;
            case ',':
                block = floorB.c_str();
                break;
            case 'c':
                block = "conveyor3.exp";
                break;
            case 't':
                block = "teleport.exp";
                break;
            case 'e':
                block = "maali.exp";
                break;
            case 'a':
                block = "arrowtrap.exp";
                break;
            case 'r':
                block = "rocktrap.exp";
                break;
            default:
                block = floorA.c_str();
                break;
            }
            r.draw(CachedModel(block), {}, here, tex);
            if (c == 'x') {
                r.draw(CachedModel("spikeholes.exp"), {}, here, tex);
                r.draw(CachedModel("spikes.exp"), {}, here, tex);
            }
            Placed item;
            if (ItemFor(c, item))
                r.draw(CachedModel(item.file), {}, Place(item.scale, item.turn, at), tex);
        }
    }
}

void DrawActors(Rasterizer& r, const std::vector<Actor>& actors, bool shadows) {
    const Image& tex = ModelTexture();
    for (const Actor& a : actors) {
        const Model& m = CachedModel(a.model);
        std::vector<Vec3> rot = RestRotations(m);
        if (a.pose >= 0 && a.pose < int(m.poses.size())) {
            rot = m.poses[a.pose].rotations;
            if (a.nextPose >= 0 && a.nextPose < int(m.poses.size()))
                rot = BlendPoses(m.poses[a.pose], m.poses[a.nextPose], a.blend);
        }
        // Stand the lowest foot on the ground, as the game does.
        float foot = 0;
        if (m.bones.size() > LeftFoot) {
            std::vector<Mat4> placed = BoneMatrices(m, rot);
            foot = std::min(placed[RightFoot].m[3][1], placed[LeftFoot].m[3][1]) * a.scale;
        }
        Mat4 world = RotationX(a.tilt) * Place(a.scale, a.turn, {a.column, a.height - foot, a.row});
        if (shadows && a.opacity >= 1)
            r.draw(CachedModel("shadow.exp"), {}, Place(0.8f, 0, {a.column, 0.01f, a.row}), tex);
        r.draw(m, rot, world, tex, a.opacity);
        if (!a.gun.empty()) {
            std::vector<Mat4> bones = BoneMatrices(m, rot);
            r.draw(CachedModel(a.gun), {}, Scaling({1.5f, 1.5f, 1.5f}) * bones[RightHand] * world,
                   tex, a.opacity);
        }
    }
}

Image RenderScene(int width, int height, const Sky& sky, const Shot& shot, const Stage& stage,
                  const std::vector<Actor>& actors, uint32_t seed, float ink, bool vignette) {
    const int super = 2;
    Rasterizer r(width * super, height * super);
    PaintBackdrop(r.colour, sky, seed);
    r.camera(shot.eye, shot.target, shot.fov);
    r.light(shot.lightDir, shot.diffuse, shot.ambient);
    r.fog(shot.fogColour, shot.fogStart, shot.fogEnd);
    DrawStage(r, stage);
    DrawActors(r, actors);
    r.ink(ink);
    Image out = r.result(super);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            float dx = float(x) / out.width - 0.5f, dy = float(y) / out.height - 0.5f;
            if (vignette) out.at(x, y) = Shade(out.at(x, y), 1.0f - 0.5f * (dx * dx + dy * dy));
            out.at(x, y).a = 1;
        }
    return out;
}

} // namespace forge
