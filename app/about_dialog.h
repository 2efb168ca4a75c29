// AboutDialog: the version box that the system menu's entry opens.
#pragma once

#include "framework/dialog.h"

class AboutDialog : public CDialog {
public:
    // Template 100, no parent: the main window owns it.
    AboutDialog();
    ~AboutDialog() override;

protected:
    void DoDataExchange(CDataExchange* dx) override;

    DECLARE_MESSAGE_MAP()
};
