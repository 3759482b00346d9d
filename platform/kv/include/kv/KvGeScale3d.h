#pragma once

class KvGeScale3d {
public:
    double sx = 1.0, sy = 1.0, sz = 1.0;
    constexpr KvGeScale3d() = default;
    constexpr KvGeScale3d(double x, double y, double z) : sx(x), sy(y), sz(z) {}
    bool operator==(const KvGeScale3d& o) const = default;
};
