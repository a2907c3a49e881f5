#pragma once

#include <memory>

#include "base/COleDateTime.h"
#include "base/CString.h"
#include "base/QorApi.h"

class CArchive;
class CDictWordElementData;

// One dictionary entry: the text as the host writes it (original string), the
// text shown in its place (display string), and when it last changed.
class QOR_API CQorDictWordElement {
public:
    CQorDictWordElement();  // empty strings, updated now
    ~CQorDictWordElement();
    CQorDictWordElement(const CQorDictWordElement&) = delete;
    void operator=(const CQorDictWordElement& source);
    // Entries come from, and go back to, the storage of a load when one is
    // under way (base/LoadArena.h), whichever module news or deletes them.
    static void* operator new(std::size_t bytes);
    static void operator delete(void* memory) noexcept;

    void Serialize(CArchive& ar);

    CString GetOriginalCharacter() const;
    // The same without a copy, valid until the entry or its text changes:
    // loading reads millions of keys, and each copy is an atomic increment.
    const CString& GetOriginalCharacterRef() const noexcept;
    CString GetDisplayCharacter() const;
    // Changes the text only: a list holding the entry keeps its old key.
    void SetOriginalCharacter(const CString& text);
    void SetDisplayCharacter(const CString& text);
    COleDateTime GetUpdateDateTime() const;
    void SetUpdateDateTime(COleDateTime time);

private:
    std::unique_ptr<CDictWordElementData> m_pData;
};
