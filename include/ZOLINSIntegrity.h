#ifndef ZOLINS_INTEGRITY_H
#define ZOLINS_INTEGRITY_H

#include "ZOLINSExport.h"
#include "ZOLUnicodeString.h"

// The plain functions and the process-wide interrupt state of the integrity check
// (ZOLINSInstToc::CheckIntegrity). Every function takes NUL-terminated texts that the caller owns;
// a null text is treated as described, never dereferenced.

// Interrupt state, both 0 at load time and never reset by the library: KillProcess becomes 1 and
// SignalNum the signal number when SignalIntercept runs. Written only from the signal handler.
extern ZOLINS_EXPORT volatile int _i_SignalIntercept_KillProcess;
extern ZOLINS_EXPORT volatile int _i_SignalIntercept_SignalNum;

// The SIGINT handler that CheckIntegrity installs: restores the default action of SIGINT (a second
// one ends the process) and records the interrupt. Async-signal-safe.
ZOLINS_EXPORT void SignalIntercept(int signal);
// 0 while no interrupt was caught; otherwise appends the "CheckIntegrity.Interrupted" message
// (with the signal number when it is not 0) to `report` and returns 1, on every call.
ZOLINS_EXPORT int CheckInterrupt(ZOLUnicodeString& report);

// Normalises `path` in place: blanks at both ends removed, runs of "/" made one, trailing "/"
// removed ("/" itself becomes ""). Nothing for a null pointer.
ZOLINS_EXPORT void CleanPath(char* path);
// Removes every trailing `c` from `text` in place (the whole text when it is only `c`).
ZOLINS_EXPORT void RemoveLastCharacters(char* text, char c);

// Sets to 1 the flag of each language named on a line of `installPath`/NLS.txt (French, German,
// Italian, Russian, Japanese, Simplified_Chinese, Korean, "Language-indexed fonts"), leaving the
// others as they are; sets all eight to 1 when the file cannot be opened.
ZOLINS_EXPORT void WhichNLSFontsInstalled(char* installPath, int& french, int& german, int& italian,
                                          int& russian, int& japanese, int& simplifiedChinese,
                                          int& korean, int& fonts);
// Replaces `skipList` with ":" followed by each line of the CI3SkippedFiles found through
// ZOLReffilesPath, each followed by ":". Returns 1 when such a file was read, else 0 (unset
// variable, file missing, empty or unreadable; the list is then ":").
ZOLINS_EXPORT int GetCI3SkippedFilesStr(ZOLUnicodeString& skipList);
// 1 when ":name:" is in `checked` (a null name searches "::"); otherwise appends "name:" (nothing
// for a null name) and returns 0.
ZOLINS_EXPORT int TestChecked(char* name, ZOLUnicodeString& checked);
// Writes into `base` (at least 256 bytes; a longer result is cut to 255 bytes) the directory that
// the paths listed in `controlText`, the control file of `elementName`, are relative to: the
// installation root, less as many trailing components as GetNbPPSlash gives.
ZOLINS_EXPORT void InitializeFilesListLine(char* base, char* installPath, char* controlText,
                                           char* elementName);
// For the first line of `controlText` that names the control file of `elementName`
// (".../control/elementName"), its number of "/" less 2; 0 when there is none. `controlText` is
// left unchanged.
ZOLINS_EXPORT int GetNbPPSlash(char* controlText, char* elementName);

#endif
