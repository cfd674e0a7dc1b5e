#include "scene_json.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kShortEscapes[][2] = {
    {"\"", "\\\""}, {"\\", "\\\\"}, {"\b", "\\b"}, {"\f", "\\f"},
    {"\n", "\\n"},  {"\r", "\\r"},  {"\t", "\\t"},
};

void appendEscaped(std::string& out, unsigned char c)
{
    for (const auto& escape : kShortEscapes)
        if (static_cast<unsigned char>(escape[0][0]) == c) {
            out += escape[1];
            return;
        }
    if (c < 0x20 || c >= 0x7F) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\u%04x", c);
        out += hex;
        return;
    }
    out += static_cast<char>(c);
}

std::string floats(const float* values, int count)
{
    std::string out = "[";
    for (int i = 0; i < count; ++i) {
        if (i) out += ',';
        out += jsonFloat(values[i]);
    }
    return out + "]";
}

std::string vec(const Vec3& v)
{
    const float xyz[3] = {v.x, v.y, v.z};
    return floats(xyz, 3);
}

std::string materialJson(const Material& m)
{
    return "{\"number\":" + std::to_string(m.number) + ",\"name\":" + jsonName(m.name) +
           ",\"mapName\":" + jsonName(m.mapName) + ",\"ambient\":" + floats(m.ambientColour, 3) +
           ",\"diffuse\":" + floats(m.diffuseColour, 3) +
           ",\"specular\":" + floats(m.specularColour, 3) + "}";
}

std::string cornersJson(const Mesh& mesh)
{
    std::string out = ",\"corners\":[";
    for (int k = 0; k < mesh.cornerCount; ++k) {
        const MeshCorner& c = mesh.corners[k];
        const float values[8] = {c.position.x, c.position.y, c.position.z, c.normal.x,
                                 c.normal.y,   c.normal.z,   c.u,          c.v};
        if (k) out += ',';
        out += floats(values, 8);
    }
    return out + "]";
}

std::string meshJson(const Mesh& mesh, bool corners)
{
    std::string out = "{\"name\":" + jsonName(mesh.name) +
                      ",\"faceCount\":" + jsonFloat(mesh.faceCount) +
                      ",\"cornerCount\":" + jsonFloat(mesh.cornerCount) +
                      ",\"origin\":" + floats(mesh.localFrame[3], 3) + ",\"faceMaterials\":[";
    for (int j = 0; j < mesh.faceCount; ++j) {
        if (j) out += ',';
        out += std::to_string(mesh.faceMaterials[j]);
    }
    out += "]";
    if (corners) out += cornersJson(mesh);
    return out + "}";
}

std::string lightJson(const SceneLight& light)
{
    return "{\"name\":" + jsonName(light.name) + ",\"kind\":" + std::to_string(light.kind) +
           ",\"position\":" + vec(light.position) +
           ",\"spotTarget\":" + (light.kind == kSpotLight ? vec(light.spotTarget) : "null") +
           ",\"hotspot\":" + jsonFloat(light.hotspot) + ",\"falloff\":" + jsonFloat(light.falloff) +
           ",\"colour\":" + floats(light.lightColours[0], 4) + "}";
}

std::string cameraJson(const SceneCamera& camera)
{
    return "{\"name\":" + jsonName(camera.name) + ",\"eye\":" + vec(camera.eye) +
           ",\"target\":" + vec(camera.target) + ",\"lens\":" + jsonFloat(camera.lens) +
           ",\"bank\":" + jsonFloat(camera.bank) + "}";
}

// One JSON array over a scene list, walked as far as its float count reaches.
template <typename Record, typename Format>
std::string listJson(const Record* head, float count, Format format)
{
    std::string out = "[";
    int i = 0;
    for (const Record* r = head; r && i < count; r = r->next, ++i) {
        if (i) out += ',';
        out += format(*r);
    }
    return out + "]";
}

}  // namespace

std::string jsonName(const char (&name)[kNameSize])
{
    std::string out = "\"";
    for (size_t i = 0; i < strnlen(name, kNameSize); ++i)
        appendEscaped(out, static_cast<unsigned char>(name[i]));
    return out + "\"";
}

std::string jsonFloat(float value)
{
    if (!std::isfinite(value)) return "null";
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

std::string sceneJson(const Scene& scene, bool corners)
{
    return "{\"materials\":" + listJson(scene.materials, scene.materialCount, materialJson) +
           ",\"meshes\":" +
           listJson(scene.meshes, scene.meshCount,
                    [corners](const Mesh& m) { return meshJson(m, corners); }) +
           ",\"lights\":" + listJson(scene.lights, scene.lightCount, lightJson) +
           ",\"cameras\":" + listJson(scene.cameras, scene.cameraCount, cameraJson) + "}";
}
