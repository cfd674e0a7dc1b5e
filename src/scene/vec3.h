#pragma once

// Positions, targets, normals and control points: three 32-bit floats.
struct Vec3 {
    float x, y, z;

    void set(float nx, float ny, float nz) { x = nx; y = ny; z = nz; }
    double length() const;
    // Divides by the length rounded to float; a zero vector is the caller's affair.
    void normalise();
};

Vec3 operator-(const Vec3& a, const Vec3& b);
Vec3 cross(const Vec3& a, const Vec3& b);
