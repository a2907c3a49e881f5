#pragma once

#include <windows.h>

#include <vector>

// Builds an in-memory dialog template (DLGTEMPLATE with DS_SETFONT) so that
// tests can open real dialogs without resource scripts.
class DialogTemplate {
public:
    DialogTemplate(const wchar_t* caption, short cx, short cy) {
        Align(4);
        DLGTEMPLATE header = {};
        header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_MODALFRAME;
        header.cx = cx;
        header.cy = cy;
        AppendBytes(&header, sizeof header);
        AppendWord(0);  // no menu
        AppendWord(0);  // standard class
        AppendString(caption);
        AppendWord(9);
        AppendString(L"MS Shell Dlg");
    }

    // classAtom: 0x0080 button, 0x0081 edit, 0x0082 static, 0x0085 combo box;
    // or a class name.
    void Add(WORD classAtom, const wchar_t* text, WORD id, DWORD style, short x, short y, short cx, short cy) {
        AddControl(id, style, x, y, cx, cy);
        AppendWord(0xFFFF);
        AppendWord(classAtom);
        Finish(text);
    }
    void Add(const wchar_t* className, const wchar_t* text, WORD id, DWORD style, short x, short y, short cx,
             short cy) {
        AddControl(id, style, x, y, cx, cy);
        AppendString(className);
        Finish(text);
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }
    // The dialog's style (set before controls are added).
    void SetStyle(DWORD style) { reinterpret_cast<DLGTEMPLATE*>(m_words.data())->style = style | DS_SETFONT; }

    HWND Create(HWND parent = nullptr) {
        return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(m_words.data()),
                                          parent, Procedure, 0);
    }

private:
    static INT_PTR CALLBACK Procedure(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

    void AddControl(WORD id, DWORD style, short x, short y, short cx, short cy) {
        ++reinterpret_cast<DLGTEMPLATE*>(m_words.data())->cdit;
        Align(4);
        DLGITEMTEMPLATE item = {};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = cx;
        item.cy = cy;
        item.id = id;
        AppendBytes(&item, sizeof item);
    }
    void Finish(const wchar_t* text) {
        AppendString(text);
        AppendWord(0);  // no creation data
    }
    void Align(std::size_t bytes) {
        while ((m_words.size() * 2) % bytes) m_words.push_back(0);
    }
    void AppendWord(WORD w) { m_words.push_back(w); }
    void AppendString(const wchar_t* s) {
        do AppendWord(WORD(*s)); while (*s++);
    }
    void AppendBytes(const void* data, std::size_t size) {
        const WORD* words = static_cast<const WORD*>(data);
        m_words.insert(m_words.end(), words, words + size / 2);
    }

    std::vector<WORD> m_words;
};
