#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "translate/WndResourcePool.h"

class CQorDictionaryManager;

// The settings dialog: tab control, combo box, list view with column headers
// and buttons. It relabels itself with its own window pool when it opens and
// whenever the language changes while it is open. Its template is the
// program's own, so the current resource module must be the program.
class CSettingsDialog : public CDialog {
public:
    CSettingsDialog(CQorDictionaryManager* manager, CWnd* parent);
    ~CSettingsDialog() override;

    void ChangeLanguage();

    // The choices, read back at OK.
    int GetUnits() const { return m_units; }
    bool GetAutoConnect() const { return m_autoConnect == 1; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    CQorDictionaryManager* m_manager;
    CWndResourcePool m_pool;
    int m_units = 0;  // index of the unit system: metric, imperial
    int m_autoConnect = 1;
};
