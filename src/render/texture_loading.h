#pragma once

#include <cstdint>
#include <optional>

#include "render/image.h"

struct App;

// The image of a file that opens for reading; nothing, and no message, for one that does not.
std::optional<Image> loadBitmapIfPresent(const char* fileName);

// One RGB texture per scene material, named in App::textureNames by material number.
// False when any material's image is missing or unreadable; every material is tried.
bool loadSceneTextures(App& app);

// Appends a material for the overlay and makes an RGBA texture of the colour image with the mask's
// red channel as alpha, named in App::textureNames under the new material's place. Returns its GL
// texture name, or 0 (after a message) when refused.
uint32_t addOverlayTexture(App& app, const char* colourFile, const char* maskFile);

// Unlinks the overlay materials the last GL set-up appended, so the scene holds its own only.
void dropOverlayMaterials(App& app);
