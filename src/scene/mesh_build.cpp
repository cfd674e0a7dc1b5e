#include "scene/mesh_build.h"

#include <cmath>
#include <cstring>

#include "scene/append_copy.h"

namespace {

// A face that names a vertex the list does not have is dropped from the mesh.
bool faceFits(const Face& face, size_t vertexCount)
{
    for (uint32_t index : face.corner)
        if (index >= vertexCount) return false;
    return true;
}

// Collinear corners (or non-finite positions) give no direction: the normal is then zero, not NaN.
Vec3 unitOrZero(Vec3 n)
{
    const double length = n.length();
    if (!(length > 0.0) || !std::isfinite(length) || static_cast<float>(length) == 0.0f)
        return {0.0f, 0.0f, 0.0f};
    n.normalise();
    return n;
}

// Entry j of the face-material list belongs to face j. Faces past the end of a short list take
// the list's last material, and with no list at all material 0.
int32_t materialOfFace(const LoaderState& state, size_t face)
{
    if (face < state.faceMaterials.size()) return state.faceMaterials[face].material;
    if (!state.faceMaterials.empty()) return state.faceMaterials.back().material;
    return 0;
}

}  // namespace

void computeNormals(LoaderState& state)
{
    std::vector<MeshCorner>& v = state.vertices;
    for (const Face& face : state.faces) {
        if (!faceFits(face, v.size())) continue;
        const Vec3 a = v[face.corner[0]].position;
        const Vec3 b = v[face.corner[1]].position;
        const Vec3 c = v[face.corner[2]].position;
        const Vec3 n = unitOrZero(cross(a - b, a - c));
        v[face.corner[2]].normal = n;
        v[face.corner[1]].normal = n;
        v[face.corner[0]].normal = n;
    }
}

void buildMesh(LoaderState& state, const char (&name)[kNameSize], Scene& scene, Mesh*& lastMesh)
{
    // Vertices past the end of a short mapping list get u, v of 0.
    for (size_t j = 0; j < state.vertices.size(); ++j) {
        const TexCoord uv = j < state.mapping.size() ? state.mapping[j] : TexCoord{0.0f, 0.0f};
        state.vertices[j].u = uv.u;
        state.vertices[j].v = uv.v;
    }
    size_t kept = 0;
    for (const Face& face : state.faces) kept += faceFits(face, state.vertices.size());

    Mesh mesh{};
    mesh.faceCount = static_cast<float>(kept);
    mesh.cornerCount = static_cast<float>(3 * kept);
    std::memcpy(mesh.name, name, kNameSize);
    std::memcpy(mesh.localFrame, state.localFrame, sizeof mesh.localFrame);
    mesh.corners = kept ? new MeshCorner[3 * kept] : nullptr;
    mesh.faceMaterials = kept ? new int32_t[kept] : nullptr;
    size_t k = 0;
    for (size_t f = 0; f < state.faces.size(); ++f) {
        const Face& face = state.faces[f];
        if (!faceFits(face, state.vertices.size())) continue;
        for (int i = 0; i < 3; ++i) mesh.corners[3 * k + i] = state.vertices[face.corner[i]];
        mesh.faceMaterials[k] = materialOfFace(state, f);
        ++k;
    }
    appendCopyAfter(scene.meshes, lastMesh, scene.meshCount, mesh);
}

void recentreMeshes(Scene& scene)
{
    Mesh* mesh = scene.meshes;
    for (int i = 0; i < scene.meshCount && mesh; ++i, mesh = mesh->next) {
        const Vec3 origin{mesh->localFrame[3][0], mesh->localFrame[3][1], mesh->localFrame[3][2]};
        for (int k = 0; k < mesh->cornerCount; ++k)
            mesh->corners[k].position = mesh->corners[k].position - origin;
    }
}
