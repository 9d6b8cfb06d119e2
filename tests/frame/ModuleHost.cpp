#include "tests/frame/ModuleHost.h"

#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbHostApplicationServices.h>
#include <acdb/AcDbLine.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace dh::test {
namespace {

std::filesystem::path makeTempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "dh-modules-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary folder");
    return pattern;
}

std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

} // namespace

std::filesystem::path ModuleHost::moduleDir()
{
    const char* binary = std::getenv("DH_BINARY_DIR");
    return std::filesystem::path(binary ? binary : ".") / "bin";
}

ModuleHost::ModuleHost() : m_tempDir(makeTempDir())
{
    dh::ed::SessionOptions options;
    options.quiet = true;
    options.moduleDir = moduleDir().string();
    options.configHome = (m_tempDir / "config").string();
    m_session = std::make_unique<dh::ed::Session>(options);
    m_session->setOutput(m_out);
    m_session->setErrorOutput(m_err);
    m_session->newDocument();
}

ModuleHost::~ModuleHost()
{
    m_session.reset();
    m_all += m_out.str();
    EXPECT_EQ(m_all.find("; warning:"), std::string::npos) << m_all;
    std::error_code ignored;
    std::filesystem::remove_all(m_tempDir, ignored);
}

bool ModuleHost::load(const std::string& moduleName)
{
    const std::string path = (moduleDir() / (moduleName + ".so")).string();
    const std::string printed = eval("(arxload " + quoted(path) + ")");
    return printed.find("; error") == std::string::npos;
}

bool ModuleHost::unload(const std::string& moduleName)
{
    const std::string printed = eval("(arxunload " + quoted(moduleName) + ")");
    return printed.find("; error") == std::string::npos;
}

AcDbObjectId ModuleHost::addLine(const char* layer)
{
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    line->setLayer(layer);
    AcDbBlockTableRecord* space = nullptr;
    AcDbObjectId id;
    if (acdbOpenObject(space, db->currentSpaceId(), AcDb::kForWrite) != Acad::eOk) {
        delete line;
        ADD_FAILURE() << "cannot open the current space";
        return id;
    }
    if (space->appendAcDbEntity(id, line) == Acad::eOk)
        line->close();
    else
        delete line;
    space->close();
    return id;
}

std::string ModuleHost::runCommand(const std::string& command, int& status)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        status = -1;
        return output;
    }
    std::array<char, 4096> buffer{};
    std::size_t read = 0;
    while ((read = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output.append(buffer.data(), read);
    status = pclose(pipe);
    return output;
}

std::string ModuleHost::eval(const std::string& line)
{
    m_all += m_out.str();
    m_out.str("");
    m_session->runLine(line);
    std::string printed = m_out.str();
    if (!printed.empty() && printed.back() == '\n')
        printed.pop_back();
    return printed;
}

} // namespace dh::test
