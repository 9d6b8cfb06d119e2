#include <acui/AcUiFont.h>

#include <cstring>

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                       BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
    LOGFONTA logFont{.lfHeight = nHeight,
                     .lfWidth = nWidth,
                     .lfEscapement = nEscapement,
                     .lfOrientation = nOrientation,
                     .lfWeight = nWeight,
                     .lfItalic = bItalic,
                     .lfUnderline = bUnderline,
                     .lfStrikeOut = cStrikeOut,
                     .lfCharSet = nCharSet,
                     .lfOutPrecision = nOutPrecision,
                     .lfClipPrecision = nClipPrecision,
                     .lfQuality = nQuality,
                     .lfPitchAndFamily = nPitchAndFamily,
                     .lfFaceName = {}};
    const char* face = lpszFacename ? lpszFacename : "";
    if (std::strlen(face) >= sizeof logFont.lfFaceName)
        return FALSE;
    std::strcpy(logFont.lfFaceName, face);
    return CreateFontIndirect(&logFont);
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* logFont)
{
    if (m_created || !logFont || !std::memchr(logFont->lfFaceName, 0, sizeof logFont->lfFaceName))
        return FALSE;
    m_logFont = *logFont;
    m_created = true;
    return TRUE;
}

BOOL CFont::DeleteObject()
{
    if (!m_created)
        return FALSE;
    m_created = false;
    m_logFont = LOGFONTA();
    return TRUE;
}

int CFont::GetLogFont(LOGFONTA* logFont) const
{
    if (!m_created || !logFont)
        return 0;
    *logFont = m_logFont;
    return static_cast<int>(sizeof(LOGFONTA));
}

CFont::operator HFONT() const
{
    return m_created ? reinterpret_cast<HFONT>(const_cast<LOGFONTA*>(&m_logFont)) : nullptr;
}
