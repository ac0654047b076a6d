#include "imports/arrayfunc.h"

#include <utility>

#include "platform/sys.h"

std::vector<int> ArrayFunc::randomize(int n) {
    std::vector<int> a;
    if (n <= 0) return a;
    a.resize(size_t(n));
    for (int i = 0; i < n; ++i) a[size_t(i)] = i;
    for (int i = 0; i < n; ++i) {
        int j = plat::Rand(i, n - 1);
        // A misbehaving source must not index outside the array.
        if (j < i || j > n - 1) j = i;
        std::swap(a[size_t(i)], a[size_t(j)]);
    }
    return a;
}
