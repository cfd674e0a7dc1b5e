#include "platform/web/fixed_shader.h"

#include <GLES2/gl2.h>

#include <string>

#include "platform/report.h"
#include "platform/web/fixed_function.h"

namespace {

// Per vertex as GL 1.1 lights: with the default material (ambient 0.2, diffuse 0.8, no specular)
// under the default scene ambient 0.2, only light 0 shines (white, from +z in eye space); the
// other lights' defaults are black. Fog takes the eye-plane distance, as Mesa does.
const char* const kVertexShader = R"(
attribute vec4 aPosition;
attribute vec4 aColour;
attribute vec3 aNormal;
attribute vec2 aTexCoord;
uniform mat4 uModelView;
uniform mat4 uProjection;
uniform mat3 uNormals;
uniform float uPointSize;
uniform bool uLighting;
uniform bool uLight0;
varying vec4 vColour;
varying vec2 vTexCoord;
varying float vFogDistance;
void main() {
    vec4 eye = uModelView * aPosition;
    gl_Position = uProjection * eye;
    gl_PointSize = uPointSize;
    vTexCoord = aTexCoord;
    vFogDistance = abs(eye.z / eye.w);
    vColour = clamp(aColour, 0.0, 1.0);
    if (uLighting) {
        float diffuse = uLight0 ? max(dot(uNormals * aNormal, vec3(0.0, 0.0, 1.0)), 0.0) : 0.0;
        vColour = vec4(clamp(vec3(0.04 + 0.8 * diffuse), 0.0, 1.0), 1.0);
    }
}
)";

// GL_MODULATE, then fog on the colour alone: 1 linear, 2 GL_EXP, 3 GL_EXP2, 0 none.
const char* const kFragmentShader = R"(
precision highp float;
uniform bool uTextured;
uniform sampler2D uTexture;
uniform int uFogMode;
uniform float uFogDensity;
uniform float uFogStart;
uniform float uFogEnd;
uniform vec4 uFogColour;
varying vec4 vColour;
varying vec2 vTexCoord;
varying float vFogDistance;
void main() {
    vec4 colour = vColour;
    if (uTextured) colour *= texture2D(uTexture, vTexCoord);
    if (uFogMode != 0) {
        float d = vFogDistance;
        float f = uFogMode == 1 ? (uFogEnd - d) / (uFogEnd - uFogStart)
                : uFogMode == 2 ? exp(-uFogDensity * d) : exp(-(uFogDensity * d) * (uFogDensity * d));
        colour.rgb = mix(uFogColour.rgb, colour.rgb, clamp(f, 0.0, 1.0));
    }
    gl_FragColor = colour;
}
)";

const char* const kAttributes[4] = {"aPosition", "aColour", "aNormal", "aTexCoord"};

GLuint compile(GLenum kind, const char* source)
{
    GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok) return shader;
    char log[512] = {};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    report("WebGL", std::string("the fixed-function shader does not compile: ") + log);
    glDeleteShader(shader);
    return 0;
}

void findInputs(FixedProgram& gl)
{
    for (int i = 0; i < 4; ++i) gl.attributes[i] = glGetAttribLocation(gl.program, kAttributes[i]);
    const struct {
        int* location;
        const char* name;
    } uniforms[] = {
        {&gl.modelView, "uModelView"}, {&gl.projection, "uProjection"}, {&gl.normals, "uNormals"},
        {&gl.pointSize, "uPointSize"}, {&gl.lighting, "uLighting"},     {&gl.light0, "uLight0"},
        {&gl.textured, "uTextured"},   {&gl.sampler, "uTexture"},       {&gl.fogMode, "uFogMode"},
        {&gl.fogDensity, "uFogDensity"}, {&gl.fogStart, "uFogStart"},   {&gl.fogEnd, "uFogEnd"},
        {&gl.fogColour, "uFogColour"},
    };
    for (const auto& u : uniforms) *u.location = glGetUniformLocation(gl.program, u.name);
}

}  // namespace

bool buildFixedProgram(FixedProgram& gl)
{
    GLuint vertex = compile(GL_VERTEX_SHADER, kVertexShader);
    GLuint fragment = compile(GL_FRAGMENT_SHADER, kFragmentShader);
    if (!vertex || !fragment) return false;
    gl.program = glCreateProgram();
    glAttachShader(gl.program, vertex);
    glAttachShader(gl.program, fragment);
    glLinkProgram(gl.program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = GL_FALSE;
    glGetProgramiv(gl.program, GL_LINK_STATUS, &linked);
    if (!linked) {
        report("WebGL", "the fixed-function shader does not link");
        glDeleteProgram(gl.program);
        gl.program = 0;
        return false;
    }
    findInputs(gl);
    glGenBuffers(1, &gl.buffer);
    return true;
}
