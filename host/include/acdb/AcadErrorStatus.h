// Status codes of the database and entity operations. They are results, not exceptions:
// every host call that can fail returns one, and modules pass them through unchanged.
#pragma once

namespace Acad {

enum ErrorStatus : int {
    eOk = 0,
    eNotImplementedYet = 1,
    eNotApplicable = 2,
    eInvalidInput = 3,
    eAmbiguousInput = 4,
    eAmbiguousOutput = 5,
    eOutOfMemory = 6,
    eBufferTooSmall = 7,
    eInvalidOpenState = 8,
    eEntityInInactiveLayout = 9,
    eHandleExists = 10,
    eNullHandle = 11,
    eBrokenHandle = 12,
    eUnknownHandle = 13,
    eHandleInUse = 14,
    // An index out of range; the composite-curve split also answers it for a piece whose
    // end lies on the first component.
    eInvalidIndex = 15,
    eNullObjectPointer = 16,
    eNullObjectId = 17,
    eNullEntityPointer = 18,
    eWrongObjectType = 19,
    eNotThatKindOfClass = 20,
    eDegenerateGeometry = 21,
    eInvalidExtents = 22,
    eNotInDatabase = 23,
    eAlreadyInDb = 24,
    eWrongDatabase = 25,
    eKeyNotFound = 26,
    eDuplicateKey = 27,
    eDuplicateRecordName = 28,
    eIllegalReplacement = 29,
    eFileAccessErr = 30,
    eFileNotFound = 31,
    eFilerError = 32,
    eBadDxfSequence = 33,
    eInvalidDxfCode = 34,
    eInvalidResBuf = 35,
    eBadDxfFile = 36,
    eNotAnEntity = 37,
    eNotInBlock = 38,
    eInvalidKey = 39,
    eInvalidSymbolTableName = 40,
    eSelfReference = 41,
    eNotOpenForRead = 44,
    // Modules test for 45 literally: the object is not open for write.
    eNotOpenForWrite = 45,
    eWasErased = 46,
    eWasNotErased = 47,
    eWasOpenForRead = 48,
    eWasOpenForWrite = 49,
    eWasNotifying = 50,
    eOnLockedLayer = 51,
    eAtMaxReaders = 52,
    eIsWriteProtected = 53,
    eRegappIdNotFound = 54,
    eXdataSizeExceeded = 55,
    eBadColorIndex = 56,
    eBadLinetypeName = 57,
    eBadLayerName = 58,
    eInvalidLayer = 59,
    eNotInitializedYet = 60,
    eGeneralModelingFailure = 61,
    eInvalidPlane = 62,
    eNoIntersections = 63,
    eInvalidObjectId = 64,
    eCannotBeErasedByCaller = 65,
    eMustFirstAddBlockToDb = 66,
    eOutOfRange = 67,
};

} // namespace Acad

// The enumerator's name without the namespace, e.g. "eWasOpenForWrite"; "eUnknown" for a
// value that is not one of the codes above.
const char* acadErrorStatusText(Acad::ErrorStatus status);
