// The nineteen registry tweaks of the main dialog: for each, its checkbox and
// the registry value behind it. The load and save passes and the Recycle Bin
// switch take every key path and value name from here.
#pragma once

#include "registry/win_types.h"

// Key paths, spelled as the program passes them (the registry ignores case;
// ExplorerA and ExplorerB are one key).
inline constexpr char kFileSystemKey[] = "System\\CurrentControlSet\\Control\\FileSystem";
inline constexpr char kMemoryManagementKey[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
inline constexpr char kPriorityControlKey[] = "System\\CurrentControlSet\\Control\\PriorityControl";
inline constexpr char kExplorerAKey[] = "SoftWare\\Microsoft\\Windows\\CurrentVersion\\Explorer";
inline constexpr char kUnloadKey[] = "SoftWare\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AlwaysUnloadDLL";
inline constexpr char kExplorerBKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
inline constexpr char kCabinetStateKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CabinetState";
inline constexpr char kExplorerPoliciesKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
// The Recycle Bin is hidden from the desktop by moving its key to the name
// with ";" in front of the class id.
inline constexpr char kRecycleBinShownKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace\\"
    "{645FF040-5081-101B-9F08-00AA002F954E}";
inline constexpr char kRecycleBinHiddenKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace\\"
    ";{645FF040-5081-101B-9F08-00AA002F954E}";

// How a tweak is kept in the registry.
enum class StoredForm {
    Dword,            // REG_DWORD
    BinaryBigEndian,  // 4-byte REG_BINARY, most significant byte first
    String,           // REG_SZ
    KeyFirstValue,    // read: the key's first value as decimal text; written: "1" as its default value
    KeyPresence,      // which of the two Recycle Bin keys exists
};

struct Tweak {
    const char* name;
    int checkboxId;
    HKEY root;
    const char* keyPath;
    // "" is the key's unnamed default value: AlwaysUnloadDLL writes "1" there
    // (and reads the key's first value), HideRecycleBin keeps the caption there.
    const char* valueName;
    StoredForm readAs;
    StoredForm writtenAs;  // differs only for NoResolveTrack, read as binary and written as a DWORD
};

// In the order of the dialog's groups.
enum class TweakId {
    NtfsDisableLastAccessUpdate,
    NtfsDisable8dot3NameCreation,
    LargeSystemCache,
    DisablePagingExecutive,
    IoPageLockLimit,
    IRQ8Priority,
    Win32PrioritySeparation,
    ClassicShell,
    NoActiveDesktop,
    NoCustomizeWebView,
    NoActiveDesktopChanges,
    DesktopProcess,
    AlwaysUnloadDLL,
    NoSharedDocuments,
    UseSearchAsst,
    Link,
    HideRecycleBin,
    NoResolveTrack,
    MaxCachedIcons,
    Count
};

inline constexpr int kTweakCount = static_cast<int>(TweakId::Count);
extern const Tweak kTweaks[kTweakCount];

inline const Tweak& TweakOf(TweakId id)
{
    return kTweaks[static_cast<int>(id)];
}
