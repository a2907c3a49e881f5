"""Command-line behaviour of qordict: exit codes, messages and output formats.

Run as: test_qordict.py QORDICT SAMPLEDICT WORDS_CSV LANGUAGES_CSV [RUNNER]
"""
import json
import os
import resource
import signal
import stat
import struct
import subprocess
import sys
import unittest

from qordict_tool import QORDICT, RUNNER, WORDS, ToolTest, main, read_bytes, run, write_bytes

# Modules with string tables, menus and dialogs, built for the tests.
PE_DIR = os.environ.get("QOR_TEST_PE_DIR", "")

FRESH = bytes.fromhex(
    "01000000" "fffeff07" + "31002e0030002e0030002e003000"
    + "01000000" "09080000" "09080000" "00000000" "00000000"
    + "010000000100000000000000" * 2
)


def run_bytes(*args):
    """Like run, with byte arguments and byte output (file names need not be UTF-8)."""
    result = subprocess.run([os.fsencode(QORDICT), *args], capture_output=True, stdin=subprocess.DEVNULL)
    return result.returncode, result.stdout, result.stderr


def run_limited(args, stdout=None, file_size=None, user=None, env=None):
    """Runs with stdout sent to the given file and, if given, a file-size limit
    (SIGXFSZ left at its default action, which ends a program that lets it
    through; ignored under Wine, whose own writes do not hold it back), as
    another user or with another environment."""
    def limit():
        signal.signal(signal.SIGXFSZ, signal.SIG_IGN if RUNNER else signal.SIG_DFL)
        resource.setrlimit(resource.RLIMIT_FSIZE, (file_size, file_size))
    return run(*args, stdout=stdout, preexec_fn=limit if file_size else None, user=user, env=env)


def string(units):
    """The file form of a string given as a list of UTF-16 code units."""
    assert len(units) < 255
    return b"\xff\xfe\xff" + bytes([len(units)]) + struct.pack("<%dH" % len(units), *units)


def text(s):
    raw = s.encode("utf-16-le")
    return string(list(struct.unpack("<%dH" % (len(raw) // 2), raw)))


def i32(*values):
    return struct.pack("<%di" % len(values), *values)


class QordictTest(ToolTest):
    def test_new_writes_the_fresh_dictionary_and_never_overwrites_by_accident(self):
        path = self.path("new.dict")
        self.assertEqual(run("new", path)[0], 0)
        self.assertEqual(read_bytes(path), FRESH)
        write_bytes(path, b"precious")
        code, _, err = run("new", path)
        self.assertEqual(code, 1)
        self.assertIn("already exists", err)
        self.assertEqual(read_bytes(path), b"precious")
        self.assertEqual(run("new", "--force", path)[0], 0)
        self.assertEqual(read_bytes(path), FRESH)

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

    def test_help_options_and_operands_follow_the_gnu_conventions(self):
        _, general, _ = run("--help")
        mode_line = general[general.index("  --mode system"):general.index("  --  ")]
        for command in ("export", "import", "translate"):
            self.assertIn(command, mode_line)
        for command in ("dump", "info", "copy"):
            self.assertNotIn(command, mode_line)
        # Help wins wherever it stands, and names the command when there is one.
        for args in (("help", "info"), ("info", "-h"), ("info", "missing.dict", "--help"),
                     ("info", "--bogus", "-h"), ("translate", "x", "--mode", "both", "-h")):
            code, out, err = run(*args)
            self.assertEqual((code, err), (0, ""), args)
            self.assertTrue(out.startswith("Usage: qordict " + args[args[0] == "help"] + " "), (args, out))
            self.assertNotIn("Commands:", out, args)
        for args in (("-h", "info"), ("--mode", "project", "--help"), ("help",)):
            code, out, _ = run(*args)
            self.assertEqual(code, 0, args)
            self.assertIn("Commands:", out, args)
        code, _, err = run("help", "frobnicate")
        self.assertEqual(code, 2)
        self.assertIn("frobnicate", err)
        code, out, _ = run("--version")
        self.assertEqual(code, 0)
        self.assertRegex(out, r"^qordict \d+\.\d+\.\d+\n$")

        # After "--" a dash starts a text or a file name, never an option.
        path = self.sample()
        code, out, err = run("translate", path, "--", "--mode", "-h", "Open")
        self.assertEqual(code, 0, err)
        self.assertEqual(out.splitlines()[:2], ["--mode", "-h"])
        dashed = self.path("-h")
        self.assertEqual(run("new", "--", dashed)[0], 0)
        self.assertEqual(run("copy", path, "--", dashed)[0], 0)
        self.assertEqual(run("info", "--", dashed)[0], 0)
        code, _, err = run("info", "-x", path)
        self.assertEqual(code, 2)
        self.assertIn("'-x'", err)

    @unittest.skipIf(RUNNER or sys.platform == "win32", "file names are bytes only on POSIX")
    def test_a_file_name_that_is_not_utf8_survives_every_command(self):
        folder = os.fsencode(self.dir.name)
        name = folder + b"/caf\xe9-\xff\x80.dict"
        sheet = folder + b"/w\xf6rter.csv"
        code, _, err = run_bytes(b"copy", os.fsencode(self.sample()), name)
        self.assertEqual(code, 0, err)
        self.assertTrue(os.path.exists(name))
        self.assertEqual(run_bytes(b"export", name, sheet)[0], 0)
        self.assertEqual(run_bytes(b"import", name, sheet)[0], 0)
        code, out, _ = run_bytes(b"info", name)
        self.assertEqual(code, 0)
        # A message names the file by its own bytes.
        os.chmod(name, 0)
        code, _, err = run_bytes(b"info", name)
        os.chmod(name, 0o644)
        if os.geteuid() != 0:
            self.assertEqual(code, 1)
            self.assertIn(name, err)

    @unittest.skipIf(RUNNER, "devices, FIFOs, owners and file-size limits are POSIX")
    def test_saving_into_devices_fifos_and_streams_keeps_the_node(self):
        path = self.sample()
        data = read_bytes(path)
        # Standard output as a pipe, as in "qordict copy a.dict /dev/stdout | ...".
        result = subprocess.run([QORDICT, "copy", path, "/dev/stdout"], capture_output=True)
        self.assertEqual((result.returncode, result.stderr), (0, b""))
        self.assertEqual(result.stdout, data)
        fifo = self.path("fifo")
        os.mkfifo(fifo)
        reader = subprocess.Popen(["cat", fifo], stdout=subprocess.PIPE)
        self.assertEqual(run("copy", path, fifo)[0], 0)
        self.assertEqual(reader.communicate(timeout=60)[0], data)
        self.assertTrue(stat.S_ISFIFO(os.stat(fifo).st_mode))
        self.assertEqual(run("copy", path, "/dev/null")[0], 0)
        self.assertTrue(stat.S_ISCHR(os.stat("/dev/null").st_mode))
        code, _, err = run("copy", path, "/dev/full")
        self.assertEqual(code, 1)
        self.assertIn("/dev/full", err)
        self.assertEqual(sorted(os.listdir(self.dir.name)), ["fifo", "sample.dict"])

    @unittest.skipIf(RUNNER, "devices, FIFOs, owners and file-size limits are POSIX")
    def test_a_dictionary_loads_from_a_pipe(self):
        path = self.sample()
        expected = run("info", path)[1]
        data = read_bytes(path)
        result = subprocess.run([QORDICT, "info", "/dev/stdin"], input=data, capture_output=True)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout.decode("utf-8").replace("/dev/stdin", path), expected)
        # A damaged stream is told like a damaged file, within the same limits.
        result = subprocess.run([QORDICT, "info", "/dev/stdin"], input=data[:300], capture_output=True)
        self.assertEqual(result.returncode, 1)
        self.assertIn(b"at byte", result.stderr)

    @unittest.skipIf(RUNNER, "devices, FIFOs, owners and file-size limits are POSIX")
    def test_a_save_cut_short_leaves_the_old_file_and_no_trace(self):
        big = self.sample()
        temporary = self.path("tmp")
        os.mkdir(temporary)
        env = dict(os.environ, TMPDIR=temporary)
        for linked in (False, True):
            target = self.path("small.dict")
            self.assertEqual(run("new", "--force", target)[0], 0)
            if linked:  # written in place, with the old content kept aside
                os.link(target, self.path("twin.dict"))
            code, _, err = run_limited(("copy", big, target), file_size=4096, env=env)
            self.assertEqual(code, 1, err)
            self.assertIn(target, err)
            self.assertNotIn(".qor-", err)
            self.assertEqual(read_bytes(target), FRESH, linked)
            expected = ["sample.dict", "small.dict", "tmp"] + (["twin.dict"] if linked else [])
            self.assertEqual(sorted(os.listdir(self.dir.name)), expected)
            self.assertEqual(os.listdir(temporary), [])

    @unittest.skipIf(RUNNER or os.geteuid() != 0, "needs root to hand files to other users")
    def test_owner_mode_and_a_folder_that_takes_no_new_files(self):
        path = self.sample()
        data = read_bytes(path)
        target = self.path("owned.dict")
        self.assertEqual(run("new", target)[0], 0)
        os.chown(target, 1234, 2345)
        os.chmod(target, 0o640)
        self.assertEqual(run("copy", path, target)[0], 0)
        info = os.stat(target)
        self.assertEqual((info.st_uid, info.st_gid, stat.S_IMODE(info.st_mode)), (1234, 2345, 0o640))

        # Another user may write the file but not the folder: written in place.
        folder = self.path("locked")
        os.mkdir(folder)
        target = os.path.join(folder, "shared.dict")
        self.assertEqual(run("new", target)[0], 0)
        os.chmod(target, 0o666)
        os.chmod(self.dir.name, 0o755)
        os.chmod(folder, 0o555)
        temporary = self.path("tmp")
        os.mkdir(temporary, 0o777)
        os.chmod(temporary, 0o777)
        env = dict(os.environ, TMPDIR=temporary)
        code, _, err = run_limited(("copy", path, target), user=65534, env=env)
        self.assertEqual(code, 0, err)
        self.assertEqual(read_bytes(target), data)
        self.assertEqual(os.listdir(folder), ["shared.dict"])
        self.assertEqual(os.listdir(temporary), [])
        os.chmod(target, 0o644)
        code, _, err = run_limited(("copy", path, target), user=65534, env=env)
        self.assertEqual(code, 1)
        self.assertIn(target, err)

    def test_a_damaged_file_is_reported_with_where_it_broke(self):
        cut = write_bytes(self.path("cut.dict"), read_bytes(self.sample())[:300])
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
        before = self.dump(dictionary)
        code, out, err = run("gather", dictionary, PE_DIR)
        self.assertEqual((code, err), (0, ""))
        lines = out.splitlines()
        self.assertEqual([line.split(":")[0] for line in lines[:4]],
                         ["dialogs.dll", "menus.dll", "program.exe", "strings.dll"])
        after = self.dump(dictionary)
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
        self.assertEqual(self.dump(dictionary)["systemWords"], after["systemWords"])

        code, _, err = run("gather", dictionary, self.path("no such folder"))
        self.assertEqual(code, 1)
        self.assertIn("cannot list the folder", err)
        self.assertEqual(run("gather", dictionary, PE_DIR, "--language", "0x10407")[0], 2)

    def test_dump_is_the_documented_json_shape(self):
        dump = self.dump(self.sample())
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
        path = write_bytes(self.path("odd.dict"), data)
        code, out, err = run("dump", path)
        self.assertEqual(code, 0, err)
        self.assertIn('"original":"\\uD800x"', out)
        word = json.loads(out)["systemWords"][0]
        self.assertEqual(word["display"], 'q"\\\n\u00e9')
        self.assertEqual(word["updated"], {"status": 3, "date": date})

    def test_copy_rewrites_in_the_current_form(self):
        source = write_bytes(self.path("trailing.dict"), FRESH + b"trailing bytes")
        target = self.path("copy.dict")
        self.assertEqual(run("copy", source, target)[0], 0)
        self.assertEqual(read_bytes(target), FRESH)
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

    def test_output_that_cannot_be_written_is_a_failure(self):
        path = self.sample()
        with open("/dev/full", "wb") as full:
            for args in (("dump", path), ("info", path), ("translate", path, "x"), ("--help",)):
                code, _, err = run_limited(args, stdout=full)
                self.assertEqual(code, 1, args)
                self.assertIn("standard output", err, args)
                self.assertTrue(err.startswith("qordict: "), err)

    def test_import_says_not_saved_when_the_save_failed(self):
        words = self.path("words.csv")
        self.assertEqual(run("export", self.sample(), words)[0], 0)
        target = self.path("fresh.dict")
        self.assertEqual(run("new", target)[0], 0)
        # The fresh file fits under the limit; the merged one cannot.
        code, out, err = run_limited(("import", target, words), file_size=1024)
        self.assertEqual(code, 1, err)
        self.assertNotIn("saved to", out)
        self.assertIn("not saved", out)
        self.assertIn(target, err)
        self.assertEqual(read_bytes(target), FRESH)


if __name__ == "__main__":
    main()
