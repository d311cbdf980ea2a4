#pragma once

struct CliContext;

// new FILE, info FILE, show FILE RECORD.
int RunNew(CliContext& context);
int RunInfo(CliContext& context);
int RunShow(CliContext& context);
