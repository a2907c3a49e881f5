"""qordict gather --from-list: texts a host recorded as untranslated join the master list.

Run as: test_misses.py QORDICT SAMPLEDICT WORDS_CSV LANGUAGES_CSV [RUNNER]
"""
import json
import os
import subprocess
import sys
import tempfile
import unittest

QORDICT, SAMPLEDICT, WORDS, LANGUAGES = sys.argv[1:5]
RUNNER = sys.argv[5:6]  # Wine for a Windows build


def run(*args):
    # Files rather than pipes: Wine's helpers may hold a pipe open after the program ends.
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        code = subprocess.run([*RUNNER, QORDICT, *args], stdout=out, stderr=err, stdin=subprocess.DEVNULL).returncode
        out.seek(0)
        err.seek(0)
        return code, out.read().decode("utf-8"), err.read().decode("utf-8")


class GatherFromListTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)
        self.dictionary = os.path.join(self.dir.name, "sample.dict")
        subprocess.run([*RUNNER, SAMPLEDICT, WORDS, LANGUAGES, self.dictionary], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)

    def write_list(self, name, data):
        path = os.path.join(self.dir.name, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def dump(self):
        return json.loads(run("dump", self.dictionary)[1])

    def test_listed_texts_are_merged_exactly_like_resource_texts(self):
        listed = self.write_list("misses.txt", "\ufeff文件(&F)\r\nSave\\tAll\n\ntwo\\nlines \\\\ end\nsave\\tall\n"
                                 "表情 😀\\uDC01\n".encode("utf-8"))
        before = self.dump()
        code, out, err = run("gather", self.dictionary, "--from-list", listed)
        self.assertEqual((code, err), (0, ""))
        enabled = [language for language in before["languages"] if language["enable"]]
        self.assertEqual(out, "%s: 5 texts, 3 words added\ntotal: 3 words added, %d empty translations made\n"
                              "saved to %s\n" % (listed, 3 * len(enabled), self.dictionary))
        after = self.dump()
        new = ["Save\tAll", "two\nlines \\ end", "表情 😀\udc01"]
        self.assertEqual([w["original"] for w in after["systemWords"]],
                         [w["original"] for w in before["systemWords"]] + new)
        for old, language in zip(before["languages"], after["languages"]):
            added = [(w["original"], w["display"]) for w in language["systemWords"][len(old["systemWords"]):]]
            self.assertEqual(added, [(text, "") for text in new] if language["enable"] else [])
        self.assertEqual(after["projectWords"], before["projectWords"])

        # Known now, in either case of a-z: nothing added. The project list is another list.
        self.assertIn("total: 0 words added", run("gather", self.dictionary, "--from-list", listed)[1])
        code, out, _ = run("gather", self.dictionary, "--mode", "project", "--from-list=" + listed)
        self.assertEqual(code, 0)
        self.assertEqual([w["original"] for w in self.dump()["projectWords"]], ["文件(&F)"] + new)

    def test_a_bad_list_names_the_line_and_changes_nothing(self):
        with open(self.dictionary, "rb") as f:
            original = f.read()
        for data, message in [(b"ok\nfine\nbad \xff byte\n", "line 3: not valid UTF-8 at byte 5"),
                              (b"C:\\Program Files\n", "line 1: unknown escape '\\P'"),
                              (b"x\\u12\n", "line 1: \\u needs four hexadecimal digits")]:
            listed = self.write_list("bad.txt", data)
            code, out, err = run("gather", self.dictionary, "--from-list", listed)
            self.assertEqual((code, out), (1, ""), data)
            self.assertTrue(err.startswith("qordict: cannot read '%s': %s" % (listed, message)), err)
            self.assertEqual(err.count("\n"), 1, err)
        missing = os.path.join(self.dir.name, "missing.txt")
        code, _, err = run("gather", self.dictionary, "--from-list", missing)
        self.assertEqual(code, 1)
        self.assertIn(missing, err)
        with open(self.dictionary, "rb") as f:
            self.assertEqual(f.read(), original)

        listed = self.write_list("good.txt", b"text\n")
        for args in [(self.dictionary, self.dir.name, "--from-list", listed),
                     (self.dictionary, "--from-list", listed, "--language", "de-DE"),
                     (self.dictionary, "--from-list"), ("--from-list", listed)]:
            code, _, err = run("gather", *args)
            self.assertEqual(code, 2, args)
            self.assertTrue(err.startswith("qordict: "), err)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
