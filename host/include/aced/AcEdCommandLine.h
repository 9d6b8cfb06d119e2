// The command line and the status bar.
//
// acutPrintf writes UTF-8 text to the transcript (standard output), also in quiet mode:
// module messages are part of what a script's output shows. The progress meter is drawn
// by the program on standard error when that is a terminal, and is silent otherwise.
#pragma once

// printf formats. Answers the number of bytes written, or -1 for a bad format.
int acutPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Starts a progress meter from minPos to maxPos. Answers 0, or -1 when maxPos < minPos.
int acedSetStatusBarProgressMeter(const char* label, int minPos, int maxPos);
// Moves the meter to pos (clamped to its range). Answers 0, or -1 when no meter runs.
int acedSetStatusBarProgressMeterPos(int pos);
// Ends the meter.
void acedRestoreStatusBar();

// The host's main window, for dialogs to attach to; nullptr when the host has none (batch
// runs and runs without a display).
class CWnd;
CWnd* acedGetAcadFrame();
