// AcArray: the host's growable array with value semantics, backed by std::vector.
//
// Indices are int, as in the host. The growth step given at construction is kept for
// callers that ask for it; the vector decides the actual reallocation policy. Indexing
// out of range is a broken precondition and asserts.
#pragma once

#include <algorithm>
#include <cassert>
#include <utility>
#include <vector>

template <class T>
class AcArray {
public:
    typedef T value_type;
    typedef typename std::vector<T>::iterator iterator;
    typedef typename std::vector<T>::const_iterator const_iterator;

    AcArray(int physicalLength = 0, int growLength = 8) : m_growLength(growLength > 0 ? growLength : 8)
    {
        if (physicalLength > 0)
            m_data.reserve(static_cast<size_t>(physicalLength));
    }
    AcArray(std::initializer_list<T> values) : m_data(values) {}

    bool operator==(const AcArray& other) const { return m_data == other.m_data; }
    bool operator!=(const AcArray& other) const { return !(*this == other); }

    T& operator[](int i) { assert(isValid(i)); return m_data[static_cast<size_t>(i)]; }
    const T& operator[](int i) const { assert(isValid(i)); return m_data[static_cast<size_t>(i)]; }
    T& at(int i) { return (*this)[i]; }
    const T& at(int i) const { return (*this)[i]; }
    AcArray& setAt(int i, const T& value) { (*this)[i] = value; return *this; }
    AcArray& setAll(const T& value)
    {
        std::fill(m_data.begin(), m_data.end(), value);
        return *this;
    }
    T& first() { assert(!isEmpty()); return m_data.front(); }
    const T& first() const { assert(!isEmpty()); return m_data.front(); }
    T& last() { assert(!isEmpty()); return m_data.back(); }
    const T& last() const { assert(!isEmpty()); return m_data.back(); }

    int append(const T& value)
    {
        m_data.push_back(value);
        return length() - 1;
    }
    int append(T&& value)
    {
        m_data.push_back(std::move(value));
        return length() - 1;
    }
    AcArray& append(const AcArray& other)
    {
        m_data.insert(m_data.end(), other.m_data.begin(), other.m_data.end());
        return *this;
    }
    AcArray& insertAt(int index, const T& value)
    {
        assert(index >= 0 && index <= length());
        m_data.insert(m_data.begin() + index, value);
        return *this;
    }
    AcArray& removeAt(int index)
    {
        assert(isValid(index));
        m_data.erase(m_data.begin() + index);
        return *this;
    }
    bool remove(const T& value, int start = 0)
    {
        int i = findFrom(value, start);
        if (i < 0)
            return false;
        removeAt(i);
        return true;
    }
    AcArray& removeFirst() { return removeAt(0); }
    AcArray& removeLast()
    {
        assert(!isEmpty());
        m_data.pop_back();
        return *this;
    }
    // Removes the elements startIndex..endIndex, both included.
    AcArray& removeSubArray(int startIndex, int endIndex)
    {
        assert(isValid(startIndex) && isValid(endIndex) && startIndex <= endIndex);
        m_data.erase(m_data.begin() + startIndex, m_data.begin() + endIndex + 1);
        return *this;
    }
    AcArray& removeAll()
    {
        m_data.clear();
        return *this;
    }

    bool contains(const T& value, int start = 0) const { return findFrom(value, start) >= 0; }
    bool find(const T& value, int& foundAt, int start = 0) const
    {
        int i = findFrom(value, start);
        if (i < 0)
            return false;
        foundAt = i;
        return true;
    }
    int find(const T& value) const { return findFrom(value, 0); }
    // Index of the first element equal to value at or after start, or -1.
    int findFrom(const T& value, int start) const
    {
        for (int i = std::max(start, 0); i < length(); ++i)
            if (m_data[static_cast<size_t>(i)] == value)
                return i;
        return -1;
    }

    int length() const { return static_cast<int>(m_data.size()); }
    int logicalLength() const { return length(); }
    int physicalLength() const { return static_cast<int>(m_data.capacity()); }
    bool isEmpty() const { return m_data.empty(); }
    int growLength() const { return m_growLength; }
    AcArray& setGrowLength(int growLength)
    {
        assert(growLength > 0);
        m_growLength = growLength;
        return *this;
    }
    // New elements are value-initialised.
    AcArray& setLogicalLength(int n)
    {
        assert(n >= 0);
        m_data.resize(static_cast<size_t>(n));
        return *this;
    }
    // Shrinking below the logical length drops the elements past it.
    AcArray& setPhysicalLength(int n)
    {
        assert(n >= 0);
        if (n < length())
            m_data.resize(static_cast<size_t>(n));
        if (n < physicalLength())
            m_data.shrink_to_fit();
        m_data.reserve(static_cast<size_t>(n));
        return *this;
    }

    AcArray& reverse()
    {
        std::reverse(m_data.begin(), m_data.end());
        return *this;
    }
    AcArray& swap(int i1, int i2)
    {
        assert(isValid(i1) && isValid(i2));
        std::swap(m_data[static_cast<size_t>(i1)], m_data[static_cast<size_t>(i2)]);
        return *this;
    }

    T* asArrayPtr() { return m_data.data(); }
    const T* asArrayPtr() const { return m_data.data(); }

    iterator begin() { return m_data.begin(); }
    iterator end() { return m_data.end(); }
    const_iterator begin() const { return m_data.begin(); }
    const_iterator end() const { return m_data.end(); }

    std::vector<T>& vector() { return m_data; }
    const std::vector<T>& vector() const { return m_data; }

private:
    bool isValid(int i) const { return i >= 0 && i < length(); }

    std::vector<T> m_data;
    int m_growLength = 8;
};
