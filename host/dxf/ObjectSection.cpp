// The OBJECTS section: dictionaries, layouts and every other non-graphical object, kept
// as groups in file order under their file handles. The first object is the root
// dictionary.
#include "host/dxf/KeptEntity.h"
#include "host/dxf/ReadFiler.h"
#include "host/dxf/ReaderContext.h"

namespace dh::dxf {

void readObjectsSection(ReaderContext& ctx)
{
    ObjectTags tags;
    for (;;) {
        int code = 0;
        if (!ctx.stream.peekCode(code)) ctx.fail(ctx.stream.where(), "the OBJECTS section has no ENDSEC");
        if (ctx.stream.peekIs(0, "ENDSEC")) {
            AcDbDxfTag end;
            ctx.stream.next(end);
            return;
        }
        if (ctx.stream.peekIs(0, "EOF")) ctx.fail(ctx.stream.where(), "a section without ENDSEC");
        ctx.stream.readObject(tags);
        auto* object = new KeptObject(tags.type);
        ReadFiler filer(&ctx.db, ctx.version, tags);
        object->dxfInFields(&filer);
        applyExtendedData(ctx, object, tags);
        AcDbObjectId owner;
        if (tags.owner != 0) ctx.db.getAcDbObjectId(owner, true, AcDbHandle(tags.owner));
        AcDbObjectId id = addWithFileHandle(ctx, object, tags.handle, owner, tags.type);
        if (id.isNull()) continue;
        if (ctx.data.objects.empty()) ctx.data.rootDictionary = id.handle().value();
        ctx.data.objects.push_back(id);
        if (!tags.appData.empty()) ctx.data.kept[id].appData = tags.appData;
    }
}

} // namespace dh::dxf
