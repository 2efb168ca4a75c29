#include "settings/recycle_bin.h"

#include "settings/tweak_catalogue.h"

namespace {

// The caption of a shown Recycle Bin that has none.
const char kFallbackCaption[] = "ごみ箱";

const Tweak& RecycleBin()
{
    return TweakOf(TweakId::HideRecycleBin);
}

// The caption in the form the registry keeps it (UTF-16), so that it moves
// whole: through the ANSI code page every character outside it would come
// back as "?". Only a caption that is not there counts as none, and moves as
// an empty string; any other failed read keeps its status.
RegistryValue CaptionOf(RegistryAccess& registry, const char* key)
{
    const Tweak& bin = RecycleBin();
    RegistryValue caption = registry.GetStoredValue(bin.root, key, bin.valueName);
    if (caption.status == ERROR_FILE_NOT_FOUND) {
        caption = RegistryValue();
        caption.status = ERROR_SUCCESS;
        caption.type = REG_SZ;
    }
    return caption;
}

// What a move does with a caption the target key already holds.
enum class TargetCaption { Overwritten, Kept };

// Copies the caption from one key to the other and deletes the source only
// when the target reads back what was written: a Set reports success
// whenever it could open or create the key, even if the platform refused the
// value itself. A caption that cannot be read ends the move before anything
// is written; the source is read again after the copy and must still agree.
// A target created for a copy that failed is removed again, so that it
// cannot later pass its missing caption back over the original's. A kept
// caption of the target is left untouched, and the source goes at once.
void MoveKey(RegistryAccess& registry, const char* fromKey, const char* toKey, TargetCaption targetCaption)
{
    const Tweak& bin = RecycleBin();
    const RegistryValue caption = CaptionOf(registry, fromKey);
    if (caption.status != ERROR_SUCCESS) return;
    if (targetCaption == TargetCaption::Kept) {
        const LONG held = registry.GetStoredValue(bin.root, toKey, bin.valueName).status;
        if (held == ERROR_SUCCESS) registry.DeleteKey(bin.root, fromKey);
        if (held != ERROR_FILE_NOT_FOUND) return;
    }
    const bool targetExisted = registry.KeyExists(bin.root, toKey);
    const bool copied = registry.SetStoredValue(bin.root, toKey, bin.valueName, caption) == 1 &&
                        registry.GetStoredValue(bin.root, toKey, bin.valueName) == caption &&
                        CaptionOf(registry, fromKey) == caption;
    if (copied)
        registry.DeleteKey(bin.root, fromKey);
    else if (!targetExisted)
        registry.DeleteKey(bin.root, toKey);
}

}  // namespace

bool IsRecycleBinHidden(RegistryAccess& registry)
{
    return !registry.KeyExists(RecycleBin().root, kRecycleBinShownKey);
}

void SetRecycleBinHidden(RegistryAccess& registry, bool hide)
{
    const Tweak& bin = RecycleBin();
    if (hide) {
        if (registry.KeyExists(bin.root, kRecycleBinShownKey))
            MoveKey(registry, kRecycleBinShownKey, kRecycleBinHiddenKey, TargetCaption::Overwritten);
    } else if (registry.KeyExists(bin.root, kRecycleBinHiddenKey)) {
        // The bin may have been shown again by other means since it was
        // hidden: the caption of the shown key is the live one.
        MoveKey(registry, kRecycleBinHiddenKey, kRecycleBinShownKey, TargetCaption::Kept);
    } else if (!registry.ValueExists(bin.root, kRecycleBinShownKey, bin.valueName)) {
        // Already shown, or neither key exists: a caption the shown key holds
        // is kept; the fallback fills in only a missing one.
        registry.SetStringValue(bin.root, kRecycleBinShownKey, bin.valueName, kFallbackCaption);
    }
}
