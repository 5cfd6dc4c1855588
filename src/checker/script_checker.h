// zebora --check: reads a game's script as the loader does and reports, without playing, every
// problem that would stop the engine or that an author would want to know of.
#pragma once

// The script of the game in folder, with the command names of the current folder's function.dat.
// Prints "shownName:line: message" lines (UTF-8) on stdout, "shownName:line: warning: message" for
// what would show otherwise than meant but not stop the game, and returns the exit status: 0 when
// nothing would stop the game, warnings or not, 1 otherwise.
int checkScript(const char* folder, const char* scriptName, const char* shownName);
