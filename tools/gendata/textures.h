#pragma once

#include "image.h"

// The scene's procedural textures, one per material; all are square, power-of-two sized
// and tile seamlessly, since the meshes repeat them.

// The old town
Image paintPaving();
Image paintGrass();
Image paintBrick();
Image paintFacade();
Image paintPlaster();
Image paintRoofTile();
Image paintMarble();
Image paintBronze();
Image paintGranite();
Image paintWater();
Image paintSlate();

// The crossing and the valley
Image paintMeadow();
Image paintSteel();
Image paintConcrete();
Image paintSand();
Image paintSandstone();
Image paintGlyphs();
Image paintMossRock();
Image paintBasalt();
Image paintGold();
Image paintCopper();
