#include "pages/win/DictionaryPage1.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "editor/MessageText.h"
#include "editor/win/DictionaryDialog.h"
#include "editor/win/DictionarySave.h"
#include "editor/win/LanguageDialog.h"
#include "framework/DataExchange.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"
#include "pages/LanguageSettingsRules.h"
#include "pages/win/WordPage.h"
#include "resources/DictionaryApp.h"
#include "resources/Resource.h"
#include "translate/DLLLocalResource.h"
#include "translate/TextHelpers.h"
#include "widgets/ChildLayoutGeometry.h"

namespace {
constexpr int kStretch = kAnchorKeepNearEdge | kAnchorFollowFarSide;    // grows with the page
constexpr int kKeepPlace = kAnchorKeepSize | kAnchorKeepNearEdge;       // stays where it is
constexpr int kKeepToFarEdge = kAnchorKeepSize | kAnchorFollowFarSide;  // moves with the far edge
constexpr DWORD kListStyles = LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB |
                              LVS_EX_INFOTIP | LVS_EX_DOUBLEBUFFER;
constexpr int kColumnCount = 5;

CString Text(CQorDictionaryManager* manager, UINT id) {
    return LoadDictString(manager, QorGetModuleResourceHandle(), id);
}

CString RegionName(DWORD languageId) {
    wchar_t name[128] = {};
    if (GetLocaleInfoW(LCID(languageId), LOCALE_SENGCOUNTRY, name, 128) <= 0) return CString(L"Not supported language");
    return CString(name);
}

DWORD HandleEntry(HWND window) { return DWORD(reinterpret_cast<std::uintptr_t>(window)); }

// A new font for a language: the font object the list cached for the old one
// is released, so the column draws the new one.
void ForgetCachedFont(CQorLanguageDict* language) {
    if (HFONT cached = language->GetFontSafeHwnd()) {
        language->SetFontSafeHwnd(nullptr);
        DeleteObject(cached);
    }
}
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
    SetUpLanguageList();
    SeedAndCountLanguages();
    FillDefaultLanguageCombos();

    const int projectShow = m_context.projectFlag ? SW_SHOW : SW_HIDE;
    ShowWindow(m_projectDefault.GetSafeHwnd(), projectShow);
    ShowWindow(GetDlgItem(GetSafeHwnd(), IDC_PROJECT_DEFAULT_LABEL), projectShow);
    LayOutChildren();
    EnableLanguageChoice();
    UpdateData(FALSE);

    // The combos list language names, which are data, not interface texts.
    CDWordArray except;
    except.Add(HandleEntry(m_projectDefault.GetSafeHwnd()));
    except.Add(HandleEntry(m_systemDefault.GetSafeHwnd()));
    TranslateDialog(GetSafeHwnd(), m_context.manager, &except, nullptr);
    ApplyLanguageFont(&m_languages, m_context.manager);
    return TRUE;
}

void CDictionaryPage1::SetUpLanguageList() {
    m_images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 4);
    m_images.Add(LoadIconW(QorGetModuleResourceHandle(), MAKEINTRESOURCEW(IDI_LANGUAGE_ROW)));
    m_languages.SetExtendedStyle(DWORD(m_languages.SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)) | kListStyles);
    m_languages.SetManager(m_context.manager);
    struct Column {
        UINT heading;
        int width;
    };
    static const Column columns[kColumnCount] = {{IDS_COL_LANGUAGE_ID, 80},
                                                 {IDS_COL_LANGUAGE_NAME, 100},
                                                 {IDS_COL_REGION_NAME, 100},
                                                 {IDS_COL_NATIVE_NAME, 120},
                                                 {IDS_COL_FONT, 120}};
    for (int index = 0; index < kColumnCount; ++index) {
        m_languages.InsertColumn(index, Text(m_context.manager, columns[index].heading), columns[index].width);
        m_languages.SetReadOnlyColumn(index);
    }
    m_languages.SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, LPARAM(m_images.GetSafeHandle()));
}

void CDictionaryPage1::SeedAndCountLanguages() {
    CQorDictionaryManager* manager = m_context.manager;
    if (!manager) return;
    const int added = SeedBuiltInLanguages(*manager, Text(manager, IDS_FONT_TIMES_NEW_ROMAN));
    m_languages.SetItemCountEx(int(manager->GetLanguageDictList()->GetCount()));
    if (added > 0 && !manager->GetFile().IsEmpty()) Save();
}

void CDictionaryPage1::LayOutChildren() {
    m_layout.Capture(GetSafeHwnd());
    m_layout.SetAllFlags(kKeepPlace, kKeepPlace);
    m_layout.SetFlags(GetDlgItem(GetSafeHwnd(), IDC_DICT_FILE_PATH), kStretch, kKeepPlace);
    m_layout.SetFlags(m_languages.GetSafeHwnd(), kStretch, kStretch);
    for (UINT button : {IDC_ADD, IDC_DELETE, IDC_EDIT_LANGUAGE})
        m_layout.SetFlags(GetDlgItem(GetSafeHwnd(), int(button)), kKeepPlace, kKeepToFarEdge);
}

void CDictionaryPage1::EnableLanguageChoice() {
    for (HWND control : {m_systemDefault.GetSafeHwnd(), m_projectDefault.GetSafeHwnd(),
                         GetDlgItem(GetSafeHwnd(), IDC_FONT_ENABLE)})
        EnableWindow(control, m_multilingual ? TRUE : FALSE);
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

namespace {
CQorLanguageDict* Chosen(const CComboBox& combo) {
    const int index = combo.GetCurSel();
    return index == CB_ERR ? nullptr : reinterpret_cast<CQorLanguageDict*>(combo.GetItemData(index));
}
}  // namespace

int CDictionaryPage1::ApplySettings(CString& message) {
    UpdateData(TRUE);
    switch (CheckDefaultLanguages(m_multilingual != 0, m_systemDefault.GetCurSel() != CB_ERR,
                                  m_projectDefault.GetCurSel() != CB_ERR, unsigned(m_context.projectFlag))) {
    case SettingsCheck::kNoSystemLanguage:
        message = Text(m_context.manager, IDS_SYS_DEFAULT_EMPTY);
        return 0;
    case SettingsCheck::kNoProjectLanguage:
        message = Text(m_context.manager, IDS_PROJECT_DEFAULT_EMPTY);
        return 0;
    case SettingsCheck::kValid:
        break;
    }
    CQorDictionaryManager* manager = m_context.manager;
    if (!manager) return 1;
    manager->SetEnable(m_multilingual);
    manager->SetEnableFont(m_fontEnabled);
    manager->SetVersion(m_version);
    if (CQorLanguageDict* language = Chosen(m_systemDefault)) manager->SetSysDefaultLanguageLCID(language->GetLanguageID());
    if (m_context.projectFlag == 1)
        if (CQorLanguageDict* language = Chosen(m_projectDefault))
            manager->SetProjectDefaultLanguageLCID(language->GetLanguageID());
    return 1;
}

int CDictionaryPage1::EditLanguage(CQorLanguageDict* language) {
    CDLLLocalResource libraryResources;
    CLanguageDialog dialog(this);
    dialog.m_pLanguage = language;
    dialog.m_pManager = m_context.manager;
    return int(dialog.DoModal());
}

BOOL CDictionaryPage1::PreTranslateMessage(MSG* message) {
    if (message->message == WM_KEYDOWN) {
        const bool control = GetKeyState(VK_CONTROL) < 0;
        // The list's keys work where the list is: Delete in a combo box
        // deletes no language.
        const bool inList = message->hwnd == m_languages.GetSafeHwnd();
        switch (message->wParam) {
        case VK_RETURN:
        case VK_ESCAPE:
            return TRUE;
        case VK_DELETE:
            if (inList) PostMessageW(GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_DELETE, BN_CLICKED), 0);
            break;
        case 'A':
            if (inList && control) PostMessageW(GetSafeHwnd(), WM_COMMAND, kSelectAllCommand, 0);
            break;
        case 'N':
            if (inList && control) PostMessageW(GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_ADD, BN_CLICKED), 0);
            break;
        }
    }
    return TCard::PreTranslateMessage(message);
}

BOOL CDictionaryPage1::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id == kSelectAllCommand) {
        SelectAllLanguages();
        return TRUE;
    }
    if (code == CBN_SELENDOK && (id == IDC_SYS_DEFAULT_LANG || id == IDC_PROJECT_DEFAULT_LANG)) {
        NoteDefaultLanguageChoice();
        return TRUE;
    }
    if (code != BN_CLICKED) return TCard::OnCommand(wParam, lParam);
    switch (id) {
    case IDC_ADD:
        AddLanguage();
        return TRUE;
    case IDC_DELETE:
        DeleteSelectedLanguages();
        return TRUE;
    case IDC_EDIT_LANGUAGE:
        EditLanguageAt(m_languages.GetSelectionMark());
        return TRUE;
    case IDC_MULTILINGUAL_ENABLE:
    case IDC_FONT_ENABLE:
        OnSwitch(id);
        return TRUE;
    }
    return TCard::OnCommand(wParam, lParam);
}

BOOL CDictionaryPage1::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->hwndFrom != m_languages.GetSafeHwnd()) return TCard::OnNotify(wParam, lParam, result);
    switch (header->code) {
    case LVN_GETDISPINFOW:
        AnswerCell(reinterpret_cast<NMLVDISPINFOW*>(lParam));
        *result = 0;
        return TRUE;
    case NM_CLICK:
        ToggleLanguageUnderCursor();
        *result = 0;
        return TRUE;
    case NM_DBLCLK: {
        UINT flags = 0;
        EditLanguageAt(RowUnderCursor(&flags));
        *result = 0;
        return TRUE;
    }
    }
    return TCard::OnNotify(wParam, lParam, result);
}

void CDictionaryPage1::AnswerCell(NMLVDISPINFOW* info) {
    LVITEMW& item = info->item;
    CQorLanguageDict* language = m_languages.LanguageAt(item.iItem);
    if (!language) return;
    if (item.mask & LVIF_IMAGE) item.iImage = 0;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        CString text;
        const DWORD id = language->GetLanguageID();
        switch (item.iSubItem) {
        case 0:
            text = HexLanguageId(id);
            break;
        case 1:
            text = GetLCIDLocaleName(id);
            break;
        case 2:
            text = RegionName(id);
            break;
        case 3:
            text = GetLCIDNativeName(id);
            break;
        case CDictListCtrl::kFontColumn: {
            LOGFONTW font = {};
            language->GetFont(font);
            text = font.lfFaceName;
            text = m_context.manager->GetDisplayCharacter(DICTMODE_SYSTEM, text);
            break;
        }
        }
        lstrcpynW(item.pszText, text, item.cchTextMax);
    }
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(language->IsEnable() ? 2 : 1);
}

int CDictionaryPage1::RowUnderCursor(UINT* flags) const {
    POINT cursor = {};
    GetCursorPos(&cursor);
    ScreenToClient(m_languages.GetSafeHwnd(), &cursor);
    return m_languages.HitTest(cursor, flags);
}

void CDictionaryPage1::ToggleLanguageUnderCursor() {
    UINT flags = 0;
    const int row = RowUnderCursor(&flags);
    CQorLanguageDict* language = m_languages.LanguageAt(row);
    if (flags != LVHT_ONITEMSTATEICON || !language) return;
    language->SetEnable(language->IsEnable() ? 0 : 1);
    m_languages.SendMessage(LVM_REDRAWITEMS, WPARAM(row), LPARAM(row));
    LanguagesChanged();
    SetModified();
}

void CDictionaryPage1::EditLanguageAt(int row) {
    CQorLanguageDict* language = m_languages.LanguageAt(row);
    if (!language) return;
    if (EditLanguage(language) != IDOK) return;
    ForgetCachedFont(language);
    m_languages.SendMessage(LVM_REDRAWITEMS, WPARAM(row), LPARAM(row));
    // An ID change renames the language everywhere it is listed.
    LanguagesChanged();
    Save();
    SetModified();
}

void CDictionaryPage1::AddLanguage() {
    CQorDictionaryManager* manager = m_context.manager;
    if (!manager) return;
    auto language = std::make_unique<CQorLanguageDict>();
    language->SetLanguageID(2048);
    language->SetEnable(0);
    if (EditLanguage(language.get()) != IDOK) return;
    // A language whose ID the manager already holds is refused and goes.
    if (manager->Add(language.get())) language.release();
    m_languages.SetItemCountEx(int(manager->GetLanguageDictList()->GetCount()));
    SetModified();
}

void CDictionaryPage1::DeleteSelectedLanguages() {
    CQorDictionaryManager* manager = m_context.manager;
    if (!manager) return;
    std::vector<CQorLanguageDict*> chosen;
    for (int row = m_languages.GetNextItem(-1, LVNI_SELECTED); row >= 0;
         row = m_languages.GetNextItem(row, LVNI_SELECTED))
        if (CQorLanguageDict* language = m_languages.LanguageAt(row)) chosen.push_back(language);
    const UINT selected = m_languages.GetSelectedCount();
    if (selected > 0) {
        CString count;
        count.Format(L"%u", selected);
        const CString question = InsertIntoMessage(Text(manager, IDS_CONFIRM_DELETE_COUNT), count);
        if (MessageBoxW(GetSafeHwnd(), question, Text(manager, IDS_WARNING), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return;
    }
    const std::vector<CQorLanguageDict*> kept = DeleteDisabledLanguages(*manager, chosen);
    for (CQorLanguageDict* language : kept) {
        const CString message =
            InsertIntoMessage(Text(manager, IDS_DEFAULT_LANGUAGE_IN_USE), GetLCIDNativeName(language->GetLanguageID()));
        MessageBoxW(GetSafeHwnd(), message, Text(manager, IDS_WARNING), MB_ICONEXCLAMATION);
    }
    // The selection named rows of languages that may be gone.
    m_languages.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    m_languages.SetItemCountEx(int(manager->GetLanguageDictList()->GetCount()), 0);
    if (kept.size() != chosen.size()) LanguagesChanged();
    SetModified();
}

void CDictionaryPage1::SelectAllLanguages() {
    // A list view refuses to focus every row at once: all are selected, the
    // focus stays where it is.
    m_languages.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
}

void CDictionaryPage1::NoteDefaultLanguageChoice() {
    UpdateData(TRUE);
    CQorDictionaryManager* manager = m_context.manager;
    if (!manager) return;
    CQorLanguageDict* system = Chosen(m_systemDefault);
    CQorLanguageDict* project = Chosen(m_projectDefault);
    if ((system && system->GetLanguageID() != manager->GetSysDefaultLanguageLCID()) ||
        (m_context.projectFlag == 1 && project && project->GetLanguageID() != manager->GetProjectDefaultLanguageLCID()))
        SetModified();
}

void CDictionaryPage1::OnSwitch(UINT id) {
    SetModified();
    UpdateData(TRUE);
    CQorDictionaryManager* manager = m_context.manager;
    if (id == IDC_MULTILINGUAL_ENABLE) {
        EnableLanguageChoice();
        if (manager) manager->SetEnable(m_multilingual);
    } else if (manager) {
        manager->SetEnableFont(m_fontEnabled);
    }
}

void CDictionaryPage1::LanguagesChanged() {
    FillDefaultLanguageCombos();
    if (!m_context.dialog) return;
    if (CWordPage* page = m_context.dialog->GetPage2()) page->RebuildLanguageColumns();
    if (CWordPage* page = m_context.dialog->GetPage3()) page->RebuildLanguageColumns();
}

void CDictionaryPage1::SetModified() {
    if (m_context.dialog) m_context.dialog->SetModified();
}

void CDictionaryPage1::Save() { SaveDictionaryOrTell(m_context.manager, GetSafeHwnd()); }
