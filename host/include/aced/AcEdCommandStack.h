// The host's table of typed commands, registered in acrxSysRegistry() as
// "ACAD_REGISTERED_COMMANDS". Commands are grouped; a global name is unique over all groups
// (a second one is refused with eDuplicateKey). Typed names are matched case-insensitively
// against global and local names, with or without a leading "_" or ".".
#pragma once

#include <acdb/AcadErrorStatus.h>
#include <acrx/AcRxApp.h>
#include <acrx/AcRxObject.h>

// A command function: run by the host when the command is entered.
typedef void (*AcRxFunctionPtr)();

// Command flags.
enum : Adesk::Int32 {
    ACRX_CMD_MODAL = 0x00000000,
    ACRX_CMD_TRANSPARENT = 0x00000001,
    ACRX_CMD_USEPICKSET = 0x00000002,
    ACRX_CMD_REDRAW = 0x00000004,
    ACRX_CMD_NOPERSPECTIVE = 0x00000008,
    ACRX_CMD_NOMULTIPLE = 0x00000010,
    ACRX_CMD_NOTILEMODE = 0x00000020,
    ACRX_CMD_NOPAPERSPACE = 0x00000040,
    ACRX_CMD_NOOEM = 0x00000100,
    ACRX_CMD_UNDEFINED = 0x00000200,
    ACRX_CMD_INPROGRESS = 0x00000400,
    ACRX_CMD_DEFUN = 0x00000800,
    ACRX_CMD_NONEWSTACK = 0x00010000,
    ACRX_CMD_NOINTERNALLOCK = 0x00020000,
    ACRX_CMD_DOCREADLOCK = 0x00080000,
    ACRX_CMD_DOCEXCLUSIVELOCK = 0x00100000,
    ACRX_CMD_SESSION = 0x00200000,
    ACRX_CMD_INTERRUPTIBLE = 0x00400000,
    ACRX_CMD_NOHISTORY = 0x00800000,
};

// A context menu of a command; the host shows none, so it is only passed along.
class AcEdUIContext;

// A registered command, owned by the command stack.
class ADESK_EXPORT AcEdCommand {
public:
    virtual ~AcEdCommand() = default;
    virtual const char* commandGroup() const = 0;
    virtual const char* globalName() const = 0;
    virtual const char* localName() const = 0;
    virtual Adesk::Int32 commandFlags() const = 0;
    virtual AcRxFunctionPtr functionAddr() const = 0;
    virtual AcEdUIContext* UIContext() const = 0;
    virtual int functionCode() const = 0;
    virtual HINSTANCE resourceHandle() const = 0;
};

class ADESK_EXPORT AcEdCommandStack : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcEdCommandStack);

    // eOk; eDuplicateKey when the global name is taken (in any group); eInvalidInput for a
    // null or empty group, name or function. A null local name means the global one.
    virtual Acad::ErrorStatus addCommand(const char* cmdGroupName, const char* cmdGlobalName,
                                         const char* cmdLocalName, Adesk::Int32 commandFlags,
                                         AcRxFunctionPtr functionAddr,
                                         AcEdUIContext* UIContext = nullptr, int fcode = -1,
                                         HINSTANCE hResourceHandle = 0,
                                         AcEdCommand** cmdPtr = nullptr);
    // eOk, or eKeyNotFound when the group has no such command.
    virtual Acad::ErrorStatus removeCmd(const char* cmdGroupName, const char* cmdGlobalName);
    virtual Acad::ErrorStatus removeGroup(const char* groupName);

    // The command a typed name means (global or local name, any case, "_"/"." prefixes),
    // or nullptr.
    virtual AcEdCommand* lookupCmd(const char* typedName) const;
    virtual AcEdCommand* lookupGlobalCmd(const char* globalName) const;
    virtual AcEdCommand* lookupLocalCmd(const char* localName) const;
};

ADESK_EXPORT AcEdCommandStack* acedRegCmdsPtr();
#define acedRegCmds acedRegCmdsPtr()
