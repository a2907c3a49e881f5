#include "translate/WndResourcePool.h"

#include <windows.h>
#include <commctrl.h>

#include <new>

#include <cstdint>
#include <cstring>

#include "framework/ComboBox.h"
#include "framework/ListCtrl.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"
#include "translate/LanguageFont.h"
#include "translate/MenuResourcePool.h"
#include "translate/WndResourcePoolObj.h"

namespace {

// Handle lists hold 32-bit values; a window matches the value widened.
bool Contains(const CDWordArray& handles, HWND window) {
    const std::uintptr_t value = reinterpret_cast<std::uintptr_t>(window);
    for (std::ptrdiff_t i = 0; i < handles.GetSize(); ++i)
        if (std::uintptr_t(handles[i]) == value) return true;
    return false;
}

void Assign(CDWordArray& to, const CDWordArray& from) {
    to.RemoveAll();
    for (std::ptrdiff_t i = 0; i < from.GetSize(); ++i) to.Add(from[i]);
}

CString ReadWindowText(HWND window) {
    WCHAR buffer[256];
    const int length = GetWindowTextW(window, buffer, 256);
    return CString(buffer, length > 0 ? length : 0);
}

// Header and tab labels are read through a 260-character buffer; a control
// may also answer with a pointer to its own text, which is cut the same way.
CString Truncated(const WCHAR* text) {
    int length = 0;
    while (length < 259 && text[length]) ++length;
    return CString(text, length);
}

void CaptureComboBox(CWndResource& resource) {
    CComboBox combo;
    combo.Attach(resource.hWnd);
    const int cur = combo.GetCurSel();
    for (int i = 0; i < combo.GetCount(); ++i) {
        CWndItem item;
        combo.GetLBText(i, item.text);
        item.itemDataPtr = combo.GetItemData(i);
        item.itemData = DWORD(item.itemDataPtr);
        item.selected = i == cur;
        resource.items.push_back(std::move(item));
    }
}

void CaptureListView(CWndResource& resource) {
    CListCtrl list;
    list.Attach(resource.hWnd);
    HWND header = list.GetHeaderCtrl();
    if (!header) return;
    for (int i = 0; i < int(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)); ++i) {
        WCHAR buffer[260] = {};
        HDITEMW hdi = {};
        hdi.mask = HDI_TEXT;
        hdi.pszText = buffer;
        hdi.cchTextMax = 260;
        SendMessageW(header, HDM_GETITEMW, WPARAM(i), LPARAM(&hdi));
        CWndItem item;
        item.text = Truncated(hdi.pszText ? hdi.pszText : buffer);
        resource.items.push_back(std::move(item));
    }
}

void CaptureTabControl(CWndResource& resource) {
    HWND tab = resource.hWnd;
    const int cur = int(SendMessageW(tab, TCM_GETCURSEL, 0, 0));
    for (int i = 0; i < int(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0)); ++i) {
        WCHAR buffer[260] = {};
        TCITEMW tci = {};
        tci.mask = TCIF_TEXT;
        tci.pszText = buffer;
        tci.cchTextMax = 260;
        SendMessageW(tab, TCM_GETITEMW, WPARAM(i), LPARAM(&tci));
        CWndItem item;
        item.text = Truncated(tci.pszText ? tci.pszText : buffer);
        item.selected = i == cur;
        resource.items.push_back(std::move(item));
    }
}

CWndResource MakeResource(HWND window, const CString& text, const CString& className) {
    CWndResource resource;
    resource.hWnd = window;
    resource.text = text;
    if (className.CompareNoCase(L"ComboBox") == 0) {
        resource.kind = WNDRES_COMBOBOX;
        CaptureComboBox(resource);
    } else if (className.CompareNoCase(L"SysListView32") == 0) {
        resource.kind = WNDRES_LISTVIEW;
        CaptureListView(resource);
    } else if (className.CompareNoCase(L"SysTabControl32") == 0) {
        resource.kind = WNDRES_TABCONTROL;
        CaptureTabControl(resource);
    }
    return resource;
}

bool IsExceptionClass(const CWndResourcePoolObj& obj, const CString& className) {
    for (std::ptrdiff_t i = 0; i < obj.exceptionClassNames.GetSize(); ++i)
        if (className.Compare(obj.exceptionClassNames[i]) == 0) return true;
    return false;
}

BOOL CALLBACK CaptureChild(HWND child, LPARAM param) {
    CWndResourcePoolObj& obj = *reinterpret_cast<CWndResourcePoolObj*>(param);
    if (GetParent(child) != obj.hRoot) return TRUE;  // direct children only
    try {
        WCHAR name[256];
        const int length = GetClassNameW(child, name, 256);
        const CString className(name, length > 0 ? length : 0);
        const bool capture = IsExceptionClass(obj, className) ? Contains(obj.classExceptionHandles, child)
                                                              : !Contains(obj.exceptionHandles, child);
        if (capture) obj.items.push_back(MakeResource(child, ReadWindowText(child), className));
        return TRUE;
    } catch (const std::bad_alloc&) {
        return FALSE;  // out of memory: keep what was captured so far
    }
}

// What every step of a relabel needs, read once: the pool's record, the
// language and mode, the dictionary switch and the font to hand out (none
// when font switching is off or the language holds no font).
struct Relabel {
    const CWndResourcePoolObj& obj;
    const CQorLanguageDict& language;
    DICTMODE mode;
    bool enable;
    bool hasFont;
    LOGFONTW font;
    // Made or found once per switch rather than per window.
    HFONT fontObject = nullptr;
    // Whether the object reads back as the record: only then does holding
    // the handle prove a window already has the font, sparing GetObjectW.
    bool handleIsRecord = false;

    CString Translate(const CString& text) const { return obj.manager->GetDisplayCharacterIn(language, mode, text); }
};

struct FontWalk {
    const Relabel& relabel;
    HFONT font;
};

BOOL CALLBACK SetFontOnDescendant(HWND window, LPARAM param) {
    const FontWalk& walk = *reinterpret_cast<const FontWalk*>(param);
    if (walk.relabel.enable && !Contains(walk.relabel.obj.exceptionFontHandles, window))
        SendMessageW(window, WM_SETFONT, WPARAM(walk.font), TRUE);
    return TRUE;
}

// Gives a window the language font and, when it had another font, every
// window below it too.
void ApplyLanguageFontTree(HWND window, const Relabel& relabel) {
    if (!relabel.fontObject) return;
    const HFONT held = HFONT(SendMessageW(window, WM_GETFONT, 0, 0));
    if (held == relabel.fontObject && relabel.handleIsRecord) return;
    LOGFONTW current;
    std::memset(&current, 0, sizeof current);
    if (held) GetObjectW(held, sizeof current, &current);
    if (std::memcmp(&current, &relabel.font, sizeof current) == 0) return;
    SendMessageW(window, WM_SETFONT, WPARAM(relabel.fontObject), TRUE);
    FontWalk walk{relabel, relabel.fontObject};
    EnumChildWindows(window, SetFontOnDescendant, LPARAM(&walk));
}

void RelabelComboBox(const CWndResource& resource, const Relabel& relabel) {
    CComboBox combo;
    combo.Attach(resource.hWnd);
    const int cur = combo.GetCurSel();
    combo.ResetContent();
    for (const CWndItem& item : resource.items) {
        const int index = combo.AddString(relabel.Translate(item.text));
        combo.SetItemData(index, item.itemData);
        combo.SetItemData(index, item.itemDataPtr);  // the full value is the one left
    }
    combo.SetCurSel(cur);
}

void RelabelListView(const CWndResource& resource, const Relabel& relabel) {
    int column = 0;
    for (const CWndItem& item : resource.items) {
        CString text = relabel.Translate(item.text);
        LVCOLUMNW lvc = {};
        lvc.mask = LVCF_TEXT;
        lvc.pszText = const_cast<LPWSTR>(text.GetString());
        SendMessageW(resource.hWnd, LVM_SETCOLUMNW, WPARAM(column++), LPARAM(&lvc));
    }
}

void RelabelTabControl(const CWndResource& resource, const Relabel& relabel) {
    int sel = -1;
    int index = 0;
    for (const CWndItem& item : resource.items) {
        CString text = relabel.Translate(item.text);
        TCITEMW tci = {};
        tci.mask = TCIF_TEXT;
        tci.pszText = const_cast<LPWSTR>(text.GetString());
        SendMessageW(resource.hWnd, TCM_SETITEMW, WPARAM(index), LPARAM(&tci));
        if (item.selected == 1) sel = index;
        ++index;
    }
    SendMessageW(resource.hWnd, TCM_SETCURSEL, WPARAM(sel), 0);
}

void RelabelResource(const CWndResource& resource, const Relabel& relabel) {
    switch (resource.kind) {
    case WNDRES_PLAIN:
        SetWindowTextW(resource.hWnd, relabel.Translate(resource.text));
        break;
    case WNDRES_COMBOBOX:
        RelabelComboBox(resource, relabel);
        break;
    case WNDRES_LISTVIEW:
        RelabelListView(resource, relabel);
        break;
    case WNDRES_TABCONTROL:
        RelabelTabControl(resource, relabel);
        break;
    }
}

void RelabelSystemMenu(HWND window, CQorDictionaryManager* manager) {
    HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu) return;
    CMenuResourcePool pool;
    pool.InitialResourcePool(nullptr, menu, manager);
    pool.ChangeLanguage(DICTMODE_SYSTEM);
}

// The language's font record; false when the language holds none.
bool ReadLanguageFont(const CQorLanguageDict& language, LOGFONTW& font) {
    // A language without data leaves the record untouched, and no real font
    // record is all ones.
    std::memset(&font, 0xFF, sizeof font);
    language.GetFont(font);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&font);
    for (std::size_t i = 0; i < sizeof font; ++i)
        if (bytes[i] != 0xFF) return true;
    return false;
}

void ChangeLanguageOf(const CWndResourcePoolObj& obj, DICTMODE mode) {
    CQorDictionaryManager* manager = obj.manager;
    const CQorLanguageDict* language = manager ? manager->GetModeLanguage(mode) : nullptr;
    if (!language) return;
    Relabel relabel{obj, *language, mode, manager->IsEnable() != 0, false, {}};
    relabel.hasFont = manager->IsEnableFont() && ReadLanguageFont(*language, relabel.font);
    if (relabel.hasFont) relabel.fontObject = GetLanguageFont(relabel.font);
    if (relabel.fontObject) {
        LOGFONTW made;
        std::memset(&made, 0, sizeof made);
        GetObjectW(relabel.fontObject, sizeof made, &made);
        relabel.handleIsRecord = std::memcmp(&made, &relabel.font, sizeof made) == 0;
    }

    if (obj.hRoot) {
        ApplyLanguageFontTree(obj.hRoot, relabel);
        if (relabel.enable) RelabelSystemMenu(obj.hRoot, manager);
        if (!obj.rootCaption.IsEmpty() && obj.bTranslateCaption && relabel.enable)
            SetWindowTextW(obj.hRoot, relabel.Translate(obj.rootCaption));
    }
    for (const CWndResource& resource : obj.items) {
        // Controls destroyed since the capture are skipped.
        if (!resource.hWnd || !IsWindow(resource.hWnd)) continue;
        if (relabel.enable) RelabelResource(resource, relabel);
        ApplyLanguageFontTree(resource.hWnd, relabel);
    }
}

}  // namespace

CWndResourcePool::CWndResourcePool() : m_pObj(new CWndResourcePoolObj) {}

CWndResourcePool::~CWndResourcePool() = default;

void CWndResourcePool::InitialResourcePool(HWND hWnd, void* pDictManager, int bTranslateCaption) {
    if (!m_pObj) return;
    CWndResourcePoolObj& obj = *m_pObj;
    obj.items.clear();
    obj.hRoot = hWnd;
    obj.manager = static_cast<CQorDictionaryManager*>(pDictManager);
    obj.bTranslateCaption = bTranslateCaption;
    if (!hWnd) return;
    try {
        obj.rootCaption = ReadWindowText(hWnd);
    } catch (const std::bad_alloc&) {
        return;
    }
    EnumChildWindows(hWnd, CaptureChild, LPARAM(&obj));
}

void CWndResourcePool::ChangeLanguage(DICTMODE mode) {
    if (!m_pObj) return;
    try {
        ChangeLanguageOf(*m_pObj, mode);
    } catch (const std::bad_alloc&) {
        // Out of memory mid-way: the windows keep what they were given so far.
    }
}

void CWndResourcePool::SetDictManager(void* pDictManager) {
    if (m_pObj) m_pObj->manager = static_cast<CQorDictionaryManager*>(pDictManager);
}

void CWndResourcePool::SetExceptionWndClassName(const CStringArray& classNames) {
    if (!m_pObj) return;
    m_pObj->exceptionClassNames.RemoveAll();
    for (std::ptrdiff_t i = 0; i < classNames.GetSize(); ++i) m_pObj->exceptionClassNames.Add(classNames[i]);
}

void CWndResourcePool::SetExceptionWndClassExceptionHandle(const CDWordArray& handles) {
    if (m_pObj) Assign(m_pObj->classExceptionHandles, handles);
}

void CWndResourcePool::SetExceptionWndHandle(const CDWordArray& handles) {
    if (m_pObj) Assign(m_pObj->exceptionHandles, handles);
}

void CWndResourcePool::SetExceptionFontWndHandle(const CDWordArray& handles) {
    if (m_pObj) Assign(m_pObj->exceptionFontHandles, handles);
}
