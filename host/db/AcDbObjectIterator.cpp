#include <acdb/AcDbObjectIterator.h>

AcDbObjectIterator::AcDbObjectIterator(std::vector<AcDbObjectId> ids, bool skipErased)
    : m_ids(std::move(ids)), m_skipErased(skipErased)
{
    start();
}

void AcDbObjectIterator::start(bool atEnd)
{
    m_index = atEnd ? static_cast<long>(m_ids.size()) - 1 : 0;
    skip(atEnd);
}

bool AcDbObjectIterator::done() const
{
    return m_index < 0 || m_index >= static_cast<long>(m_ids.size());
}

void AcDbObjectIterator::step(bool backwards, bool skipErased)
{
    m_skipErased = skipErased;
    m_index += backwards ? -1 : 1;
    skip(backwards);
}

AcDbObjectId AcDbObjectIterator::objectId() const
{
    return done() ? AcDbObjectId::kNull : m_ids[static_cast<std::size_t>(m_index)];
}

Acad::ErrorStatus AcDbObjectIterator::seek(AcDbObjectId id)
{
    for (std::size_t i = 0; i < m_ids.size(); ++i) {
        if (m_ids[i] == id) {
            m_index = static_cast<long>(i);
            return Acad::eOk;
        }
    }
    return Acad::eKeyNotFound;
}

void AcDbObjectIterator::skip(bool backwards)
{
    while (m_skipErased && !done() && m_ids[static_cast<std::size_t>(m_index)].isErased())
        m_index += backwards ? -1 : 1;
}
