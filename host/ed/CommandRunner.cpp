#include "host/ed/CommandRunner.h"

#include "host/ed/AnswerParser.h"
#include "host/ed/BuiltinCommandTable.h"
#include "host/ed/SelectionSets.h"
#include "host/ed/Session.h"
#include "host/ed/SystemVariables.h"

#include <aced/AcEdCommand.h>
#include <aced/AcEdCommandStack.h>
#include <acdb/AcDbObjectId.h>
#include <acdb/AcDbUtilities.h>

#include <cctype>
#include <cstdarg>
#include <cstdio>

namespace dh::ed {
namespace {

bool g_cancelled = false;

std::string number(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::optional<std::string> handleOf(const ads_name name)
{
    AcDbObjectId id;
    if (acdbGetObjectId(id, name) != Acad::eOk || id.isNull())
        return std::nullopt;
    return "#" + id.handle().toString();
}

std::optional<std::string> setAnswer(const ads_name name)
{
    SelectionSet* set = SelectionSets::instance().find(name);
    if (set == nullptr)
        return std::nullopt;
    std::string answer;
    for (const EntityName& member : set->members()) {
        ads_name n{member.first, member.second};
        if (const auto handle = handleOf(n))
            answer += (answer.empty() ? "" : " ") + *handle;
    }
    // An empty set selects nothing but must not end the selection: the item after it does.
    return answer.empty() ? "#" : answer;
}

}  // namespace

std::optional<std::string> itemAnswer(const resbuf& item)
{
    switch (item.restype) {
    case RTSTR:
        return std::string(item.resval.rstring ? item.resval.rstring : "");
    case RTREAL:
        return number(item.resval.rreal);
    case RTSHORT:
        return std::to_string(item.resval.rint);
    case RTLONG:
        return std::to_string(item.resval.rlong);
    case RTPOINT:
        return number(item.resval.rpoint[0]) + "," + number(item.resval.rpoint[1]);
    case RT3DPOINT:
        return number(item.resval.rpoint[0]) + "," + number(item.resval.rpoint[1]) + "," +
               number(item.resval.rpoint[2]);
    case RTENAME:
        return handleOf(item.resval.rlname);
    case RTPICKS:
        return setAnswer(item.resval.rlname);
    case RTNONE:
        return std::string();
    default:
        return std::nullopt;
    }
}

void reportCommandCancelled() { g_cancelled = true; }

namespace {

int runOne(Session& session, const std::string& name, const std::vector<std::string>& answers, std::string* why)
{
    // A program gets a command's command-line form where the host has one ("-LAYER" for
    // LAYER), as the host suppresses dialogs for commands run from programs.
    const BuiltinCommandTable& table = BuiltinCommandTable::instance();
    const BuiltinCommand* builtin = table.find("-" + normalizeCommandName(name));
    if (builtin == nullptr)
        builtin = table.find(name);
    AcEdCommand* command = builtin ? nullptr : acedRegCmds->lookupCmd(name.c_str());
    if (builtin == nullptr && command == nullptr) {
        session.printDialogue("\nUnknown command \"" + normalizeCommandName(name) + "\".  Press F1 for help.");
        if (why)
            *why = "unknown command \"" + normalizeCommandName(name) + "\"";
        return RTERROR;
    }
    const bool echo = session.variables().getInt("CMDECHO", 1) != 0;
    const bool echoBefore = session.dialogueEcho();
    session.setDialogueEcho(echoBefore && echo);
    session.printDialogue("\nCommand: " + name);
    session.queueAnswers(answers);
    const bool cancelledBefore = g_cancelled;
    g_cancelled = false;
    int status = RTNORM;
    try {
        if (builtin != nullptr)
            (*builtin)(session);
        else
            command->functionAddr()();
    } catch (const std::exception& e) {
        status = RTERROR;
        if (why)
            *why = "command " + normalizeCommandName(name) + " failed: " + e.what();
    } catch (...) {
        status = RTERROR;
        if (why)
            *why = "command " + normalizeCommandName(name) + " failed";
    }
    if (g_cancelled && status == RTNORM)
        status = RTCAN;
    g_cancelled = cancelledBefore;
    session.setDialogueEcho(echoBefore);
    return status;
}

}  // namespace

int runCommandWithAnswers(Session& session, const std::string& name, const std::vector<std::string>& answers,
                          std::string* why)
{
    const bool ownQueue = session.queuedAnswerCount() == 0;
    int status = runOne(session, name, answers, why);
    // What the command did not read is typed at "Command:" next: a command and its answers.
    while (ownQueue && status == RTNORM && session.queuedAnswerCount() > 0) {
        std::vector<std::string> rest = session.takeQueuedAnswers();
        std::size_t first = 0;
        while (first < rest.size() && trim(rest[first]).empty())
            ++first;  // Enter at "Command:" does nothing
        if (first == rest.size())
            break;
        status = runOne(session, rest[first], {rest.begin() + static_cast<long>(first) + 1, rest.end()}, why);
    }
    return status;
}

int runCommandItems(Session& session, const resbuf* items, std::string* why)
{
    if (items == nullptr || items->restype != RTSTR || items->resval.rstring == nullptr) {
        if (why)
            *why = "the command's name is not a string";
        return RTERROR;
    }
    std::vector<std::string> answers;
    for (const resbuf* item = items->rbnext; item != nullptr; item = item->rbnext) {
        const std::optional<std::string> answer = itemAnswer(*item);
        if (!answer) {
            if (why)
                *why = "item " + std::to_string(answers.size() + 2) + " of the command is no answer to a prompt";
            return RTERROR;
        }
        answers.push_back(*answer);
    }
    return runCommandWithAnswers(session, items->resval.rstring, answers, why);
}

}  // namespace dh::ed

int acedCmd(const resbuf* rbp)
{
    try {
        dh::ed::Session* session = dh::ed::Session::current();
        return session ? dh::ed::runCommandItems(*session, rbp) : RTERROR;
    } catch (...) {
        return RTERROR;
    }
}

int acedCommand(int rtype, ...)
{
    // The items are kept in buffers of our own: the strings stay owned by the caller.
    std::vector<resbuf> items;
    va_list args;
    va_start(args, rtype);
    for (int type = rtype; type != 0; type = va_arg(args, int)) {
        resbuf rb{};
        rb.restype = static_cast<short>(type);
        switch (type) {
        case RTSTR:
            rb.resval.rstring = const_cast<char*>(va_arg(args, const char*));
            break;
        case RTREAL:
            rb.resval.rreal = va_arg(args, double);
            break;
        case RTSHORT:
            rb.resval.rint = static_cast<short>(va_arg(args, int));
            break;
        case RTLONG:
            rb.resval.rlong = va_arg(args, int);
            break;
        case RTPOINT:
        case RT3DPOINT: {
            const ads_real* p = va_arg(args, const ads_real*);
            rb.resval.rpoint[0] = p[0];
            rb.resval.rpoint[1] = p[1];
            rb.resval.rpoint[2] = type == RT3DPOINT ? p[2] : 0.0;
            break;
        }
        case RTENAME:
        case RTPICKS: {
            const long* name = va_arg(args, const long*);
            rb.resval.rlname[0] = name[0];
            rb.resval.rlname[1] = name[1];
            break;
        }
        case RTNONE:
            break;
        default:
            va_end(args);
            return RTERROR;
        }
        items.push_back(rb);
    }
    va_end(args);
    for (std::size_t i = 0; i + 1 < items.size(); ++i)
        items[i].rbnext = &items[i + 1];
    return acedCmd(items.empty() ? nullptr : &items.front());
}
