#include "Command.h"
#include "JsonWriter.h"
#include "base/LogFont.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"

namespace qordict {
namespace {

typedef CList<CQorDictWordElement*, CQorDictWordElement*> EntryList;

void AppendWords(std::string& out, const EntryList* entries) {
    out += '[';
    if (entries) {
        bool first = true;
        for (POSITION pos = entries->GetHeadPosition(); pos;) {
            const CQorDictWordElement* entry = entries->GetNext(pos);
            COleDateTime updated = entry->GetUpdateDateTime();
            if (!first) out += ',';
            first = false;
            out += "{\"original\":" + JsonString(entry->GetOriginalCharacter()) +
                   ",\"display\":" + JsonString(entry->GetDisplayCharacter()) +
                   ",\"updated\":{\"status\":" + std::to_string(int(updated.GetStatus())) +
                   ",\"date\":" + JsonNumber(updated.GetValue()) + "}}";
        }
    }
    out += ']';
}

void AppendFont(std::string& out, const LOGFONTW& f) {
    int faceLength = 0;
    while (faceLength < LF_FACESIZE && f.lfFaceName[faceLength]) ++faceLength;
    out += "{\"height\":" + std::to_string(f.lfHeight) + ",\"width\":" + std::to_string(f.lfWidth) +
           ",\"escapement\":" + std::to_string(f.lfEscapement) + ",\"orientation\":" + std::to_string(f.lfOrientation) +
           ",\"weight\":" + std::to_string(f.lfWeight) + ",\"italic\":" + std::to_string(f.lfItalic) +
           ",\"underline\":" + std::to_string(f.lfUnderline) + ",\"strikeOut\":" + std::to_string(f.lfStrikeOut) +
           ",\"charSet\":" + std::to_string(f.lfCharSet) + ",\"outPrecision\":" + std::to_string(f.lfOutPrecision) +
           ",\"clipPrecision\":" + std::to_string(f.lfClipPrecision) + ",\"quality\":" + std::to_string(f.lfQuality) +
           ",\"pitchAndFamily\":" + std::to_string(f.lfPitchAndFamily) +
           ",\"faceName\":" + JsonString(f.lfFaceName, faceLength) + "}";
}

int RunDump(Arguments args) {
    RejectOptions(args);
    if (args.size() != 1) throw UsageError("dump takes exactly one FILE");
    CQorDictionaryManager manager;
    if (!LoadDictionary(manager, args[0])) return kFileError;

    std::string out = "{\"version\":" + JsonString(manager.GetVersion()) +
                      ",\"enable\":" + std::to_string(manager.IsEnable()) +
                      ",\"systemDefaultLcid\":" + std::to_string(manager.GetSysDefaultLanguageLCID()) +
                      ",\"projectDefaultLcid\":" + std::to_string(manager.GetProjectDefaultLanguageLCID()) +
                      ",\"fontEnable\":" + std::to_string(manager.IsEnableFont()) + ",\"languages\":[";
    auto* languages = manager.GetLanguageDictList();
    for (POSITION pos = languages->GetHeadPosition(); pos;) {
        CQorLanguageDict* language = languages->GetNext(pos);
        LOGFONTW font;
        language->GetFont(font);
        if (out.back() == '}') out += ',';
        out += "{\"id\":" + std::to_string(language->GetLanguageID()) +
               ",\"enable\":" + std::to_string(language->IsEnable()) + ",\"font\":";
        AppendFont(out, font);
        out += ",\"fontColor\":" + std::to_string(language->GetFontColor()) +
               ",\"fontPointSize\":" + std::to_string(language->GetFontPointSize()) + ",\"systemWords\":";
        AppendWords(out, language->GetDictionaryList(DICTMODE_SYSTEM));
        out += ",\"projectWords\":";
        AppendWords(out, language->GetDictionaryList(DICTMODE_PROJECT));
        out += '}';
    }
    out += "],\"systemWords\":";
    AppendWords(out, manager.GetSysDictWord()->GetDictionaryList());
    out += ",\"projectWords\":";
    AppendWords(out, manager.GetProjectDictWord()->GetDictionaryList());
    out += "}\n";
    WriteOut(out);
    return kSuccess;
}

const Registration registration{{"dump", "FILE", "write the whole dictionary as JSON to standard output", RunDump}};

}  // namespace
}  // namespace qordict
