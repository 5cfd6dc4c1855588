// What the window shows of the game that runs: its title first in the window's title, as players do,
// so that the reader finds it among their windows; its folder's name in the names of screenshots. The
// story's text goes to the reader's tools only while a game runs.
#pragma once

// The window's title while no game runs.
inline const char kPlayerTitle[] = "Ｚｅｂｏｒａ";

// folderName is written in Shift-JIS or in UTF-8, sjisTitle is the script's #title line (empty when it
// has none: the folder's name stands for it). A null folderName: the game has ended.
void setRunningGame(const char* folderName, const char* sjisTitle);
