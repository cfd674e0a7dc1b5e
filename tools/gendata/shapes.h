#pragma once

#include <functional>

#include "mesh_builder.h"

// Round and curved parts, built from the triangles and quads of mesh_builder.

// A flat round disc facing up, as a fan of `sides` triangles.
void addDisc(MeshData& mesh, const Vec3& centre, float radius, int sides, float scale);

// An upright cylinder with `sides` faces; the top is closed when asked for.
void addCylinder(MeshData& mesh, const Vec3& base, float radius, float height, int sides, float scale, bool closedTop);

// A closed beam of square-cut section from `from` to `to` in plan, between heights zLow and zHigh.
void addBeam(MeshData& mesh, const Vec3& from, const Vec3& to, float halfWidth, float zLow, float zHigh, float scale);

// One arch: two pillars carrying a round arch, in a block whose top lies as far above the
// springing line as the block's half width, so the corners meet the arch's 45-degree rays.
struct ArchShape {
    Vec3 base;          // centre of the opening at ground level
    bool alongX;        // the opening spans x (the arch faces along y) or spans y
    float span;         // width of the opening
    float pier;         // width of each pillar
    float springing;    // height of the pillars, where the arch begins
    float depth;        // thickness of the block through the opening
};
void addArch(MeshData& mesh, const ArchShape& arch, float scale);
// Height of the arch block's flat top above its base.
float archTop(const ArchShape& arch);

// A ring standing upright in the x-z plane, `rings` x `sides` quads.
void addTorus(MeshData& mesh, const Vec3& centre, float radius, float tube, int rings, int sides, float repeats);

// A terrain grid over [x0, x1] x [y0, y1] with cells x cells, heights from height(x, y).
void addHeightfield(MeshData& mesh, float x0, float y0, float x1, float y1, int cellsX, int cellsY,
                    const std::function<float(float, float)>& height, float scale);

// A gabled roof over the block lo..hi (lo.z is the eaves), ridge along x or along y.
void addGableRoof(MeshData& mesh, const Vec3& lo, const Vec3& hi, float ridgeHeight, bool ridgeAlongX, float scale);
