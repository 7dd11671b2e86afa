// The message for an argument a tool does not know; the tools' numbers are
// read by app/number_args, which the page's address shares.
#pragma once

#include <string>

#include "app/number_args.h"

// "unknown option 'ARG'" for anything that looks like an option (a '-' and
// more), "unexpected argument 'ARG'" otherwise.
std::string unknownArgument(const std::string& arg);
