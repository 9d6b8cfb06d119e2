// WriteFiler: writes an object's fields into the DXF file, putting back at the end of each
// subclass the groups the codec kept for it (KeptTags) — unless the object now writes a
// group of the same code there itself.
#pragma once

#include "host/dxf/KeptTags.h"
#include "host/dxf/OutputFiler.h"
#include "host/dxf/TagWriter.h"

namespace dh::dxf {

class WriteFiler : public OutputFiler {
public:
    WriteFiler(AcDbDatabase* db, int version, TagWriter& out) : OutputFiler(db, version), m_out(out) {}

    // Starts an object; `kept` (may be null) must outlive finish(). Values are written as
    // given until modelledFields() says they come from a class's own conversions.
    void begin(const std::vector<KeptGroup>* kept);
    void modelledFields() { m_modelled = true; }
    // Flushes what is kept for the last subclass.
    void finish();

protected:
    void putString(int code, std::string_view utf8) override;
    void putInt(int code, std::int64_t value) override;
    void putDouble(int code, double value) override;
    void putHandle(int code, std::uint64_t handle) override;
    void putBinary(int code, const void* data, std::size_t size) override;

private:
    void note(int code);
    void flushKept();

    TagWriter& m_out;
    const std::vector<KeptGroup>* m_kept = nullptr;
    std::string m_subclass;
    int m_occurrence = 0;
    std::vector<std::pair<std::string, int>> m_seen; // markers written so far
    std::vector<int> m_codes;                        // codes written in this subclass
    bool m_flushing = false;
    bool m_modelled = false;
};

} // namespace dh::dxf
