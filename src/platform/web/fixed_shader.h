#pragma once

struct FixedProgram;

// Compiles and links the one program that stands for the fixed-function pipeline in the current
// WebGL context and looks up its inputs; false, after a line on stderr, when WebGL refuses it.
bool buildFixedProgram(FixedProgram& gl);
