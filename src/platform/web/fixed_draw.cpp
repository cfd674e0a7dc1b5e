// drawVertices: the fixed-function state handed to the one program, the vertices to one buffer.
#include <GLES2/gl2.h>
#include <webgl/webgl1.h>

#include <cstddef>

#include "platform/web/fixed_function.h"
#include "platform/web/fixed_shader.h"

namespace {

constexpr uint32_t kQuads = 0x0007;  // GL_QUADS, which WebGL lacks
constexpr uint32_t kLinearFog = 0x2601, kExp2Fog = 0x0801;  // and GL_EXP, the start value

struct AttributeLayout {
    int size;
    size_t offset;
};
const AttributeLayout kLayout[4] = {
    {4, offsetof(FixedVertex, position)},
    {4, offsetof(FixedVertex, colour)},
    {3, offsetof(FixedVertex, normal)},
    {2, offsetof(FixedVertex, texCoord)},
};

// Each quad as the two triangles 0 1 3 and 1 2 3, as Mesa splits them: the show's light markers are
// twisted quads, which look different split along the other diagonal.
std::vector<FixedVertex> quadTriangles(const std::vector<FixedVertex>& quads)
{
    constexpr int kCorners[6] = {0, 1, 3, 1, 2, 3};
    std::vector<FixedVertex> triangles;
    triangles.reserve(quads.size() / 4 * 6);
    for (size_t q = 0; q + 4 <= quads.size(); q += 4)
        for (int corner : kCorners) triangles.push_back(quads[q + corner]);
    return triangles;
}

int fogModeNumber(const FogState& fog)
{
    if (!fog.enabled) return 0;
    if (fog.mode == kLinearFog) return 1;
    return fog.mode == kExp2Fog ? 3 : 2;
}

void setUniforms(const FixedFunctionState& s)
{
    const FixedProgram& gl = s.gl;
    glUniformMatrix4fv(gl.modelView, 1, GL_FALSE, s.modelView.back().m);
    glUniformMatrix4fv(gl.projection, 1, GL_FALSE, s.projection.back().m);
    float normals[9];
    normalMatrix(s.modelView.back(), normals);
    glUniformMatrix3fv(gl.normals, 1, GL_FALSE, normals);
    glUniform1f(gl.pointSize, s.pointSize);
    glUniform1i(gl.lighting, s.lighting);
    glUniform1i(gl.light0, (s.lightsOn & 1) != 0);
    // Texture 0 has no image: GL 1.1 then draws as if texturing were off, where WebGL would sample black.
    glUniform1i(gl.textured, s.texturing && s.boundTexture != 0);
    glUniform1i(gl.sampler, 0);
    glUniform1i(gl.fogMode, fogModeNumber(s.fog));
    glUniform1f(gl.fogDensity, s.fog.density);
    glUniform1f(gl.fogStart, s.fog.start);
    glUniform1f(gl.fogEnd, s.fog.end);
    glUniform4fv(gl.fogColour, 1, s.fog.colour);
}

void bindVertices(const FixedProgram& gl, const std::vector<FixedVertex>& vertices)
{
    glBindBuffer(GL_ARRAY_BUFFER, gl.buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(FixedVertex)), vertices.data(),
                 GL_STREAM_DRAW);
    for (int i = 0; i < 4; ++i) {
        if (gl.attributes[i] < 0) continue;
        glEnableVertexAttribArray(gl.attributes[i]);
        glVertexAttribPointer(gl.attributes[i], kLayout[i].size, GL_FLOAT, GL_FALSE, sizeof(FixedVertex),
                              reinterpret_cast<const void*>(kLayout[i].offset));
    }
}

// Built on the first draw in a context, tried once.
bool programReady(FixedProgram& gl)
{
    if (gl.program || gl.broken) return gl.program != 0;
    gl.broken = !buildFixedProgram(gl);
    return !gl.broken;
}

}  // namespace

void drawVertices(FixedFunctionState& s, uint32_t mode, const std::vector<FixedVertex>& vertices)
{
    if (!programReady(s.gl)) return;
    std::vector<FixedVertex> triangles;
    if (mode == kQuads) triangles = quadTriangles(vertices);
    const std::vector<FixedVertex>& sent = mode == kQuads ? triangles : vertices;
    if (sent.empty()) return;
    glUseProgram(s.gl.program);
    setUniforms(s);
    bindVertices(s.gl, sent);
    emscripten_glDrawArrays(mode == kQuads ? GL_TRIANGLES : mode, 0, static_cast<GLsizei>(sent.size()));
}
