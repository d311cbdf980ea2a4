#include "link/Sleeper.h"

#include <chrono>
#include <thread>

void Sleeper::Sleep(int milliseconds)
{
    if (milliseconds > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

Sleeper& Sleeper::System()
{
    static Sleeper sleeper;
    return sleeper;
}
