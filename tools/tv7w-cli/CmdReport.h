#pragma once

struct CliContext;

// report FILE OUT.pdf [--records LIST].
int RunReport(CliContext& context);
