#include "backup/registry_snapshot.h"

#include "settings/tweak_catalogue.h"

namespace {

// The longest names the registry allows, in characters with the terminator.
constexpr DWORD kMaxKeyName = 256;
constexpr DWORD kMaxValueName = 16384;

std::u16string Widen(const char* ascii)
{
    return std::u16string(ascii, ascii + std::char_traits<char>::length(ascii));
}

bool SameAsciiPath(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b) {
        const char lowerA = *a >= 'A' && *a <= 'Z' ? *a + 32 : *a;
        const char lowerB = *b >= 'A' && *b <= 'Z' ? *b + 32 : *b;
        if (lowerA != lowerB) return false;
    }
    return *a == *b;
}

bool IsOwnedKey(const Tweak& tweak)
{
    return tweak.writtenAs == StoredForm::KeyFirstValue || tweak.writtenAs == StoredForm::KeyPresence;
}

// Reads one value of an open key; a value that grows between the size read
// and the data read is read again.
LONG ReadValue(RegistryApi& registry, HKEY key, const char* name, SnapshotValue& value)
{
    value.name = Widen(name);
    for (;;) {
        DWORD size = 0;
        LONG status = registry.QueryStoredValue(key, name, &value.type, nullptr, &size);
        if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
        if (status != ERROR_SUCCESS) return status;
        value.data.assign(size, 0);
        status = registry.QueryStoredValue(key, name, &value.type, value.data.data(), &size);
        if (status == ERROR_MORE_DATA) continue;
        if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
        if (status != ERROR_SUCCESS) return status;
        value.data.resize(size);
        value.present = true;
        return ERROR_SUCCESS;
    }
}

// Reads every value and every subkey of an open key, recursively.
LONG ReadKeyWhole(RegistryApi& registry, HKEY key, SnapshotKey& into)
{
    std::u16string name(kMaxValueName, u'\0');
    for (DWORD index = 0;;) {
        DWORD nameLength = kMaxValueName;
        DWORD size = 0;
        SnapshotValue value;
        LONG status = registry.EnumValueW(key, index, &name[0], &nameLength, &value.type, nullptr, &size);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS) return status;
        value.data.assign(size, 0);
        nameLength = kMaxValueName;
        status = registry.EnumValueW(key, index, &name[0], &nameLength, &value.type, value.data.data(), &size);
        if (status == ERROR_MORE_DATA) continue;  // grew meanwhile: read it again
        if (status != ERROR_SUCCESS) return status;
        value.name.assign(name, 0, nameLength);
        value.data.resize(size);
        value.present = true;
        into.values.push_back(value);
        ++index;
    }
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = kMaxKeyName;
        LONG status = registry.EnumKeyExW(key, index, &name[0], &nameLength);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS) return status;
        SnapshotKey subkey;
        subkey.name.assign(name, 0, nameLength);
        HKEY opened = nullptr;
        status = registry.OpenKeyExW(key, subkey.name.c_str(), KEY_READ, &opened);
        if (status == ERROR_FILE_NOT_FOUND) continue;  // deleted since it was listed
        if (status != ERROR_SUCCESS) return status;
        status = ReadKeyWhole(registry, opened, subkey);
        registry.CloseKey(opened);
        if (status != ERROR_SUCCESS) return status;
        into.subkeys.push_back(subkey);
    }
    return ERROR_SUCCESS;
}

LONG ReadSharedKey(RegistryApi& registry, SharedKeySnapshot& shared)
{
    HKEY key = nullptr;
    const LONG opened = registry.OpenKeyEx(shared.root, shared.path, 0, KEY_QUERY_VALUE, &key);
    if (opened == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;  // every value absent
    if (opened != ERROR_SUCCESS) return opened;
    LONG status = ERROR_SUCCESS;
    for (SnapshotValue& value : shared.values) {
        std::string name(value.name.begin(), value.name.end());  // ASCII, from the catalogue
        status = ReadValue(registry, key, name.c_str(), value);
        if (status != ERROR_SUCCESS) break;
    }
    registry.CloseKey(key);
    return status;
}

LONG ReadOwnedKey(RegistryApi& registry, OwnedKeySnapshot& owned)
{
    HKEY key = nullptr;
    const LONG opened = registry.OpenKeyEx(owned.root, owned.path, 0, KEY_READ, &key);
    if (opened == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
    if (opened != ERROR_SUCCESS) return opened;
    owned.present = true;
    const LONG status = ReadKeyWhole(registry, key, owned.key);
    registry.CloseKey(key);
    return status;
}

// The places, from the catalogue: the values of the keys Quilvex shares
// with the system, one entry per key, and the keys it owns. The Recycle
// Bin's hidden key is the shown key's other name.
RegistrySnapshot Places()
{
    RegistrySnapshot places;
    for (const Tweak& tweak : kTweaks) {
        if (IsOwnedKey(tweak)) {
            places.ownedKeys.push_back({tweak.root, tweak.keyPath, false, {}});
            if (tweak.writtenAs == StoredForm::KeyPresence)
                places.ownedKeys.push_back({tweak.root, kRecycleBinHiddenKey, false, {}});
            continue;
        }
        SharedKeySnapshot* shared = nullptr;
        for (SharedKeySnapshot& known : places.sharedKeys)
            if (known.root == tweak.root && SameAsciiPath(known.path, tweak.keyPath)) shared = &known;
        if (!shared) {
            places.sharedKeys.push_back({tweak.root, tweak.keyPath, {}});
            shared = &places.sharedKeys.back();
        }
        SnapshotValue value;
        value.name = Widen(tweak.valueName);
        shared->values.push_back(value);
    }
    return places;
}

std::u16string PlaceName(HKEY root, const char* path)
{
    return RootName(root) + (u"\\" + Widen(path));
}

}  // namespace

const char16_t* RootName(HKEY root)
{
    return root == HKEY_LOCAL_MACHINE ? u"HKEY_LOCAL_MACHINE" : u"HKEY_CURRENT_USER";
}

bool TakeSnapshot(RegistryApi& registry, RegistrySnapshot& snapshot, SnapshotFailure& failure)
{
    snapshot = Places();
    for (SharedKeySnapshot& shared : snapshot.sharedKeys) {
        failure.status = ReadSharedKey(registry, shared);
        if (failure.status != ERROR_SUCCESS) {
            failure.key = PlaceName(shared.root, shared.path);
            return false;
        }
    }
    for (OwnedKeySnapshot& owned : snapshot.ownedKeys) {
        failure.status = ReadOwnedKey(registry, owned);
        if (failure.status != ERROR_SUCCESS) {
            failure.key = PlaceName(owned.root, owned.path);
            return false;
        }
    }
    return true;
}
