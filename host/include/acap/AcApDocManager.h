// The host's open drawings. Several may be open; one is current (the last opened or
// created, or the one made current). Reactors added by modules hear of drawings being
// created, made current and destroyed; a module that is unloaded must remove its reactors
// first. The resource handle stack tells the dialog layer whose resources to use.
#pragma once

#include <acrx/AcRxApp.h>
#include <acrx/AcRxObject.h>

class AcDbDatabase;

class ADESK_EXPORT AcApDocument : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcApDocument);

    // The drawing of the document; owned by it.
    virtual AcDbDatabase* database() const = 0;
    // The file the drawing was read from or last saved to; "" for a new drawing.
    virtual const char* fileName() const = 0;
    // The file's name without folder, or "Drawing<n>.dxf" for a new drawing.
    virtual const char* docTitle() const = 0;
};

class ADESK_EXPORT AcApDocManagerReactor {
public:
    virtual ~AcApDocManagerReactor() = default;
    virtual void documentCreateStarted(AcApDocument*) {}
    virtual void documentCreated(AcApDocument*) {}
    virtual void documentToBeDestroyed(AcApDocument*) {}
    virtual void documentDestroyed(const char* /*fileName*/) {}
    virtual void documentBecameCurrent(AcApDocument*) {}
    virtual void documentToBeActivated(AcApDocument*) {}
    virtual void documentActivated(AcApDocument*) {}
};

class ADESK_EXPORT AcApDocumentIterator {
public:
    virtual ~AcApDocumentIterator() = default;
    virtual bool done() const = 0;
    virtual void step() = 0;
    virtual AcApDocument* document() = 0;
};

class ADESK_EXPORT AcApDocManager : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcApDocManager);

    virtual AcApDocument* curDocument() const;
    virtual AcApDocument* mdiActiveDocument() const;
    virtual AcApDocument* document(const AcDbDatabase* db) const;
    virtual int documentCount() const;
    // Makes doc current. eOk, or eInvalidInput for a document the host does not know.
    virtual Acad::ErrorStatus setCurDocument(AcApDocument* doc);
    virtual Acad::ErrorStatus activateDocument(AcApDocument* doc);
    // Iterates over the open documents in opening order; the caller deletes the iterator.
    virtual AcApDocumentIterator* newAcApDocumentIterator();

    // A reactor is added once; adding it again does nothing.
    virtual void addReactor(AcApDocManagerReactor* reactor);
    virtual void removeReactor(AcApDocManagerReactor* reactor);

    // Makes hInst the module whose resources the dialog layer uses, until the matching pop.
    virtual void pushResourceHandle(HINSTANCE hInst);
    // Answers false when nothing was pushed.
    virtual bool popResourceHandle();
    // The module on top of the stack, or nullptr.
    virtual HINSTANCE currentResourceHandle() const;
};

// The host's document manager; nullptr when no host session runs.
ADESK_EXPORT AcApDocManager* acDocManagerPtr();
#define acDocManager acDocManagerPtr()

// The current document's drawing, or nullptr.
ADESK_EXPORT AcDbDatabase* acdbCurDwg();
