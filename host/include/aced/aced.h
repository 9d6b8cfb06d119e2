// Every editor call: input, LISP bridge, command stack, variables, command line, and the
// selection, entity pick, view and command headers when present.
#pragma once

#include <aced/AcEdCommandLine.h>
#include <aced/AcEdCommandStack.h>
#include <aced/AcEdInput.h>
#include <aced/AcEdLisp.h>
#include <aced/AcEdVariables.h>
#if __has_include(<aced/AcEdSelection.h>)
#include <aced/AcEdSelection.h>
#endif
#if __has_include(<aced/AcEdEntityPick.h>)
#include <aced/AcEdEntityPick.h>
#endif
#if __has_include(<aced/AcEdView.h>)
#include <aced/AcEdView.h>
#endif
#if __has_include(<aced/AcEdCommand.h>)
#include <aced/AcEdCommand.h>
#endif
