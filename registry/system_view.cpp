#include "registry/system_view.h"

REGSAM SystemViewAccess(IsWow64ProcessFunction isWow64Process, HANDLE process)
{
    BOOL wow64 = FALSE;
    return isWow64Process && isWow64Process(process, &wow64) && wow64 ? KEY_WOW64_64KEY : 0;
}
