// CollectFiler: an output filer that gathers the groups an object writes into a list,
// joining coordinate groups again (10/20/30 → one point group) so that the list compares
// with what the reader produced.
#pragma once

#include "host/dxf/ObjectTags.h"
#include "host/dxf/OutputFiler.h"

namespace dh::dxf {

class CollectFiler : public OutputFiler {
public:
    CollectFiler(AcDbDatabase* db, int version) : OutputFiler(db, version) {}

    Tags& tags() { return m_tags; }

protected:
    void putString(int code, std::string_view utf8) override;
    void putInt(int code, std::int64_t value) override;
    void putDouble(int code, double value) override;
    void putHandle(int code, std::uint64_t handle) override;
    void putBinary(int code, const void* data, std::size_t size) override;

private:
    Tags m_tags;
    int m_pointAxis = 0; // 1 or 2 while the last group is a point awaiting y or z
};

} // namespace dh::dxf
