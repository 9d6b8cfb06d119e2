#include "terrain/SpotBlockConverter.h"

#include "terrain/SpotEntity.h"
#include "terrain/TerrainSettings.h"
#include "toolkit/DrawingHelpers.h"
#include "toolkit/MtDbBlockReference.h"

#include <acdb/AcDbAttribute.h>
#include <acdb/AcDbAttributeDefinition.h>
#include <acdb/AcDbBlockReference.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbText.h>
#include <acdb/AcDbUtilities.h>
#include <acge/AcGeMatrix3d.h>

#include <memory>
#include <vector>

namespace dh::terrain {
namespace {

constexpr int kDefinitionLimit = 4;
constexpr int kTooManyParts = 4;

// What a label copy needs of its source text.
struct LabelText {
    AcGePoint3d position;
    std::string text;
    AcDbObjectId style;
    double height = 0.0;
    double rotation = 0.0;
    double widthFactor = 1.0;
    bool isAttribute = false;
};

std::vector<LabelText> readTexts(const AcArray<AcDbObjectId>& ids)
{
    std::vector<LabelText> texts;
    for (int i = 0; i < ids.length(); ++i) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, ids[i], AcDb::kForRead) != Acad::eOk)
            continue;
        // An attribute definition is the template of the attributes, not drawn with the
        // reference: copying it would label every spot with its default value.
        const auto* text = AcDbText::cast(entity);
        if (text && !entity->isKindOf(AcDbAttributeDefinition::desc()))
            texts.push_back({text->position(), text->textStringConst(), text->textStyle(),
                             text->height(), text->rotation(), text->widthFactor(),
                             entity->isKindOf(AcDbAttribute::desc())});
        entity->close();
    }
    return texts;
}

// A copy of the label; a text of the block definition is moved from block to world
// coordinates by the insertion point (scale and rotation are not applied).
AcDbText* copyLabel(const LabelText& label, const AcGePoint3d& insertion)
{
    auto* text = new AcDbText(label.position, label.text.c_str(), label.style, label.height,
                              label.rotation);
    text->setWidthFactor(label.widthFactor);
    if (!label.isAttribute)
        text->transformBy(AcGeMatrix3d::translation(insertion.asVector()));
    return text;
}

} // namespace

AcDbObjectId SpotBlockConverter::add(const AcDbBlockReference* reference, AcDbEntity* entity) const
{
    entity->setPropertiesFrom(reference, true);
    entity->setLayer(m_targetLayer.isNull() ? reference->layerId() : m_targetLayer, true);
    AcDbObjectId id;
    toolkit::appendAndClose(entity, &id);
    return id;
}

AcDbObjectId SpotBlockConverter::convert(const AcDbBlockReference* reference,
                                         AcArray<AcDbObjectId>* texts) const
{
    AcArray<AcDbObjectId> parts;
    toolkit::MtDbBlockReference::getDefinitionEntityIds(reference, parts, kDefinitionLimit);
    toolkit::MtDbBlockReference::getAttributeIds(reference, parts);
    if (parts.length() >= kTooManyParts)
        return AcDbObjectId::kNull;

    const AcGePoint3d insertion = reference->position();
    const AcDbObjectId circleId =
        add(reference, new AcDbCircle(insertion, AcGeVector3d::kZAxis, getST_SpotRadius()));

    std::vector<const LabelText*> made;
    const std::vector<LabelText> labels = readTexts(parts);
    if (labels.size() == 1) {
        made.push_back(&labels[0]);
    } else if (labels.size() == 2) {
        const LabelText& a = labels[0];
        const LabelText& b = labels[1];
        const bool bRight = a.height * (b.position.x - a.position.x) > 0.0;
        const LabelText& first = bRight ? a : b;
        const LabelText& second = bRight ? b : a;
        if (numberTextKind(first.text.c_str()) == numberTextKind(second.text.c_str()))
            made = {&first, &second};
    }
    for (const LabelText* label : made) {
        const AcDbObjectId id = add(reference, copyLabel(*label, insertion));
        if (texts && !id.isNull())
            texts->append(id);
    }
    return circleId;
}

} // namespace dh::terrain
