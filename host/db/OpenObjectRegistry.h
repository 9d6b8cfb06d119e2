// The objects currently open, so that the editor can report what a command or a module
// left open, and the undo copies that cancel() restores. Opening and closing for read
// only link and unlink the object (no allocation); a write open stores a copy of the
// object's state.
#pragma once

#include <acdb/AcDb.h>
#include <acdb/AcDbHandle.h>
#include <acrx/AcRxObject.h>

#include <memory>
#include <string>
#include <vector>

class AcDbObject;

namespace dh::db {

struct OpenObjectInfo {
    std::string className;
    AcDbHandle handle;
    AcDb::OpenMode mode = AcDb::kForRead;
    int readers = 0;
};

// Every open object, oldest open first.
std::vector<OpenObjectInfo> openObjects();
std::size_t openObjectCount();
// Closes every open object (write opens commit), as the host does after reporting a
// leak so that the next command starts clean. Answers how many were closed.
std::size_t closeAllOpenObjects();

// Links and unlinks an object in the open list; used by the open protocol.
void linkOpen(AcDbObject* object);
void unlinkOpen(AcDbObject* object);

// The state cancel() goes back to: a new object of the class given the object's state with
// copyFrom (so owned objects are shared by id, not copied), else a clone; nullptr when
// the class can do neither.
std::unique_ptr<AcRxObject> makeUndoCopy(const AcDbObject* object);

// Undo copies of write-open objects.
void storeUndoCopy(const AcDbObject* object, std::unique_ptr<AcRxObject> copy);
std::unique_ptr<AcRxObject> takeUndoCopy(const AcDbObject* object);
void dropUndoCopy(const AcDbObject* object);

} // namespace dh::db
