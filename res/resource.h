// Resource and control ids of Quilvex: the one list, shared by the resource
// script, the dialogs, the settings engine and the help texts.
#pragma once

// Resources
#define IDR_MAINFRAME 128       // icon group
#define IDD_ABOUTBOX 100        // About dialog template
#define IDS_ABOUTBOX 101        // system-menu entry text
#define IDD_QUILVEX_DIALOG 102  // main dialog template
#define IDM_ABOUTBOX 0x0010     // system-menu command

// Push buttons of the main dialog (IDOK 1 and IDCANCEL 2 are the platform's)
#define IDC_APPLY 3

// Checkboxes of the tweaks
#define IDC_NTFS_LAST_ACCESS 1000
#define IDC_NTFS_8DOT3 1001
#define IDC_ALWAYS_UNLOAD_DLL 1002
#define IDC_DESKTOP_PROCESS 1003
#define IDC_LARGE_SYSTEM_CACHE 1004
#define IDC_CLASSIC_SHELL 1005
#define IDC_NO_ACTIVE_DESKTOP 1006
#define IDC_NO_CUSTOMIZE_WEB_VIEW 1007
#define IDC_NO_ACTIVE_DESKTOP_CHANGES 1008
#define IDC_DISABLE_PAGING_EXECUTIVE 1009
#define IDC_LINK 1010
#define IDC_IRQ8_PRIORITY 1011
#define IDC_WIN32_PRIORITY_SEPARATION 1014
#define IDC_IO_PAGE_LOCK_LIMIT 1016
#define IDC_NO_SHARED_DOCUMENTS 1019
#define IDC_USE_SEARCH_ASST 1020
#define IDC_MAX_CACHED_ICONS 1021
#define IDC_NO_RESOLVE_TRACK 1024
#define IDC_HIDE_RECYCLE_BIN 1026

// Dependent controls
#define IDC_IRQ8_PRIORITY_1 1012
#define IDC_IRQ8_PRIORITY_2 1013
#define IDC_WIN32_PRIORITY_SEPARATION_1 1015
#define IDC_WIN32_PRIORITY_SEPARATION_0 1017
#define IDC_IO_PAGE_LOCK_LIMIT_EDIT 1018
#define IDC_MAX_CACHED_ICONS_EDIT 1022

// Group boxes with an id
#define IDC_SHELL_INTEGRATION_GROUP 1027
#define IDC_NTFS_GROUP 1028
#define IDC_EXPLORER_GROUP 1029
