// Enumerations shared by the database and entity interfaces.
#pragma once

#include <cstdint>

namespace AcDb {

enum OpenMode { kNotOpen = -1, kForRead = 0, kForWrite = 1, kForNotify = 2 };

// Which operands intersectWith may extend beyond their ends.
enum Intersect { kOnBothOperands = 0, kExtendThis = 1, kExtendArg = 2, kExtendBoth = 3 };

enum Visibility { kVisible = 0, kInvisible = 1 };

// Line weights in hundredths of a millimetre, plus the three inherited values.
enum LineWeight : int {
    kLnWt000 = 0, kLnWt005 = 5, kLnWt009 = 9, kLnWt013 = 13, kLnWt015 = 15, kLnWt018 = 18,
    kLnWt020 = 20, kLnWt025 = 25, kLnWt030 = 30, kLnWt035 = 35, kLnWt040 = 40, kLnWt050 = 50,
    kLnWt053 = 53, kLnWt060 = 60, kLnWt070 = 70, kLnWt080 = 80, kLnWt090 = 90, kLnWt100 = 100,
    kLnWt106 = 106, kLnWt120 = 120, kLnWt140 = 140, kLnWt158 = 158, kLnWt200 = 200,
    kLnWt211 = 211,
    kLnWtByLayer = -1, kLnWtByBlock = -2, kLnWtByLwDefault = -3,
};

// Whether a copy keeps the source's ids (deep clone inside one drawing) or maps them.
enum DuplicateRecordCloning { kDrcNotApplicable = 0, kDrcIgnore = 1, kDrcReplace = 2 };

// Versions a drawing can be written as.
enum AcDbDwgVersion { kDHL_1015 = 1015, kDHL_1018 = 1018, kDHL_1021 = 1021, kDHL_CURRENT = 1015 };

enum DxfCode : int {
    kDxfInvalid = -9999, kDxfStart = 0, kDxfText = 1, kDxfXRefPath = 1, kDxfShapeName = 2,
    kDxfBlockName = 2, kDxfAttributeTag = 2, kDxfSymbolTableName = 2, kDxfHandle = 5,
    kDxfLinetypeName = 6, kDxfTextStyleName = 7, kDxfLayerName = 8, kDxfXCoord = 10,
    kDxfReal = 40, kDxfThickness = 39, kDxfColor = 62, kDxfInt16 = 70,
    kDxfRegAppName = 1001, kDxfXdAsciiString = 1000, kDxfXdControlString = 1002,
    kDxfXdLayerName = 1003, kDxfXdBinaryChunk = 1004, kDxfXdHandle = 1005,
    kDxfXdXCoord = 1010, kDxfXdWorldXCoord = 1011, kDxfXdWorldXDisp = 1012,
    kDxfXdWorldXDir = 1013, kDxfXdReal = 1040, kDxfXdDist = 1041, kDxfXdScale = 1042,
    kDxfXdInteger16 = 1070, kDxfXdInteger32 = 1071,
};

} // namespace AcDb
