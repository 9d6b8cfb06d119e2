// Adds many entities to the working drawing's current space, keeping the space open for
// write from one to the next (opening it for each was a tenth of CHGCD_T's work, see
// bench/terrain/ChgcdPassBench.cpp). Release it before anything else adds on its own; the
// destructor releases it too.
#pragma once

#include "toolkit/DrawingHelpers.h"

#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbObjectId.h>

namespace dh::terrain {

class SpaceAppender {
public:
    SpaceAppender() = default;
    SpaceAppender(const SpaceAppender&) = delete;
    SpaceAppender& operator=(const SpaceAppender&) = delete;
    ~SpaceAppender() { release(); }

    // A DbStatus; the entity is closed, or deleted when it could not be added.
    int append(AcDbEntity* entity, AcDbObjectId* id = nullptr)
    {
        if (!m_space)
            m_space = toolkit::openCurrentSpace(AcDb::kForWrite);
        return m_space ? toolkit::appendToWorkingSpace(entity, id, m_space)
                       : toolkit::appendAndClose(entity, id);
    }
    void release()
    {
        if (m_space)
            m_space->close();
        m_space = nullptr;
    }

private:
    AcDbBlockTableRecord* m_space = nullptr;
};

} // namespace dh::terrain
