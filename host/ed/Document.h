// One open drawing: its database, its own LISP interpreter (functions defined by modules
// and by the user live per drawing), its view and the file it came from.
#pragma once

#include "host/ed/View.h"

#include <acap/AcApDocManager.h>

#include <memory>
#include <string>

namespace dh::lisp {
class Interpreter;
}

namespace dh::ed {

class Document : public AcApDocument {
public:
    // number: the session's count of documents, for the title of a new drawing.
    Document(std::unique_ptr<AcDbDatabase> database, std::string fileName, int number);
    ~Document() override;

    AcDbDatabase* database() const override { return m_database.get(); }
    const char* fileName() const override { return m_fileName.c_str(); }
    const char* docTitle() const override { return m_title.c_str(); }
    void setFileName(const std::string& fileName);

    lisp::Interpreter& lisp() { return *m_lisp; }
    View& view() { return m_view; }
    const View& view() const { return m_view; }

private:
    std::unique_ptr<AcDbDatabase> m_database;
    std::string m_fileName;
    std::string m_title;
    std::unique_ptr<lisp::Interpreter> m_lisp;
    View m_view;
};

}  // namespace dh::ed
