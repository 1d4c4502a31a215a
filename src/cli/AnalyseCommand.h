#pragma once

#include "Subcommand.h"

namespace zaro::cli {

// analyse FILE.zsm --kind dc-linear|ac-linear|dc|ac|dc-keep|ac-keep [--freq TEXT]
// [--solver reference|sparse]: loads the model, runs that analysis command
// (frequency text default "1000", sparse solver unless told otherwise)
// and prints every device's property text in canvas order, a blank line
// between devices, with "Reading = ..." after a meter and "ImageIndex = ..."
// after a lamp or LED. Message boxes and errors go to err, followed by the
// sentences of the diagnosis when the analysis failed. Exit 0 when the
// results were handed to the devices, 1 otherwise.
int AnalyseCommand(const TArgs& args, std::ostream& out, std::ostream& err);

} // namespace zaro::cli
