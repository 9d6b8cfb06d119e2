#include "host/ed/Document.h"

#include "host/lispeval/Interpreter.h"

#include <acdb/AcDbDatabase.h>

#include <filesystem>

namespace dh::ed {

Document::Document(std::unique_ptr<AcDbDatabase> database, std::string fileName, int number)
    : m_database(std::move(database)), m_lisp(std::make_unique<lisp::Interpreter>())
{
    m_title = "Drawing" + std::to_string(number) + ".dxf";
    setFileName(fileName);
}

Document::~Document() = default;

void Document::setFileName(const std::string& fileName)
{
    m_fileName = fileName;
    if (!fileName.empty())
        m_title = std::filesystem::path(fileName).filename().string();
    if (m_database)
        m_database->setFilename(fileName.c_str());
}

}  // namespace dh::ed
