// The host's document manager (AcApDocManager) over the session's documents: reactors of
// modules, the resource handle stack, and the notifications the session sends as drawings
// are created, made current and closed.
#pragma once

#include <acap/AcApDocManager.h>

#include <vector>

namespace dh::ed {

class Session;

class DocumentManager : public AcApDocManager {
public:
    explicit DocumentManager(Session& session) : m_session(session) {}

    AcApDocument* curDocument() const override;
    AcApDocument* mdiActiveDocument() const override;
    AcApDocument* document(const AcDbDatabase* db) const override;
    int documentCount() const override;
    Acad::ErrorStatus setCurDocument(AcApDocument* doc) override;
    Acad::ErrorStatus activateDocument(AcApDocument* doc) override;
    AcApDocumentIterator* newAcApDocumentIterator() override;
    void addReactor(AcApDocManagerReactor* reactor) override;
    void removeReactor(AcApDocManagerReactor* reactor) override;
    void pushResourceHandle(HINSTANCE hInst) override;
    bool popResourceHandle() override;
    HINSTANCE currentResourceHandle() const override;

    // Notifications, sent by the session.
    void notifyCreated(AcApDocument* doc);
    void notifyBecameCurrent(AcApDocument* doc);
    void notifyToBeDestroyed(AcApDocument* doc);
    void notifyDestroyed(const char* fileName);

    // Drops the reactors whose code lies in the loaded object based at base (a module
    // being unloaded that did not remove them). Answers how many.
    int removeReactorsOf(const void* base);
    std::size_t reactorCount() const { return m_reactors.size(); }

private:
    // Reactors may remove themselves while notified: walk a copy, skip removed ones.
    template <class F>
    void notify(F&& f);

    Session& m_session;
    std::vector<AcApDocManagerReactor*> m_reactors;
    std::vector<HINSTANCE> m_resources;
};

}  // namespace dh::ed
