#pragma once

#include <QPageSize>

// The paper a first print goes on, as the system is set up: the default
// printer's own paper; with no printer, the system's paper size as Debian
// keeps it (PAPERSIZE, else the file PAPERCONF or /etc/papersize names);
// else Letter where the locale measures in inches, A4 elsewhere.
QPageSize DefaultPaper();
