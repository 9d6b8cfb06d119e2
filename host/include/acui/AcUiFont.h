// A font for the dialog layer, described as the window library describes one. A window
// given the font (CWnd::SetFont or WM_SETFONT) takes a copy, so it keeps drawing with it
// after the CFont goes.
#pragma once

#include <acui/AcUiMessageMap.h>

struct LOGFONTA {
    // > 0: cell height in pixels; < 0: character height; 0: the default height.
    int lfHeight = 0;
    int lfWidth = 0;
    int lfEscapement = 0;
    int lfOrientation = 0;
    int lfWeight = 0;  // 0, or 100 to 900 (FW_NORMAL 400, FW_BOLD 700)
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;  // family in the high nibble (FF_SWISS, ...)
    char lfFaceName[32] = {};
};

class ADESK_EXPORT CFont : public CObject {
public:
    CFont() = default;
    ~CFont() override = default;
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    // FALSE when the font exists already (DeleteObject first) or the face name is longer
    // than 31 bytes.
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                    BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                    BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                    BYTE nPitchAndFamily, LPCTSTR lpszFacename);
    BOOL CreateFontIndirect(const LOGFONTA* logFont);
    // FALSE when there was no font.
    BOOL DeleteObject();
    // Copies the description; 0 when there is no font.
    int GetLogFont(LOGFONTA* logFont) const;
    // nullptr when there is no font.
    operator HFONT() const;

private:
    LOGFONTA m_logFont;
    bool m_created = false;
};
