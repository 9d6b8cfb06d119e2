// Writing a drawing as an ASCII DXF file: R2000 (default), R2004 or R2007 (UTF-8). The
// file is written beside the target under a temporary name and renamed over it, so a
// failure leaves the target as it was. What strict readers refuse is never written:
// handles are unique and below $HANDSEED, every application of extended data is
// registered (the database gets the missing ones), dimensions refer to existing blocks.
#pragma once

#include <acdb/AcDbDatabase.h>

#include <string>
#include <vector>

namespace dh::dxf {

struct WriteOptions {
    int version = 1015; // 1015 (R2000), 1018 (R2004) or 1021 (R2007)
    // Code page of the texts for versions before R2007; empty: the one of the file the
    // drawing came from (ANSI_936 for a new drawing).
    std::string codePage;
};

struct WriteReport {
    bool ok = false;
    std::string error; // "FILE: reason" when !ok
    std::vector<std::string> warnings;
};

// "R2000", "2000", "AC1015" → 1015; 0 for a name that is not a version we write.
int versionFromName(const std::string& name);

bool writeDxf(AcDbDatabase& db, const std::string& path, const WriteOptions& options,
              WriteReport& report);
// The file's bytes in `out`; false with report.error on failure.
bool writeDxfData(AcDbDatabase& db, const WriteOptions& options, std::string& out,
                  WriteReport& report);

} // namespace dh::dxf
