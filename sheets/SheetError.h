#pragma once

#include <string>

#include "base/Exceptions.h"
#include "base/QorApi.h"

// A workbook or CSV file that cannot be read or written: the reason is one
// English sentence for the user. Thrown inside sheets/ and caught at the
// boundary of each reader and writer.
class QOR_API CSheetException : public CException {
public:
    using CException::CException;
};
