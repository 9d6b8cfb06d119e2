#include "host/dxf/DxfReader.h"

#include "host/dxf/MappedFile.h"
#include "host/dxf/ReadError.h"
#include "host/dxf/ReaderContext.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <new>

namespace dh::dxf {

namespace {

void readSections(ReaderContext& ctx)
{
    TagStream& stream = ctx.stream;
    AcDbDxfTag tag;
    std::size_t where = 0;
    bool sawEof = false;
    bool sawSection = false;
    while (stream.next(tag, &where)) {
        if (tag.code == 0 && tag.text == "EOF") {
            sawEof = true;
            break;
        }
        if (tag.code != 0 || tag.text != "SECTION")
            ctx.fail(where, "expected SECTION, found group " + std::to_string(tag.code) + " '" +
                                tag.text.substr(0, 40) + "'");
        if (!stream.next(tag, &where) || tag.code != 2)
            ctx.fail(where, "a section without a name");
        sawSection = true;
        const std::string name = tag.text;
        if (name == "HEADER") readHeaderSection(ctx);
        else if (name == "CLASSES") readClassesSection(ctx);
        else if (name == "TABLES") readTablesSection(ctx);
        else if (name == "BLOCKS") readBlocksSection(ctx);
        else if (name == "ENTITIES") readEntitiesSection(ctx);
        else if (name == "OBJECTS") readObjectsSection(ctx);
        else skipSection(ctx);
    }
    if (!sawSection) ctx.fail(stream.where(), "not a DXF file (no section found)");
    if (!sawEof) ctx.fail(stream.where(), "the file ends before EOF (truncated)");
}

} // namespace

void skipSection(ReaderContext& ctx)
{
    AcDbDxfTag tag;
    std::size_t where = 0;
    while (ctx.stream.next(tag, &where)) {
        if (tag.code == 0 && tag.text == "ENDSEC") return;
        if (tag.code == 0 && tag.text == "EOF") break;
    }
    ctx.fail(where, "a section without ENDSEC");
}

namespace {

using db::DatabaseAccess;

// Fewer bytes per object than real files have: a little too much room is cheap, a rehash
// of a few million entries is not.
constexpr std::size_t kFileBytesPerObject = 200;

bool readInto(AcDbDatabase& db, std::string_view data, const std::string& name,
              const ReadOptions& options, ReadReport& report, MappedFile* file = nullptr)
{
    report = ReadReport{};
    try {
        auto documentData = std::make_unique<DocumentData>();
        TagReader reader(data);
        if (file) reader.setReleaseHook([file](std::size_t offset) { file->releaseBefore(offset); });
        TextDecoder decoder(options.encoding);
        TagStream stream(reader, decoder);
        // A drawing holds an object for every few hundred bytes of its file.
        DatabaseAccess::objects(db).reserve(data.size() / kFileBytesPerObject);
        ReaderContext ctx{db, *documentData, stream, report};
        ctx.fileData = data;
        readSections(ctx);
        ensureSeed(ctx);
        applyDeferredXData(ctx);
        applyHeaderSettings(ctx);
        documentData->version = ctx.version;
        documentData->codePage = decoder.declared();
        if (!DocumentData::attach(&db, std::move(documentData)))
            throw std::runtime_error("the drawing's file data could not be stored");
        report.warnings.insert(report.warnings.begin(), decoder.warnings().begin(),
                               decoder.warnings().end());
        report.version = ctx.version;
        report.codePage = decoder.declared();
        report.ok = true;
        db.setFilename(name.c_str());
        return true;
    } catch (const ReadError& e) {
        report.errorLine = e.m_line;
        report.errorIsByteOffset = e.m_binary;
        report.reason = e.m_reason;
        report.error = name + ": " + e.where();
    } catch (const std::bad_alloc&) {
        report.reason = "out of memory";
        report.error = name + ": out of memory";
    } catch (const std::exception& e) {
        report.reason = e.what();
        report.error = name + ": " + e.what();
    }
    return false;
}

} // namespace

std::unique_ptr<AcDbDatabase> readDxfData(std::string_view data, const std::string& name,
                                          const ReadOptions& options, ReadReport& report)
{
    auto db = std::make_unique<AcDbDatabase>(false);
    if (!readInto(*db, data, name, options, report)) return nullptr;
    return db;
}

bool readDxfInto(AcDbDatabase& db, const std::string& path, ReadReport& report,
                 const ReadOptions& options)
{
    MappedFile file;
    std::string error;
    if (!file.open(path, error)) {
        report = ReadReport{};
        report.reason = "cannot read the file: " + error;
        report.error = path + ": " + report.reason;
        return false;
    }
    return readInto(db, file.data(), path, options, report, &file);
}

std::unique_ptr<AcDbDatabase> readDxf(const std::string& path, const ReadOptions& options,
                                      ReadReport& report)
{
    auto db = std::make_unique<AcDbDatabase>(false);
    if (!readDxfInto(*db, path, report, options)) return nullptr;
    return db;
}

const std::vector<AcDbDxfTag>* headerVariable(const AcDbDatabase* db, std::string_view name)
{
    const DocumentData* data = DocumentData::find(db);
    if (!data) return nullptr;
    for (const HeaderVariable& variable : data->header)
        if (variable.name == name) return &variable.values;
    return nullptr;
}

} // namespace dh::dxf
