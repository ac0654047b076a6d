// A stable merge sort that stays in bounds and terminates even when the compare is not a
// strict weak ordering (the world sorts by truncated height differences).
#pragma once
#include <cstddef>
#include <vector>

namespace plat {

// cmp(a, b) > 0 means a goes after b; ties keep their order.
template <class T, class Cmp>
void stableSort(std::vector<T>& v, Cmp cmp) {
    const size_t n = v.size();
    if (n < 2) return;
    std::vector<T> tmp(n);
    for (size_t width = 1; width < n; width *= 2) {
        for (size_t lo = 0; lo < n; lo += 2 * width) {
            size_t mid = lo + width < n ? lo + width : n;
            size_t hi = lo + 2 * width < n ? lo + 2 * width : n;
            size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi) tmp[k++] = (cmp(v[i], v[j]) > 0) ? v[j++] : v[i++];
            while (i < mid) tmp[k++] = v[i++];
            while (j < hi) tmp[k++] = v[j++];
        }
        v.swap(tmp);
    }
}

}  // namespace plat
