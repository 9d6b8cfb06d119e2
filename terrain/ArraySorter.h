// Stable top-down merge sort of an array range by a three-way comparison (−1, 0, 1; 1 when
// the first element sorts after the second). Equal elements keep their order, so sorting
// by one key after another gives the usual lexicographic order.
#pragma once

#include <adesk/AcArray.h>

#include <algorithm>
#include <vector>

namespace dh::terrain {

template <class T, class Compare = int (*)(const T&, const T&)>
class ArraySorter {
public:
    explicit ArraySorter(Compare compare) : m_compare(compare) {}
    virtual ~ArraySorter() = default;

    // Sorts array[low … high], both included; nothing for an empty array or low >= high.
    void sort(AcArray<T>& array, int low, int high)
    {
        if (array.isEmpty() || low >= high)
            return;
        sort(array.asArrayPtr(), low, high);
    }
    void sort(T* data, int low, int high)
    {
        if (!data || low >= high)
            return;
        m_scratch.resize(static_cast<size_t>(high - low + 1));
        sort(data, low, high, m_scratch.data());
    }
    // The same with the caller's scratch space of high − low + 1 elements, which ends up
    // holding them in no particular order.
    void sort(T* data, int low, int high, T* scratch)
    {
        if (!data || low >= high)
            return;
        std::copy(data + low, data + high + 1, scratch);
        sortInto(scratch, data + low, 0, high - low);
    }

private:
    // Short runs are merged by insertion, which gives the same stable order with fewer moves.
    static constexpr int kInsertionRun = 12;

    // Sorts from[low … high] into to[low … high]; both hold the same elements there on entry.
    // The halves are sorted the other way round, so each merge moves every element once and
    // nothing is copied back.
    void sortInto(T* from, T* to, int low, int high)
    {
        if (high - low < kInsertionRun) {
            insertionSort(to, low, high);
            return;
        }
        const int middle = low + (high - low) / 2;
        sortInto(to, from, low, middle);
        sortInto(to, from, middle + 1, high);
        merge(from, to, low, middle, high);
    }

    void insertionSort(T* data, int low, int high)
    {
        for (int i = low + 1; i <= high; ++i) {
            T value = data[i];
            int j = i;
            for (; j > low && m_compare(data[j - 1], value) == 1; --j)
                data[j] = data[j - 1];
            data[j] = value;
        }
    }

    // The right element is taken only when the left one sorts after it: ties keep order.
    // Branch-free selection: on random keys the taken side is unpredictable.
    void merge(const T* from, T* to, int low, int middle, int high)
    {
        const T* left = from + low;
        const T* leftEnd = from + middle + 1;
        const T* right = leftEnd;
        const T* rightEnd = from + high + 1;
        T* out = to + low;
        while (left < leftEnd && right < rightEnd) {
            const bool takeRight = m_compare(*left, *right) == 1;
            *out++ = *(takeRight ? right : left);
            right += takeRight;
            left += !takeRight;
        }
        out = std::copy(left, leftEnd, out);
        std::copy(right, rightEnd, out);
    }

    Compare m_compare;
    std::vector<T> m_scratch;
};

} // namespace dh::terrain
