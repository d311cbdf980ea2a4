#pragma once

struct CliContext;

// status --port DEVICE; download FILE ...; upload FILE ... (the analyser over the serial link).
int RunStatus(CliContext& context);
int RunDownload(CliContext& context);
int RunUpload(CliContext& context);
