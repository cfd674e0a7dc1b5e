#include "mesh_builder.h"

#include <algorithm>
#include <cmath>

Vec3 add(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }

Vec3 times(const Vec3& a, float k) { return {a.x * k, a.y * k, a.z * k}; }

float dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// The same orientation rule as the loader's: (a - b) x (a - c).
Vec3 faceNormal(const Vec3& a, const Vec3& b, const Vec3& c) { return cross(a - b, a - c); }

TexCoord planarTexCoord(const Vec3& p, const Vec3& normal, float scale)
{
    float ax = std::fabs(normal.x), ay = std::fabs(normal.y), az = std::fabs(normal.z);
    if (az >= ax && az >= ay) return {p.x / scale, p.y / scale};
    if (ax >= ay) return {p.y / scale, p.z / scale};
    return {p.x / scale, p.z / scale};
}

static uint16_t addVertex(MeshData& mesh, const Vec3& p, const TexCoord& uv)
{
    mesh.positions.push_back(p);
    mesh.texCoords.push_back(uv);
    return static_cast<uint16_t>(mesh.positions.size() - 1);
}

void addTriangle(MeshData& mesh, const std::array<Vec3, 3>& p, const std::array<TexCoord, 3>& uv, const Vec3& outward)
{
    uint16_t a = addVertex(mesh, p[0], uv[0]);
    uint16_t b = addVertex(mesh, p[1], uv[1]);
    uint16_t c = addVertex(mesh, p[2], uv[2]);
    if (dot(faceNormal(p[0], p[1], p[2]), outward) < 0) std::swap(b, c);
    mesh.faces.push_back({a, b, c});
}

void addQuad(MeshData& mesh, const std::array<Vec3, 4>& p, const std::array<TexCoord, 4>& uv, const Vec3& outward)
{
    bool flip = dot(faceNormal(p[0], p[1], p[2]), outward) < 0;
    uint16_t i[4];
    for (int k = 0; k < 4; ++k) i[k] = addVertex(mesh, p[k], uv[k]);
    if (flip) {
        mesh.faces.push_back({i[0], i[2], i[1]});
        mesh.faces.push_back({i[0], i[3], i[2]});
    } else {
        mesh.faces.push_back({i[0], i[1], i[2]});
        mesh.faces.push_back({i[0], i[2], i[3]});
    }
}

void addPlanarQuad(MeshData& mesh, const std::array<Vec3, 4>& p, float scale, const Vec3& outward)
{
    std::array<TexCoord, 4> uv;
    for (int k = 0; k < 4; ++k) uv[k] = planarTexCoord(p[k], outward, scale);
    addQuad(mesh, p, uv, outward);
}

void addBox(MeshData& mesh, const Vec3& lo, const Vec3& hi, float scale, bool withTop)
{
    Vec3 c[8];
    for (int k = 0; k < 8; ++k) c[k] = {(k & 1) ? hi.x : lo.x, (k & 2) ? hi.y : lo.y, (k & 4) ? hi.z : lo.z};
    addPlanarQuad(mesh, {c[0], c[1], c[5], c[4]}, scale, {0, -1, 0});
    addPlanarQuad(mesh, {c[3], c[2], c[6], c[7]}, scale, {0, 1, 0});
    addPlanarQuad(mesh, {c[2], c[0], c[4], c[6]}, scale, {-1, 0, 0});
    addPlanarQuad(mesh, {c[1], c[3], c[7], c[5]}, scale, {1, 0, 0});
    if (withTop) addPlanarQuad(mesh, {c[4], c[5], c[7], c[6]}, scale, {0, 0, 1});
}

// Corner k of a square of half size h around centre, counter-clockwise from (-h, -h).
static Vec3 squareCorner(const Vec3& centre, float h, int k)
{
    static const float kSigns[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    return {centre.x + kSigns[k][0] * h, centre.y + kSigns[k][1] * h, centre.z};
}

void addTaperedBlock(MeshData& mesh, const Vec3& baseCentre, float baseHalf, float topHalf, float height, float scale)
{
    Vec3 topCentre = add(baseCentre, {0, 0, height});
    for (int k = 0; k < 4; ++k) {
        Vec3 b0 = squareCorner(baseCentre, baseHalf, k), b1 = squareCorner(baseCentre, baseHalf, (k + 1) % 4);
        Vec3 t0 = squareCorner(topCentre, topHalf, k), t1 = squareCorner(topCentre, topHalf, (k + 1) % 4);
        Vec3 mid = times(add(b0, b1), 0.5f);
        addPlanarQuad(mesh, {b0, b1, t1, t0}, scale, mid - baseCentre);
    }
    addPlanarQuad(mesh, {squareCorner(topCentre, topHalf, 0), squareCorner(topCentre, topHalf, 1),
                         squareCorner(topCentre, topHalf, 2), squareCorner(topCentre, topHalf, 3)},
                  scale, {0, 0, 1});
}

void addPyramid(MeshData& mesh, const Vec3& baseCentre, float baseHalf, float height, float scale)
{
    Vec3 apex = add(baseCentre, {0, 0, height});
    for (int k = 0; k < 4; ++k) {
        Vec3 b0 = squareCorner(baseCentre, baseHalf, k), b1 = squareCorner(baseCentre, baseHalf, (k + 1) % 4);
        Vec3 outward = times(add(b0, b1), 0.5f) - baseCentre;
        addTriangle(mesh, {b0, b1, apex},
                    {planarTexCoord(b0, outward, scale), planarTexCoord(b1, outward, scale),
                     planarTexCoord(apex, outward, scale)},
                    outward);
    }
}

void placeOriginAtBase(MeshData& mesh)
{
    if (mesh.positions.empty()) return;
    Vec3 lo = mesh.positions[0], hi = lo;
    for (const Vec3& p : mesh.positions) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
    mesh.origin = {(lo.x + hi.x) / 2, (lo.y + hi.y) / 2, lo.z};
}
