#pragma once

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "state/app.h"
#include "common/bmp_writer.h"
#include "gl_test_window.h"
#include "message_recorder.h"
#include "temp_dir.h"

// GL texture tests: a window with a current context, and an App whose scene materials name
// BMP files in a scratch directory that is the working directory.

using Rgb = std::array<uint8_t, 3>;

inline std::vector<uint8_t> solid(int width, int height, Rgb colour)
{
    std::vector<uint8_t> rgb;
    for (int i = 0; i < width * height; ++i) rgb.insert(rgb.end(), colour.begin(), colour.end());
    return rgb;
}

// Every byte different, so a row read at the wrong stride shows.
inline std::vector<uint8_t> ramp(int width, int height)
{
    std::vector<uint8_t> rgb(size_t(width) * height * 3);
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = uint8_t(i * 5 + 1);
    return rgb;
}

inline std::vector<uint8_t> textureImage(GLuint name, GLenum format, int width, int height)
{
    std::vector<uint8_t> out(size_t(width) * height * (format == GL_RGBA ? 4 : 3));
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, out.data());
    return out;
}

inline int listLength(const Scene& scene)
{
    int n = 0;
    for (const Material* m = scene.materials; m; m = m->next) ++n;
    return n;
}

// A window, an App with its own scene in a scratch directory that is the working directory.
class TextureGl : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.open(64, 64));
        camera.eye = {0, -10, 0};
        app->scene.selectedCamera = &camera;
    }
    void TearDown() override
    {
        clearMaterials();
        delete[] app->textureNames;
        window.close();
    }
    void clearMaterials()
    {
        while (Material* m = app->scene.materials) {
            app->scene.materials = m->next;
            delete m;
        }
        app->scene.materialCount = 0.0f;
    }
    void addMaterial(const char* mapName)
    {
        Material* m = new Material{};
        m->number = int32_t(app->scene.materialCount);
        std::strncpy(m->mapName, mapName, kNameSize - 1);
        Material** link = &app->scene.materials;
        while (*link) {
            m->prev = *link;
            link = &(*link)->next;
        }
        *link = m;
        app->scene.materialCount += 1.0f;
    }
    void writeImage(const char* name, int width, int height, const std::vector<uint8_t>& rgb)
    {
        ASSERT_TRUE(writeBmp24(dir.file(name).c_str(), width, height, rgb));
    }
    // Draws the texture over the whole window and reads the picture back.
    std::vector<uint8_t> drawTextured(GLuint name)
    {
        glViewport(0, 0, window.width, window.height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, name);
        glColor3f(1, 1, 1);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0), glVertex2f(-1, -1);
        glTexCoord2f(1, 0), glVertex2f(1, -1);
        glTexCoord2f(1, 1), glVertex2f(1, 1);
        glTexCoord2f(0, 1), glVertex2f(-1, 1);
        glEnd();
        return window.readRgb();
    }
    Rgb pixelAt(const std::vector<uint8_t>& rgb, int x, int y)
    {
        const uint8_t* p = window.pixel(rgb, x, y);
        return {p[0], p[1], p[2]};
    }

    MessageRecorder messages;
    GlTestWindow window;
    TempWorkDir dir;
    SceneCamera camera{};
    std::unique_ptr<App> app = std::make_unique<App>();
};
