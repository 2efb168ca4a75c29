// TweakApp: the application object. It runs the main dialog once and ends.
#pragma once

#include "framework/win_app.h"

class TweakApp : public CWinApp {
public:
    TweakApp();
    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
