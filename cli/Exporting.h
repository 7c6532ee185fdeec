// The --export options: the export dialog's writers run on the final state, with the pages and
// registers of the command line and without opening any application.
#pragma once

#include "Machine.h"
#include "Options.h"

namespace orlan::cli {

// Writes every --export file, in the order xlsx, odt, txt, each checked and written on its own.
// Each refusal or failure is one line on standard error; returns false when there was any.
bool writeExports(const MachineState& s, const Options& options);

}  // namespace orlan::cli
