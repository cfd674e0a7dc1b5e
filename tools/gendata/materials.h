#pragma once

#include <vector>

#include "scene_desc.h"

// The scene's materials in file order. There are exactly 21 of them, so the two greets
// overlays that the demo appends after them get the texture names 22 and 23.
enum MaterialId {
    kPaving,
    kGrass,
    kBrick,
    kFacade,
    kPlaster,
    kRoofTile,
    kMarble,
    kBronze,
    kGranite,
    kWater,
    kSlate,
    kMeadow,
    kSteel,
    kConcrete,
    kSand,
    kSandstone,
    kGlyphs,
    kMossRock,
    kBasalt,
    kGold,
    kCopper,
    kMaterialCount
};

std::vector<MaterialDesc> sceneMaterials();
