#include "platform/web/fixed_function.h"

#include <algorithm>
#include <cstring>

namespace {

// Global: GL calls carry no context record; the page has one context, and this is its state.
FixedFunctionState state;

// Element `index` of a float client array, `count` floats of it into `out`.
void readElement(const ClientArray& array, int index, float* out, int count)
{
    int stride = array.stride ? array.stride : array.size * static_cast<int>(sizeof(float));
    const auto* bytes = static_cast<const unsigned char*>(array.pointer) + static_cast<size_t>(index) * stride;
    std::memcpy(out, bytes, sizeof(float) * std::min(count, array.size));
}

}  // namespace

FixedFunctionState& fixedFunction() { return state; }

void resetFixedFunction() { state = FixedFunctionState{}; }

std::vector<Matrix4>& currentStack(FixedFunctionState& s)
{
    constexpr uint32_t kProjection = 0x1701, kTexture = 0x1702;
    if (s.matrixMode == kProjection) return s.projection;
    return s.matrixMode == kTexture ? s.texture : s.modelView;
}

void multiplyCurrent(FixedFunctionState& s, const Matrix4& by)
{
    Matrix4& current = currentStack(s).back();
    current = multiply(current, by);
}

FixedVertex currentVertex(const FixedFunctionState& s, float x, float y, float z)
{
    FixedVertex v{{x, y, z, 1.0f}, {}, {}, {}};
    std::copy_n(s.colour, 4, v.colour);
    std::copy_n(s.normal, 3, v.normal);
    std::copy_n(s.texCoord, 2, v.texCoord);
    return v;
}

std::vector<FixedVertex> arrayVertices(const FixedFunctionState& s, int first, int count)
{
    std::vector<FixedVertex> vertices;
    if (!s.vertices.enabled || !s.vertices.pointer || count <= 0) return vertices;
    vertices.reserve(count);
    for (int i = first; i < first + count; ++i) {
        FixedVertex v = currentVertex(s, 0.0f, 0.0f, 0.0f);
        readElement(s.vertices, i, v.position, 4);
        if (s.colours.enabled) {
            readElement(s.colours, i, v.colour, 4);
            if (s.colours.size == 3) v.colour[3] = 1.0f;
        }
        if (s.normals.enabled) readElement(s.normals, i, v.normal, 3);
        if (s.texCoords.enabled) readElement(s.texCoords, i, v.texCoord, 2);
        vertices.push_back(v);
    }
    return vertices;
}
