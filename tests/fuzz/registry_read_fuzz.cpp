// Every RegistryAccess read against a value of any type and any bytes:
// no crash, no read past a buffer, no handle left open.
//
// Input: byte 0 = flags, byte 1 = type, byte 2 = length of a value name
// that is stored first (0 = none; otherwise up to 255 'n', enough to pass
// the 259-character limit when doubled), then the data of the value under
// test. The value under test is the key's default value when flag 1 is
// set, else the value "v".
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/memory_registry_api.h"
#include "registry/registry_access.h"

namespace {
const char kKey[] = "Software\\QuilvexFuzz";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size)
{
    if (size < 3) return 0;
    const uint8_t flags = input[0];
    const DWORD type = input[1] % 12;
    const size_t extraNameLength = input[2] * ((flags & 4) ? 2u : 1u);
    const std::vector<BYTE> data(input + 3, input + size);

    MemoryRegistryApi api;
    RegistryAccess registry(api);
    if (extraNameLength) api.PutValue(HKEY_CURRENT_USER, kKey, std::string(extraNameLength, 'n'), type, data);
    const char* valueName = (flags & 1) ? "" : "v";
    api.PutValue(HKEY_CURRENT_USER, kKey, valueName, type, data);
    if (flags & 2) api.GrowValueAfterSizeQuery(valueName, 1 + (flags >> 4));

    std::string text = registry.GetStringValue(HKEY_CURRENT_USER, kKey, valueName);
    if (text.find('\0') != std::string::npos) std::abort();
    registry.GetDwordValue(HKEY_CURRENT_USER, kKey, valueName);
    registry.GetDwordValue(HKEY_CURRENT_USER, kKey, nullptr);
    registry.GetBinaryValue(HKEY_CURRENT_USER, kKey, valueName);
    if (!registry.ValueExists(HKEY_CURRENT_USER, kKey, valueName) && !(flags & 2)) std::abort();
    if (!registry.KeyExists(HKEY_CURRENT_USER, kKey)) std::abort();

    if (api.OpenHandleCount() != 0) std::abort();
    return 0;
}
