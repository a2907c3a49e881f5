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

    void Serialize(CArchive& ar);

    CString GetOriginalCharacter() const;
    CString GetDisplayCharacter() const;
    // Changes the text only: a list holding the entry keeps its old key.
    void SetOriginalCharacter(const CString& text);
    void SetDisplayCharacter(const CString& text);
    COleDateTime GetUpdateDateTime() const;
    void SetUpdateDateTime(COleDateTime time);

private:
    std::unique_ptr<CDictWordElementData> m_pData;
};
