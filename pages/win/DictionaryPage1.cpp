#include "pages/win/DictionaryPage1.h"

#include "framework/DataExchange.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"
#include "pages/LanguageSettingsRules.h"
#include "resources/DictionaryApp.h"
#include "resources/Resource.h"
#include "translate/TextHelpers.h"
#include "widgets/ChildLayoutGeometry.h"

namespace {
constexpr int kStretch = kAnchorKeepNearEdge | kAnchorFollowFarSide;      // grows with the page
constexpr int kKeepPlace = kAnchorKeepSize | kAnchorKeepNearEdge;         // stays where it is
constexpr int kKeepToFarEdge = kAnchorKeepSize | kAnchorFollowFarSide;    // moves with the far edge
}  // namespace

void CDictionaryPage1::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_PROJECT_DEFAULT_LANG, m_projectDefault);
    DDX_Control(pDX, IDC_SYS_DEFAULT_LANG, m_systemDefault);
    DDX_Control(pDX, IDC_LANGUAGE_LIST, m_languages);
    DDX_Text(pDX, IDC_DICT_FILE_PATH, m_filePath);
    DDX_Check(pDX, IDC_MULTILINGUAL_ENABLE, m_multilingual);
    DDX_Check(pDX, IDC_FONT_ENABLE, m_fontEnabled);
    DDX_Text(pDX, IDC_DICT_VERSION, m_version);
}

BOOL CDictionaryPage1::OnInitDialog() {
    TCard::OnInitDialog();
    if (CQorDictionaryManager* manager = m_context.manager) {
        m_filePath = manager->GetFile();
        m_multilingual = manager->IsEnable();
        m_fontEnabled = manager->IsEnableFont();
        m_version = manager->GetVersion();
    }
    // Binds the controls before anything talks to them.
    UpdateData(FALSE);
    InsertLanguageColumns();
    FillDefaultLanguageCombos();

    const int projectShow = m_context.projectFlag ? SW_SHOW : SW_HIDE;
    ShowWindow(m_projectDefault.GetSafeHwnd(), projectShow);
    ShowWindow(GetDlgItem(GetSafeHwnd(), IDC_PROJECT_DEFAULT_LABEL), projectShow);

    LayOutChildren();
    for (HWND control : {m_systemDefault.GetSafeHwnd(), m_projectDefault.GetSafeHwnd(),
                         GetDlgItem(GetSafeHwnd(), IDC_FONT_ENABLE)})
        EnableWindow(control, m_multilingual ? TRUE : FALSE);

    // The combos list language names, which are data, not interface texts.
    CDWordArray except;
    except.Add(DWORD(reinterpret_cast<UINT_PTR>(m_projectDefault.GetSafeHwnd())));
    except.Add(DWORD(reinterpret_cast<UINT_PTR>(m_systemDefault.GetSafeHwnd())));
    TranslateDialog(GetSafeHwnd(), m_context.manager, &except, nullptr);
    ApplyLanguageFont(&m_languages, m_context.manager);
    return TRUE;
}

void CDictionaryPage1::InsertLanguageColumns() {
    struct Column {
        UINT heading;
        int width;
    };
    static const Column columns[] = {{IDS_COL_LANGUAGE_ID, 80},
                                     {IDS_COL_LANGUAGE_NAME, 100},
                                     {IDS_COL_REGION_NAME, 100},
                                     {IDS_COL_NATIVE_NAME, 120},
                                     {IDS_COL_FONT, 120}};
    const HINSTANCE resources = QorGetModuleResourceHandle();
    int index = 0;
    for (const Column& column : columns) {
        const CString heading = LoadDictString(m_context.manager, resources, column.heading);
        m_languages.InsertColumn(index++, heading, column.width);
    }
}

void CDictionaryPage1::LayOutChildren() {
    m_layout.Capture(GetSafeHwnd());
    m_layout.SetAllFlags(kKeepPlace, kKeepPlace);
    m_layout.SetFlags(GetDlgItem(GetSafeHwnd(), IDC_DICT_FILE_PATH), kStretch, kKeepPlace);
    m_layout.SetFlags(m_languages.GetSafeHwnd(), kStretch, kStretch);
    for (UINT button : {IDC_ADD, IDC_DELETE, IDC_EDIT_LANGUAGE})
        m_layout.SetFlags(GetDlgItem(GetSafeHwnd(), int(button)), kKeepPlace, kKeepToFarEdge);
}

void CDictionaryPage1::OnSize(UINT type, int cx, int cy) {
    m_layout.Resize();
    TCard::OnSize(type, cx, cy);
}

void CDictionaryPage1::FillDefaultLanguageCombos() {
    m_systemDefault.ResetContent();
    m_projectDefault.ResetContent();
    if (!m_context.manager) return;
    const DefaultLanguageChoices choices = ListDefaultLanguageChoices(*m_context.manager);
    // Unsorted combos: an entry has the same index in both.
    for (CQorLanguageDict* language : choices.languages) {
        const CString name = GetLCIDNativeName(language->GetLanguageID());
        for (CComboBox* combo : {&m_systemDefault, &m_projectDefault})
            combo->SetItemData(combo->AddString(name), reinterpret_cast<DWORD_PTR>(language));
    }
    if (choices.systemIndex < 0) return;
    m_systemDefault.SetCurSel(choices.systemIndex);
    m_projectDefault.SetCurSel(choices.projectIndex);
}

int CDictionaryPage1::ApplySettings(CString& message) {
    UpdateData(TRUE);
    const bool projectInUse = m_context.projectFlag == 1;
    switch (CheckDefaultLanguages(m_multilingual != 0, m_systemDefault.GetCurSel() != CB_ERR,
                                  m_projectDefault.GetCurSel() != CB_ERR, unsigned(m_context.projectFlag))) {
    case SettingsCheck::kNoSystemLanguage:
        message = LoadDictString(m_context.manager, QorGetModuleResourceHandle(), IDS_SYS_DEFAULT_EMPTY);
        return 0;
    case SettingsCheck::kNoProjectLanguage:
        message = LoadDictString(m_context.manager, QorGetModuleResourceHandle(), IDS_PROJECT_DEFAULT_EMPTY);
        return 0;
    case SettingsCheck::kValid:
        break;
    }
    CQorDictionaryManager* manager = m_context.manager;
    if (!manager) return 1;
    manager->SetEnable(m_multilingual);
    manager->SetEnableFont(m_fontEnabled);
    manager->SetVersion(m_version);

    auto chosen = [](const CComboBox& combo) -> CQorLanguageDict* {
        const int index = combo.GetCurSel();
        return index == CB_ERR ? nullptr : reinterpret_cast<CQorLanguageDict*>(combo.GetItemData(index));
    };
    DWORD system = manager->GetSysDefaultLanguageLCID();
    DWORD project = manager->GetProjectDefaultLanguageLCID();
    if (CQorLanguageDict* language = chosen(m_systemDefault)) system = language->GetLanguageID();
    if (projectInUse)
        if (CQorLanguageDict* language = chosen(m_projectDefault)) project = language->GetLanguageID();
    manager->SetSysDefaultLanguageLCID(system);
    manager->SetProjectDefaultLanguageLCID(project);
    return 1;
}
