#include "render/texture_loading.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "state/app.h"
#include "platform/message_box.h"
#include "render/read_bitmap.h"
#include "scene/append_copy.h"

namespace {

void uploadTexture(GLuint name, GLint internalFormat, GLenum format, const Image& size, const uint8_t* pixels)
{
    glBindTexture(GL_TEXTURE_2D, name);
    // Image rows are unpadded: an RGB row is a multiple of 4 bytes only when its width is.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, size.width, size.height, 0, format, GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

// A name field of the scene, which need not end in a NUL within its 100 characters.
std::string nameField(const char* field)
{
    return std::string(field, strnlen(field, kNameSize));
}

// One more entry in the texture-name table (0 until the overlay has its texture), so that every
// material number of the list indexes it.
void growTextureNames(App& app, int count)
{
    uint32_t* names = new uint32_t[count + 1]();
    if (app.textureNames) std::copy(app.textureNames, app.textureNames + count, names);
    delete[] app.textureNames;
    app.textureNames = names;
}

// The new material's place in the list, which is also its entry in the texture-name table.
int appendOverlayMaterial(App& app, const char* colourFile)
{
    int place = std::max(static_cast<int>(app.scene.materialCount), 0);
    growTextureNames(app, place);
    const Material* last = lastRecord(app.scene.materials);
    Material material{};
    material.number = last ? last->number + 1 : 0;
    std::strncpy(material.name, colourFile, kNameSize - 1);
    std::strncpy(material.mapName, colourFile, kNameSize - 1);
    appendCopy(app.scene.materials, app.scene.materialCount, material);
    app.overlayMaterialCount += 1;
    return place;
}

// RGBA pixels: colour from the colour image, alpha from the mask's red; both the same size.
std::vector<uint8_t> maskedPixels(const Image& colour, const Image& mask)
{
    size_t count = imageBytes(colour) / 3;
    std::vector<uint8_t> rgba(count * 4);
    for (size_t p = 0; p < count; ++p) {
        std::memcpy(&rgba[4 * p], &colour.pixels[3 * p], 3);
        rgba[4 * p + 3] = mask.pixels[3 * p];
    }
    return rgba;
}

}  // namespace

std::optional<Image> loadBitmapIfPresent(const char* fileName)
{
    if (!fileName) return std::nullopt;
    FILE* file = std::fopen(fileName, "r");
    if (!file) return std::nullopt;
    std::fclose(file);
    return readBitmap(fileName);
}

bool loadSceneTextures(App& app)
{
    int n = std::max(static_cast<int>(app.scene.materialCount), 0);
    // The table of an earlier context, whose textures went with that context.
    delete[] app.textureNames;
    app.textureNames = new uint32_t[n]();
    std::vector<std::optional<Image>> images(n);
    const Material* material = app.scene.materials;
    for (int i = 0; i < n && material; ++i, material = material->next)
        images[i] = loadBitmapIfPresent(nameField(material->mapName).c_str());
    if (!std::all_of(images.begin(), images.end(), [](const auto& image) { return image.has_value(); }))
        return false;
    glGenTextures(n, app.textureNames);
    for (int i = 0; i < n; ++i) uploadTexture(app.textureNames[i], 3, GL_RGB, *images[i], images[i]->pixels.get());
    return true;
}

uint32_t addOverlayTexture(App& app, const char* colourFile, const char* maskFile)
{
    int place = appendOverlayMaterial(app, colourFile);
    std::optional<Image> mask = readBitmap(maskFile);
    if (!mask) return 0;
    std::optional<Image> colour = readBitmap(colourFile);
    if (!colour) return 0;
    if (colour->width != mask->width || colour->height != mask->height) {
        std::string message = std::string("Overlay image ") + colourFile + " and its mask " + maskFile +
                              " differ in size.";
        showMessageBox(message.c_str(), "Error", kMessageOk);
        return 0;
    }
    std::vector<uint8_t> rgba = maskedPixels(*colour, *mask);
    GLuint name = 0;
    glGenTextures(1, &name);
    uploadTexture(name, GL_RGBA8, GL_RGBA, *colour, rgba.data());
    app.textureNames[place] = name;
    return name;
}

void dropOverlayMaterials(App& app)
{
    for (; app.overlayMaterialCount > 0; --app.overlayMaterialCount) {
        Material* last = lastRecord(app.scene.materials);
        if (!last) break;
        (last->prev ? last->prev->next : app.scene.materials) = nullptr;
        delete last;
        app.scene.materialCount -= 1.0f;
    }
    app.overlayMaterialCount = 0;
}
