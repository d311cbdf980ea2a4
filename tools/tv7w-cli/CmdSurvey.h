#pragma once

struct CliContext;

// average FILE RECORDS [--into N], difference FILE SOURCE RECEIVE
// [--background B] [--rt T[,T...]], summary [--csv] FILE...
int RunAverage(CliContext& context);
int RunDifference(CliContext& context);
int RunSummary(CliContext& context);
