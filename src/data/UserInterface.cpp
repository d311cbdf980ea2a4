#include "data/UserInterface.h"

#include "data/ProgramSettings.h"

void UserInterface::Beep()
{
    if (Settings().Sounds == 1)
        SoundBeep();
}
