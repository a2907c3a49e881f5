// sampledict: builds the demo's dictionary file from its UTF-8 word list.
//   sampledict <words.csv> <languages.csv> <output.dict>
#include <cstdio>
#include <string>

#include "base/CFile.h"
#include "base/Exceptions.h"
#include "model/QorDictionaryManager.h"
#include "tools/sampledict/WordListCsv.h"

namespace {

bool ReadText(const CString& path, std::string& text, std::string& error) {
    CFile file;
    if (!file.Open(path, CFile::modeRead)) {
        error = file.GetOpenError();
        return false;
    }
    try {
        text.assign(std::size_t(file.GetLength()), '\0');
        text.resize(file.Read(&text[0], text.size()));
        return true;
    } catch (const CException& e) {
        error = e.GetReason();
        return false;
    }
}

int Run(const CString& wordsPath, const CString& languagesPath, const CString& outputPath) {
    std::string words, languages, error;
    CsvRows wordRows, languageRows;
    if (!ReadText(wordsPath, words, error) || !ParseCsv(words, wordRows, error)) {
        std::fprintf(stderr, "sampledict: %s: %s\n", wordsPath.ToUtf8().c_str(), error.c_str());
        return 1;
    }
    if (!ReadText(languagesPath, languages, error) || !ParseCsv(languages, languageRows, error)) {
        std::fprintf(stderr, "sampledict: %s: %s\n", languagesPath.ToUtf8().c_str(), error.c_str());
        return 1;
    }
    CQorDictionaryManager manager;
    if (!BuildSampleDictionary(languageRows, wordRows, manager, error)) {
        std::fprintf(stderr, "sampledict: %s\n", error.c_str());
        return 1;
    }
    if (!manager.Save(outputPath)) {
        std::fprintf(stderr, "sampledict: %s\n", manager.GetLastFileError().ToUtf8().c_str());
        return 1;
    }
    std::printf("sampledict: wrote %s (%d words)\n", outputPath.ToUtf8().c_str(), int(wordRows.size()) - 1);
    return 0;
}

const char kUsage[] = "usage: sampledict <words.csv> <languages.csv> <output.dict>\n";

}  // namespace

#if defined(_WIN32)
int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    return Run(argv[1], argv[2], argv[3]);
}
#else
int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    return Run(CString::FromUtf8(argv[1]), CString::FromUtf8(argv[2]), CString::FromUtf8(argv[3]));
}
#endif
