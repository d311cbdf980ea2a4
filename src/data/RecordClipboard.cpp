#include "data/RecordClipboard.h"

RecordClipboard& Clipboard()
{
    static RecordClipboard clipboard;
    return clipboard;
}
