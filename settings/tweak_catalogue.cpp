#include "settings/tweak_catalogue.h"

#include "res/resource.h"

// Indexed by TweakId.
const Tweak kTweaks[kTweakCount] = {
    {"NtfsDisableLastAccessUpdate", IDC_NTFS_LAST_ACCESS, HKEY_LOCAL_MACHINE, kFileSystemKey,
     "NtfsDisableLastAccessUpdate", StoredForm::Dword, StoredForm::Dword},
    {"NtfsDisable8dot3NameCreation", IDC_NTFS_8DOT3, HKEY_LOCAL_MACHINE, kFileSystemKey,
     "NtfsDisable8dot3NameCreation", StoredForm::Dword, StoredForm::Dword},
    {"LargeSystemCache", IDC_LARGE_SYSTEM_CACHE, HKEY_LOCAL_MACHINE, kMemoryManagementKey,
     "LargeSystemCache", StoredForm::Dword, StoredForm::Dword},
    {"DisablePagingExecutive", IDC_DISABLE_PAGING_EXECUTIVE, HKEY_LOCAL_MACHINE,
     kMemoryManagementKey, "DisablePagingExecutive", StoredForm::Dword, StoredForm::Dword},
    {"IoPageLockLimit", IDC_IO_PAGE_LOCK_LIMIT, HKEY_LOCAL_MACHINE, kMemoryManagementKey,
     "IoPageLockLimit", StoredForm::Dword, StoredForm::Dword},
    {"IRQ8Priority", IDC_IRQ8_PRIORITY, HKEY_LOCAL_MACHINE, kPriorityControlKey, "IRQ8Priority", StoredForm::Dword, StoredForm::Dword},
    {"Win32PrioritySeparation", IDC_WIN32_PRIORITY_SEPARATION, HKEY_LOCAL_MACHINE,
     kPriorityControlKey, "Win32PrioritySeparation", StoredForm::Dword, StoredForm::Dword},
    {"ClassicShell", IDC_CLASSIC_SHELL, HKEY_CURRENT_USER, kExplorerPoliciesKey, "ClassicShell", StoredForm::BinaryBigEndian, StoredForm::BinaryBigEndian},
    {"NoActiveDesktop", IDC_NO_ACTIVE_DESKTOP, HKEY_CURRENT_USER, kExplorerPoliciesKey,
     "NoActiveDesktop", StoredForm::BinaryBigEndian, StoredForm::BinaryBigEndian},
    {"NoCustomizeWebView", IDC_NO_CUSTOMIZE_WEB_VIEW, HKEY_CURRENT_USER, kExplorerPoliciesKey,
     "NoCustomizeWebView", StoredForm::BinaryBigEndian, StoredForm::BinaryBigEndian},
    {"NoActiveDesktopChanges", IDC_NO_ACTIVE_DESKTOP_CHANGES, HKEY_CURRENT_USER,
     kExplorerPoliciesKey, "NoActiveDesktopChanges", StoredForm::BinaryBigEndian, StoredForm::BinaryBigEndian},
    {"DesktopProcess", IDC_DESKTOP_PROCESS, HKEY_CURRENT_USER, kExplorerAKey, "DesktopProcess", StoredForm::Dword, StoredForm::Dword},
    {"AlwaysUnloadDLL", IDC_ALWAYS_UNLOAD_DLL, HKEY_LOCAL_MACHINE, kUnloadKey, "", StoredForm::KeyFirstValue, StoredForm::KeyFirstValue},
    {"NoSharedDocuments", IDC_NO_SHARED_DOCUMENTS, HKEY_LOCAL_MACHINE, kExplorerPoliciesKey,
     "NoSharedDocuments", StoredForm::Dword, StoredForm::Dword},
    {"Use Search Asst", IDC_USE_SEARCH_ASST, HKEY_CURRENT_USER, kCabinetStateKey,
     "Use Search Asst", StoredForm::String, StoredForm::String},
    {"Link", IDC_LINK, HKEY_CURRENT_USER, kExplorerBKey, "Link", StoredForm::BinaryBigEndian, StoredForm::BinaryBigEndian},
    {"HideRecycleBin", IDC_HIDE_RECYCLE_BIN, HKEY_LOCAL_MACHINE, kRecycleBinShownKey, "", StoredForm::KeyPresence, StoredForm::KeyPresence},
    {"NoResolveTrack", IDC_NO_RESOLVE_TRACK, HKEY_CURRENT_USER, kExplorerPoliciesKey,
     "NoResolveTrack", StoredForm::BinaryBigEndian, StoredForm::Dword},
    {"Max Cached Icons", IDC_MAX_CACHED_ICONS, HKEY_LOCAL_MACHINE, kExplorerBKey,
     "Max Cached Icons", StoredForm::String, StoredForm::String},
};
