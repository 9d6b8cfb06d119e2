#include "host/ed/LeakCheck.h"

#include "host/db/OpenObjectRegistry.h"
#include "host/db/ResultBufferCount.h"
#include "host/ed/SelectionSets.h"
#include "host/ed/Session.h"

namespace dh::ed {

LeakCheck::LeakCheck(Session& session)
    : m_session(session),
      m_openObjects(db::openObjectCount()),
      m_resultBuffers(db::liveResultBuffers()),
      m_setCheckpoint(SelectionSets::instance().nextSerial())
{
}

std::vector<std::string> LeakCheck::findLeaks() const
{
    std::vector<std::string> warnings;
    std::vector<db::OpenObjectInfo> open = db::openObjects();
    // Objects open before the call belong to whoever opened them (an outer command).
    for (std::size_t i = m_openObjects; i < open.size(); ++i) {
        const auto& info = open[i];
        warnings.push_back("; warning: " + info.className + " " + info.handle.toString() +
                           " left open for " +
                           (info.mode == AcDb::kForWrite ? "write" : "read"));
    }
    std::size_t buffers = db::liveResultBuffers();
    if (buffers > m_resultBuffers) {
        std::size_t n = buffers - m_resultBuffers;
        warnings.push_back("; warning: " + std::to_string(n) + " result buffer" +
                           (n == 1 ? "" : "s") + " not released");
    }
    for (long serial : SelectionSets::instance().leakedSince(m_setCheckpoint))
        warnings.push_back("; warning: selection set " + std::to_string(serial) + " not freed");
    return warnings;
}

std::size_t LeakCheck::report()
{
    std::vector<std::string> warnings = findLeaks();
    for (const std::string& w : warnings)
        m_session.printResultLine(w);
    if (db::openObjectCount() > m_openObjects)
        db::closeAllOpenObjects();
    for (long serial : SelectionSets::instance().leakedSince(m_setCheckpoint)) {
        ads_name name = {serial, SelectionSets::kSetTag};
        SelectionSets::instance().free(name);
    }
    return warnings.size();
}

}  // namespace dh::ed
