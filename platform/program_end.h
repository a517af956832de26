#pragma once

namespace kv {

// What main returns: the program's exit status, `status`. In the browser the program has
// handed the page back at every wait, and main's return may then reach no one who ends the
// program; there it ends the program outright, so the page learns of the end and its status.
int ProgramEnds(int status);

}  // namespace kv
