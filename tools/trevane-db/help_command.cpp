#include "trevane-db/help_command.h"

#include <cstdio>

namespace trevane {

int HelpCommand(int, char**) {
    std::fputs("help compiler not available\n", stderr);
    return 2;
}

}  // namespace trevane
