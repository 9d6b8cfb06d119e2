// Services the host offers the database: above all the working database, the drawing
// that calls without an explicit database act on.
#pragma once

#include <acrx/AcRxObject.h>

class AcDbDatabase;

class ADESK_EXPORT AcDbHostApplicationServices : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbHostApplicationServices);

    // nullptr before the host opened a drawing.
    virtual AcDbDatabase* workingDatabase() const { return m_working; }
    virtual void setWorkingDatabase(AcDbDatabase* db) { m_working = db; }

private:
    AcDbDatabase* m_working = nullptr;
};

// The host's one services object.
ADESK_EXPORT AcDbHostApplicationServices* acdbHostApplicationServices();
