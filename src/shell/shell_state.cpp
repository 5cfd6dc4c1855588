#include "shell/shell.h"

int32_t g_fullScreen = 1;
int32_t g_hWnd = 0;
uint8_t g_keyDown[kKeyStates];
uint8_t g_leftClicked = 0;
uint8_t g_rightClicked = 0;
bool g_padClicked = false;
int32_t g_wheelTurns = 0;
bool g_fastForward = false;
int32_t g_ctrlUp = 1;
int32_t g_mouseX = 0;
int32_t g_mouseY = 0;
uint32_t g_markTime = 0;
uint32_t g_playTimeStart = 0;
char g_errorText[kErrorTextBytes];
