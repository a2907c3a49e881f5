#pragma once

#include "base/CString.h"
#include "base/QorApi.h"

// Puts value in place of the insertion point of a message from the string
// table or the dictionary ("%s", "%d", "%u", "%ld" or "%1"); "%%" becomes
// "%". A translated message is a translator's text, so it is never handed to
// printf, which would read arguments it was not given: every other "%"
// sequence is shown as written.
QOR_API CString InsertIntoMessage(const CString& message, const CString& value);
