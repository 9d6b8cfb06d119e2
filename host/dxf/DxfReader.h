// Reading a drawing from a DXF file (ASCII R12 to R2018, or binary). The reader builds a
// fresh database and hands it over only when the whole file was read; a damaged file is
// refused with the line (or byte offset) and the reason, and nothing is half-loaded.
// Repairs it makes on the way (missing layers, duplicate handles, unregistered
// applications, …) are listed in the audit.
#pragma once

#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbDxfFiler.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dh::dxf {

struct ReadOptions {
    // Code page of the texts, overriding the header ("ANSI_936", "UTF-8", …); empty: the
    // header's.
    std::string encoding;
};

struct AuditEntry {
    std::string code;       // short key, e.g. "duplicate-handle"
    std::uint64_t handle = 0;
    std::string message;
};

struct ReadReport {
    bool ok = false;
    std::string error;      // "FILE: line 12: reason" when !ok
    std::size_t errorLine = 0;
    bool errorIsByteOffset = false;
    std::string reason;
    std::vector<std::string> warnings;
    std::vector<AuditEntry> fixed;   // problems repaired while reading
    std::vector<AuditEntry> unfixed; // problems left as they are
    int version = 0;                 // $ACADVER number (1009 for R12)
    std::string codePage;            // as the file declared it
};

// nullptr on failure (report.error says why).
std::unique_ptr<AcDbDatabase> readDxf(const std::string& path, const ReadOptions& options,
                                      ReadReport& report);
// The same from bytes in memory; `name` is used in messages.
std::unique_ptr<AcDbDatabase> readDxfData(std::string_view data, const std::string& name,
                                          const ReadOptions& options, ReadReport& report);

// Fills an empty database (made without the default drawing) from a file; false with
// report.error on failure, when the database may hold part of the file.
bool readDxfInto(AcDbDatabase& db, const std::string& path, ReadReport& report,
                 const ReadOptions& options = {});

// A header variable of the drawing as its file had it ("$LUNITS"), for the settings the
// database does not model; nullptr when the file did not have it.
const std::vector<AcDbDxfTag>* headerVariable(const AcDbDatabase* db, std::string_view name);

} // namespace dh::dxf
