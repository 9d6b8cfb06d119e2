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
        m_scratch.resize(static_cast<size_t>(high - low) / 2 + 1); // the longest left half
        sortRange(data, low, high, m_scratch.data());
    }

private:
    // Short runs are merged by insertion, which gives the same stable order with fewer moves.
    static constexpr int kInsertionRun = 12;

    void sortRange(T* data, int low, int high, T* scratch)
    {
        if (high - low < kInsertionRun) {
            insertionSort(data, low, high);
            return;
        }
        const int middle = low + (high - low) / 2;
        sortRange(data, low, middle, scratch);
        sortRange(data, middle + 1, high, scratch);
        if (m_compare(data[middle], data[middle + 1]) != 1)
            return; // already in order
        merge(data, low, middle, high, scratch);
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
    void merge(T* data, int low, int middle, int high, T* scratch)
    {
        const T* left = scratch;
        const T* leftEnd = std::copy(data + low, data + middle + 1, scratch);
        const T* right = data + middle + 1;
        const T* rightEnd = data + high + 1;
        T* out = data + low;
        while (left < leftEnd && right < rightEnd) {
            const bool takeRight = m_compare(*left, *right) == 1;
            *out++ = *(takeRight ? right : left);
            right += takeRight;
            left += !takeRight;
        }
        std::copy(left, leftEnd, out);
    }

    Compare m_compare;
    std::vector<T> m_scratch;
};

} // namespace dh::terrain
