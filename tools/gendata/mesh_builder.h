#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "scene/vec3.h"

struct TexCoord {
    float u, v;
};

// One triangle mesh as the .3DS file stores it: world-space vertices with their
// texture coordinates, faces as vertex index triples, one material for the whole mesh.
struct MeshData {
    std::string name;  // at most 11 characters: the file keeps no more
    int material = 0;
    Vec3 origin{0, 0, 0};  // pivot written as the mesh's local origin
    std::vector<Vec3> positions;
    std::vector<TexCoord> texCoords;
    std::vector<std::array<uint16_t, 3>> faces;
};

Vec3 add(const Vec3& a, const Vec3& b);
Vec3 times(const Vec3& a, float k);
float dot(const Vec3& a, const Vec3& b);
Vec3 faceNormal(const Vec3& a, const Vec3& b, const Vec3& c);

// Texture coordinates from world position, projected along the face's main axis, so that
// neighbouring faces continue the same pattern; `scale` is world units per texture repeat.
TexCoord planarTexCoord(const Vec3& p, const Vec3& normal, float scale);

// Triangles and quads are turned, when needed, so that their front faces `outward`.
void addTriangle(MeshData& mesh, const std::array<Vec3, 3>& p, const std::array<TexCoord, 3>& uv, const Vec3& outward);
void addQuad(MeshData& mesh, const std::array<Vec3, 4>& p, const std::array<TexCoord, 4>& uv, const Vec3& outward);
void addPlanarQuad(MeshData& mesh, const std::array<Vec3, 4>& p, float scale, const Vec3& outward);

// An axis-aligned block from lo to hi; its bottom is left open (it stands on something),
// and so is its top when a roof of another material covers it.
void addBox(MeshData& mesh, const Vec3& lo, const Vec3& hi, float scale, bool withTop = true);
// A block whose top rectangle is smaller than its base, both centred on the same axis.
void addTaperedBlock(MeshData& mesh, const Vec3& baseCentre, float baseHalf, float topHalf, float height, float scale);
// A four-sided pyramid on a square base.
void addPyramid(MeshData& mesh, const Vec3& baseCentre, float baseHalf, float height, float scale);
// The mesh's pivot: the centre of its footprint at its lowest point.
void placeOriginAtBase(MeshData& mesh);
