#include "shapes.h"

#include <cmath>
#include <numbers>

void addDisc(MeshData& mesh, const Vec3& centre, float radius, int sides, float scale)
{
    const float step = 2 * std::numbers::pi_v<float> / sides;
    const Vec3 up{0, 0, 1};
    for (int i = 0; i < sides; ++i) {
        Vec3 a = add(centre, {radius * std::cos(i * step), radius * std::sin(i * step), 0});
        Vec3 b = add(centre, {radius * std::cos((i + 1) * step), radius * std::sin((i + 1) * step), 0});
        addTriangle(mesh, {centre, a, b},
                    {planarTexCoord(centre, up, scale), planarTexCoord(a, up, scale), planarTexCoord(b, up, scale)}, up);
    }
}

void addCylinder(MeshData& mesh, const Vec3& base, float radius, float height, int sides, float scale, bool closedTop)
{
    const float step = 2 * std::numbers::pi_v<float> / sides;
    const float arc = radius * step / scale;
    const float v0 = base.z / scale, v1 = (base.z + height) / scale;
    for (int i = 0; i < sides; ++i) {
        Vec3 d0{std::cos(i * step), std::sin(i * step), 0}, d1{std::cos((i + 1) * step), std::sin((i + 1) * step), 0};
        Vec3 b0 = add(base, times(d0, radius)), b1 = add(base, times(d1, radius));
        Vec3 t0 = add(b0, {0, 0, height}), t1 = add(b1, {0, 0, height});
        addQuad(mesh, {b0, b1, t1, t0}, {{{i * arc, v0}, {(i + 1) * arc, v0}, {(i + 1) * arc, v1}, {i * arc, v1}}},
                add(d0, d1));
    }
    if (closedTop) addDisc(mesh, add(base, {0, 0, height}), radius, sides, scale);
}

void addBeam(MeshData& mesh, const Vec3& from, const Vec3& to, float halfWidth, float zLow, float zHigh, float scale)
{
    Vec3 along = to - from;
    along.z = 0;
    along.normalise();
    Vec3 side{-along.y * halfWidth, along.x * halfWidth, 0};
    Vec3 c[4] = {add(from, times(side, -1)), add(to, times(side, -1)), add(to, side), add(from, side)};
    for (Vec3& p : c) p.z = zLow;
    auto raised = [&](const Vec3& p) { return Vec3{p.x, p.y, zHigh}; };
    for (int k = 0; k < 4; ++k) {
        const Vec3& a = c[k];
        const Vec3& b = c[(k + 1) % 4];
        Vec3 centre = times(add(add(c[0], c[1]), add(c[2], c[3])), 0.25f);
        addPlanarQuad(mesh, {a, b, raised(b), raised(a)}, scale, times(add(a, b), 0.5f) - centre);
    }
    addPlanarQuad(mesh, {raised(c[0]), raised(c[1]), raised(c[2]), raised(c[3])}, scale, {0, 0, 1});
    addPlanarQuad(mesh, {c[0], c[1], c[2], c[3]}, scale, {0, 0, -1});
}

float archTop(const ArchShape& arch) { return arch.springing + arch.span / 2 + arch.pier; }

// Maps arch coordinates (s across the opening, z up, d through it) into the world.
static Vec3 archPoint(const ArchShape& a, float s, float z, float d)
{
    if (a.alongX) return {a.base.x + s, a.base.y + d, a.base.z + z};
    return {a.base.x + d, a.base.y + s, a.base.z + z};
}

static Vec3 archAxis(const ArchShape& a, float s, float d) { return a.alongX ? Vec3{s, d, 0} : Vec3{d, s, 0}; }

// The curved part of both faces and the underside, in slices of the half circle: fewer for
// small arches, and always a multiple of four so that slices end on the 45-degree rays.
static void addArchCurve(MeshData& mesh, const ArchShape& a, float scale)
{
    constexpr float kWideSpan = 60;
    const int steps = a.span >= kWideSpan ? 12 : 8;
    const float r = a.span / 2, half = r + a.pier, h = a.depth / 2;
    for (int i = 0; i < steps; ++i) {
        float t0 = std::numbers::pi_v<float> * i / steps, t1 = std::numbers::pi_v<float> * (i + 1) / steps;
        float c0 = std::cos(t0), s0 = std::sin(t0), c1 = std::cos(t1), s1 = std::sin(t1);
        // The outline point on the block's edge along the same ray from the arch centre.
        float k0 = half / std::max(std::fabs(c0), s0), k1 = half / std::max(std::fabs(c1), s1);
        for (float d : {-h, h}) {
            addPlanarQuad(mesh,
                          {archPoint(a, r * c0, a.springing + r * s0, d), archPoint(a, r * c1, a.springing + r * s1, d),
                           archPoint(a, k1 * c1, a.springing + k1 * s1, d), archPoint(a, k0 * c0, a.springing + k0 * s0, d)},
                          scale, archAxis(a, 0, d));
        }
        Vec3 inward = add(archAxis(a, -(c0 + c1), 0), {0, 0, -(s0 + s1)});
        addPlanarQuad(mesh,
                      {archPoint(a, r * c0, a.springing + r * s0, -h), archPoint(a, r * c1, a.springing + r * s1, -h),
                       archPoint(a, r * c1, a.springing + r * s1, h), archPoint(a, r * c0, a.springing + r * s0, h)},
                      scale, inward);
    }
}

void addArch(MeshData& mesh, const ArchShape& a, float scale)
{
    const float r = a.span / 2, half = r + a.pier, h = a.depth / 2, top = archTop(a);
    for (float side : {-1.0f, 1.0f}) {
        float inner = side * r, outer = side * half;
        for (float d : {-h, h})
            addPlanarQuad(mesh,
                          {archPoint(a, inner, 0, d), archPoint(a, outer, 0, d), archPoint(a, outer, a.springing, d),
                           archPoint(a, inner, a.springing, d)},
                          scale, archAxis(a, 0, d));
        addPlanarQuad(mesh,
                      {archPoint(a, inner, 0, -h), archPoint(a, inner, 0, h), archPoint(a, inner, a.springing, h),
                       archPoint(a, inner, a.springing, -h)},
                      scale, archAxis(a, -side, 0));
        addPlanarQuad(mesh,
                      {archPoint(a, outer, 0, -h), archPoint(a, outer, 0, h), archPoint(a, outer, top, h),
                       archPoint(a, outer, top, -h)},
                      scale, archAxis(a, side, 0));
    }
    addPlanarQuad(mesh,
                  {archPoint(a, -half, top, -h), archPoint(a, half, top, -h), archPoint(a, half, top, h),
                   archPoint(a, -half, top, h)},
                  scale, {0, 0, 1});
    addArchCurve(mesh, a, scale);
}

void addTorus(MeshData& mesh, const Vec3& centre, float radius, float tube, int rings, int sides, float repeats)
{
    const float tau = 2 * std::numbers::pi_v<float>;
    auto point = [&](int i, int j) {
        float phi = tau * i / rings, theta = tau * j / sides;
        float reach = radius + tube * std::cos(theta);
        return add(centre, {reach * std::cos(phi), tube * std::sin(theta), reach * std::sin(phi)});
    };
    for (int i = 0; i < rings; ++i)
        for (int j = 0; j < sides; ++j) {
            float phi = tau * (i + 0.5f) / rings;
            Vec3 tubeCentre = add(centre, {radius * std::cos(phi), 0, radius * std::sin(phi)});
            std::array<Vec3, 4> p{point(i, j), point(i + 1, j), point(i + 1, j + 1), point(i, j + 1)};
            float u0 = repeats * i / rings, u1 = repeats * (i + 1) / rings;
            float v0 = float(j) / sides, v1 = float(j + 1) / sides;
            Vec3 mid = times(add(add(p[0], p[1]), add(p[2], p[3])), 0.25f);
            addQuad(mesh, p, {{{u0, v0}, {u1, v0}, {u1, v1}, {u0, v1}}}, mid - tubeCentre);
        }
}

void addHeightfield(MeshData& mesh, float x0, float y0, float x1, float y1, int cellsX, int cellsY,
                    const std::function<float(float, float)>& height, float scale)
{
    const uint16_t first = static_cast<uint16_t>(mesh.positions.size());
    for (int j = 0; j <= cellsY; ++j)
        for (int i = 0; i <= cellsX; ++i) {
            float x = x0 + (x1 - x0) * i / cellsX, y = y0 + (y1 - y0) * j / cellsY;
            mesh.positions.push_back({x, y, height(x, y)});
            mesh.texCoords.push_back({x / scale, y / scale});
        }
    auto at = [&](int i, int j) { return static_cast<uint16_t>(first + j * (cellsX + 1) + i); };
    for (int j = 0; j < cellsY; ++j)
        for (int i = 0; i < cellsX; ++i) {
            // Counter-clockwise seen from above, so the faces look up.
            mesh.faces.push_back({at(i, j), at(i + 1, j), at(i + 1, j + 1)});
            mesh.faces.push_back({at(i, j), at(i + 1, j + 1), at(i, j + 1)});
        }
}

void addGableRoof(MeshData& mesh, const Vec3& lo, const Vec3& hi, float ridgeHeight, bool ridgeAlongX, float scale)
{
    // Roof coordinates: a along the ridge, b across it.
    auto at = [&](float a, float b, float z) { return ridgeAlongX ? Vec3{a, b, z} : Vec3{b, a, z}; };
    float a0 = ridgeAlongX ? lo.x : lo.y, a1 = ridgeAlongX ? hi.x : hi.y;
    float b0 = ridgeAlongX ? lo.y : lo.x, b1 = ridgeAlongX ? hi.y : hi.x;
    float bm = (b0 + b1) / 2, top = lo.z + ridgeHeight;
    Vec3 r0 = at(a0, bm, top), r1 = at(a1, bm, top);
    addPlanarQuad(mesh, {at(a0, b0, lo.z), at(a1, b0, lo.z), r1, r0}, scale, add(at(0, -1, 0), {0, 0, 1}));
    addPlanarQuad(mesh, {at(a0, b1, lo.z), at(a1, b1, lo.z), r1, r0}, scale, add(at(0, 1, 0), {0, 0, 1}));
    for (float a : {a0, a1}) {
        Vec3 outward = at(a == a0 ? -1.0f : 1.0f, 0, 0);
        std::array<Vec3, 3> p{at(a, b0, lo.z), at(a, b1, lo.z), at(a, bm, top)};
        addTriangle(mesh, p,
                    {planarTexCoord(p[0], outward, scale), planarTexCoord(p[1], outward, scale),
                     planarTexCoord(p[2], outward, scale)},
                    outward);
    }
}
