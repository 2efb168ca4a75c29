// The backup as a registry file that the registry editor imports: every
// place put back as the snapshot found it, byte for byte.
#pragma once

#include <string>
#include <vector>

#include "backup/registry_snapshot.h"

// The file's text, without its byte order mark. False, with the name in
// `unwritable`, when a key or value name is one the file format cannot
// carry: then there is no exact file to write.
bool RenderRegFile(const RegistrySnapshot& snapshot, std::u16string& text, std::u16string& unwritable);

// The text as the file holds it: UTF-16LE behind a byte order mark.
std::vector<BYTE> RegFileBytes(const std::u16string& text);
