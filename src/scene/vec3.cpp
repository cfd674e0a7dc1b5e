#include "scene/vec3.h"

#include <cmath>

double Vec3::length() const
{
    double dx = x, dy = y, dz = z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

void Vec3::normalise()
{
    float len = static_cast<float>(length());
    x /= len;
    y /= len;
    z /= len;
}

Vec3 operator-(const Vec3& a, const Vec3& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Vec3 cross(const Vec3& a, const Vec3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
