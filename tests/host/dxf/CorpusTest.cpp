// Every drawing of the shared corpus: it loads; written and read again it holds the same
// entities (type, handle, layer, modelled fields, extended data) and table records; the
// written files pass ezdxf's strict reader and audit and open in GDAL's ogrinfo.
#include "DxfTestUtil.h"

#include "host/dxf/CollectFiler.h"
#include "host/dxf/DocumentData.h"
#include "host/dxf/DxfReader.h"
#include "host/dxf/DxfWriter.h"

#include "host/db/DatabaseAccess.h"

#include <acdb/AcDbSymbolTables.h>
#include <acut/ResBuf.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <iomanip>
#include <map>
#include <set>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;
using dh::db::DatabaseAccess;
using dh::db::TableKind;

namespace {

std::vector<std::string> corpusFiles()
{
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dxftest::corpusDir(), ec)) {
        std::string ext = entry.path().extension().string();
        if (ext == ".dxf" || ext == ".DXF") files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

void describeTags(std::ostream& out, const dh::dxf::Tags& tags)
{
    for (const AcDbDxfTag& tag : tags) {
        out << tag.code << '=';
        switch (tag.kind) {
        case AcDbDxfTag::Kind::kPoint: out << tag.xyz[0] << ',' << tag.xyz[1] << ',' << tag.xyz[2]; break;
        case AcDbDxfTag::Kind::kDouble: out << tag.xyz[0]; break;
        case AcDbDxfTag::Kind::kInt:
        case AcDbDxfTag::Kind::kHandle: out << tag.integer; break;
        default:
            if (tag.code == 3 || tag.code == 6 || tag.code == 7) {
                // Names of table records, which compare without regard to case.
                std::string name = tag.text;
                for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
                out << name;
            } else {
                out << tag.text;
            }
            break;
        }
        out << '|';
    }
}

// What the codec keeps of an object beside its fields: application data and unmodelled
// groups, by subclass.
// Without layouts, a block record's pointer to its layout (340) is left out.
void describeKept(std::ostream& out, AcDbDatabase& db, const AcDbObject* object, bool withLayouts)
{
    const dh::dxf::DocumentData* data = dh::dxf::DocumentData::find(&db);
    if (!data) return;
    auto it = data->kept.find(object->objectId());
    if (it == data->kept.end()) return;
    for (const dh::dxf::AppDataGroup& group : it->second.appData) {
        out << " {" << group.name << ':';
        describeTags(out, group.tags);
    }
    const bool block = AcDbBlockTableRecord::cast(object) != nullptr;
    for (const dh::dxf::KeptGroup& group : it->second.groups) {
        dh::dxf::Tags tags;
        for (const AcDbDxfTag& tag : group.tags)
            if (withLayouts || !block || tag.code != 340) tags.push_back(tag);
        if (tags.empty()) continue;
        out << " [" << group.subclass << '#' << group.occurrence << ':';
        describeTags(out, tags);
    }
}

void describeObject(std::ostream& out, AcDbDatabase& db, const AcDbObject* object, bool withLayouts = true)
{
    out << object->isA()->name() << ' ' << object->objectHandle().toString() << ' ';
    dh::dxf::CollectFiler fields(&db, 1015);
    object->dxfOutFields(&fields);
    describeTags(out, fields.tags());
    describeKept(out, db, object, withLayouts);
    resbuf* chain = object->xData();
    for (resbuf* rb = chain; rb; rb = rb->rbnext) {
        out << " x" << rb->restype << '=';
        if (rb->restype >= 1010 && rb->restype <= 1013) out << rb->resval.rpoint[0] << ',' << rb->resval.rpoint[1];
        else if (rb->restype >= 1040 && rb->restype <= 1042) out << rb->resval.rreal;
        else if (rb->restype == 1070) out << rb->resval.rint;
        else if (rb->restype == 1071) out << rb->resval.rlong;
        else if (rb->restype != 1004 && rb->resval.rstring) out << rb->resval.rstring;
    }
    acutRelRb(chain);
    out << '\n';
    std::vector<AcDbObjectId> owned;
    object->getOwnedIds(owned);
    for (AcDbObjectId id : owned)
        if (const AcDbObject* sub = dh::db::objectOf(id); sub && !sub->isErased()) describeObject(out, db, sub);
}

// Table records, every block's entities and the OBJECTS section, in order, as text; reals
// to the last bit.
std::string snapshot(AcDbDatabase& db, bool withLayouts = true)
{
    std::ostringstream out;
    out << std::setprecision(17);
    for (TableKind kind : {TableKind::kLayer, TableKind::kLinetype, TableKind::kTextStyle,
                           TableKind::kRegApp, TableKind::kDimStyle, TableKind::kBlock,
                           TableKind::kViewport, TableKind::kView, TableKind::kUCS}) {
        AcDbSymbolTable* table = DatabaseAccess::table(db, kind);
        if (!table) continue;
        for (AcDbObjectId id : table->recordIds()) {
            auto* record = AcDbSymbolTableRecord::cast(dh::db::objectOf(id));
            if (!record || record->isErased()) continue;
            describeObject(out, db, record, withLayouts);
            if (auto* block = AcDbBlockTableRecord::cast(record))
                for (AcDbObjectId entityId : block->entityIds())
                    if (const AcDbObject* entity = dh::db::objectOf(entityId); entity && !entity->isErased())
                        describeObject(out, db, entity);
        }
    }
    if (const dh::dxf::DocumentData* data = dh::dxf::DocumentData::find(&db); data && withLayouts)
        for (AcDbObjectId id : data->objects)
            if (const AcDbObject* object = dh::db::objectOf(id); object && !object->isErased())
                describeObject(out, db, object);
    return out.str();
}

std::unique_ptr<AcDbDatabase> writeAndReadBack(AcDbDatabase& db, const std::string& file, int version = 1015)
{
    std::string written;
    dh::dxf::WriteReport writeReport;
    dh::dxf::WriteOptions options;
    options.version = version;
    EXPECT_TRUE(dh::dxf::writeDxfData(db, options, written, writeReport)) << file << ": " << writeReport.error;
    dh::dxf::ReadReport again;
    auto back = dh::dxf::readDxfData(written, file + " (written)", {}, again);
    EXPECT_TRUE(back) << again.error;
    EXPECT_TRUE(again.fixed.empty()) << file << ": the written file needed repairs: "
                                     << (again.fixed.empty() ? "" : again.fixed.front().message);
    return back;
}

// Names the first line that differs, in full.
void expectSame(const std::string& file, const char* what, const std::string& before, const std::string& after)
{
    if (before == after) return;
    std::size_t at = 0;
    while (at < before.size() && at < after.size() && before[at] == after[at]) ++at;
    std::size_t from = before.rfind('\n', at);
    from = from == std::string::npos ? 0 : from + 1;
    // The start of the line (type and handle) and the part around the difference.
    auto line = [from, at](const std::string& text) {
        std::size_t end = std::min(text.find('\n', from), text.size());
        std::string head = text.substr(from, std::min<std::size_t>(end - from, 60));
        std::size_t near = std::max(from, at < 200 ? 0 : at - 200);
        return head + " ... " + text.substr(near, std::min<std::size_t>(end > near ? end - near : 0, 400));
    };
    ADD_FAILURE() << file << " differs after " << what << ":\n  read:    " << line(before)
                  << "\n  written: " << line(after);
}

// Header variables of the file the database does not model come back as read, except
// handles naming objects no longer there.
void expectSameHeader(const std::string& file, AcDbDatabase& before, AcDbDatabase& after)
{
    const dh::dxf::DocumentData* a = dh::dxf::DocumentData::find(&before);
    const dh::dxf::DocumentData* b = dh::dxf::DocumentData::find(&after);
    if (!a) return;
    ASSERT_TRUE(b) << file;
    static const std::set<std::string> kModelled{"$ACADVER", "$DWGCODEPAGE", "$HANDSEED", "$INSBASE", "$EXTMIN",
                                                 "$EXTMAX", "$CLAYER", "$CELTYPE", "$CECOLOR", "$CELTSCALE",
                                                 "$LTSCALE", "$TEXTSIZE", "$TEXTSTYLE", "$DIMSTYLE"};
    std::map<std::string, std::string> written;
    for (const dh::dxf::HeaderVariable& variable : b->header) {
        std::ostringstream text;
        text << std::setprecision(17);
        describeTags(text, variable.values);
        written[variable.name] = text.str();
    }
    for (const dh::dxf::HeaderVariable& variable : a->header) {
        if (kModelled.count(variable.name)) continue;
        bool handle = false;
        for (const AcDbDxfTag& tag : variable.values) handle = handle || tag.kind == AcDbDxfTag::Kind::kHandle;
        std::ostringstream text;
        text << std::setprecision(17);
        describeTags(text, variable.values);
        auto it = written.find(variable.name);
        if (it == written.end()) {
            if (!handle) ADD_FAILURE() << file << ": header variable " << variable.name << " lost";
        } else if (it->second != text.str()) {
            ADD_FAILURE() << file << ": header variable " << variable.name << " was " << text.str() << " now "
                          << it->second;
        }
    }
}

bool toolAvailable(const char* command) { return std::system(command) == 0; }

} // namespace

TEST(Corpus, EveryDrawingReadsWritesAndReadsBackEqual)
{
    auto files = corpusFiles();
    ASSERT_GE(files.size(), 30u) << "corpus not found at " << dxftest::corpusDir();
    for (const std::string& file : files) {
        dh::dxf::ReadReport report;
        auto db = dh::dxf::readDxf(file, {}, report);
        ASSERT_TRUE(db) << report.error;
        // A drawing without objects (R12) is written with the layouts strict readers
        // require: the first comparison leaves them out, the second holds them too.
        const dh::dxf::DocumentData* data = dh::dxf::DocumentData::find(db.get());
        const bool layoutsAdded = !data || data->objects.empty();
        auto back = writeAndReadBack(*db, file);
        ASSERT_TRUE(back);
        expectSame(file, "a round trip", snapshot(*db), snapshot(*back, !layoutsAdded));
        expectSameHeader(file, *db, *back);
        auto again = writeAndReadBack(*back, file + " (written)");
        ASSERT_TRUE(again);
        expectSame(file, "a second round trip", snapshot(*back), snapshot(*again));
        // In UTF-8 (R2007) too.
        auto utf8 = writeAndReadBack(*back, file + " (written)", 1021);
        ASSERT_TRUE(utf8);
        expectSame(file, "a round trip in R2007", snapshot(*back), snapshot(*utf8));
    }
}

TEST(Corpus, WrittenFilesPassEzdxfAndOgrinfo)
{
    const bool python = toolAvailable("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1");
    const bool ogr = toolAvailable("ogrinfo --version >/dev/null 2>&1");
    if (!python && !ogr) GTEST_SKIP() << "neither ezdxf (/usr/bin/python3) nor ogrinfo is installed";
    fs::path folder = fs::path(::testing::TempDir()) / ("dxf_corpus_written_" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::string pairs;
    for (const std::string& file : corpusFiles()) {
        dh::dxf::ReadReport report;
        auto db = dh::dxf::readDxf(file, {}, report);
        ASSERT_TRUE(db) << report.error;
        for (int version : {1015, 1021}) {
            fs::path out = folder / (fs::path(file).stem().string() + "_" + std::to_string(version) + ".dxf");
            dh::dxf::WriteOptions options;
            options.version = version;
            dh::dxf::WriteReport writeReport;
            ASSERT_TRUE(dh::dxf::writeDxf(*db, out.string(), options, writeReport)) << writeReport.error;
            pairs += " '" + out.string() + "' '" + file + "'";
            if (ogr && version == 1015) {
                std::string command = "ogrinfo -ro -so -al '" + out.string() + "' >/dev/null 2>&1";
                EXPECT_EQ(std::system(command.c_str()), 0) << "ogrinfo cannot open " << out;
            }
        }
    }
    if (!python) {
        std::printf("ezdxf is not installed for /usr/bin/python3: its checks are skipped\n");
        return;
    }
    const dxftest::EzdxfCheck check = dxftest::runEzdxfCheck(pairs);
    EXPECT_EQ(check.status, 0) << check.output;
    if (!std::getenv("DH_KEEP")) fs::remove_all(folder);
}

TEST(Corpus, ModelSpaceWrittenOutAsADrawingPassesEzdxf)
{
    if (!toolAvailable("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1"))
        GTEST_SKIP() << "ezdxf is not installed for /usr/bin/python3";
    fs::path folder = fs::path(::testing::TempDir()) / ("dxf_corpus_wblock_" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::string files;
    // Drawings with many kinds of kept entities and objects (images, tables, multileaders,
    // hatches, reactors and extension dictionaries).
    for (const char* name : {"libredwg__example_2000.dxf", "netdxf__TestDxfDocument_sample.dxf",
                             "acadsharp__sample_AC1021_ascii.dxf", "libredwg__2000_Leader.dxf",
                             "dxfparser__api-cw750-details.dxf", "skymakerolof__floorplan.dxf"}) {
        dh::dxf::ReadReport report;
        auto db = dh::dxf::readDxf(dxftest::corpusDir() + name, {}, report);
        ASSERT_TRUE(db) << report.error;
        AcDbDatabase* copy = nullptr;
        ASSERT_EQ(db->wblock(copy, db->modelSpaceId()), Acad::eOk) << name;
        std::unique_ptr<AcDbDatabase> owned(copy);
        fs::path out = folder / name;
        ASSERT_EQ(copy->saveAs(out.string().c_str()), Acad::eOk) << name;
        dh::dxf::ReadReport back;
        auto saved = dh::dxf::readDxf(out.string(), {}, back);
        ASSERT_TRUE(saved) << back.error;
        EXPECT_TRUE(back.fixed.empty()) << name << ": " << back.fixed.front().message;
        files += " '" + out.string() + "' -";
    }
    const dxftest::EzdxfCheck check = dxftest::runEzdxfCheck(files);
    EXPECT_EQ(check.status, 0) << check.output;
    if (!std::getenv("DH_KEEP")) fs::remove_all(folder);
}
