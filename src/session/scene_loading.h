#pragma once

struct App;

// Clears the scene, reads "scenedemo.3DS" from the working directory and selects its first
// camera. False, after telling the user which file failed and how, when the file cannot be
// read or holds no camera: nothing can be shown without one.
bool loadScene(App& app);
