#pragma once

// The 4 × 4 matrices of the fixed-function pipeline in the GL's own layout: column-major floats,
// so that element (row r, column c) is m[c * 4 + r]. Each is built as the GL's reference pages
// define the matrix of the call it stands for.
struct Matrix4 {
    float m[16];
};

Matrix4 identityMatrix();
// a × b: b applied first, as the GL multiplies the current matrix by the one a call gives.
Matrix4 multiply(const Matrix4& a, const Matrix4& b);
Matrix4 translation(float x, float y, float z);
Matrix4 orthographic(double left, double right, double bottom, double top, double zNear, double zFar);
// gluPerspective: fovy in degrees.
Matrix4 perspective(double fovyDegrees, double aspect, double zNear, double zFar);
// gluLookAt: the view of an eye looking at a centre, with `up` leaning toward the picture's top,
// the eye's translation included. An eye on the centre gives the rotation's zero rows, as GLU does.
Matrix4 lookAt(const double eye[3], const double centre[3], const double up[3]);

// The upper 3 × 3 of the model-view's inverse transpose, column-major, which carries normals into
// eye space; zero for a matrix without an inverse.
void normalMatrix(const Matrix4& modelView, float out[9]);
