#include "platform/web/gl_matrix.h"

#include <cmath>
#include <numbers>

namespace {

struct Vec3f {
    float x, y, z;
};

Vec3f cross(const Vec3f& a, const Vec3f& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// A zero vector stays zero.
Vec3f normalised(const Vec3f& v)
{
    float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length == 0.0f) return v;
    return {v.x / length, v.y / length, v.z / length};
}

// Element (row, column) of the column-major array.
float& at(Matrix4& matrix, int row, int column) { return matrix.m[column * 4 + row]; }

}  // namespace

Matrix4 identityMatrix()
{
    Matrix4 result{};
    for (int i = 0; i < 4; ++i) at(result, i, i) = 1.0f;
    return result;
}

Matrix4 multiply(const Matrix4& a, const Matrix4& b)
{
    Matrix4 result{};
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a.m[k * 4 + row] * b.m[column * 4 + k];
            at(result, row, column) = sum;
        }
    return result;
}

Matrix4 translation(float x, float y, float z)
{
    Matrix4 result = identityMatrix();
    at(result, 0, 3) = x;
    at(result, 1, 3) = y;
    at(result, 2, 3) = z;
    return result;
}

Matrix4 orthographic(double left, double right, double bottom, double top, double zNear, double zFar)
{
    Matrix4 result = identityMatrix();
    at(result, 0, 0) = static_cast<float>(2.0 / (right - left));
    at(result, 1, 1) = static_cast<float>(2.0 / (top - bottom));
    at(result, 2, 2) = static_cast<float>(-2.0 / (zFar - zNear));
    at(result, 0, 3) = static_cast<float>(-(right + left) / (right - left));
    at(result, 1, 3) = static_cast<float>(-(top + bottom) / (top - bottom));
    at(result, 2, 3) = static_cast<float>(-(zFar + zNear) / (zFar - zNear));
    return result;
}

Matrix4 perspective(double fovyDegrees, double aspect, double zNear, double zFar)
{
    double f = 1.0 / std::tan(fovyDegrees * std::numbers::pi / 360.0);
    Matrix4 result{};
    at(result, 0, 0) = static_cast<float>(f / aspect);
    at(result, 1, 1) = static_cast<float>(f);
    at(result, 2, 2) = static_cast<float>((zFar + zNear) / (zNear - zFar));
    at(result, 2, 3) = static_cast<float>(2.0 * zFar * zNear / (zNear - zFar));
    at(result, 3, 2) = -1.0f;
    return result;
}

Matrix4 lookAt(const double eye[3], const double centre[3], const double up[3])
{
    Vec3f forward = normalised({static_cast<float>(centre[0] - eye[0]), static_cast<float>(centre[1] - eye[1]),
                                static_cast<float>(centre[2] - eye[2])});
    Vec3f upward = {static_cast<float>(up[0]), static_cast<float>(up[1]), static_cast<float>(up[2])};
    Vec3f side = normalised(cross(forward, upward));
    Vec3f top = cross(side, forward);
    Matrix4 rotation = identityMatrix();
    const Vec3f rows[3] = {side, top, {-forward.x, -forward.y, -forward.z}};
    for (int row = 0; row < 3; ++row) {
        at(rotation, row, 0) = rows[row].x;
        at(rotation, row, 1) = rows[row].y;
        at(rotation, row, 2) = rows[row].z;
    }
    return multiply(rotation, translation(static_cast<float>(-eye[0]), static_cast<float>(-eye[1]),
                                          static_cast<float>(-eye[2])));
}

void normalMatrix(const Matrix4& modelView, float out[9])
{
    // The inverse transpose of a 3 × 3 is its cofactor matrix over its determinant.
    auto e = [&modelView](int row, int column) { return modelView.m[column * 4 + row]; };
    float cofactor[3][3];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            int r1 = (r + 1) % 3, r2 = (r + 2) % 3, c1 = (c + 1) % 3, c2 = (c + 2) % 3;
            cofactor[r][c] = e(r1, c1) * e(r2, c2) - e(r1, c2) * e(r2, c1);
        }
    float determinant = e(0, 0) * cofactor[0][0] + e(0, 1) * cofactor[0][1] + e(0, 2) * cofactor[0][2];
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r) out[c * 3 + r] = determinant == 0.0f ? 0.0f : cofactor[r][c] / determinant;
}
