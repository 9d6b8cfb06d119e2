// ExtendedData: extended data between the groups of a file and the result-buffer chains
// the database takes (AcDbObject::xData/setXData).
#pragma once

#include "host/dxf/ObjectTags.h"

struct resbuf;

namespace dh::dxf {

class OutputFiler;

// A new chain (release with acutRelRb); nullptr for no groups.
resbuf* chainFromTags(const Tags& tags);
// The application names (1001) in order.
std::vector<std::string> applicationNames(const Tags& tags);
void writeChain(OutputFiler& filer, const resbuf* chain);

} // namespace dh::dxf
