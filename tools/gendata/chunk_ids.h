#pragma once

#include <cstdint>

// The .3DS chunk ids that the generator writes.
namespace chunk {
constexpr uint16_t kMain = 0x4D4D;
constexpr uint16_t kVersion = 0x0002;
constexpr uint16_t kFloatColour = 0x0010;
constexpr uint16_t kByteColour = 0x0011;
constexpr uint16_t kPercent = 0x0030;
constexpr uint16_t kMasterScale = 0x0100;
constexpr uint16_t kEditor = 0x3D3D;
constexpr uint16_t kMeshVersion = 0x3D3E;
constexpr uint16_t kBackground = 0x1200;
constexpr uint16_t kUseBackground = 0x1201;
constexpr uint16_t kShadowBias = 0x1400;
constexpr uint16_t kShadowMapSize = 0x1420;
constexpr uint16_t kShadowFilter = 0x1450;
constexpr uint16_t kAmbientLight = 0x2100;
constexpr uint16_t kFog = 0x2200;
constexpr uint16_t kMaterial = 0xAFFF;
constexpr uint16_t kMaterialName = 0xA000;
constexpr uint16_t kAmbient = 0xA010;
constexpr uint16_t kDiffuse = 0xA020;
constexpr uint16_t kSpecular = 0xA030;
constexpr uint16_t kShininess = 0xA040;
constexpr uint16_t kShininessStrength = 0xA041;
constexpr uint16_t kTransparency = 0xA050;
constexpr uint16_t kTransparencyFalloff = 0xA052;
constexpr uint16_t kReflectionBlur = 0xA053;
constexpr uint16_t kSelfIllumination = 0xA084;
constexpr uint16_t kWireSize = 0xA087;
constexpr uint16_t kShading = 0xA100;
constexpr uint16_t kTextureMap = 0xA200;
constexpr uint16_t kMapFile = 0xA300;
constexpr uint16_t kMapTiling = 0xA351;
constexpr uint16_t kMapBlur = 0xA353;
constexpr uint16_t kObject = 0x4000;
constexpr uint16_t kTriangleMesh = 0x4100;
constexpr uint16_t kVertices = 0x4110;
constexpr uint16_t kFaces = 0x4120;
constexpr uint16_t kFaceMaterial = 0x4130;
constexpr uint16_t kMapping = 0x4140;
constexpr uint16_t kSmoothing = 0x4150;
constexpr uint16_t kLocalAxes = 0x4160;
constexpr uint16_t kMeshColour = 0x4165;
constexpr uint16_t kLight = 0x4600;
constexpr uint16_t kSpotlight = 0x4610;
constexpr uint16_t kLightInnerRange = 0x4659;
constexpr uint16_t kLightOuterRange = 0x465A;
constexpr uint16_t kLightMultiplier = 0x465B;
constexpr uint16_t kCamera = 0x4700;
constexpr uint16_t kCameraRanges = 0x4720;
constexpr uint16_t kKeyframer = 0xB000;
constexpr uint16_t kMeshNode = 0xB002;
constexpr uint16_t kFrames = 0xB008;
constexpr uint16_t kCurrentFrame = 0xB009;
constexpr uint16_t kKeyframerHeader = 0xB00A;
constexpr uint16_t kNodeHeader = 0xB010;
constexpr uint16_t kPivot = 0xB013;
constexpr uint16_t kPositionTrack = 0xB020;
constexpr uint16_t kRotationTrack = 0xB021;
constexpr uint16_t kScaleTrack = 0xB022;
constexpr uint16_t kNodeId = 0xB030;
}  // namespace chunk
