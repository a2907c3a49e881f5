"""What the qordict tool tests share: the programs under test, running them, a scratch folder per test.

Every test script is run as: SCRIPT QORDICT SAMPLEDICT WORDS_CSV LANGUAGES_CSV [RUNNER]
"""
import json
import os
import subprocess
import sys
import tempfile
import unittest

QORDICT, SAMPLEDICT, WORDS, LANGUAGES = sys.argv[1:5]
# Windows builds run their programs through Wine: the runner comes first.
RUNNER = sys.argv[5:6]


def run(*args, stdout=None, preexec_fn=None, user=None, env=None):
    """Runs qordict; returns its exit code, standard output and standard error (the output is empty when
    stdout names another file)."""
    # Output goes through files, not pipes: Wine's helper processes may hold a
    # pipe open long after the program itself has ended.
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        code = subprocess.run([*RUNNER, QORDICT, *args], stdout=stdout or out, stderr=err, stdin=subprocess.DEVNULL,
                              preexec_fn=preexec_fn, user=user, env=env).returncode
        out.seek(0)
        err.seek(0)
        return code, out.read().decode("utf-8"), err.read().decode("utf-8")


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def write_bytes(path, data):
    with open(path, "wb") as f:
        f.write(data)
    return path


class ToolTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)

    def path(self, name):
        return os.path.join(self.dir.name, name)

    def build(self, words, languages, name):
        """A dictionary made by sampledict from a word list and a language list."""
        path = self.path(name)
        subprocess.run([*RUNNER, SAMPLEDICT, words, languages, path], check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        return path

    def sample(self):
        return self.build(WORDS, LANGUAGES, "sample.dict")

    def dump(self, dictionary):
        code, out, err = run("dump", dictionary)
        self.assertEqual(code, 0, err)
        return json.loads(out)


def main():
    """Runs the calling script's tests and exits with their verdict."""
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
