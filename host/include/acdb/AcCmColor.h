// An entity or layer colour: by layer, by block, an index of the host's 256-colour table
// (1..255), or a true RGB colour.
#pragma once

#include <adesk/Adesk.h>
#include <acdb/AcadErrorStatus.h>

#include <cstdint>

class ADESK_EXPORT AcCmColor {
public:
    enum ColorMethod : std::uint8_t { kByLayer = 0xC0, kByBlock = 0xC1, kByColor = 0xC2, kByACI = 0xC3 };

    static constexpr Adesk::UInt16 kACIbyBlock = 0;
    static constexpr Adesk::UInt16 kACIbyLayer = 256;

    ColorMethod colorMethod() const { return m_method; }
    bool isByLayer() const { return m_method == kByLayer; }
    bool isByBlock() const { return m_method == kByBlock; }
    bool isByACI() const { return m_method == kByACI; }
    bool isByColor() const { return m_method == kByColor; }

    // 256 by layer, 0 by block, 1..255 an index; for a true colour, its nearest index is
    // not kept and 256 is not implied: the stored index (7 unless set) is answered.
    Adesk::UInt16 colorIndex() const;
    // 0 by block, 256 by layer, 1..255 an index; eInvalidInput above 256.
    Acad::ErrorStatus setColorIndex(Adesk::UInt16 index);
    Acad::ErrorStatus setRGB(Adesk::UInt8 red, Adesk::UInt8 green, Adesk::UInt8 blue);
    Adesk::UInt8 red() const { return static_cast<Adesk::UInt8>(m_rgb >> 16); }
    Adesk::UInt8 green() const { return static_cast<Adesk::UInt8>(m_rgb >> 8); }
    Adesk::UInt8 blue() const { return static_cast<Adesk::UInt8>(m_rgb); }
    // 0x00RRGGBB.
    Adesk::UInt32 rgb() const { return m_rgb; }
    Acad::ErrorStatus setByLayer() { m_method = kByLayer; return Acad::eOk; }
    Acad::ErrorStatus setByBlock() { m_method = kByBlock; return Acad::eOk; }

    bool operator==(const AcCmColor& other) const;
    bool operator!=(const AcCmColor& other) const { return !(*this == other); }

private:
    Adesk::UInt32 m_rgb = 0;
    Adesk::UInt16 m_index = 7;
    ColorMethod m_method = kByLayer;
};
