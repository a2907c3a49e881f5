"""PO and XLIFF catalogues of qordict against real readers and writers: GNU
gettext's msgfmt, Python's gettext module, polib, the translate toolkit,
xmllint and Python's XML parser.

Run as: test_catalogs.py QORDICT SAMPLEDICT WORDS_CSV LANGUAGES_CSV [RUNNER]
"""
import gettext
import re
import shutil
import subprocess
import unittest
import xml.etree.ElementTree as ET

from qordict_tool import ToolTest, main, read_bytes, run

try:
    import polib
except ImportError:
    polib = None
try:
    from translate.storage import po as toolkit_po
except ImportError:
    toolkit_po = None

MSGFMT = shutil.which("msgfmt")
XMLLINT = shutil.which("xmllint")
XLIFF = "urn:oasis:names:tc:xliff:document:2.0"
Q = "{%s}" % XLIFF

# Originals and German translations that every format has to carry exactly,
# and printf pairs on both sides of msgfmt's check.
TRICKY = [
    ("tab\there", "Tab\tda"),
    ("two\nlines\n", "zwei\nZeilen\n"),
    ("CR\r\nLF", "CR\r\nLF auf Deutsch"),
    ('say "hi" \\ back\\', 'sag "hallo" \\ zurück\\'),
    ("music 𝄞 😀", "Musik 𝄞 😀"),
    ("bell \x01 del \x7f", "Glocke \x01 Entf \x7f"),
    ("<b>&amp;</b> ]]>", "<i>&lt;</i> ]]>"),
    ("untranslated", None),
    ("100% sure", "zu 100% sicher"),
    ("'%1' ...", "'%1' …"),
    ("%I64d bytes", "%I64d Bytes"),
]
SAME_FORMAT = [("%d of %s", "%2$s: %1$d"), ("%-5.2f%%", "%g %%"), ("%lu items", "%lx Dinge"), ("%*d", "%*d"),
               ("%ls", "%S"), ("%s and %s", "%1$s und %2$s"), ("%zu", "%Zx"), ("%1$s", "%1$s%1$s")]
BROKEN = [("'%s' exists", "'%d' gibt es"), ("%d %s", "%s %d"), ("%d files", "Dateien"), ("%s!", "%s %!"),
          ("%ld", "%d"), ("[%s]", "[%.*s]"), ("#%d", "#%u"), ("Line\n", "Zeile"), ("\nLead", "Vorn")]
ALL = TRICKY + SAME_FORMAT + BROKEN


def csv_field(text):
    return '"' + text.replace('"', '""') + '"'


def mo_catalog(path):
    with open(path, "rb") as f:
        catalog = dict(gettext.GNUTranslations(f)._catalog)
    catalog.pop("", None)
    return catalog


class CatalogTest(ToolTest):
    def tricky(self):
        """A Chinese-and-German dictionary of TRICKY, SAME_FORMAT and BROKEN."""
        languages = self.path("languages.csv")
        with open(languages, "w", encoding="utf-8", newline="") as f:
            f.write("locale,lcid,font,points,enabled\nzh-CN,0x0804,Arial,9,1\nde-DE,0x0407,Arial,9,1\n")
        words = self.path("words.csv")
        with open(words, "w", encoding="utf-8", newline="") as f:
            f.write("zh-CN,de-DE\n")
            for original, translation in ALL:
                f.write(csv_field(original) + ("," + csv_field(translation) if translation else "") + "\n")
        return self.build(words, languages, "tricky.dict")

    def translations(self, dictionary, lcid=0x0407):
        language = next(lang for lang in self.dump(dictionary)["languages"] if lang["id"] == lcid)
        return {w["original"]: w["display"] for w in language["systemWords"]}

    def export(self, dictionary, out, *options):
        code, stdout, err = run("export", dictionary, out, *options)
        self.assertEqual((code, err), (0, ""), stdout)
        return stdout

    def msgfmt(self, po):
        mo = po + ".mo"
        result = subprocess.run([MSGFMT, "--check-format", "-o", mo, po], capture_output=True, text=True)
        return result.returncode, result.stderr, mo

    @unittest.skipUnless(MSGFMT, "msgfmt (gettext) is not installed")
    def test_msgfmt_accepts_every_sample_catalogue_and_reads_what_the_dictionary_holds(self):
        dictionary = self.sample()
        dump = self.dump(dictionary)
        for language in dump["languages"]:
            for mode in ("system", "project"):
                po = self.path("%x-%s.po" % (language["id"], mode))
                self.export(dictionary, po, "--language", str(language["id"]), "--mode", mode)
                code, err, mo = self.msgfmt(po)
                self.assertEqual(code, 0, err)
                words = language[mode + "Words"]
                expected = {w["original"]: w["display"] for w in words if w["display"]}
                self.assertEqual(mo_catalog(mo), expected, po)
                with open(po, encoding="utf-8") as f:
                    text = f.read()
                # Only originals with printf arguments are checked as C formats.
                flagged = re.findall(r'#, c-format\nmsgid "(.*)"', text)
                self.assertEqual(sorted(flagged), sorted(w["original"] for w in dump[mode + "Words"]
                                                         if re.search(r"%[sd]", w["original"])))

    @unittest.skipUnless(MSGFMT, "msgfmt (gettext) is not installed")
    def test_broken_formats_are_marked_fuzzy_exactly_where_msgfmt_would_refuse_them(self):
        po = self.path("de.po")
        out = self.export(self.tricky(), po, "--language", "de-DE")
        self.assertIn("%d translations marked fuzzy" % len(BROKEN), out)
        code, err, mo = self.msgfmt(po)
        self.assertEqual(code, 0, err)
        # gettext itself reads every escaped text as written; fuzzy ones stay out.
        expected = {o: t for o, t in TRICKY + SAME_FORMAT if t}
        self.assertEqual(mo_catalog(mo), expected)

        # Without the fuzzy flags msgfmt refuses each of them, and nothing else.
        with open(po, encoding="utf-8") as f:
            text = f.read()
        unfuzzied = self.path("unfuzzied.po")
        with open(unfuzzied, "w", encoding="utf-8") as f:
            f.write(text.replace("#, fuzzy, c-format\n", "#, c-format\n").replace("#, fuzzy\n", ""))
        code, err, _ = self.msgfmt(unfuzzied)
        self.assertNotEqual(code, 0)
        with open(unfuzzied, encoding="utf-8") as f:
            lines = f.read().split("\n")
        starts = [i + 1 for i, line in enumerate(lines) if line.startswith("msgid ")]
        refused = set()
        for number in re.findall(r"unfuzzied\.po:(\d+):", err):
            start = max(s for s in starts if s <= int(number))
            refused.add(start)
        self.assertEqual(len(refused), len(BROKEN), err)

    @unittest.skipUnless(polib, "python3-polib is not installed")
    def test_polib_reads_exports_and_its_edits_import(self):
        dictionary, po = self.tricky(), self.path("de.po")
        self.export(dictionary, po, "--language", "de-DE")
        catalog = polib.pofile(po)
        self.assertEqual(catalog.metadata["Language"], "de_DE")
        entries = {e.msgid: e for e in catalog}
        for original, translation in ALL:
            self.assertEqual(entries[original].msgstr, translation or "", original)
            self.assertRegex(entries[original].comment, r"^updated \d{4}-\d\d-\d\dT\d\d:\d\d:\d\d$")
        self.assertEqual((entries["'%s' exists"].flags, entries["%d of %s"].flags, entries["100% sure"].flags),
                         (["fuzzy", "c-format"], ["c-format"], []))

        entries["tab\there"].msgstr = "Tab\tdort"
        entries["untranslated"].msgstr = "übersetzt\n\"jetzt\""
        entries["music 𝄞 😀"].msgstr = ""  # untranslated in the file: kept in the dictionary
        entries["'%s' exists"].msgstr = "'%s' gibt es"  # reviewed
        entries["'%s' exists"].flags = ["c-format"]
        entries["%d files"].msgstr = "%d Dateien"  # still fuzzy
        catalog.append(polib.POEntry(msgid="a new word " * 12, msgstr="ein neues Wort " * 12))  # wrapped by polib
        edited = self.path("edited.po")
        catalog.save(edited)
        before = self.translations(dictionary)
        code, out, err = run("import", dictionary, edited, "--language", "de-DE")
        self.assertEqual((code, err), (0, ""))
        self.assertIn("%d fuzzy translations not imported" % (len(BROKEN) - 1), out)
        self.assertIn("total: 1 word added, 2 translations added, 2 translations changed, saved to " + dictionary, out)
        # The checks look at what came in, and report without refusing it.
        self.assertIn(dictionary + ': de-DE: system: "untranslated": error: line break count differs', out)
        after = self.translations(dictionary)
        self.assertEqual({k: after[k] for k in ("tab\there", "untranslated", "'%s' exists", "a new word " * 12)},
                         {"tab\there": "Tab\tdort", "untranslated": "übersetzt\n\"jetzt\"",
                          "'%s' exists": "'%s' gibt es", "a new word " * 12: "ein neues Wort " * 12})
        self.assertEqual((after["music 𝄞 😀"], after["%d files"]), (before["music 𝄞 😀"], "Dateien"))

    @unittest.skipUnless(toolkit_po, "translate-toolkit is not installed")
    def test_translate_toolkit_reads_exports_and_its_files_import(self):
        dictionary, po = self.tricky(), self.path("de.po")
        self.export(dictionary, po, "--language", "de-DE")
        store = toolkit_po.pofile(read_bytes(po))
        units = {u.source: u for u in store.units if not u.isheader()}
        self.assertEqual({o: u.target for o, u in units.items()}, {o: t or "" for o, t in ALL})
        self.assertEqual((units["%d files"].isfuzzy(), units["%d of %s"].isfuzzy()), (True, False))
        self.assertIn("updated ", units["tab\there"].getnotes("developer"))

        units["two\nlines\n"].target = "zwei\nneue Zeilen\n"
        units['say "hi" \\ back\\'].target = 'sag \\ "servus"'
        edited = self.path("toolkit.po")
        with open(edited, "wb") as f:
            f.write(bytes(store))
        code, out, err = run("import", dictionary, edited, "--language", "1031")
        self.assertEqual((code, err), (0, ""))
        self.assertIn("total: 0 words added, 0 translations added, 2 translations changed", out)
        after = self.translations(dictionary)
        self.assertEqual((after["two\nlines\n"], after['say "hi" \\ back\\']), ("zwei\nneue Zeilen\n", 'sag \\ "servus"'))

    def test_xliff_is_well_formed_xliff2_that_another_parser_reads_and_edits(self):
        dictionary, xlf = self.tricky(), self.path("de.xlf")
        self.export(dictionary, xlf, "--language", "0x0407")
        if XMLLINT:
            result = subprocess.run([XMLLINT, "--noout", xlf], capture_output=True, text=True)
            self.assertEqual(result.returncode, 0, result.stderr)
        root = ET.parse(xlf).getroot()
        self.assertEqual((root.tag, root.get("version"), root.get("srcLang"), root.get("trgLang")),
                         (Q + "xliff", "2.0", "zh-CN", "de-DE"))
        (file,) = root.findall(Q + "file")
        units = file.findall(Q + "unit")
        self.assertEqual(len({u.get("id") for u in units}), len(units))

        def text(element):  # <cp hex="..."/> stands for a character XML cannot hold
            out = element.text or ""
            for child in element:
                self.assertEqual(child.tag, Q + "cp")
                out += chr(int(child.get("hex"), 16)) + (child.tail or "")
            return out

        read = {}
        for unit in units:
            (segment,) = unit.findall(Q + "segment")
            target = segment.find(Q + "target")
            read[text(segment.find(Q + "source"))] = None if target is None else text(target)
        self.assertEqual(read, dict(ALL))

        # Edited and written back by ElementTree, which prefixes every element.
        units[0].find(Q + "segment").find(Q + "target").text = "Tab\tgeändert"
        segment = ET.SubElement(ET.SubElement(file, Q + "unit", id="added"), Q + "segment")
        ET.SubElement(segment, Q + "source").text = "new & <word>"
        ET.SubElement(segment, Q + "target").text = "neues & <Wort>"
        edited = self.path("edited.xlf")
        # ElementTree writes CR as it is, which XML reads as LF: a reference keeps it.
        with open(edited, "w", encoding="utf-8") as f:
            f.write(ET.tostring(root, encoding="unicode").replace("\r", "&#13;"))
        code, out, err = run("import", dictionary, edited, "--language", "de-DE")
        self.assertEqual((code, err), (0, ""))
        self.assertIn("total: 1 word added, 1 translation added, 1 translation changed", out)
        after = self.translations(dictionary)
        self.assertEqual((after["tab\there"], after["new & <word>"], after["CR\r\nLF"]),
                         ("Tab\tgeändert", "neues & <Wort>", "CR\r\nLF auf Deutsch"))

    def test_bad_arguments_and_files_change_nothing(self):
        dictionary, po = self.sample(), self.path("de.po")
        self.export(dictionary, po, "--language", "de-DE")
        for args in (("export", dictionary, po), ("import", dictionary, po),
                     ("import", dictionary, self.path("x.xlsx"), "--language", "de-DE")):
            self.assertEqual(run(*args)[0], 2, args)
        code, _, err = run("export", dictionary, self.path("fr.po"), "--language", "fr-FR")
        self.assertEqual(code, 1)
        self.assertIn("qordict: %s has no language 0x040C (fr-FR)" % dictionary, err)
        original = read_bytes(dictionary)
        with open(po, encoding="utf-8") as f:
            text = f.read().replace("Language: de_DE", "Language: en_US") + '\nmsgid "x"\nmsgstr "y"\n'
        with open(po, "w", encoding="utf-8") as f:
            f.write(text)
        code, out, err = run("import", dictionary, po, "--language", "de-DE")
        self.assertEqual((code, out), (1, ""))
        self.assertIn("is a catalogue of 'en_US', not of 0x0407 (de-DE)", err)
        self.assertEqual(read_bytes(dictionary), original)


if __name__ == "__main__":
    main()
