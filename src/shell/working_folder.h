#pragma once
#include <string>

// The working folder holds function.dat, the system pictures and the games the page lists. --root
// names it. Without it the player stays in the current folder when that holds function.dat, as the
// engine always did; otherwise it plays from its installed data: share/zebora beside the bin folder
// of the program, then the data folder the build was configured with, then the games/ folder of the
// source tree it was built from. Empty when none of them holds function.dat: the player then stays
// where it is and says that function.dat is missing, as the engine did. installed tells whether the
// installed data was chosen.
std::string chooseWorkingFolder(const char* root, bool& installed);

// A game named on the command line, as start.dat names one: a .zeb script, or a folder whose first
// .zeb script in name order is its script, or an archive (archive_reader.h) whose first folder with
// a script is the game's, played from memory; a relative path is taken from the current folder.
// False when the path is none of them; refusal then says why an archive was refused.
struct NamedGame {
    std::string folder;
    std::string script;
    std::string refusal;
    std::string inArchive;  // the game's folder inside an archive, "" at its top
};
bool findNamedGame(const std::string& path, NamedGame& game);
// Says on stderr why the path given is no game, after findNamedGame has refused it.
void sayNoGame(const std::string& given, const NamedGame& game);

// The folder of the reader's own files that go with games (never a game's folder): $XDG_DATA_HOME/zebora,
// or ~/.local/share/zebora when XDG_DATA_HOME is not an absolute path; empty when there is no home.
std::string readerDataFolder();

// The reader's own games, listed by an installed player after its demo games: the games folder of
// readerDataFolder().
std::string userGamesFolder();
