#include "host/dxf/DxfWriter.h"

#include "host/dxf/ExtendedData.h"
#include "host/dxf/KeptEntity.h"
#include "host/dxf/WriterContext.h"

#include "host/db/DatabaseAccess.h"

#include <acut/ResBuf.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <memory>
#include <new>
#include <unistd.h>

namespace dh::dxf {

using db::DatabaseAccess;
using db::TableKind;

int versionFromName(const std::string& name)
{
    std::string n;
    for (char c : name) n.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    if (n == "R2000" || n == "2000" || n == "AC1015") return 1015;
    if (n == "R2004" || n == "2004" || n == "AC1018") return 1018;
    if (n == "R2007" || n == "2007" || n == "AC1021") return 1021;
    return 0;
}

void WriterContext::writeStart(const std::string& type, std::uint64_t handle, const KeptTags* kept,
                               std::uint64_t owner, int handleCode, std::string_view tableName)
{
    out.writeRaw(0, type);
    if (!tableName.empty()) out.writeRaw(2, tableName);
    out.writeHandle(handleCode, handle);
    if (kept) {
        for (const AppDataGroup& group : kept->appData) {
            out.writeRaw(102, "{" + group.name);
            filer.begin(nullptr);
            for (const AcDbDxfTag& tag : group.tags) filer.writeTag(tag);
            out.writeRaw(102, "}");
        }
    }
    out.writeHandle(330, owner);
}

void WriterContext::writeFields(const AcDbObject* object, const KeptTags* kept,
                                const std::vector<KeptGroup>* extra)
{
    std::vector<KeptGroup> merged;
    const std::vector<KeptGroup>* groups = kept ? &kept->groups : nullptr;
    if (extra && !extra->empty()) {
        if (groups) merged = *groups;
        merged.insert(merged.end(), extra->begin(), extra->end());
        groups = &merged;
    }
    filer.begin(groups);
    if (!KeptEntity::cast(object) && !KeptObject::cast(object)) filer.modelledFields();
    object->dxfOutFields(&filer);
    filer.finish();
    if (resbuf* chain = object->xData()) {
        writeChain(filer, chain);
        acutRelRb(chain);
    }
}

std::string dxfTypeOf(const AcDbObject* object)
{
    if (auto* kept = KeptEntity::cast(object)) return kept->dxfType();
    if (auto* kept = KeptObject::cast(object)) return kept->dxfType();
    static const std::pair<const char*, const char*> kTypes[] = {
        {"AcDbLine", "LINE"}, {"AcDbArc", "ARC"}, {"AcDbCircle", "CIRCLE"},
        {"AcDbEllipse", "ELLIPSE"}, {"AcDbSpline", "SPLINE"}, {"AcDbPoint", "POINT"},
        {"AcDbAttributeDefinition", "ATTDEF"}, {"AcDbAttribute", "ATTRIB"},
        {"AcDbText", "TEXT"}, {"AcDbMText", "MTEXT"}, {"AcDbPolyline", "LWPOLYLINE"},
        {"AcDb2dPolyline", "POLYLINE"}, {"AcDb3dPolyline", "POLYLINE"},
        {"AcDb2dVertex", "VERTEX"}, {"AcDb3dPolylineVertex", "VERTEX"},
        {"AcDbVertex", "VERTEX"}, {"AcDbSequenceEnd", "SEQEND"},
        {"AcDbBlockReference", "INSERT"}, {"AcDbArcDimension", "ARC_DIMENSION"},
        {"AcDbDimension", "DIMENSION"}, {"AcDbLeader", "LEADER"}, {"AcDbFace", "3DFACE"},
        {"AcDbSolid", "SOLID"}, {"AcDbTrace", "TRACE"},
    };
    for (AcRxClass* cls = object->isA(); cls; cls = cls->myParent())
        for (const auto& [name, type] : kTypes)
            if (std::strcmp(cls->name(), name) == 0) return type;
    return "";
}

namespace {

// Every application named in extended data gets its APPID record, so that no reader finds
// data under an unregistered name.
void registerApplications(AcDbDatabase& db, WriteReport& report)
{
    std::vector<std::string> names;
    DatabaseAccess::objects(db).forEach([&](const db::ObjectStub& stub) {
        if (!stub.object || stub.object->isErased()) return;
        resbuf* chain = stub.object->xData();
        for (resbuf* rb = chain; rb; rb = rb->rbnext)
            if (rb->restype == 1001 && rb->resval.rstring) names.emplace_back(rb->resval.rstring);
        acutRelRb(chain);
    });
    for (const std::string& name : names) {
        if (!DatabaseAccess::findRecord(db, TableKind::kRegApp, name.c_str()).isNull()) continue;
        if (DatabaseAccess::ensureRecord(db, TableKind::kRegApp, name.c_str()).isNull())
            report.warnings.push_back("application name '" + name + "' cannot be registered");
        else
            report.warnings.push_back("application '" + name + "' registered for its extended data");
    }
}

bool writeAll(const char* path, const std::string& a, const std::string& b, std::string& error)
{
    std::string target(path);
    std::string temp = target + ".tmpXXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0) {
        error = std::string("cannot create a file beside it: ") + std::strerror(errno);
        return false;
    }
    auto put = [&](const std::string& text) {
        std::size_t done = 0;
        while (done < text.size()) {
            ssize_t n = ::write(fd, text.data() + done, text.size() - done);
            if (n < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            done += static_cast<std::size_t>(n);
        }
        return true;
    };
    // mkstemp makes the file private; give it the mode a new file would have.
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    bool ok = put(a) && put(b) && ::fsync(fd) == 0;
    int savedErrno = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (ok && std::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        savedErrno = errno;
    }
    if (!ok) {
        std::remove(temp.c_str());
        error = std::string("cannot write: ") + std::strerror(savedErrno);
    }
    return ok;
}

} // namespace

static bool build(AcDbDatabase& db, const WriteOptions& options, std::string& header,
                  std::string& body, WriteReport& report)
{
    int version = options.version ? options.version : 1015;
    if (version != 1015 && version != 1018 && version != 1021) {
        report.error = "unsupported DXF version " + std::to_string(version);
        return false;
    }
    DatabaseAccess::ensureStandardObjects(db);
    registerApplications(db, report);
    DocumentData* data = DocumentData::find(&db);
    std::string codePage = !options.codePage.empty() ? options.codePage
                           : data                   ? data->codePage
                                                    : std::string("ANSI_936");
    if (!CodePage(codePage).known()) {
        report.warnings.push_back("unknown code page '" + codePage + "'; ANSI_1252 written");
        codePage = "ANSI_1252";
    }
    bool utf8 = version >= 1021;
    TagWriter bodyWriter(codePage, utf8);
    WriterContext ctx(db, data, version, bodyWriter, report);
    ctx.nextHandle = db.handseed().value();
    if (ctx.nextHandle == 0) ctx.nextHandle = 1;
    // A drawing without objects of its own, or with only those a copy brought along, gets
    // the dictionaries and layouts strict readers require.
    ctx.generateObjects = !data || data->rootDictionary == 0;
    planObjects(ctx);
    writeClassesSection(ctx);
    writeTablesSection(ctx);
    writeBlocksSection(ctx);
    writeEntitiesSection(ctx);
    writeObjectsSection(ctx);
    bodyWriter.writeRaw(0, "EOF");
    TagWriter headerWriter(codePage, utf8);
    writeHeaderSection(ctx, headerWriter);
    header = std::move(headerWriter.buffer());
    body = std::move(bodyWriter.buffer());
    return true;
}

bool writeDxfData(AcDbDatabase& db, const WriteOptions& options, std::string& out,
                  WriteReport& report)
{
    report = WriteReport{};
    try {
        std::string header, body;
        if (!build(db, options, header, body, report)) return false;
        out = std::move(header);
        out += body;
        report.ok = true;
        return true;
    } catch (const std::bad_alloc&) {
        report.error = "out of memory";
    } catch (const std::exception& e) {
        report.error = e.what();
    }
    return false;
}

bool writeDxf(AcDbDatabase& db, const std::string& path, const WriteOptions& options,
              WriteReport& report)
{
    report = WriteReport{};
    try {
        std::string header, body;
        if (!build(db, options, header, body, report)) {
            report.error = path + ": " + report.error;
            return false;
        }
        std::string error;
        if (!writeAll(path.c_str(), header, body, error)) {
            report.error = path + ": " + error;
            return false;
        }
        report.ok = true;
        return true;
    } catch (const std::bad_alloc&) {
        report.error = path + ": out of memory";
    } catch (const std::exception& e) {
        report.error = path + ": " + e.what();
    }
    return false;
}

} // namespace dh::dxf
