"""Command-line behaviour of qordict: exit codes, messages and output formats.

Run as: test_qordict.py QORDICT SAMPLEDICT WORDS_CSV LANGUAGES_CSV
"""
import json
import os
import struct
import subprocess
import sys
import tempfile
import unittest

QORDICT, SAMPLEDICT, WORDS, LANGUAGES = sys.argv[1:5]
# Windows builds run their programs through Wine: the runner comes first.
RUNNER = sys.argv[5:6]
# Modules with string tables, menus and dialogs, built for the tests.
PE_DIR = os.environ.get("QOR_TEST_PE_DIR", "")

FRESH = bytes.fromhex(
    "01000000" "fffeff07" + "31002e0030002e0030002e003000"
    + "01000000" "09080000" "09080000" "00000000" "00000000"
    + "010000000100000000000000" * 2
)


def run(*args):
    # Output goes through files, not pipes: Wine's helper processes may hold a
    # pipe open long after the program itself has ended.
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        code = subprocess.run([*RUNNER, QORDICT, *args], stdout=out, stderr=err, stdin=subprocess.DEVNULL).returncode
        out.seek(0)
        err.seek(0)
        return code, out.read().decode("utf-8"), err.read().decode("utf-8")


def string(units):
    """The file form of a string given as a list of UTF-16 code units."""
    assert len(units) < 255
    return b"\xff\xfe\xff" + bytes([len(units)]) + struct.pack("<%dH" % len(units), *units)


def text(s):
    raw = s.encode("utf-16-le")
    return string(list(struct.unpack("<%dH" % (len(raw) // 2), raw)))


def i32(*values):
    return struct.pack("<%di" % len(values), *values)


class QordictTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)

    def path(self, name):
        return os.path.join(self.dir.name, name)

    def sample(self):
        path = self.path("sample.dict")
        subprocess.run([*RUNNER, SAMPLEDICT, WORDS, LANGUAGES, path], check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        return path

    def test_new_writes_the_fresh_dictionary_and_never_overwrites_by_accident(self):
        path = self.path("new.dict")
        self.assertEqual(run("new", path)[0], 0)
        with open(path, "rb") as f:
            self.assertEqual(f.read(), FRESH)
        with open(path, "wb") as f:
            f.write(b"precious")
        code, _, err = run("new", path)
        self.assertEqual(code, 1)
        self.assertIn("already exists", err)
        with open(path, "rb") as f:
            self.assertEqual(f.read(), b"precious")
        self.assertEqual(run("new", "--force", path)[0], 0)
        with open(path, "rb") as f:
            self.assertEqual(f.read(), FRESH)

    def test_usage_errors_exit_with_2_and_file_errors_with_1(self):
        for args in [(), ("frobnicate",), ("info",), ("info", "a", "b"), ("translate", "x"),
                     ("translate", "x", "--mode", "both", "t"), ("translate", "x", "--language", "xx-YY", "t"),
                     ("dump", "--verbose", "x"), ("copy", "only-one")]:
            code, out, err = run(*args)
            self.assertEqual(code, 2, args)
            self.assertTrue(err.startswith("qordict: "), (args, err))
        missing = self.path("missing.dict")
        for command in ("info", "dump", "copy"):
            args = (command, missing) + ((self.path("out.dict"),) if command == "copy" else ())
            code, out, err = run(*args)
            self.assertEqual((code, out), (1, ""), command)
            self.assertEqual(err.count("\n"), 1, err)
            self.assertIn(missing, err)
        self.assertFalse(os.path.exists(self.path("out.dict")))
        code, out, _ = run("--help")
        self.assertEqual(code, 0)
        for command in ("new", "info", "dump", "translate", "copy"):
            self.assertIn("\n  " + command + " ", out)

    def test_a_damaged_file_is_reported_with_where_it_broke(self):
        with open(self.sample(), "rb") as f:
            data = f.read()
        cut = self.path("cut.dict")
        with open(cut, "wb") as f:
            f.write(data[:300])
        code, _, err = run("info", cut)
        self.assertEqual(code, 1)
        self.assertIn("cut.dict", err)
        self.assertIn("at byte", err)
        self.assertIn("language", err)

    def test_translate_follows_mode_and_language(self):
        path = self.sample()
        code, out, _ = run("translate", path, "文件(&F)", "unknown text")
        self.assertEqual((code, out), (0, "文件(&F)\nunknown text\n"))  # the default language is Chinese
        self.assertEqual(run("translate", path, "--language", "de-DE", "文件(&F)")[1], "&Datei\n")
        self.assertEqual(run("translate", path, "--language=0x0409", "文件(&F)")[1], "&File\n")
        self.assertEqual(run("translate", path, "--mode", "project", "--language", "1031", "文件(&F)")[1], "文件(&F)\n")

    @unittest.skipUnless(PE_DIR, "QOR_TEST_PE_DIR not set")
    def test_gather_adds_each_new_resource_text_with_empty_translations_and_saves(self):
        dictionary = self.sample()
        before = json.loads(run("dump", dictionary)[1])
        code, out, err = run("gather", dictionary, PE_DIR)
        self.assertEqual((code, err), (0, ""))
        lines = out.splitlines()
        self.assertEqual([line.split(":")[0] for line in lines[:4]],
                         ["dialogs.dll", "menus.dll", "program.exe", "strings.dll"])
        after = json.loads(run("dump", dictionary)[1])
        known = {w["original"].upper() for w in before["systemWords"]}
        added = [w["original"] for w in after["systemWords"][len(before["systemWords"]):]]
        self.assertIn("名称:", added)
        self.assertIn("全选", added)
        self.assertNotIn("", added)
        self.assertFalse(known & {a.upper() for a in added}, "known texts are not added again")
        self.assertEqual(lines[4], "total: %d words added, %d empty translations made" % (
            len(added), sum(len(language_after["systemWords"]) - len(language_before["systemWords"])
                            for language_before, language_after in zip(before["languages"], after["languages"]))))
        for language in after["languages"]:
            new = [w for w in language["systemWords"] if w["original"] == "名称:"]
            self.assertEqual(len(new), 1 if language["enable"] else 0)
            if new:
                self.assertEqual(new[0]["display"], "")
        self.assertEqual(lines[5], "saved to " + dictionary)

        # Everything known now: nothing added, saved all the same.
        code, out, _ = run("gather", dictionary, PE_DIR)
        self.assertEqual(code, 0)
        self.assertIn("total: 0 words added, 0 empty translations made\n", out)
        self.assertEqual(json.loads(run("dump", dictionary)[1])["systemWords"], after["systemWords"])

        code, _, err = run("gather", dictionary, self.path("no such folder"))
        self.assertEqual(code, 1)
        self.assertIn("cannot list the folder", err)
        self.assertEqual(run("gather", dictionary, PE_DIR, "--language", "0x10407")[0], 2)

    def test_dump_is_the_documented_json_shape(self):
        dump = json.loads(run("dump", self.sample())[1])
        self.assertEqual(list(dump), ["version", "enable", "systemDefaultLcid", "projectDefaultLcid", "fontEnable",
                                      "languages", "systemWords", "projectWords"])
        language = dump["languages"][1]
        self.assertEqual(list(language), ["id", "enable", "font", "fontColor", "fontPointSize", "systemWords",
                                          "projectWords"])
        self.assertEqual(list(language["font"]), [
            "height", "width", "escapement", "orientation", "weight", "italic", "underline", "strikeOut", "charSet",
            "outPrecision", "clipPrecision", "quality", "pitchAndFamily", "faceName"])
        self.assertEqual(language["id"], 0x0409)
        word = language["systemWords"][1]
        self.assertEqual(list(word), ["original", "display", "updated"])
        self.assertEqual((word["original"], word["display"]), ("文件(&F)", "&File"))
        self.assertEqual(list(word["updated"]), ["status", "date"])
        self.assertEqual(len(dump["systemWords"]), len(language["systemWords"]))

    def test_dump_keeps_odd_strings_and_exact_dates(self):
        date = 45123.123456789012
        entry = i32(1) + string([0xD800, ord("x")]) + text('q"\\\n\u00e9') + i32(3) + struct.pack("<d", date)
        data = (i32(1) + text("v") + i32(1, 2057, 2057, 0, 0)
                + i32(1, 1, 1) + entry + i32(1, 1, 0))
        path = self.path("odd.dict")
        with open(path, "wb") as f:
            f.write(data)
        code, out, err = run("dump", path)
        self.assertEqual(code, 0, err)
        self.assertIn('"original":"\\uD800x"', out)
        word = json.loads(out)["systemWords"][0]
        self.assertEqual(word["display"], 'q"\\\n\u00e9')
        self.assertEqual(word["updated"], {"status": 3, "date": date})

    def test_copy_rewrites_in_the_current_form(self):
        source = self.path("trailing.dict")
        with open(source, "wb") as f:
            f.write(FRESH + b"trailing bytes")
        target = self.path("copy.dict")
        self.assertEqual(run("copy", source, target)[0], 0)
        with open(target, "rb") as f:
            self.assertEqual(f.read(), FRESH)
        code, _, err = run("copy", source, self.dir.name)  # a folder cannot be replaced by a file
        self.assertEqual(code, 1)
        self.assertIn(self.dir.name, err)

    def test_info_lists_languages_and_counts(self):
        code, out, _ = run("info", self.sample())
        self.assertEqual(code, 0)
        # One word per row of the word list after its heading.
        with open(WORDS, encoding="utf-8-sig") as f:
            words = sum(1 for line in f if line.strip()) - 1
        self.assertIn(f"0x0407 (de-DE)  enabled   {words} system words, 0 project words", out)
        self.assertIn(f"master lists:             {words} system words, 0 project words", out)


if __name__ == "__main__":
    if RUNNER:
        # One Wine server for the whole run saves seconds per program start;
        # the runner keeps its prefix beside the programs' bin folder.
        os.environ["WINEPREFIX"] = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(QORDICT))), "wineprefix")
        subprocess.run([*RUNNER, SAMPLEDICT], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.Popen(["wineserver", "-p", "60"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                         stdin=subprocess.DEVNULL, start_new_session=True)
    try:
        passed = unittest.main(argv=sys.argv[:1], verbosity=1, exit=False).result.wasSuccessful()
    finally:
        if RUNNER:
            subprocess.run(["wineserver", "-k"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    sys.exit(0 if passed else 1)
