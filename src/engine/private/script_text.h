// How the loader reads a script: in pieces, each stripped of blanks and comments. The script checker
// reads a script the same way, keeping where each kept byte stood in the file.
#pragma once
#include <cstddef>
#include <cstdint>

// A physical line is read in pieces of at most this many bytes, each treated as a line of its own.
const size_t kScriptPieceBytes = 900;

// Appends the kept bytes of one piece to out: no blanks, tabs or line feeds, nothing from "//" on,
// nothing of a line starting with '#'. Returns how many were kept.
int32_t keepScriptPiece(const char* piece, char* out);
