// Running a command from a program (acedCommand, acedCmd, LISP's command): the items after
// the command's name become typed answers, in order, ahead of the session's input, so a
// command that needs more reads the rest from there. Selection sets and entity names are
// answered by handle ("#2A #2B"; "#" for an empty set), points as "x,y[,z]", "" as Enter.
#pragma once

#include <acut/ResBuf.h>

#include <optional>
#include <string>
#include <vector>

namespace dh::ed {

class Session;

// The typed form of one item; nullopt for an item no prompt can take.
std::optional<std::string> itemAnswer(const resbuf& item);

// Runs the named command (module or built-in) with the answers queued. RTNORM when it ran,
// RTCAN when it was cancelled, RTERROR for an unknown command or one that failed (why
// then says which). Answers the command left unread are typed at "Command:" in turn, as
// the host does with them. CMDECHO 0 keeps the dialogue out of the transcript.
int runCommandWithAnswers(Session& session, const std::string& name, const std::vector<std::string>& answers,
                          std::string* why = nullptr);
// The same for a chain of items (the command's name first), as acedCmd takes them.
int runCommandItems(Session& session, const resbuf* items, std::string* why = nullptr);

// Built-in commands tell a cancel apart from a normal end through this.
void reportCommandCancelled();

}  // namespace dh::ed
