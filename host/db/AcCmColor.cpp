#include <acdb/AcCmColor.h>

Adesk::UInt16 AcCmColor::colorIndex() const
{
    switch (m_method) {
    case kByLayer:
        return kACIbyLayer;
    case kByBlock:
        return kACIbyBlock;
    default:
        return m_index;
    }
}

Acad::ErrorStatus AcCmColor::setColorIndex(Adesk::UInt16 index)
{
    if (index > kACIbyLayer)
        return Acad::eInvalidInput;
    if (index == kACIbyLayer) {
        m_method = kByLayer;
    } else if (index == kACIbyBlock) {
        m_method = kByBlock;
    } else {
        m_method = kByACI;
        m_index = index;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcCmColor::setRGB(Adesk::UInt8 red, Adesk::UInt8 green, Adesk::UInt8 blue)
{
    m_method = kByColor;
    m_rgb = (Adesk::UInt32(red) << 16) | (Adesk::UInt32(green) << 8) | blue;
    return Acad::eOk;
}

bool AcCmColor::operator==(const AcCmColor& other) const
{
    if (m_method != other.m_method)
        return false;
    if (m_method == kByACI)
        return m_index == other.m_index;
    if (m_method == kByColor)
        return m_rgb == other.m_rgb;
    return true;
}
