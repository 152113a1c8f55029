#include "shapes.h"

#include <algorithm>
#include <cmath>

namespace forge {
namespace {

// Normals follow the inverse transpose of the placement, so squashed spheres stay lit right.
Vec3 TransformNormal(Vec3 n, const Mat4& m) {
    float a = m.m[0][0], b = m.m[0][1], c = m.m[0][2];
    float d = m.m[1][0], e = m.m[1][1], f = m.m[1][2];
    float g = m.m[2][0], h = m.m[2][1], i = m.m[2][2];
    // Cofactor matrix = inverse transpose times the determinant; the scale does not matter.
    Vec3 r0{e * i - f * h, f * g - d * i, d * h - e * g};
    Vec3 r1{c * h - b * i, a * i - c * g, b * g - a * h};
    Vec3 r2{b * f - c * e, c * d - a * f, a * e - b * d};
    float det = a * r0.x + b * r0.y + c * r0.z;
    Vec3 out = r0 * n.x + r1 * n.y + r2 * n.z;
    return Normalize(det < 0 ? out * -1.0f : out);
}

} // namespace

void MeshBuilder::emit(Corner a, Corner b, Corner c) {
    UvRect r = MaterialRect(material);
    Corner cs[3] = {a, b, c};
    Vertex v[3];
    Mat4 full = place * base;
    for (int k = 0; k < 3; ++k) {
        v[k].position = TransformPoint(cs[k].p, full);
        v[k].normal = TransformNormal(cs[k].n, full);
        v[k].u = r.u0 + std::clamp(cs[k].s, 0.0f, 1.0f) * (r.u1 - r.u0);
        v[k].v = r.v0 + std::clamp(cs[k].t, 0.0f, 1.0f) * (r.v1 - r.v0);
        v[k].bone = bone;
    }
    // The game draws clockwise triangles as front faces: make the winding agree with the
    // normals we were given.
    Vec3 geometric = Cross(v[1].position - v[0].position, v[2].position - v[0].position);
    if (Length(geometric) < 1e-10f) return; // degenerate: nothing to see
    Vec3 average = v[0].normal + v[1].normal + v[2].normal;
    if (Dot(geometric, average) < 0) std::swap(v[1], v[2]);
    model_.vertices.insert(model_.vertices.end(), v, v + 3);
    if (doubleSided) {
        for (Vertex& x : v) x.normal = x.normal * -1.0f;
        std::swap(v[1], v[2]);
        model_.vertices.insert(model_.vertices.end(), v, v + 3);
    }
}

void MeshBuilder::face(Corner a, Corner b, Corner c, Corner d) {
    emit(a, b, c);
    emit(a, c, d);
}

void MeshBuilder::quad(Vec3 a, Vec3 b, Vec3 c, Vec3 d) {
    Vec3 n = Normalize(Cross(b - a, c - a));
    face({a, n, 0, 0}, {b, n, 1, 0}, {c, n, 1, 1}, {d, n, 0, 1});
}

void MeshBuilder::triangle(Vec3 a, Vec3 b, Vec3 c, Vec3 n, float ua, float va, float ub, float vb,
                           float uc, float vc) {
    emit({a, n, ua, va}, {b, n, ub, vb}, {c, n, uc, vc});
}

void MeshBuilder::boxFaces(Vec3 lo, Vec3 hi, BoxFaces faces) {
    Vec3 p[8];
    for (int i = 0; i < 8; ++i)
        p[i] = {i & 1 ? hi.x : lo.x, i & 2 ? hi.y : lo.y, i & 4 ? hi.z : lo.z};
    auto side = [&](int tl, int tr, int br, int bl, Vec3 n) {
        face({p[tl], n, 0, 0}, {p[tr], n, 1, 0}, {p[br], n, 1, 1}, {p[bl], n, 0, 1});
    };
    if (faces != BoxFaces::SidesOnly) side(6, 7, 3, 2, {0, 1, 0}); // top: far edge at the top
    if (faces == BoxFaces::All) side(0, 1, 5, 4, {0, -1, 0});
    side(2, 3, 1, 0, {0, 0, -1}); // front (toward -z)
    side(7, 6, 4, 5, {0, 0, 1});
    side(6, 2, 0, 4, {-1, 0, 0});
    side(3, 7, 5, 1, {1, 0, 0});
}

void MeshBuilder::box(Vec3 lo, Vec3 hi, bool skipBottom) {
    boxFaces(lo, hi, skipBottom ? BoxFaces::NoBottom : BoxFaces::All);
}

void MeshBuilder::sides(Vec3 lo, Vec3 hi) {
    boxFaces(lo, hi, BoxFaces::SidesOnly);
}

void MeshBuilder::bevelBox(Vec3 lo, Vec3 hi, float bevel, bool skipBottom) {
    float b = std::min({bevel, (hi.x - lo.x) * 0.45f, (hi.z - lo.z) * 0.45f, (hi.y - lo.y) * 0.9f});
    float yb = hi.y - b;
    // Sides up to the bevel line.
    Vec3 c0{lo.x, lo.y, lo.z}, c1{hi.x, lo.y, lo.z}, c2{hi.x, lo.y, hi.z}, c3{lo.x, lo.y, hi.z};
    auto up = [&](Vec3 v, float y) { return Vec3{v.x, y, v.z}; };
    Vec3 in0{lo.x + b, hi.y, lo.z + b}, in1{hi.x - b, hi.y, lo.z + b},
        in2{hi.x - b, hi.y, hi.z - b}, in3{lo.x + b, hi.y, hi.z - b};
    const float k = 0.7071f;
    struct Edge {
        Vec3 a, b, ia, ib, n, slope;
    } edges[4] = {
        {c0, c1, in0, in1, {0, 0, -1}, {0, k, -k}},
        {c1, c2, in1, in2, {1, 0, 0}, {k, k, 0}},
        {c2, c3, in2, in3, {0, 0, 1}, {0, k, k}},
        {c3, c0, in3, in0, {-1, 0, 0}, {-k, k, 0}},
    };
    float sideT = b / (hi.y - lo.y); // where the bevel starts in the picture
    for (const Edge& e : edges) {
        face({up(e.a, yb), e.n, 0, sideT}, {up(e.b, yb), e.n, 1, sideT}, {e.b, e.n, 1, 1},
             {e.a, e.n, 0, 1});
        face({e.ia, e.slope, 0.1f, 0}, {e.ib, e.slope, 0.9f, 0}, {up(e.b, yb), e.slope, 1, sideT},
             {up(e.a, yb), e.slope, 0, sideT});
    }
    Vec3 n{0, 1, 0};
    float s0 = b / (hi.x - lo.x), t0 = b / (hi.z - lo.z);
    face({in3, n, s0, t0}, {in2, n, 1 - s0, t0}, {in1, n, 1 - s0, 1 - t0}, {in0, n, s0, 1 - t0});
    if (!skipBottom) {
        Vec3 d{0, -1, 0};
        face({c0, d, 0, 0}, {c1, d, 1, 0}, {c2, d, 1, 1}, {c3, d, 0, 1});
    }
}

void MeshBuilder::lathe(const std::vector<ProfilePoint>& profile, int segments, bool smooth) {
    size_t n = profile.size();
    if (n < 2) return;
    // Slope normal of each profile segment, in the (radius, y) plane.
    std::vector<std::pair<float, float>> segNormal(n - 1);
    std::vector<float> along(n, 0);
    for (size_t i = 0; i + 1 < n; ++i) {
        float dr = profile[i + 1].radius - profile[i].radius, dy = profile[i + 1].y - profile[i].y;
        float len = std::max(std::sqrt(dr * dr + dy * dy), 1e-6f);
        segNormal[i] = {dy / len, -dr / len};
        along[i + 1] = along[i] + len;
    }
    float total = std::max(along[n - 1], 1e-6f);
    auto normalAt = [&](size_t point, size_t seg) {
        if (!smooth) return segNormal[seg];
        size_t a = point > 0 ? point - 1 : 0, b = std::min(point, n - 2);
        float nr = segNormal[a].first + segNormal[b].first,
              ny = segNormal[a].second + segNormal[b].second;
        float len = std::max(std::sqrt(nr * nr + ny * ny), 1e-6f);
        return std::pair<float, float>{nr / len, ny / len};
    };
    for (size_t i = 0; i + 1 < n; ++i) {
        auto na = normalAt(i, i), nb = normalAt(i + 1, i);
        for (int s = 0; s < segments; ++s) {
            float a0 = 2 * Pi * s / segments, a1 = 2 * Pi * (s + 1) / segments;
            auto corner = [&](size_t p, float angle, std::pair<float, float> nn, float u) {
                float cs = std::cos(angle), sn = std::sin(angle);
                return Corner{{profile[p].radius * cs, profile[p].y, profile[p].radius * sn},
                              {nn.first * cs, nn.second, nn.first * sn},
                              u,
                              1 - along[p] / total};
            };
            float u0 = float(s) / segments, u1 = float(s + 1) / segments;
            Corner p00 = corner(i, a0, na, u0), p01 = corner(i, a1, na, u1);
            Corner p10 = corner(i + 1, a0, nb, u0), p11 = corner(i + 1, a1, nb, u1);
            if (profile[i].radius < 1e-6f)
                emit(p00, p11, p10);
            else if (profile[i + 1].radius < 1e-6f)
                emit(p00, p01, p10);
            else
                face(p10, p11, p01, p00);
        }
    }
}

void MeshBuilder::cylinder(float r, float y0, float y1, int segments) {
    lathe({{0, y0}, {r, y0}, {r, y1}, {0, y1}}, segments, false);
}

void MeshBuilder::cone(float r, float y0, float y1, int segments) {
    lathe({{0, y0}, {r, y0}, {0, y1}}, segments, false);
}

void MeshBuilder::sphere(Vec3 centre, Vec3 radii, int segments, int rings) {
    std::vector<ProfilePoint> profile;
    for (int i = 0; i <= rings; ++i) {
        float a = -Pi / 2 + Pi * i / rings;
        profile.push_back({std::cos(a), std::sin(a)});
    }
    profile.front().radius = profile.back().radius = 0;
    Mat4 saved = place;
    place = Scaling(radii) * Translation(centre) * saved;
    lathe(profile, segments, true);
    place = saved;
}

void MeshBuilder::extrude(const std::vector<std::pair<float, float>>& outline, float y0, float y1) {
    size_t n = outline.size();
    if (n < 3) return;
    float minX = outline[0].first, maxX = minX, minZ = outline[0].second, maxZ = minZ;
    for (auto [x, z] : outline)
        minX = std::min(minX, x), maxX = std::max(maxX, x), minZ = std::min(minZ, z),
        maxZ = std::max(maxZ, z);
    auto s = [&](float x) { return (x - minX) / std::max(maxX - minX, 1e-6f); };
    auto t = [&](float z) { return 1 - (z - minZ) / std::max(maxZ - minZ, 1e-6f); };
    // Caps as a fan from the centroid: the outlines used here are star-shaped around it.
    float cx = 0, cz = 0;
    for (auto [x, z] : outline) cx += x, cz += z;
    cx /= n, cz /= n;
    for (size_t i = 0; i < n; ++i) {
        auto [ax, az] = outline[i];
        auto [bx, bz] = outline[(i + 1) % n];
        emit({{cx, y1, cz}, {0, 1, 0}, s(cx), t(cz)}, {{ax, y1, az}, {0, 1, 0}, s(ax), t(az)},
             {{bx, y1, bz}, {0, 1, 0}, s(bx), t(bz)});
        if (y1 - y0 > 1e-6f) {
            emit({{cx, y0, cz}, {0, -1, 0}, s(cx), t(cz)}, {{bx, y0, bz}, {0, -1, 0}, s(bx), t(bz)},
                 {{ax, y0, az}, {0, -1, 0}, s(ax), t(az)});
            Vec3 n2 = Normalize(Cross(Vec3{bx - ax, 0, bz - az}, Vec3{0, 1, 0}));
            // Pick the outward side: away from the centroid.
            if (Dot(n2, Vec3{(ax + bx) / 2 - cx, 0, (az + bz) / 2 - cz}) < 0) n2 = n2 * -1.0f;
            face({{ax, y1, az}, n2, 0, 0}, {{bx, y1, bz}, n2, 1, 0}, {{bx, y0, bz}, n2, 1, 1},
                 {{ax, y0, az}, n2, 0, 1});
        }
    }
}

} // namespace forge
