// A quiet host session holding a drawing of the terrain generator (tools/gen), for the pass
// benchmarks: the drawing goes through a temporary DXF file and the host's reader, as a
// user's drawing would.
#pragma once

#include "TerrainDxf.h"

#include "host/ed/Session.h"
#include "toolkit/SelectSetPacker.h"

#include <acut/ResBuf.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace dh::bench {

inline dh::ed::SessionOptions quietOptions()
{
    dh::ed::SessionOptions options;
    options.quiet = true;
    options.configHome = (std::filesystem::temp_directory_path() / "terrain-bench-config").string();
    return options;
}

class GeneratedSession {
public:
    explicit GeneratedSession(const dh::tools::TerrainOptions& drawing) : m_session(quietOptions())
    {
        m_session.setOutput(m_transcript);
        m_session.setErrorOutput(m_transcript);
        const auto path = std::filesystem::temp_directory_path() /
                          ("terrain-bench-" + std::to_string(::getpid()) + ".dxf");
        {
            std::ofstream out(path, std::ios::binary);
            dh::tools::writeTerrainDxf(out, drawing);
        }
        m_open = m_session.openDocument(path.string(), m_error) != nullptr;
        std::filesystem::remove(path);
    }

    bool isOpen() const { return m_open; }
    const std::string& error() const { return m_error; }
    dh::ed::Session& session() { return m_session; }

    // The ids of the entities of model space that the filter passes, in drawing order.
    AcArray<AcDbObjectId> selectAll(const resbuf* filter) const
    {
        AcArray<AcDbObjectId> ids;
        dh::toolkit::SelectSetPacker packer;
        packer.selectAll(filter);
        packer.objectIds(ids);
        return ids;
    }

private:
    std::ostringstream m_transcript;
    dh::ed::Session m_session;
    std::string m_error;
    bool m_open = false;
};

} // namespace dh::bench
