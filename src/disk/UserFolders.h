#pragma once

#include <string>

// The program's folder under one of the user's base folders: the absolute
// path in the environment variable, else the fallback below $HOME, then
// "/TV7W" (for example XDG_STATE_HOME, ".local/state" gives
// ~/.local/state/TV7W). A relative value is ignored, as the desktop's base
// folder rules say.
std::string ProgramFolder(const char* variable, const char* homeFallback);
