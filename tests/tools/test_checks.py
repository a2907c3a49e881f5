"""qordict check, stats and pseudo, and the checks import reports: exit codes and output forms.

Run as: test_checks.py QORDICT SAMPLEDICT WORDS_CSV LANGUAGES_CSV [RUNNER]
"""
import json
import re

from qordict_tool import ToolTest, main, read_bytes, run


class ChecksTest(ToolTest):
    def broken_sample(self):
        """The sample with two bad English translations, merged by import."""
        path, sheet = self.sample(), self.path("words.csv")
        self.assertEqual(run("export", path, sheet)[0], 0)
        with open(sheet, encoding="utf-8-sig") as f:
            text = f.read()
        with open(sheet, "w", encoding="utf-8-sig", newline="") as f:
            f.write(text.replace(",&File,", ",File,").replace("Delete %d words?", "Delete %s words?"))
        code, out, err = run("import", path, sheet)
        self.assertEqual(code, 0, err)
        return path, out

    def test_check_lines_exit_codes_and_json(self):
        clean = self.sample()
        code, out, err = run("check", clean)
        self.assertEqual((code, err), (0, ""))
        lines = out.splitlines()
        self.assertEqual(lines[-1], clean + ": 0 errors, %d warnings" % (len(lines) - 1))
        for line in lines[:-1]:
            self.assertRegex(line, r'^%s: (en-US|de-DE): system: "[^"]+": warning: ' % re.escape(clean))

        path, imported = self.broken_sample()
        self.assertIn("checks: 2 errors, 0 warnings in 2 imported translations", imported)
        self.assertIn(path + ': en-US: system: "文件(&F)": error: accelerator count differs', imported)
        code, out, _ = run("check", path)
        self.assertEqual(code, 1)
        self.assertIn(path + ': en-US: system: "确认要删除%d个对象吗 ?": error: placeholder %d became %s\n', out)
        # Warnings alone pass; a language or mode without the errors passes too.
        self.assertEqual(run("check", path, "--language", "de-DE")[0], 0)
        code, out, _ = run("check", path, "--mode", "project")
        self.assertEqual((code, out), (0, path + ": 0 errors, 0 warnings\n"))

        code, out, _ = run("check", path, "--format", "json", "--language", "0x0409")
        self.assertEqual(code, 1)
        report = json.loads(out)
        self.assertEqual(report["errors"], 2)
        self.assertEqual(report["warnings"], len(report["findings"]) - 2)
        errors = [f for f in report["findings"] if f["severity"] == "error"]
        self.assertEqual(errors[0], {"language": "en-US", "lcid": 1033, "mode": "system", "original": "文件(&F)",
                                     "translation": "File", "severity": "error", "kind": "accelerator",
                                     "message": "accelerator count differs"})
        self.assertEqual(errors[1]["kind"], "printf")

        for args in (("check",), ("check", path, "--format", "xml"), ("check", path, "--mode", "both"),
                     ("stats", path, "--language", "de-DE"), ("pseudo", path, "--expand", "many")):
            code, _, err = run(*args)
            self.assertEqual(code, 2, args)
            self.assertTrue(err.startswith("qordict: "), err)
        self.assertEqual(run("check", self.path("missing.dict"))[0], 1)
        code, _, err = run("check", path, "--language", "fr-FR")
        self.assertEqual(code, 1)
        self.assertIn("no language fr-FR", err)

    def test_stats_table_and_json(self):
        path, _ = self.broken_sample()
        code, out, _ = run("stats", path)
        self.assertEqual(code, 0)
        lines = out.splitlines()
        self.assertEqual(len(lines), 1 + 3 * 2 + 1)
        # Right-aligned columns: every line as long as the heading, figures under their names.
        self.assertTrue(all(len(line) == len(lines[0]) for line in lines), out)
        english = lines[3].split()
        self.assertEqual(english, ["en-US", "system", "98", "98", "0", "0", "2", english[7], "100.0"])
        self.assertEqual(lines[-1].split()[:2], ["total", "294"])

        code, out, _ = run("stats", path, "--format", "json")
        self.assertEqual(code, 0)
        stats = json.loads(out)
        self.assertEqual([(row["language"], row["mode"]) for row in stats["languages"]],
                         [(l, m) for l in ("zh-CN", "en-US", "de-DE") for m in ("system", "project")])
        # The import gave the originals' language an empty entry per word.
        chinese = stats["languages"][0]
        self.assertEqual([chinese[k] for k in ("words", "translated", "empty", "missing")], [98, 0, 98, 0])
        total = stats["total"]
        self.assertEqual((total["words"], total["translated"], total["failing"]), (294, 196, 2))
        self.assertEqual(total["percentTranslated"], 66.7)

    def test_pseudo_language_passes_the_checks_and_refreshes(self):
        path = self.sample()
        code, out, err = run("pseudo", path)
        self.assertEqual(code, 0, err)
        self.assertEqual(out, "qps-ploc: added with 98 system words and 0 project words, saved to %s\n" % path)
        self.assertEqual(run("check", path, "--language", "qps-ploc")[0], 0)
        self.assertEqual(run("translate", path, "--language", "0x0501", "文件(&F)")[1], "[文件(&F)~~]\n")
        code, out, _ = run("pseudo", path, "--expand", "0")
        self.assertIn("refreshed", out)
        self.assertEqual(run("translate", path, "--language", "qps-ploc", "文件(&F)")[1], "[文件(&F)]\n")

        # A real language is replaced only when asked to.
        before = read_bytes(path)
        code, _, err = run("pseudo", path, "--language", "de-DE")
        self.assertEqual(code, 1)
        self.assertIn("--force", err)
        self.assertEqual(read_bytes(path), before)
        self.assertEqual(run("pseudo", path, "--language", "de-DE", "--force")[0], 0)
        self.assertEqual(run("translate", path, "--language", "de-DE", "保存")[1], "[保存~]\n")


if __name__ == "__main__":
    main()
