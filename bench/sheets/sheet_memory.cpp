// Peak memory of reading and importing workbooks, and workbooks built to
// exhaust it. Each run prints one JSON line; peakKiB is the process's peak
// resident memory.
//   sheet_memory make WORDS FILE        exports the bench dictionary (.xlsx or .csv)
//   sheet_memory read FILE              reads every sheet
//   sheet_memory import FILE            reads and merges into an empty dictionary
//   sheet_memory bomb KIND MIB FILE [N] writes a hostile workbook:
//     parts   N worksheets, each its own part of MIB MiB of markup that makes no cell
//     shared  N worksheets naming one part of MIB MiB of number cells
//     empty   one worksheet of MIB MiB of empty <c/> cells
//     sst     a shared string table of MIB MiB of distinct strings
//     numbers one worksheet of MIB MiB of distinct numbers, beside a part of
//             N MiB of random bytes that is never read (the file's own size)
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "BenchWords.h"
#include "base/CFile.h"
#include "model/QorDictionaryManager.h"
#include "sheets/WordSheetExporter.h"
#include "sheets/WordSheetImporter.h"
#include "sheets/WordSheetLayout.h"
#include "sheets/WorkbookFile.h"
#include "sheets/ZipWriter.h"

namespace {

const char kNs[] = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char kRel[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const char kPackageRel[] = "http://schemas.openxmlformats.org/package/2006/relationships";

CString U(const std::string& text) { return CString::FromUtf8(text); }

int Fail(const CString& error) {
    std::printf("{\"ok\":false,\"error\":\"%s\",\"peakKiB\":%ld}\n", error.ToUtf8().c_str(), PeakMemoryKiB());
    return 1;
}

int Make(long words, const std::string& path) {
    auto manager = MakeBenchDictionary(words);
    CWordSheetExporter exporter(manager.get(), DICTMODE_SYSTEM, QorWordSheetLanguages(*manager));
    CWordSheetExporter::Result result;
    CString error;
    auto writer = QorCreateSheetWriter(U(path));
    if (!exporter.Export(*writer, U(path), nullptr, result, error)) return Fail(error);
    std::printf("{\"ok\":true,\"rows\":%ld}\n", result.rowsWritten);
    return 0;
}

int Read(const std::string& path, bool import) {
    auto target = MakeBenchDictionary(0);
    const long before = CurrentMemoryKiB();
    CWorkbookData workbook;
    CString error;
    if (!QorReadWorkbookFile(U(path), workbook, error)) return Fail(error);
    long cells = 0, words = 0, translations = 0;
    for (const CSheetData& sheet : workbook.sheets)
        sheet.VisitCells(0, [&](long, long, const CString&) { return ++cells > 0; });
    const long afterRead = PeakMemoryKiB();
    if (import) {
        CWordSheetImporter importer(target.get(), DICTMODE_SYSTEM, QorWordSheetLanguages(*target));
        for (const CSheetImportReport& report : importer.ImportWorkbook(workbook, nullptr)) {
            words += report.wordsAdded;
            translations += report.translationsAdded;
        }
    }
    std::printf("{\"ok\":true,\"sheets\":%zu,\"cells\":%ld,\"words\":%ld,\"translations\":%ld,\"startKiB\":%ld,"
                "\"readPeakKiB\":%ld,\"peakKiB\":%ld}\n",
                workbook.sheets.size(), cells, words, translations, before, afterRead, PeakMemoryKiB());
    return 0;
}

// A part written in blocks, so that no block has to be held whole.
void Repeat(CZipWriter& zip, const std::string& unit, std::uint64_t bytes) {
    std::string block;
    while (block.size() < (1u << 20)) block += unit;
    for (std::uint64_t done = 0; done < bytes; done += block.size()) zip.Write(block);
}

void Package(CZipWriter& zip, long sheets, const std::string& partOf, bool sharedStrings) {
    zip.BeginEntry("[Content_Types].xml");
    zip.Write("<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
              "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/"
              "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/></Types>");
    zip.BeginEntry("_rels/.rels");
    zip.Write(std::string("<Relationships xmlns=\"") + kPackageRel + "\"><Relationship Id=\"rId1\" Type=\"" + kRel +
              "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
    std::string book = std::string("<workbook xmlns=\"") + kNs + "\" xmlns:r=\"" + kRel + "\"><sheets>";
    std::string rels = std::string("<Relationships xmlns=\"") + kPackageRel + "\">";
    for (long i = 1; i <= sheets; ++i) {
        const std::string n = std::to_string(i);
        book += "<sheet name=\"S" + n + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
        rels += "<Relationship Id=\"rId" + n + "\" Type=\"" + kRel + "/worksheet\" Target=\"worksheets/" +
                (partOf.empty() ? "sheet" + n + ".xml" : partOf) + "\"/>";
    }
    if (sharedStrings)
        rels += std::string("<Relationship Id=\"sst\" Type=\"") + kRel + "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
    zip.BeginEntry("xl/workbook.xml");
    zip.Write(book + "</sheets></workbook>");
    zip.BeginEntry("xl/_rels/workbook.xml.rels");
    zip.Write(rels + "</Relationships>");
}

int Bomb(const std::string& kind, std::uint64_t mib, const std::string& path, long n) {
    CFile file;
    if (!file.Open(U(path), CFile::modeCreate | CFile::modeWrite)) return Fail(U(file.GetOpenError()));
    CZipWriter zip(file, 1);
    const std::uint64_t bytes = mib << 20;
    const std::string head = std::string("<worksheet xmlns=\"") + kNs + "\"><sheetData>";
    const std::string tail = "</sheetData></worksheet>";
    if (kind == "parts") {
        // Spaces with a little noise, to stay below the ratio a part may inflate by.
        std::mt19937 random(1);
        Package(zip, n, "", false);
        for (long i = 1; i <= n; ++i) {
            zip.BeginEntry("xl/worksheets/sheet" + std::to_string(i) + ".xml");
            zip.Write(head);
            for (std::uint64_t done = 0; done < bytes; done += 65536) {
                std::string block = "<!--";
                for (int k = 0; k < 64; ++k) block += "0123456789abcdef"[random() % 16];
                block += "-->";
                block.resize(65536, ' ');
                zip.Write(block);
            }
            zip.Write(tail);
        }
    } else if (kind == "shared") {
        Package(zip, n, "data.xml", false);
        zip.BeginEntry("xl/worksheets/data.xml");
        zip.Write(head);
        std::string row = "<row>";
        for (int c = 0; c < 16384; ++c) row += "<c><v>1</v></c>";
        Repeat(zip, row + "</row>", bytes);
        zip.Write(tail);
    } else if (kind == "empty") {
        Package(zip, 1, "", false);
        zip.BeginEntry("xl/worksheets/sheet1.xml");
        zip.Write(head);
        std::string row = "<row>";
        for (int c = 0; c < 16384; ++c) row += "<c/>";
        Repeat(zip, row + "</row>", bytes);
        zip.Write(tail);
    } else if (kind == "sst") {
        Package(zip, 1, "", true);
        zip.BeginEntry("xl/worksheets/sheet1.xml");
        zip.Write(head + "<row><c t=\"s\"><v>0</v></c></row>" + tail);
        zip.BeginEntry("xl/sharedStrings.xml");
        zip.Write(std::string("<sst xmlns=\"") + kNs + "\">");
        std::string block;
        for (std::uint64_t i = 0, done = 0; done < bytes; ++i) {
            block += "<si><t>" + std::to_string(i) + "</t></si>";
            if (block.size() >= (1u << 20)) {
                done += block.size();
                zip.Write(block);
                block.clear();
            }
        }
        zip.Write(block + "</sst>");
    } else if (kind == "numbers") {
        Package(zip, 1, "", false);
        zip.BeginEntry("xl/media/noise.bin");
        std::mt19937 random(2);
        std::string noise(1u << 20, '\0');
        for (long i = 0; i < n; ++i) {
            for (char& ch : noise) ch = char(random());
            zip.Write(noise);
        }
        zip.BeginEntry("xl/worksheets/sheet1.xml");
        zip.Write(head);
        std::string block;
        for (std::uint64_t i = 0, done = 0; done < bytes; ++i) {
            if (i % 16384 == 0) block += i ? "</row><row>" : "<row>";
            block += "<c><v>" + std::to_string(i) + "</v></c>";
            if (block.size() >= (1u << 20)) {
                done += block.size();
                zip.Write(block);
                block.clear();
            }
        }
        zip.Write(block + "</row>" + tail);
    } else {
        std::fprintf(stderr, "unknown bomb %s\n", kind.c_str());
        return 2;
    }
    zip.Finish();
    std::printf("{\"ok\":true,\"bytes\":%llu}\n", static_cast<unsigned long long>(file.GetLength()));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "make" && argc == 4) return Make(std::atol(argv[2]), argv[3]);
    if ((mode == "read" || mode == "import") && argc == 3) return Read(argv[2], mode == "import");
    if (mode == "bomb" && (argc == 5 || argc == 6))
        return Bomb(argv[2], std::strtoull(argv[3], nullptr, 10), argv[4], argc == 6 ? std::atol(argv[5]) : 1);
    std::fprintf(stderr, "usage: sheet_memory make WORDS FILE | read FILE | import FILE | bomb KIND MIB FILE [N]\n");
    return 2;
}
