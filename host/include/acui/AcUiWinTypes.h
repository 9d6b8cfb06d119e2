// The window-library types and constants the dialog classes use: integer handles,
// message and notification codes, dialog results and font values, with the values the
// dialog templates and message maps of modules are written against.
#pragma once

#include <cstdint>

typedef int BOOL;
typedef unsigned int UINT;
typedef unsigned char BYTE;
typedef std::intptr_t INT_PTR;
typedef std::uintptr_t WPARAM;
typedef std::intptr_t LPARAM;
typedef std::intptr_t LRESULT;
typedef const char* LPCSTR;
typedef const char* LPCTSTR;

// A window or control of the dialog layer; opaque to modules.
typedef struct HWND__* HWND;
// A font made by CFont; opaque to modules.
typedef struct HFONT__* HFONT;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

// Dialog results (DoModal, EndDialog) and the ids of the OK and Cancel buttons.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// Messages.
constexpr UINT WM_SETFONT = 0x0030;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_USER = 0x0400;
// The host asks a dialog whether it keeps the focus; TRUE keeps it.
constexpr UINT WM_ACAD_KEEPFOCUS = 0x7101;

// Notification codes of WM_COMMAND.
constexpr UINT BN_CLICKED = 0;
constexpr UINT LBN_SETFOCUS = 4;

// List-box answers for "no item" and "failed".
constexpr int LB_ERR = -1;

// Font weights, character sets and families (the high nibble of pitch-and-family).
constexpr int FW_DONTCARE = 0;
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE GB2312_CHARSET = 134;
constexpr BYTE FF_DONTCARE = 0x00;
constexpr BYTE FF_ROMAN = 0x10;
constexpr BYTE FF_SWISS = 0x20;
constexpr BYTE FF_MODERN = 0x30;
constexpr BYTE FF_SCRIPT = 0x40;
constexpr BYTE FF_DECORATIVE = 0x50;
