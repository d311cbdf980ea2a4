#pragma once

struct CliContext;

// bitmap FILE --record N OUT [--graph-only] [--width W] [--height H]
int RunBitmap(CliContext& context);

// page FILE --record N OUT [--dpi D] [--graph-only]
int RunPage(CliContext& context);
