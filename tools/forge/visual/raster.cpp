#include "raster.h"

#include <algorithm>
#include <cmath>

namespace forge {

struct Rasterizer::Projected {
    float sx, sy, invZ; // screen position, 1 / view depth
    float uz, vz;       // texture coordinates divided by depth
    Colour light;       // lit colour (times 1/z)
    float fog;          // fog amount (times 1/z)
};

Rasterizer::Rasterizer(int width, int height, Colour clear)
    : colour(width, height, clear), w_(width), h_(height), depth_(size_t(width) * height, 1e30f) {}

void Rasterizer::camera(Vec3 eye, Vec3 target, float fovY) {
    // Left-handed look-at, as the game's camera: x right, y up, z into the picture.
    Vec3 z = Normalize(target - eye);
    Vec3 x = Normalize(Cross(Vec3{0, 1, 0}, z));
    Vec3 y = Cross(z, x);
    Mat4 v;
    v.m[0][0] = x.x, v.m[1][0] = x.y, v.m[2][0] = x.z, v.m[3][0] = -Dot(x, eye);
    v.m[0][1] = y.x, v.m[1][1] = y.y, v.m[2][1] = y.z, v.m[3][1] = -Dot(y, eye);
    v.m[0][2] = z.x, v.m[1][2] = z.y, v.m[2][2] = z.z, v.m[3][2] = -Dot(z, eye);
    view_ = v;
    focal_ = (h_ * 0.5f) / std::tan(fovY * Pi / 360.0f);
}

void Rasterizer::light(Vec3 direction, Colour diffuse, Colour ambient) {
    lightDir_ = Normalize(direction);
    diffuse_ = diffuse;
    ambient_ = ambient;
}

void Rasterizer::fog(Colour c, float start, float end) {
    fogColour_ = c;
    fogStart_ = start;
    fogEnd_ = std::max(end, start + 1e-3f);
}

void Rasterizer::draw(const Model& model, const std::vector<Vec3>& rotations, const Mat4& world,
                      const Image& texture, float opacity, Colour tint, bool unlit) {
    std::vector<Mat4> bones =
        BoneMatrices(model, rotations.empty() ? RestRotations(model) : rotations);
    for (Mat4& b : bones) b = b * world;
    struct ViewVertex {
        Vec3 p; // view space
        float u, v;
        Colour light;
    };
    auto toView = [&](const Vertex& vx) {
        const Mat4& m = bones[vx.bone < bones.size() ? vx.bone : 0];
        Vec3 wp = TransformPoint(vx.position, m);
        Vec3 n = Normalize(TransformDirection(vx.normal, m));
        float d = std::max(0.0f, -Dot(n, lightDir_));
        Colour l = unlit ? Colour{1, 1, 1, 1}
                         : Colour{ambient_.r + diffuse_.r * d, ambient_.g + diffuse_.g * d,
                                  ambient_.b + diffuse_.b * d, 1};
        return ViewVertex{
            TransformPoint(wp, view_), vx.u, vx.v, {l.r * tint.r, l.g * tint.g, l.b * tint.b, 1}};
    };
    for (size_t i = 0; i + 2 < model.vertices.size(); i += 3) {
        ViewVertex tri[3] = {toView(model.vertices[i]), toView(model.vertices[i + 1]),
                             toView(model.vertices[i + 2])};
        // Clip against the near plane (a polygon of up to four corners).
        ViewVertex poly[4];
        int n = 0;
        for (int k = 0; k < 3; ++k) {
            const ViewVertex& a = tri[k];
            const ViewVertex& b = tri[(k + 1) % 3];
            bool ina = a.p.z >= nearZ_, inb = b.p.z >= nearZ_;
            if (ina) poly[n++] = a;
            if (ina != inb && n < 4) {
                float t = (nearZ_ - a.p.z) / (b.p.z - a.p.z);
                poly[n++] = {Lerp(a.p, b.p, t), a.u + (b.u - a.u) * t, a.v + (b.v - a.v) * t,
                             Mix(a.light, b.light, t)};
            }
        }
        if (n < 3) continue;
        Projected pr[4];
        for (int k = 0; k < n; ++k) {
            const ViewVertex& v = poly[k];
            float iz = 1.0f / v.p.z;
            float f = std::clamp((v.p.z - fogStart_) / (fogEnd_ - fogStart_), 0.0f, 1.0f);
            pr[k] = {w_ * 0.5f + v.p.x * focal_ * iz,
                     h_ * 0.5f - v.p.y * focal_ * iz,
                     iz,
                     v.u * iz,
                     v.v * iz,
                     {v.light.r * iz, v.light.g * iz, v.light.b * iz, 1},
                     f * iz};
        }
        for (int k = 1; k + 1 < n; ++k) {
            Projected t[3] = {pr[0], pr[k], pr[k + 1]};
            triangle(t, texture, opacity, tint);
        }
    }
}

void Rasterizer::triangle(const Projected* p, const Image& tex, float opacity, Colour tint) {
    float area =
        (p[1].sx - p[0].sx) * (p[2].sy - p[0].sy) - (p[2].sx - p[0].sx) * (p[1].sy - p[0].sy);
    // Front faces are clockwise on screen; with y pointing down here that is a positive area.
    if (area <= 1e-8f) return;
    int x0 = std::max(0, int(std::floor(std::min({p[0].sx, p[1].sx, p[2].sx}))));
    int x1 = std::min(w_ - 1, int(std::ceil(std::max({p[0].sx, p[1].sx, p[2].sx}))));
    int y0 = std::max(0, int(std::floor(std::min({p[0].sy, p[1].sy, p[2].sy}))));
    int y1 = std::min(h_ - 1, int(std::ceil(std::max({p[0].sy, p[1].sy, p[2].sy}))));
    float inv = 1.0f / area;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            float px = x + 0.5f, py = y + 0.5f;
            float w0 = ((p[1].sx - px) * (p[2].sy - py) - (p[2].sx - px) * (p[1].sy - py)) * inv;
            float w1 = ((p[2].sx - px) * (p[0].sy - py) - (p[0].sx - px) * (p[2].sy - py)) * inv;
            float w2 = 1 - w0 - w1;
            if (w0 < 0 || w1 < 0 || w2 < 0) continue;
            float iz = w0 * p[0].invZ + w1 * p[1].invZ + w2 * p[2].invZ;
            float z = 1.0f / iz;
            float& d = depth_[size_t(y) * w_ + x];
            if (z >= d) continue;
            float u = (w0 * p[0].uz + w1 * p[1].uz + w2 * p[2].uz) * z;
            float v = (w0 * p[0].vz + w1 * p[1].vz + w2 * p[2].vz) * z;
            int tx = std::clamp(int(u * tex.width), 0, tex.width - 1);
            int ty = std::clamp(int(v * tex.height), 0, tex.height - 1);
            Colour t = tex.at(tx, ty);
            float a = t.a * opacity * tint.a;
            if (a < 0.03f) continue;
            float lr = (w0 * p[0].light.r + w1 * p[1].light.r + w2 * p[2].light.r) * z;
            float lg = (w0 * p[0].light.g + w1 * p[1].light.g + w2 * p[2].light.g) * z;
            float lb = (w0 * p[0].light.b + w1 * p[1].light.b + w2 * p[2].light.b) * z;
            float f = (w0 * p[0].fog + w1 * p[1].fog + w2 * p[2].fog) * z;
            Colour c{std::min(1.0f, t.r * lr), std::min(1.0f, t.g * lg), std::min(1.0f, t.b * lb),
                     1};
            c = Mix(c, fogColour_, f * fogColour_.a);
            c.a = 1;
            if (a > 0.97f) {
                colour.at(x, y) = c;
                d = z;
            } else {
                colour.blend(x, y, c, a);
                if (a > 0.6f) d = z;
            }
        }
}

void Rasterizer::ink(float strength, Colour inkColour) {
    std::vector<float> edge(depth_.size(), 0);
    for (int y = 1; y + 1 < h_; ++y)
        for (int x = 1; x + 1 < w_; ++x) {
            float c = depth_[size_t(y) * w_ + x];
            float m = 0;
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                float o = depth_[size_t(y + dy) * w_ + x + dx];
                float near = std::min(c, o), far = std::max(c, o);
                if (near > 1e29f) continue;
                float jump = far > 1e29f ? 1.0f : (far - near) / near;
                m = std::max(m, jump);
            }
            edge[size_t(y) * w_ + x] = std::clamp((m - 0.04f) * 8, 0.0f, 1.0f);
        }
    for (size_t i = 0; i < edge.size(); ++i)
        if (edge[i] > 0) {
            Colour& c = colour.pixels[i];
            float a = edge[i] * strength;
            c = {c.r + (inkColour.r - c.r) * a, c.g + (inkColour.g - c.g) * a,
                 c.b + (inkColour.b - c.b) * a, std::max(c.a, a)};
        }
}

Image Rasterizer::result(int factor) const {
    return factor <= 1 ? colour : Resized(colour, w_ / factor, h_ / factor);
}

void PaintSky(Image& image, Colour top, Colour horizon, float horizonAt) {
    int hy = int(image.height * horizonAt);
    for (int y = 0; y < image.height; ++y) {
        float t = std::clamp(float(y) / std::max(1, hy), 0.0f, 1.0f);
        Colour c = Mix(top, horizon, t * t);
        for (int x = 0; x < image.width; ++x) image.at(x, y) = c;
    }
}

} // namespace forge
