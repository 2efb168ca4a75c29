#include "settings/settings_passes.h"

#include <cstdint>
#include <string>

#include "res/resource.h"
#include "text/cp932_text.h"
#include "text/number_text.h"
#include "settings/recycle_bin.h"
#include "settings/tweak_catalogue.h"

namespace {

// Stored by a checked box of the tweaks kept as 4-byte binary: bytes 01 00 00 00.
const int32_t kBinaryChecked = 0x01000000;
// What a checked "Use Search Asst" stores; any text holding NO reads as checked.
const char kSearchAsstOff[] = "no";
const char kSearchAsstMatch[] = "NO";
// The AlwaysUnloadDLL key's default value while the box is checked.
const char kUnloadOn[] = "1";
// Shown in the icon-cache field while the registry holds no number.
const char kDefaultMaxCachedIcons[] = "500";
const int32_t kMinCachedIcons = 100;
const int32_t kMaxCachedIcons = 4096;

// Load helpers: set the tweak's checkbox to the number read, unchanged, so
// any non-zero number shows it checked.
int32_t ReadDword(RegistryAccess& registry, TweakId id)
{
    const Tweak& tweak = TweakOf(id);
    return registry.GetDwordValue(tweak.root, tweak.keyPath, tweak.valueName);
}

void LoadDwordCheck(RegistryAccess& registry, ControlPanel& panel, TweakId id)
{
    panel.SetCheck(TweakOf(id).checkboxId, ReadDword(registry, id));
}

void LoadBinaryCheck(RegistryAccess& registry, ControlPanel& panel, TweakId id)
{
    const Tweak& tweak = TweakOf(id);
    panel.SetCheck(tweak.checkboxId, registry.GetBinaryValue(tweak.root, tweak.keyPath, tweak.valueName));
}

std::string ReadUpperCaseText(RegistryAccess& registry, TweakId id)
{
    const Tweak& tweak = TweakOf(id);
    return UpperCaseCp932(registry.GetStringValue(tweak.root, tweak.keyPath, tweak.valueName));
}

void EnableBoth(ControlPanel& panel, int first, int second, bool enable)
{
    panel.EnableControl(first, enable);
    panel.EnableControl(second, enable);
}

// Save helpers.
bool IsChecked(ControlPanel& panel, int id)
{
    return panel.GetCheck(id) != 0;
}

bool IsChecked(ControlPanel& panel, TweakId id)
{
    return IsChecked(panel, TweakOf(id).checkboxId);
}

void WriteDword(RegistryAccess& registry, TweakId id, int32_t value)
{
    const Tweak& tweak = TweakOf(id);
    registry.SetDwordValue(tweak.root, tweak.keyPath, tweak.valueName, value);
}

void SaveDwordCheck(RegistryAccess& registry, ControlPanel& panel, TweakId id)
{
    WriteDword(registry, id, IsChecked(panel, id) ? 1 : 0);
}

void SaveBinaryCheck(RegistryAccess& registry, ControlPanel& panel, TweakId id)
{
    const Tweak& tweak = TweakOf(id);
    registry.SetBinaryValue(tweak.root, tweak.keyPath, tweak.valueName, IsChecked(panel, id) ? kBinaryChecked : 0);
}

void DeleteValue(RegistryAccess& registry, TweakId id)
{
    const Tweak& tweak = TweakOf(id);
    registry.DeleteValue(tweak.root, tweak.keyPath, tweak.valueName);
}

// A checked box stores 1, an unchecked one removes the value.
void SaveDwordOneOrDelete(RegistryAccess& registry, ControlPanel& panel, TweakId id)
{
    if (IsChecked(panel, id))
        WriteDword(registry, id, 1);
    else
        DeleteValue(registry, id);
}

void WriteString(RegistryAccess& registry, TweakId id, const char* text)
{
    const Tweak& tweak = TweakOf(id);
    registry.SetStringValue(tweak.root, tweak.keyPath, tweak.valueName, text);
}

}  // namespace

void LoadSettings(RegistryAccess& registry, ControlPanel& panel)
{
    LoadDwordCheck(registry, panel, TweakId::NtfsDisableLastAccessUpdate);
    LoadDwordCheck(registry, panel, TweakId::NtfsDisable8dot3NameCreation);
    LoadDwordCheck(registry, panel, TweakId::LargeSystemCache);
    LoadDwordCheck(registry, panel, TweakId::DisablePagingExecutive);

    const int32_t ioPageLockLimit = ReadDword(registry, TweakId::IoPageLockLimit);
    panel.SetCheck(IDC_IO_PAGE_LOCK_LIMIT, ioPageLockLimit);
    panel.EnableControl(IDC_IO_PAGE_LOCK_LIMIT_EDIT, ioPageLockLimit != 0);
    panel.SetText(IDC_IO_PAGE_LOCK_LIMIT_EDIT, std::to_string(ioPageLockLimit));

    const Tweak& irq8 = TweakOf(TweakId::IRQ8Priority);
    int32_t irq8Priority = 0;
    if (registry.ValueExists(irq8.root, irq8.keyPath, irq8.valueName))
        irq8Priority = ReadDword(registry, TweakId::IRQ8Priority);
    panel.SetCheck(IDC_IRQ8_PRIORITY, irq8Priority);
    EnableBoth(panel, IDC_IRQ8_PRIORITY_1, IDC_IRQ8_PRIORITY_2, irq8Priority != 0);
    if (irq8Priority == 1)
        panel.SetCheck(IDC_IRQ8_PRIORITY_1, 1);
    else if (irq8Priority == 2)
        panel.SetCheck(IDC_IRQ8_PRIORITY_2, 1);

    // Only the low two bits count; 2 is the system's default, shown unchecked.
    const int32_t separation = ReadDword(registry, TweakId::Win32PrioritySeparation) & 3;
    panel.SetCheck(IDC_WIN32_PRIORITY_SEPARATION, separation != 2);
    EnableBoth(panel, IDC_WIN32_PRIORITY_SEPARATION_0, IDC_WIN32_PRIORITY_SEPARATION_1, separation != 2);
    if (separation == 0)
        panel.SetCheck(IDC_WIN32_PRIORITY_SEPARATION_0, 1);
    else if (separation == 1)
        panel.SetCheck(IDC_WIN32_PRIORITY_SEPARATION_1, 1);

    LoadDwordCheck(registry, panel, TweakId::DesktopProcess);

    // The key's first value, read as decimal text.
    const Tweak& unload = TweakOf(TweakId::AlwaysUnloadDLL);
    panel.SetCheck(unload.checkboxId, registry.GetDwordValue(unload.root, unload.keyPath, nullptr));

    LoadBinaryCheck(registry, panel, TweakId::ClassicShell);
    LoadBinaryCheck(registry, panel, TweakId::NoCustomizeWebView);
    LoadBinaryCheck(registry, panel, TweakId::NoActiveDesktop);
    LoadBinaryCheck(registry, panel, TweakId::NoActiveDesktopChanges);

    // The Link box is inverted: checked means the value is absent (the save
    // pass deletes it), so an absent value must show checked or OK would
    // write a value the user never asked for.
    const Tweak& link = TweakOf(TweakId::Link);
    if (registry.ValueExists(link.root, link.keyPath, link.valueName))
        LoadBinaryCheck(registry, panel, TweakId::Link);
    else
        panel.SetCheck(link.checkboxId, 1);

    LoadDwordCheck(registry, panel, TweakId::NoSharedDocuments);

    const std::string searchAsst = ReadUpperCaseText(registry, TweakId::UseSearchAsst);
    panel.SetCheck(IDC_USE_SEARCH_ASST, ContainsCp932(searchAsst, kSearchAsstMatch));

    const std::string maxCachedIcons = ReadUpperCaseText(registry, TweakId::MaxCachedIcons);
    panel.SetCheck(IDC_MAX_CACHED_ICONS, !maxCachedIcons.empty());
    panel.EnableControl(IDC_MAX_CACHED_ICONS_EDIT, !maxCachedIcons.empty());
    panel.SetText(IDC_MAX_CACHED_ICONS_EDIT, maxCachedIcons.empty() ? kDefaultMaxCachedIcons : maxCachedIcons);

    LoadBinaryCheck(registry, panel, TweakId::NoResolveTrack);

    panel.SetCheck(IDC_HIDE_RECYCLE_BIN, IsRecycleBinHidden(registry));
}

void SaveSettings(RegistryAccess& registry, ControlPanel& panel)
{
    panel.EnableControl(IDC_APPLY, false);

    SaveDwordCheck(registry, panel, TweakId::NtfsDisableLastAccessUpdate);
    SaveDwordCheck(registry, panel, TweakId::NtfsDisable8dot3NameCreation);

    if (IsChecked(panel, TweakId::AlwaysUnloadDLL)) {
        WriteString(registry, TweakId::AlwaysUnloadDLL, kUnloadOn);
    } else {
        const Tweak& unload = TweakOf(TweakId::AlwaysUnloadDLL);
        registry.DeleteKey(unload.root, unload.keyPath);
    }

    SaveDwordOneOrDelete(registry, panel, TweakId::DesktopProcess);
    SaveDwordCheck(registry, panel, TweakId::LargeSystemCache);
    SaveDwordCheck(registry, panel, TweakId::DisablePagingExecutive);

    // Written either way: an unchecked box stores 0, as does a negative number.
    // Digits, blank and signs typed full-width (with the Japanese IME on)
    // count as their ASCII forms, in this field and the icon count's.
    int32_t ioPageLockLimit = 0;
    if (IsChecked(panel, IDC_IO_PAGE_LOCK_LIMIT)) {
        ioPageLockLimit = ParseIntLikeAtoi(HalfWidthNumberText(panel.GetText(IDC_IO_PAGE_LOCK_LIMIT_EDIT)).c_str());
        if (ioPageLockLimit < 0) ioPageLockLimit = 0;
    }
    WriteDword(registry, TweakId::IoPageLockLimit, ioPageLockLimit);

    if (IsChecked(panel, IDC_IRQ8_PRIORITY))
        WriteDword(registry, TweakId::IRQ8Priority, IsChecked(panel, IDC_IRQ8_PRIORITY_2) ? 2 : 1);
    else
        DeleteValue(registry, TweakId::IRQ8Priority);

    // Written whole: bits above the lowest two are not kept.
    int32_t separation = 2;
    if (IsChecked(panel, IDC_WIN32_PRIORITY_SEPARATION)) {
        if (IsChecked(panel, IDC_WIN32_PRIORITY_SEPARATION_0))
            separation = 0;
        else if (IsChecked(panel, IDC_WIN32_PRIORITY_SEPARATION_1))
            separation = 1;
    }
    WriteDword(registry, TweakId::Win32PrioritySeparation, separation);

    SaveBinaryCheck(registry, panel, TweakId::ClassicShell);
    SaveBinaryCheck(registry, panel, TweakId::NoCustomizeWebView);
    SaveBinaryCheck(registry, panel, TweakId::NoActiveDesktop);
    SaveBinaryCheck(registry, panel, TweakId::NoActiveDesktopChanges);

    // Inverted: checked removes the value, unchecked stores four zero bytes.
    if (IsChecked(panel, TweakId::Link)) {
        DeleteValue(registry, TweakId::Link);
    } else {
        const Tweak& link = TweakOf(TweakId::Link);
        registry.SetBinaryValue(link.root, link.keyPath, link.valueName, 0);
    }

    SaveDwordCheck(registry, panel, TweakId::NoSharedDocuments);

    if (IsChecked(panel, TweakId::UseSearchAsst))
        WriteString(registry, TweakId::UseSearchAsst, kSearchAsstOff);
    else
        DeleteValue(registry, TweakId::UseSearchAsst);

    // The text is stored as typed, but with ASCII digits, blank and signs
    // (the shell reads only those); an empty field or a number out of range
    // removes the value, as does an unchecked box.
    const std::string iconText = HalfWidthNumberText(panel.GetText(IDC_MAX_CACHED_ICONS_EDIT));
    const int32_t iconCount = ParseIntLikeAtoi(iconText.c_str());
    if (IsChecked(panel, TweakId::MaxCachedIcons) && !iconText.empty() && iconCount >= kMinCachedIcons &&
        iconCount <= kMaxCachedIcons)
        WriteString(registry, TweakId::MaxCachedIcons, iconText.c_str());
    else
        DeleteValue(registry, TweakId::MaxCachedIcons);

    SaveDwordOneOrDelete(registry, panel, TweakId::NoResolveTrack);

    SetRecycleBinHidden(registry, IsChecked(panel, TweakId::HideRecycleBin));
}
