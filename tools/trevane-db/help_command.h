#pragma once
// `trevane-db help SRCDIR OUT.hlp`: builds the help file from the topic sources.

namespace trevane {

// argv holds the command word and its arguments: argv[0] "help", argv[1] SRCDIR,
// argv[2] OUT.hlp (main passes argc - 1, argv + 1; a full command line that still
// starts with the program name is accepted too). Returns 0 when the help file was
// written, 1 when a source is wrong or a file cannot be read or written (the
// errors, with file and line, on stderr; nothing written), 2 on a usage error.
int HelpCommand(int argc, char** argv);

}  // namespace trevane
