// Message maps: a class that handles button clicks, control notifications or messages
// lists them in a static table, written with the macros below; dispatch walks the class's
// table first, then its base classes' tables, and calls the first entry that matches.
//
//   class CMyDlg : public CAdUiDialog { ... DECLARE_MESSAGE_MAP() };
//   BEGIN_MESSAGE_MAP(CMyDlg, CAdUiDialog)
//       ON_BN_CLICKED(101, OnAdd)
//       ON_LBN_SETFOCUS(106, OnLeftFocus)
//       ON_MESSAGE(WM_ACAD_KEEPFOCUS, OnKeepFocus)
//   END_MESSAGE_MAP()
#pragma once

#include <acui/AcUiWinTypes.h>
#include <adesk/Adesk.h>

class ADESK_EXPORT CObject {
public:
    virtual ~CObject() = default;
};

class CCmdTarget;
typedef void (CCmdTarget::*AcUiCommandHandler)();
typedef LRESULT (CCmdTarget::*AcUiMessageHandler)(WPARAM, LPARAM);

struct AcUiMessageMapEntry {
    UINT message;   // WM_COMMAND for commands and notifications; 0 ends the table
    UINT code;      // notification code of WM_COMMAND entries
    UINT id;        // control id of WM_COMMAND entries
    AcUiCommandHandler command;  // WM_COMMAND entries
    AcUiMessageHandler handler;  // other messages
};

struct AcUiMessageMap {
    const AcUiMessageMap* (*base)();  // nullptr at the root
    const AcUiMessageMapEntry* entries;
};

class ADESK_EXPORT CCmdTarget : public CObject {
public:
    // Runs the handler of the WM_COMMAND entry for (id, code); FALSE when none matches.
    virtual BOOL OnCmdMsg(UINT id, UINT code);
    // Runs the handler of a message entry; found is set to whether one matched.
    LRESULT dispatchMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& found);

    static const AcUiMessageMap* GetThisMessageMap();
    virtual const AcUiMessageMap* GetMessageMap() const;
};

#define DECLARE_MESSAGE_MAP()                                                  \
public:                                                                        \
    static const AcUiMessageMap* GetThisMessageMap();                          \
    const AcUiMessageMap* GetMessageMap() const override;                      \
                                                                               \
protected:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                 \
    const AcUiMessageMap* theClass::GetMessageMap() const                      \
    {                                                                          \
        return GetThisMessageMap();                                            \
    }                                                                          \
    const AcUiMessageMap* theClass::GetThisMessageMap()                        \
    {                                                                          \
        typedef theClass ThisClass;                                            \
        typedef baseClass TheBaseClass;                                        \
        static const AcUiMessageMapEntry entries[] = {

#define ON_COMMAND_CODE(code, id, memberFxn)                                   \
    {WM_COMMAND, code, id, static_cast<AcUiCommandHandler>(&ThisClass::memberFxn), nullptr},
#define ON_BN_CLICKED(id, memberFxn) ON_COMMAND_CODE(BN_CLICKED, id, memberFxn)
#define ON_COMMAND(id, memberFxn) ON_COMMAND_CODE(BN_CLICKED, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_COMMAND_CODE(LBN_SETFOCUS, id, memberFxn)
#define ON_MESSAGE(message, memberFxn)                                         \
    {message, 0, 0, nullptr, static_cast<AcUiMessageHandler>(&ThisClass::memberFxn)},

#define END_MESSAGE_MAP()                                                      \
        {0, 0, 0, nullptr, nullptr}                                            \
        };                                                                     \
        static const AcUiMessageMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
        return &map;                                                           \
    }
