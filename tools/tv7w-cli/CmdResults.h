#pragma once

struct CliContext;

// levels FILE RECORD [--csv], rating FILE RECORD.
int RunLevels(CliContext& context);
int RunRating(CliContext& context);
