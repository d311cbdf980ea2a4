#pragma once

struct CliContext;

// export prn|prx FILE OUT, import FILE IN, clip FILE (--record N | --all) ...
int RunExport(CliContext& context);
int RunImport(CliContext& context);
int RunClip(CliContext& context);
