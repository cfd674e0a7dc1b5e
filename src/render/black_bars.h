#pragma once

// The bound framebuffer, inside the scissor box if one is on, cleared black: the bars beside the
// show's picture, whatever the frame's own clear colour, which stays as it was.
void clearToBlack();
