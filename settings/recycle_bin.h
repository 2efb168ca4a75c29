// The Recycle Bin switch: the desktop shows the Recycle Bin while its key
// exists under the desktop name space, and hides it while the key carries a
// ";" in front of its class id. The only data moved between the two is the
// key's default value, the icon's caption, in the form the registry keeps it.
#pragma once

#include "registry/registry_access.h"

// True (checkbox checked) unless the shown key exists.
bool IsRecycleBinHidden(RegistryAccess& registry);

// Moves the key to the hidden or the shown name. The source key is deleted
// only once its caption has arrived whole in the target, terminated or not
// as it was, so a failure leaves both keys or the original one, never
// neither; a caption that cannot be read leaves both keys as they were.
// Showing keeps a caption the shown key already holds and only removes the
// hidden key; the hidden key's caption fills in a missing one.
void SetRecycleBinHidden(RegistryAccess& registry, bool hide);
