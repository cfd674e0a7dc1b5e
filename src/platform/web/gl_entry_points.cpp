// The GL 1.1 and GLU calls of the show, over WebGL: what WebGL has goes straight on (through
// emscripten's emscripten_gl* names where this file defines the gl* name itself), and what it
// lacks is kept in the fixed-function state and drawn by drawVertices.
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <iterator>

#include "platform/web/fixed_function.h"

extern "C" {
void emscripten_glEnable(GLenum cap);
void emscripten_glDisable(GLenum cap);
GLboolean emscripten_glIsEnabled(GLenum cap);
void emscripten_glHint(GLenum target, GLenum mode);
void emscripten_glBindTexture(GLenum target, GLuint texture);
void emscripten_glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                             GLint border, GLenum format, GLenum type, const void* pixels);
void emscripten_glClearDepthf(GLfloat depth);
}

namespace {

constexpr int kLights = 8;

FixedFunctionState& gl() { return fixedFunction(); }

// The capabilities WebGL lacks, as flags of the state; null for the ones WebGL has.
bool* fixedCapability(GLenum cap)
{
    FixedFunctionState& s = gl();
    switch (cap) {
    case GL_FOG: return &s.fog.enabled;
    case GL_TEXTURE_2D: return &s.texturing;
    case GL_LIGHTING: return &s.lighting;
    default: return nullptr;
    }
}

bool isLight(GLenum cap) { return cap >= GL_LIGHT0 && cap < GL_LIGHT0 + kLights; }

void setCapability(GLenum cap, bool on)
{
    if (bool* flag = fixedCapability(cap)) {
        *flag = on;
    } else if (isLight(cap)) {
        uint32_t bit = 1u << (cap - GL_LIGHT0);
        gl().lightsOn = on ? gl().lightsOn | bit : gl().lightsOn & ~bit;
    } else if (cap != GL_COLOR_LOGIC_OP) {
        on ? emscripten_glEnable(cap) : emscripten_glDisable(cap);
    }
}

ClientArray* clientArray(GLenum array)
{
    FixedFunctionState& s = gl();
    switch (array) {
    case GL_VERTEX_ARRAY: return &s.vertices;
    case GL_NORMAL_ARRAY: return &s.normals;
    case GL_TEXTURE_COORD_ARRAY: return &s.texCoords;
    case GL_COLOR_ARRAY: return &s.colours;
    default: return nullptr;
    }
}

// Only float arrays, as the show sends; others are left as they were.
void setPointer(ClientArray& array, GLint size, GLenum type, GLsizei stride, const void* pointer)
{
    if (type != GL_FLOAT) return;
    array.size = size;
    array.stride = stride;
    array.pointer = pointer;
}

void setColour(float r, float g, float b, float a)
{
    const float colour[4] = {r, g, b, a};
    std::copy_n(colour, 4, gl().colour);
}

void addVertex(float x, float y, float z)
{
    if (gl().beginMode >= 0) gl().batch.push_back(currentVertex(gl(), x, y, z));
}

// WebGL names the internal format as the pixels are; GL 1.1 also takes a count or a sized format.
GLint webglInternalFormat(GLint internalFormat)
{
    switch (internalFormat) {
    case 3: case GL_RGB8: return GL_RGB;
    case 4: case GL_RGBA8: return GL_RGBA;
    default: return internalFormat;
    }
}

}  // namespace

extern "C" {

void glMatrixMode(GLenum mode) { gl().matrixMode = mode; }
void glLoadIdentity() { currentStack(gl()).back() = identityMatrix(); }
void glPushMatrix()
{
    std::vector<Matrix4>& stack = currentStack(gl());
    if (stack.size() < kMatrixStackDepth) stack.push_back(stack.back());
}
void glPopMatrix()
{
    std::vector<Matrix4>& stack = currentStack(gl());
    if (stack.size() > 1) stack.pop_back();
}
void glMultMatrixf(const GLfloat* m)
{
    Matrix4 by;
    std::copy_n(m, 16, by.m);
    multiplyCurrent(gl(), by);
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { multiplyCurrent(gl(), translation(x, y, z)); }
void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar)
{
    multiplyCurrent(gl(), orthographic(left, right, bottom, top, zNear, zFar));
}
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    multiplyCurrent(gl(), perspective(fovy, aspect, zNear, zFar));
}
void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centreX, GLdouble centreY, GLdouble centreZ,
               GLdouble upX, GLdouble upY, GLdouble upZ)
{
    const double eye[3] = {eyeX, eyeY, eyeZ}, centre[3] = {centreX, centreY, centreZ}, up[3] = {upX, upY, upZ};
    multiplyCurrent(gl(), lookAt(eye, centre, up));
}

void glEnable(GLenum cap) { setCapability(cap, true); }
void glDisable(GLenum cap) { setCapability(cap, false); }
GLboolean glIsEnabled(GLenum cap)
{
    if (bool* flag = fixedCapability(cap)) return *flag;
    if (isLight(cap)) return (gl().lightsOn >> (cap - GL_LIGHT0)) & 1;
    return cap == GL_COLOR_LOGIC_OP ? GL_FALSE : emscripten_glIsEnabled(cap);
}

void glHint(GLenum target, GLenum mode)
{
    // The quality hints of GL 1.1 are WebGL errors; the shader does its best anyway.
    const GLenum kFixedHints[] = {GL_PERSPECTIVE_CORRECTION_HINT, GL_FOG_HINT, GL_POINT_SMOOTH_HINT,
                                  GL_LINE_SMOOTH_HINT, GL_POLYGON_SMOOTH_HINT};
    if (std::find(std::begin(kFixedHints), std::end(kFixedHints), target) == std::end(kFixedHints))
        emscripten_glHint(target, mode);
}
// Colours are always interpolated; GL_SMOOTH is the GL's start value and the show's only choice.
void glShadeModel(GLenum) {}
void glPointSize(GLfloat size) { gl().pointSize = size; }
void glClearDepth(GLclampd depth) { emscripten_glClearDepthf(static_cast<GLfloat>(depth)); }

void glFogi(GLenum name, GLint value)
{
    if (name == GL_FOG_MODE) gl().fog.mode = static_cast<uint32_t>(value);
}
void glFogf(GLenum name, GLfloat value)
{
    FogState& fog = gl().fog;
    if (name == GL_FOG_DENSITY) fog.density = value;
    if (name == GL_FOG_START) fog.start = value;
    if (name == GL_FOG_END) fog.end = value;
    if (name == GL_FOG_MODE) fog.mode = static_cast<uint32_t>(value);
}
void glFogfv(GLenum name, const GLfloat* values)
{
    if (name == GL_FOG_COLOR) std::copy_n(values, 4, gl().fog.colour);
    else glFogf(name, values[0]);
}

void glBindTexture(GLenum target, GLuint texture)
{
    if (target == GL_TEXTURE_2D) gl().boundTexture = texture;
    emscripten_glBindTexture(target, texture);
}
void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                  GLenum format, GLenum type, const GLvoid* pixels)
{
    emscripten_glTexImage2D(target, level, webglInternalFormat(internalFormat), width, height, border, format, type,
                            pixels);
}

void glColor3f(GLfloat r, GLfloat g, GLfloat b) { setColour(r, g, b, 1.0f); }
void glColor3fv(const GLfloat* v) { setColour(v[0], v[1], v[2], 1.0f); }
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) { setColour(r, g, b, a); }
void glNormal3f(GLfloat x, GLfloat y, GLfloat z)
{
    const float normal[3] = {x, y, z};
    std::copy_n(normal, 3, gl().normal);
}
void glTexCoord2f(GLfloat s, GLfloat t)
{
    gl().texCoord[0] = s;
    gl().texCoord[1] = t;
}
void glVertex2f(GLfloat x, GLfloat y) { addVertex(x, y, 0.0f); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { addVertex(x, y, z); }
void glBegin(GLenum mode)
{
    gl().beginMode = static_cast<int>(mode);
    gl().batch.clear();
}
void glEnd()
{
    FixedFunctionState& s = gl();
    if (s.beginMode < 0) return;
    drawVertices(s, static_cast<uint32_t>(s.beginMode), s.batch);
    s.beginMode = -1;
}

void glEnableClientState(GLenum array)
{
    if (ClientArray* a = clientArray(array)) a->enabled = true;
}
void glDisableClientState(GLenum array)
{
    if (ClientArray* a = clientArray(array)) a->enabled = false;
}
void glVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer)
{
    setPointer(gl().vertices, size, type, stride, pointer);
}
void glNormalPointer(GLenum type, GLsizei stride, const GLvoid* pointer)
{
    setPointer(gl().normals, 3, type, stride, pointer);
}
void glTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer)
{
    setPointer(gl().texCoords, size, type, stride, pointer);
}
void glColorPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer)
{
    setPointer(gl().colours, size, type, stride, pointer);
}
void glDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    drawVertices(gl(), mode, arrayVertices(gl(), first, count));
}

}  // extern "C"
