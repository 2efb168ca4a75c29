// The two passes between the registry and the dialog's controls.
#pragma once

#include "registry/registry_access.h"
#include "settings/control_panel.h"

// Reads every tweak into the controls: check states, the enabled state of
// the dependent controls, the texts of the two number fields. Never writes.
void LoadSettings(RegistryAccess& registry, ControlPanel& panel);

// Disables Apply, then writes every tweak from the controls, whatever
// happened to the step before.
void SaveSettings(RegistryAccess& registry, ControlPanel& panel);
