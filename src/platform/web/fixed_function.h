#pragma once

#include <cstdint>
#include <vector>

#include "platform/web/gl_matrix.h"

// What the show needs of GL 1.1's fixed-function pipeline, kept beside a WebGL context: matrix
// stacks, the current colour, normal and texture coordinate, immediate mode and client arrays,
// texturing with GL_MODULATE, the three fog modes, points of a size, and lighting with the GL's
// default lights and material (the show switches lighting but sets no light). The GL entry points
// (gl_entry_points.cpp) fill it; drawVertices hands it to WebGL.

// One vertex as the shader takes it.
struct FixedVertex {
    float position[4];
    float colour[4];
    float normal[3];
    float texCoord[2];
};

// A client array as glVertexPointer and its kin describe it (floats only, as the show sends).
struct ClientArray {
    bool enabled = false;
    int size = 0;
    int stride = 0;  // bytes between elements; 0: tightly packed
    const void* pointer = nullptr;
};

struct FogState {
    bool enabled = false;
    uint32_t mode = 0x0800;  // GL_EXP
    float density = 1.0f;
    float start = 0.0f;
    float end = 1.0f;
    float colour[4] = {0.0f, 0.0f, 0.0f, 0.0f};
};

// The WebGL objects, made on the first draw in a context.
struct FixedProgram {
    uint32_t program = 0;
    bool broken = false;  // WebGL refused the program: nothing is drawn, and that is said once
    uint32_t buffer = 0;
    int attributes[4] = {-1, -1, -1, -1};  // position, colour, normal, texture coordinate
    int modelView = -1, projection = -1, normals = -1, pointSize = -1;
    int lighting = -1, light0 = -1, textured = -1, sampler = -1;
    int fogMode = -1, fogDensity = -1, fogStart = -1, fogEnd = -1, fogColour = -1;
};

constexpr int kMatrixStackDepth = 32;  // GL 1.1 guarantees 32 model-view and 2 projection entries

struct FixedFunctionState {
    std::vector<Matrix4> modelView{identityMatrix()};  // the stacks, current matrix last
    std::vector<Matrix4> projection{identityMatrix()};
    std::vector<Matrix4> texture{identityMatrix()};  // kept, not applied: the show has no texture matrix
    uint32_t matrixMode = 0x1700;  // GL_MODELVIEW: the stack the matrix calls work on
    float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float normal[3] = {0.0f, 0.0f, 1.0f};
    float texCoord[2] = {0.0f, 0.0f};
    bool texturing = false;
    uint32_t boundTexture = 0;
    bool lighting = false;
    uint32_t lightsOn = 0;  // bit i: GL_LIGHT0 + i
    FogState fog;
    float pointSize = 1.0f;
    ClientArray vertices, normals, texCoords, colours;
    int beginMode = -1;  // inside glBegin: its primitive
    std::vector<FixedVertex> batch;
    FixedProgram gl;
};

// The one state of the page's one GL context.
FixedFunctionState& fixedFunction();
// A new context starts with the GL's start values and makes its own WebGL objects.
void resetFixedFunction();

std::vector<Matrix4>& currentStack(FixedFunctionState& state);
// Multiplies the current matrix by `by`, as glMultMatrix does.
void multiplyCurrent(FixedFunctionState& state, const Matrix4& by);

// A vertex from the current colour, normal and texture coordinate.
FixedVertex currentVertex(const FixedFunctionState& state, float x, float y, float z);
// The vertices of glDrawArrays' range from the enabled client arrays, current values elsewhere.
std::vector<FixedVertex> arrayVertices(const FixedFunctionState& state, int first, int count);
// Draws primitives of `mode` (quads included) with the state's matrices, texturing, lighting and fog.
void drawVertices(FixedFunctionState& state, uint32_t mode, const std::vector<FixedVertex>& vertices);
