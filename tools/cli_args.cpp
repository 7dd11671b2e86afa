#include "cli_args.h"

#include "app/options.h"

std::string unknownArgument(const std::string& arg) {
    const bool option = arg.size() > 1 && arg[0] == '-';
    return (option ? "unknown option " : "unexpected argument ") + quotedArgument(arg);
}
