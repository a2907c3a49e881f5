"""qordict gather --from-list: texts a host recorded as untranslated join the master list.

Run as: test_misses.py QORDICT SAMPLEDICT WORDS_CSV LANGUAGES_CSV [RUNNER]
"""
from qordict_tool import ToolTest, main, read_bytes, run, write_bytes


class GatherFromListTest(ToolTest):
    def setUp(self):
        super().setUp()
        self.dictionary = self.sample()

    def write_list(self, name, data):
        return write_bytes(self.path(name), data)

    def test_listed_texts_are_merged_exactly_like_resource_texts(self):
        listed = self.write_list("misses.txt", "\ufeff文件(&F)\r\nSave\\tAll\n\ntwo\\nlines \\\\ end\nsave\\tall\n"
                                 "表情 😀\\uDC01\n".encode("utf-8"))
        before = self.dump(self.dictionary)
        code, out, err = run("gather", self.dictionary, "--from-list", listed)
        self.assertEqual((code, err), (0, ""))
        enabled = [language for language in before["languages"] if language["enable"]]
        self.assertEqual(out, "%s: 5 texts, 3 words added\ntotal: 3 words added, %d empty translations made\n"
                              "saved to %s\n" % (listed, 3 * len(enabled), self.dictionary))
        after = self.dump(self.dictionary)
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
        self.assertEqual([w["original"] for w in self.dump(self.dictionary)["projectWords"]], ["文件(&F)"] + new)

    def test_a_bad_list_names_the_line_and_changes_nothing(self):
        original = read_bytes(self.dictionary)
        for data, message in [(b"ok\nfine\nbad \xff byte\n", "line 3: not valid UTF-8 at byte 5"),
                              (b"C:\\Program Files\n", "line 1: unknown escape '\\P'"),
                              (b"x\\u12\n", "line 1: \\u needs four hexadecimal digits")]:
            listed = self.write_list("bad.txt", data)
            code, out, err = run("gather", self.dictionary, "--from-list", listed)
            self.assertEqual((code, out), (1, ""), data)
            self.assertTrue(err.startswith("qordict: cannot read '%s': %s" % (listed, message)), err)
            self.assertEqual(err.count("\n"), 1, err)
        missing = self.path("missing.txt")
        code, _, err = run("gather", self.dictionary, "--from-list", missing)
        self.assertEqual(code, 1)
        self.assertIn(missing, err)
        self.assertEqual(read_bytes(self.dictionary), original)

        listed = self.write_list("good.txt", b"text\n")
        for args in [(self.dictionary, self.dir.name, "--from-list", listed),
                     (self.dictionary, "--from-list", listed, "--language", "de-DE"),
                     (self.dictionary, "--from-list"), ("--from-list", listed)]:
            code, _, err = run("gather", *args)
            self.assertEqual(code, 2, args)
            self.assertTrue(err.startswith("qordict: "), err)


if __name__ == "__main__":
    main()
