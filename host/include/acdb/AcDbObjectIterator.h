// Walks a list of object ids (the vertices of a polyline, the attributes of a block
// reference) in order, skipping erased objects.
#pragma once

#include <acdb/AcDbObject.h>

#include <vector>

class ADESK_EXPORT AcDbObjectIterator {
public:
    explicit AcDbObjectIterator(std::vector<AcDbObjectId> ids, bool skipErased = true);

    void start(bool atEnd = false);
    bool done() const;
    void step(bool backwards = false, bool skipErased = true);
    AcDbObjectId objectId() const;
    // Moves to id; eKeyNotFound when the list does not hold it.
    Acad::ErrorStatus seek(AcDbObjectId id);

private:
    void skip(bool backwards);

    std::vector<AcDbObjectId> m_ids;
    long m_index = 0;
    bool m_skipErased = true;
};
