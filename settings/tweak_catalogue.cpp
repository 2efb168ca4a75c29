#include "settings/tweak_catalogue.h"

#include "res/resource.h"

// Indexed by TweakId.
const Tweak kTweaks[kTweakCount] = {
    {"NtfsDisableLastAccessUpdate", IDC_NTFS_LAST_ACCESS, HKEY_LOCAL_MACHINE, kFileSystemKey,
     "NtfsDisableLastAccessUpdate"},
    {"NtfsDisable8dot3NameCreation", IDC_NTFS_8DOT3, HKEY_LOCAL_MACHINE, kFileSystemKey,
     "NtfsDisable8dot3NameCreation"},
    {"LargeSystemCache", IDC_LARGE_SYSTEM_CACHE, HKEY_LOCAL_MACHINE, kMemoryManagementKey,
     "LargeSystemCache"},
    {"DisablePagingExecutive", IDC_DISABLE_PAGING_EXECUTIVE, HKEY_LOCAL_MACHINE,
     kMemoryManagementKey, "DisablePagingExecutive"},
    {"IoPageLockLimit", IDC_IO_PAGE_LOCK_LIMIT, HKEY_LOCAL_MACHINE, kMemoryManagementKey,
     "IoPageLockLimit"},
    {"IRQ8Priority", IDC_IRQ8_PRIORITY, HKEY_LOCAL_MACHINE, kPriorityControlKey, "IRQ8Priority"},
    {"Win32PrioritySeparation", IDC_WIN32_PRIORITY_SEPARATION, HKEY_LOCAL_MACHINE,
     kPriorityControlKey, "Win32PrioritySeparation"},
    {"ClassicShell", IDC_CLASSIC_SHELL, HKEY_CURRENT_USER, kExplorerPoliciesKey, "ClassicShell"},
    {"NoActiveDesktop", IDC_NO_ACTIVE_DESKTOP, HKEY_CURRENT_USER, kExplorerPoliciesKey,
     "NoActiveDesktop"},
    {"NoCustomizeWebView", IDC_NO_CUSTOMIZE_WEB_VIEW, HKEY_CURRENT_USER, kExplorerPoliciesKey,
     "NoCustomizeWebView"},
    {"NoActiveDesktopChanges", IDC_NO_ACTIVE_DESKTOP_CHANGES, HKEY_CURRENT_USER,
     kExplorerPoliciesKey, "NoActiveDesktopChanges"},
    {"DesktopProcess", IDC_DESKTOP_PROCESS, HKEY_CURRENT_USER, kExplorerAKey, "DesktopProcess"},
    {"AlwaysUnloadDLL", IDC_ALWAYS_UNLOAD_DLL, HKEY_LOCAL_MACHINE, kUnloadKey, ""},
    {"NoSharedDocuments", IDC_NO_SHARED_DOCUMENTS, HKEY_LOCAL_MACHINE, kExplorerPoliciesKey,
     "NoSharedDocuments"},
    {"Use Search Asst", IDC_USE_SEARCH_ASST, HKEY_CURRENT_USER, kCabinetStateKey,
     "Use Search Asst"},
    {"Link", IDC_LINK, HKEY_CURRENT_USER, kExplorerBKey, "Link"},
    {"HideRecycleBin", IDC_HIDE_RECYCLE_BIN, HKEY_LOCAL_MACHINE, kRecycleBinShownKey, ""},
    {"NoResolveTrack", IDC_NO_RESOLVE_TRACK, HKEY_CURRENT_USER, kExplorerPoliciesKey,
     "NoResolveTrack"},
    {"Max Cached Icons", IDC_MAX_CACHED_ICONS, HKEY_LOCAL_MACHINE, kExplorerBKey,
     "Max Cached Icons"},
};
