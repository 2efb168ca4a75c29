// The framework: application, windows, dialogs, controls, strings.
#pragma once

#include "framework/controls.h"
#include "framework/cstring.h"
#include "framework/dialog.h"
#include "framework/message_map.h"
#include "framework/win_app.h"
#include "framework/wnd.h"
