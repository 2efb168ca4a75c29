// The process entry: the framework's AfxWinMain runs the application.
#include <cstdlib>

#include "framework/win_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    return AfxWinMain(instance, previous, commandLine, showCommand);
}

// The runtime's own handler for an uncaught exception prints the exception's
// demangled type on a console this program does not have, and brings a whole
// demangler into the file; ending the process is all there is to do.
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
}  // namespace __gnu_cxx
