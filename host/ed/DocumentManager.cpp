#include "host/ed/DocumentManager.h"

#include "host/ed/CommandStack.h"
#include "host/ed/Document.h"
#include "host/ed/Session.h"

#include <acrx/AcRxClass.h>

#include <algorithm>

ACRX_DEFINE_MEMBERS(AcApDocument, AcRxObject)
ACRX_DEFINE_MEMBERS(AcApDocManager, AcRxObject)

// Defaults for a manager without documents; the host's manager overrides them all.
AcApDocument* AcApDocManager::curDocument() const { return nullptr; }
AcApDocument* AcApDocManager::mdiActiveDocument() const { return nullptr; }
AcApDocument* AcApDocManager::document(const AcDbDatabase*) const { return nullptr; }
int AcApDocManager::documentCount() const { return 0; }
Acad::ErrorStatus AcApDocManager::setCurDocument(AcApDocument*) { return Acad::eInvalidInput; }
Acad::ErrorStatus AcApDocManager::activateDocument(AcApDocument*) { return Acad::eInvalidInput; }
AcApDocumentIterator* AcApDocManager::newAcApDocumentIterator() { return nullptr; }
void AcApDocManager::addReactor(AcApDocManagerReactor*) {}
void AcApDocManager::removeReactor(AcApDocManagerReactor*) {}
void AcApDocManager::pushResourceHandle(HINSTANCE) {}
bool AcApDocManager::popResourceHandle() { return false; }
HINSTANCE AcApDocManager::currentResourceHandle() const { return nullptr; }

AcApDocManager* acDocManagerPtr()
{
    dh::ed::Session* session = dh::ed::Session::current();
    return session ? &session->documentManager() : nullptr;
}

AcDbDatabase* acdbCurDwg()
{
    dh::ed::Session* session = dh::ed::Session::current();
    dh::ed::Document* doc = session ? session->activeDocument() : nullptr;
    return doc ? doc->database() : nullptr;
}

namespace dh::ed {

namespace {

class DocumentIterator : public AcApDocumentIterator {
public:
    explicit DocumentIterator(std::vector<AcApDocument*> docs) : m_docs(std::move(docs)) {}
    bool done() const override { return m_next >= m_docs.size(); }
    void step() override { ++m_next; }
    AcApDocument* document() override { return done() ? nullptr : m_docs[m_next]; }

private:
    std::vector<AcApDocument*> m_docs;
    std::size_t m_next = 0;
};

Document* findDocument(const Session& session, const AcApDocument* doc)
{
    for (const auto& d : session.documents()) {
        if (d.get() == doc)
            return d.get();
    }
    return nullptr;
}

}  // namespace

AcApDocument* DocumentManager::curDocument() const { return m_session.activeDocument(); }
AcApDocument* DocumentManager::mdiActiveDocument() const { return m_session.activeDocument(); }

AcApDocument* DocumentManager::document(const AcDbDatabase* db) const
{
    for (const auto& d : m_session.documents()) {
        if (db && d->database() == db)
            return d.get();
    }
    return nullptr;
}

int DocumentManager::documentCount() const { return static_cast<int>(m_session.documents().size()); }

Acad::ErrorStatus DocumentManager::setCurDocument(AcApDocument* doc)
{
    Document* d = findDocument(m_session, doc);
    if (!d)
        return Acad::eInvalidInput;
    m_session.setActiveDocument(*d);
    return Acad::eOk;
}

Acad::ErrorStatus DocumentManager::activateDocument(AcApDocument* doc) { return setCurDocument(doc); }

AcApDocumentIterator* DocumentManager::newAcApDocumentIterator()
{
    std::vector<AcApDocument*> docs;
    for (const auto& d : m_session.documents())
        docs.push_back(d.get());
    return new DocumentIterator(std::move(docs));
}

void DocumentManager::addReactor(AcApDocManagerReactor* reactor)
{
    if (reactor && std::find(m_reactors.begin(), m_reactors.end(), reactor) == m_reactors.end())
        m_reactors.push_back(reactor);
}

void DocumentManager::removeReactor(AcApDocManagerReactor* reactor)
{
    std::erase(m_reactors, reactor);
}

void DocumentManager::pushResourceHandle(HINSTANCE hInst) { m_resources.push_back(hInst); }

bool DocumentManager::popResourceHandle()
{
    if (m_resources.empty())
        return false;
    m_resources.pop_back();
    return true;
}

HINSTANCE DocumentManager::currentResourceHandle() const
{
    return m_resources.empty() ? nullptr : m_resources.back();
}

template <class F>
void DocumentManager::notify(F&& f)
{
    std::vector<AcApDocManagerReactor*> reactors = m_reactors;
    for (AcApDocManagerReactor* r : reactors) {
        if (std::find(m_reactors.begin(), m_reactors.end(), r) != m_reactors.end())
            f(r);
    }
}

void DocumentManager::notifyCreated(AcApDocument* doc)
{
    notify([doc](AcApDocManagerReactor* r) { r->documentCreateStarted(doc); });
    notify([doc](AcApDocManagerReactor* r) { r->documentCreated(doc); });
}

void DocumentManager::notifyBecameCurrent(AcApDocument* doc)
{
    notify([doc](AcApDocManagerReactor* r) { r->documentToBeActivated(doc); });
    notify([doc](AcApDocManagerReactor* r) { r->documentBecameCurrent(doc); });
    notify([doc](AcApDocManagerReactor* r) { r->documentActivated(doc); });
}

void DocumentManager::notifyToBeDestroyed(AcApDocument* doc)
{
    notify([doc](AcApDocManagerReactor* r) { r->documentToBeDestroyed(doc); });
}

void DocumentManager::notifyDestroyed(const char* fileName)
{
    notify([fileName](AcApDocManagerReactor* r) { r->documentDestroyed(fileName); });
}

int DocumentManager::removeReactorsOf(const void* base)
{
    std::size_t before = m_reactors.size();
    std::erase_if(m_reactors, [base](AcApDocManagerReactor* r) {
        // The reactor object's vtable lives in the code of the object that made it.
        return base && objectBaseOf(*reinterpret_cast<void* const*>(r)) == base;
    });
    std::erase_if(m_resources, [base](HINSTANCE h) { return h == base; });
    return static_cast<int>(before - m_reactors.size());
}

}  // namespace dh::ed
