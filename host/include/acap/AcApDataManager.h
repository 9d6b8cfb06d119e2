// Per-document records of a module: one T for every document asked about, dropped when the
// host is about to destroy the document. The manager adds itself as a reactor of the
// document manager on construction and removes itself on destruction.
#pragma once

#include <acap/AcApDocManager.h>

#include <map>

template <class T>
class AcApDataManager : public AcApDocManagerReactor {
public:
    AcApDataManager()
    {
        if (AcApDocManager* manager = acDocManagerPtr())
            manager->addReactor(this);
    }
    ~AcApDataManager() override
    {
        if (AcApDocManager* manager = acDocManagerPtr())
            manager->removeReactor(this);
    }
    AcApDataManager(const AcApDataManager&) = delete;
    AcApDataManager& operator=(const AcApDataManager&) = delete;

    void documentToBeDestroyed(AcApDocument* doc) override { m_records.erase(doc); }

    // The record of doc, made on first use.
    T& docData(AcApDocument* doc) { return m_records[doc]; }
    // The record of the current document.
    T& docData() { return docData(acDocManagerPtr() ? acDocManagerPtr()->curDocument() : nullptr); }
    bool hasData(AcApDocument* doc) const { return m_records.count(doc) != 0; }
    std::size_t count() const { return m_records.size(); }

private:
    std::map<AcApDocument*, T> m_records;
};
