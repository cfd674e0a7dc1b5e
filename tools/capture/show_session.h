#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct App;
struct GLFWwindow;

// The show running in a window of its own with a demo clock that the caller sets: for looking
// at chosen moments of the show and for timing its frames.
struct ShowSession {
    GLFWwindow* window = nullptr;
    int width = 0;
    int height = 0;
};

// Opens the window, reads the scene and the images from `dataDir` (which becomes the working
// directory, as the demo reads its files from there) and sets up the view and the GL state with
// the demo clock at 0. False, after a message on stderr, when something is missing.
bool openShowSession(ShowSession& session, App& app, const std::string& dataDir, int width, int height);
void closeShowSession(ShowSession& session);

// Sets the demo clock to `ms` since the GL set-up, fractions of a millisecond included.
void setShowTime(App& app, double ms);
// Draws the frame of demo time `ms`; the picture stays in the back buffer until `present`.
void drawShowFrame(App& app, double ms);
// Runs the frame of demo time `ms` without touching a pixel: a frame of the show that nobody
// looks at, which still moves what moves once a frame.
void drawUnseenFrame(App& app, double ms);
void present(const ShowSession& session);

// The back buffer as RGB rows, top row first.
std::vector<uint8_t> readPicture(const ShowSession& session);
