#pragma once

#include <cstdint>
#include <vector>

// What the program tells the page around it (src/web/page/page.js, Module.page), and what it
// asks of it. Each call does nothing on a page without that part.

// The moments of the test clock in the page's address (#t=MS,...), in ms; empty without one.
std::vector<double> pageTestMoments();
// The "play with sound" control can start the music, or there is none to play.
void pageOfferSound(bool available);
void pageStopSound();
// The first frame is on the canvas.
void pageFirstFrame();
// A test moment's picture, as a binary PPM, for the page to hand on where its address says.
void pagePicture(double ms, const std::vector<uint8_t>& ppm);
// The show is over, with the program's exit status.
void pageShowEnded(int status);
