// AcDbDatabase::saveAs and readDxfFile: the database's own entry points into the codec.
#include "host/dxf/DxfReader.h"
#include "host/dxf/DxfWriter.h"

#include <acdb/AcDbDatabase.h>

namespace {

// The version a caller asks for: 0 for the default, an AcDbDwgVersion value, or the
// $ACADVER number (the two coincide for the versions written).
int writtenVersion(int version)
{
    if (version == 0) return 1015;
    return version;
}

} // namespace

Acad::ErrorStatus AcDbDatabase::saveAs(const char* fileName, int version)
{
    if (!fileName || !*fileName) return Acad::eInvalidInput;
    int written = writtenVersion(version);
    if (written != 1015 && written != 1018 && written != 1021) return Acad::eNotApplicable;
    dh::dxf::WriteOptions options;
    options.version = written;
    dh::dxf::WriteReport report;
    try {
        if (!dh::dxf::writeDxf(*this, fileName, options, report)) return Acad::eFileAccessErr;
    } catch (...) {
        return Acad::eFilerError;
    }
    setFilename(fileName);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::readDxfFile(const char* fileName)
{
    if (!fileName || !*fileName) return Acad::eInvalidInput;
    try {
        dh::dxf::ReadReport report;
        std::unique_ptr<AcDbDatabase> read = dh::dxf::readDxf(fileName, {}, report);
        if (!read) return Acad::eBadDxfFile;
        // The database is filled in place only from a file that reads completely; a
        // database that already holds objects cannot take a drawing in place.
        if (numberOfObjects() != 0) return Acad::eNotApplicable;
        return dh::dxf::readDxfInto(*this, fileName, report) ? Acad::eOk : Acad::eBadDxfFile;
    } catch (...) {
        return Acad::eFilerError;
    }
}
