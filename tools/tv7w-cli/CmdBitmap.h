#pragma once

struct CliContext;

// bitmap FILE --record N OUT [--graph-only] [--width W] [--height H]
int RunBitmap(CliContext& context);
