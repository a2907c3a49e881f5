#pragma once

#include <string>

#include "base/QorApi.h"

// The file layer reports failures by throwing, as the framework's CFile and
// CArchive do; the model catches them at its boundary (Load and Save).
class QOR_API CException {
public:
    explicit CException(std::string reason) : m_reason(std::move(reason)) {}
    virtual ~CException() = default;
    // A short English sentence for people: what failed and where.
    const std::string& GetReason() const noexcept { return m_reason; }

private:
    std::string m_reason;
};

class QOR_API CFileException : public CException {
public:
    using CException::CException;
};

class QOR_API CArchiveException : public CException {
public:
    enum Cause { endOfFile, badLength, badSchema };
    CArchiveException(Cause cause, std::string reason) : CException(std::move(reason)), m_cause(cause) {}
    Cause m_cause;
};
