#include "disk/UserFolders.h"

#include <cstdlib>

std::string ProgramFolder(const char* variable, const char* homeFallback)
{
    const char* base = std::getenv(variable);
    if (base && *base == '/')
        return std::string(base) + "/TV7W";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/" + homeFallback + "/TV7W";
}
