#include "sheets/CellReference.h"

std::string QorColumnName(long column) {
    std::string name;
    for (long n = column + 1; n > 0; n = (n - 1) / 26) name.insert(name.begin(), char('A' + (n - 1) % 26));
    return name;
}

bool QorParseCellReference(const char* text, std::size_t length, long& row, long& column) {
    std::size_t i = 0;
    long col = 0;
    for (; i < length && i < 3 && text[i] >= 'A' && text[i] <= 'Z'; ++i) col = col * 26 + (text[i] - 'A' + 1);
    if (i == 0 || col > kQorMaxColumns) return false;
    if (i == length || text[i] < '1' || text[i] > '9') return false;
    long r = 0;
    for (; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        r = r * 10 + (text[i] - '0');
        if (r > kQorMaxRows) return false;
    }
    row = r - 1;
    column = col - 1;
    return true;
}
