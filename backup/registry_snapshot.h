// What the backup keeps: every registry place of the tweak catalogue as it
// stands, read through the registry seam in the form the registry keeps it
// (names in UTF-16, data as stored bytes).
#pragma once

#include <string>
#include <vector>

#include "registry/registry_api.h"

struct SnapshotValue {
    std::u16string name;  // "" is the key's default value
    bool present = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

struct SnapshotKey {
    std::u16string name;  // below its parent; for a place's own key, unused
    std::vector<SnapshotValue> values;
    std::vector<SnapshotKey> subkeys;
};

// A key some of whose values Quilvex writes; the key itself is not its own
// and is never deleted, so only those values are kept.
struct SharedKeySnapshot {
    HKEY root;
    const char* path;
    std::vector<SnapshotValue> values;
};

// A key Quilvex creates and deletes whole: kept whole, when it exists.
struct OwnedKeySnapshot {
    HKEY root;
    const char* path;
    bool present = false;
    SnapshotKey key;
};

struct RegistrySnapshot {
    std::vector<SharedKeySnapshot> sharedKeys;
    std::vector<OwnedKeySnapshot> ownedKeys;
};

// What stopped a snapshot: the status of the read that failed and the key
// it was reading ("HKEY_...\\path").
struct SnapshotFailure {
    LONG status = ERROR_SUCCESS;
    std::u16string key;
};

// Reads every place of the catalogue. A place that is not there is kept as
// absent; any other failed read ends the snapshot and is reported.
bool TakeSnapshot(RegistryApi& registry, RegistrySnapshot& snapshot, SnapshotFailure& failure);

// "HKEY_LOCAL_MACHINE" or "HKEY_CURRENT_USER".
const char16_t* RootName(HKEY root);
