#pragma once

#include <cstdio>
#include <functional>

struct App;
struct SceneCamera;
struct Shell;

// The per-frame keyboard step: F1 re-creates the window toggling fullscreen, Escape ends,
// R appends the camera to "traj.txt", L toggles GL lighting. False when F1 could not make
// a new window. recreateWindow stands in for the real re-creation in tests.
bool handleKeys(App& app, Shell& shell);
bool handleKeys(App& app, const std::function<bool(App& app)>& recreateWindow);

// Closes the window, flips fullscreenMode and opens the 640 × 480 window "Zephal 3D".
bool toggleDisplayMode(App& app, Shell& shell);

// One camera block, as appended to "traj.txt".
void writeTrajectoryBlock(std::FILE* file, const SceneCamera& camera);
// Appends the block to a file; false, writing nothing, when it cannot be opened.
bool dumpTrajectory(const SceneCamera& camera, const char* fileName);

// The L key's latch: true when this call flipped lightsOn.
bool stepLightLatch(App& app, bool lDown);
// GL lights 0 to 5 and lighting itself on or off.
void applyLighting(bool on);
