#include "materials.h"

#include <iterator>

#include "textures.h"

namespace {

struct MaterialRow {
    MaterialId id;
    const char* name;
    const char* mapFile;
    uint8_t diffuse[3];
    Image (*paint)();
};

// Diffuse colours are the textures' average tones; ambient is a darker share of them.
constexpr MaterialRow kMaterialRows[] = {
    {kPaving, "Paving", "paving.bmp", {168, 158, 140}, paintPaving},
    {kGrass, "Grass", "grass.bmp", {76, 118, 46}, paintGrass},
    {kBrick, "Brick", "brick.bmp", {150, 84, 62}, paintBrick},
    {kFacade, "Facade", "facade.bmp", {190, 178, 152}, paintFacade},
    {kPlaster, "Plaster", "plaster.bmp", {196, 150, 96}, paintPlaster},
    {kRoofTile, "Roof tiles", "rooftile.bmp", {160, 72, 48}, paintRoofTile},
    {kMarble, "Marble", "marble.bmp", {226, 222, 214}, paintMarble},
    {kBronze, "Bronze", "bronze.bmp", {150, 112, 58}, paintBronze},
    {kGranite, "Granite", "granite.bmp", {124, 122, 126}, paintGranite},
    {kWater, "Water", "water.bmp", {44, 86, 124}, paintWater},
    {kSlate, "Slate", "slate.bmp", {84, 88, 96}, paintSlate},
    {kMeadow, "Meadow", "meadow.bmp", {112, 138, 62}, paintMeadow},
    {kSteel, "Steel", "steel.bmp", {138, 142, 148}, paintSteel},
    {kConcrete, "Concrete", "concrete.bmp", {164, 160, 150}, paintConcrete},
    {kSand, "Sand", "sand.bmp", {206, 176, 120}, paintSand},
    {kSandstone, "Sandstone", "sandstone.bmp", {196, 156, 104}, paintSandstone},
    {kGlyphs, "Carved stone", "glyphs.bmp", {180, 150, 104}, paintGlyphs},
    {kMossRock, "Mossy rock", "mossrock.bmp", {104, 110, 92}, paintMossRock},
    {kBasalt, "Basalt", "basalt.bmp", {62, 60, 66}, paintBasalt},
    {kGold, "Gold", "gold.bmp", {214, 172, 64}, paintGold},
    {kCopper, "Copper", "copper.bmp", {96, 156, 136}, paintCopper},
};
static_assert(std::size(kMaterialRows) == kMaterialCount);

constexpr bool rowsInIdOrder()
{
    for (size_t i = 0; i < std::size(kMaterialRows); ++i)
        if (kMaterialRows[i].id != static_cast<MaterialId>(i)) return false;
    return true;
}
static_assert(rowsInIdOrder(), "a material's place in the file is its number");

constexpr uint8_t kSpecularGrey = 229;
constexpr int kAmbientShare = 3;  // ambient = diffuse / kAmbientShare

}  // namespace

std::vector<MaterialDesc> sceneMaterials()
{
    std::vector<MaterialDesc> materials;
    for (const MaterialRow& row : kMaterialRows) {
        MaterialDesc m{row.name, row.mapFile, {}, {}, {kSpecularGrey, kSpecularGrey, kSpecularGrey}, row.paint};
        for (int i = 0; i < 3; ++i) {
            m.diffuse[i] = row.diffuse[i];
            m.ambient[i] = static_cast<uint8_t>(row.diffuse[i] / kAmbientShare);
        }
        materials.push_back(m);
    }
    return materials;
}
