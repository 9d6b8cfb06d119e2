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
// RTCAN when it was cancelled, RTERROR for an unknown command. CMDECHO 0 keeps its
// dialogue out of the transcript.
int runCommandWithAnswers(Session& session, const std::string& name, const std::vector<std::string>& answers);

// Built-in commands tell a cancel apart from a normal end through this.
void reportCommandCancelled();

}  // namespace dh::ed
