// zebora --check: reads a game's script as the loader does and reports, without playing, every
// problem that would stop the engine or that an author would want to know of.
#pragma once

// path: a game folder (its first .zeb script is checked) or a .zeb file; function.dat is taken from
// the folder above the game's. Prints "file:line: message" lines (UTF-8) on stdout and returns the
// exit status: 0 when nothing is wrong, 1 otherwise.
int checkScript(const char* path);
