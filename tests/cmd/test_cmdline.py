"""Tarnel.exe started with paths, end to end: the real program in a folder of
its own (so its INI file and PassList.dat are the test's), its dialog worked
from outside by cmddriver.exe as a person would, the archives read back with
Python's zipfile and 7z, the settings and history files checked byte for byte.

Runs under Wine in a prefix of its own: the program allows one running copy
per session and activates any window titled "Tarnel", so other tests' windows
must not meet it."""

import os
import random
import shutil
import subprocess
import tempfile
import unittest
import zipfile

WINE_RUN = os.environ["CMDTEST_WINE_RUN"]
PREFIX = os.environ["CMDTEST_PREFIX"]
BIN = os.environ["CMDTEST_BIN"]

START, CANCEL = 1027, 2
FILENAME, OUTDIR, PASS = 1029, 1017, 1031
SINGLES, TRAY, MSG = 1026, 1025, 1033


def win(path):
    """The Wine path of a host path."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def quoted(path):
    return '"' + win(path) + '"'


def stored_name(info):
    """The CP932 name the archiver stored (no UTF-8 flag)."""
    return info.filename.encode("cp437").decode("cp932") if not info.flag_bits & 0x800 else info.filename


class Run:
    """What the driver said: one tuple of fields per line."""

    def __init__(self, code, lines):
        self.code = code
        self.lines = lines

    def first(self, verb):
        return next((l for l in self.lines if l[0] == verb), None)

    def all(self, verb):
        return [l for l in self.lines if l[0] == verb]

    def __str__(self):
        return "\n".join("\t".join(l) for l in self.lines)


class CmdLineCase(unittest.TestCase):
    archiver = os.path.join(BIN, "zip32j.dll")

    def setUp(self):
        self.top = tempfile.mkdtemp(prefix="tarnel-cmd-")
        self.addCleanup(shutil.rmtree, self.top, True)
        self.app = self.mkdir("プログラム")
        for name in ("Tarnel.exe", "Hobrin.dll"):
            shutil.copy(os.path.join(BIN, name), self.app)
        shutil.copy(self.archiver, os.path.join(self.app, "zip32j.dll"))
        self.exe = os.path.join(self.app, "Tarnel.exe")
        self.ini = os.path.join(self.app, "Tarnel.ini")
        self.history = os.path.join(self.app, "PassList.dat")

    def path(self, *parts):
        return os.path.join(self.top, *parts)

    def mkdir(self, *parts):
        p = self.path(*parts)
        os.makedirs(p, exist_ok=True)
        return p

    def write(self, rel, data):
        p = self.path(*rel.split("/"))
        os.makedirs(os.path.dirname(p), exist_ok=True)
        with open(p, "wb") as f:
            f.write(data)
        return p

    def settings(self, **keys):
        text = "[Main]\r\n" + "".join("%s=%s\r\n" % kv for kv in keys.items())
        with open(self.ini, "wb") as f:
            f.write(text.encode("cp932"))
        return self.read(self.ini)

    @staticmethod
    def read(path):
        with open(path, "rb") as f:
            return f.read()

    def saved(self):
        """The INI file as key -> value (CP932 text)."""
        keys = {}
        for line in self.read(self.ini).decode("cp932").split("\r\n"):
            if "=" in line:
                k, v = line.split("=", 1)
                keys[k] = v
        return keys

    def drive(self, steps, env=None):
        """Runs the driver over steps (lists of fields) and returns what it said."""
        script = self.path("script.txt")
        with open(script, "wb") as f:
            f.write("".join("\t".join(str(x) for x in s) + "\r\n" for s in steps).encode("cp932"))
        r = subprocess.run([WINE_RUN, PREFIX, os.path.join(BIN, "cmddriver.exe"), win(script)],
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=180,
                           env=dict(os.environ, **(env or {})))
        lines = [tuple(l.split("\t")) for l in r.stdout.decode("cp932").replace("\r", "").split("\n") if l]
        return Run(r.returncode, lines)

    def start(self, items):
        return ["run", 0, win(self.exe), " ".join(quoted(p) for p in items)]

    def assertArchive(self, archive, expected, password=None):
        """archive holds exactly expected ({name: bytes, folder/: None}), readable by zipfile and 7z."""
        self.assertTrue(os.path.isfile(archive), archive)
        with zipfile.ZipFile(archive) as z:
            if password:
                z.setpassword(password.encode("cp932"))
            self.assertIsNone(z.testzip())
            got = {stored_name(i): (None if i.is_dir() else z.read(i)) for i in z.infolist()}
        self.assertEqual(got, expected)
        # 7z hands a password to the ZIP decryption as UTF-8 here: it can test
        # the data only under an ASCII password, and checks the structure else.
        if (password or "").isascii():
            r = subprocess.run(["7z", "t", "-p" + (password or ""), archive], stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT)
            self.assertIn(b"Everything is Ok", r.stdout)
        else:
            r = subprocess.run(["7z", "l", "-slt", archive], stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
            self.assertEqual(r.stdout.count(b"\nEncrypted = +"), len(expected) - list(expected.values()).count(None))
        self.assertEqual(r.returncode, 0, r.stdout.decode("utf-8", "replace"))


class PackTest(CmdLineCase):
    def test_several_paths_into_one_archive_then_settings_saved(self):
        text = b"".join(b"line %d\r\n" % i for i in range(3000))
        items = [
            self.write("元/表 1.txt", text),
            self.write("元/readme", b"no extension"),
        ]
        self.write("元/ソース フォルダ/能.txt", b"nested")
        self.write("元/ソース フォルダ/深い/x.bin", bytes(range(256)))
        items.insert(1, self.path("元", "ソース フォルダ"))
        # A quoted argument that ends in 表 (trail byte 0x5C) right before the quote.
        items.append(self.write("元/データ表", b"ends in hyou"))
        before_history = b"old\nentry"
        with open(self.history, "wb") as f:
            f.write(before_history)
        self.settings(OutputMode=1, OutDir="C:\\old", Singles=0, Tray=0, Msg=1, AutoFinish=1)
        out = self.path("出力 先")

        r = self.drive([
            self.start(items),
            ["dialog"],
            ["set", FILENAME, "書類 一式"],
            ["set", OUTDIR, win(out) + "\\"],
            ["click", START],
            ["box"],
            ["exit", 0],
        ])
        self.assertEqual(r.code, 0, str(r))
        self.assertEqual(r.first("dialog")[1], "Tarnel")
        box = r.first("box")
        self.assertEqual(box[1], "完了", str(r))
        self.assertIn("正常に終了しました", box[2:])
        self.assertEqual(r.first("exit")[2], "0")

        self.assertArchive(os.path.join(out, "書類 一式.zip"), {
            "表 1.txt": text,
            "readme": b"no extension",
            "ソース フォルダ/": None,
            "ソース フォルダ/能.txt": b"nested",
            "ソース フォルダ/深い/": None,
            "ソース フォルダ/深い/x.bin": bytes(range(256)),
            "データ表": b"ends in hyou",
        })
        self.assertEqual(os.listdir(out), ["書類 一式.zip"])
        # The folder without its final backslash; mode, file name and the
        # main window's keys are not this dialog's to write.
        self.assertEqual(self.saved(), {"OutputMode": "1", "OutDir": win(out), "Singles": "0", "Tray": "0",
                                        "Msg": "1", "AutoFinish": "1"})
        # No password: the history file is left alone.
        self.assertEqual(self.read(self.history), before_history)

    def test_one_archive_per_item_beside_the_first_with_a_password(self):
        items = [
            self.write("一/report.final.doc", b"report"),
            self.mkdir("二", "old.photos"),
            self.write("二/表ソ", b"no extension, 0x5C and 0x7C trail bytes"),
        ]
        self.write("二/old.photos/a b.jpg", os.urandom(5000))
        photo = self.read(self.path("二", "old.photos", "a b.jpg"))
        with open(self.history, "wb") as f:
            f.write("a\r\n秘密 pass\r\nb\r\n".encode("cp932"))
        self.settings(OutputMode=2, OutDir="C:\\kept", Singles=1, Tray=1, Msg=0)

        r = self.drive([
            self.start(items),
            ["dialog"],
            ["set", PASS, "秘密 pass"],
            ["click", START],
            ["exit", 0],
        ])
        self.assertEqual(r.code, 0, str(r))
        self.assertEqual(r.all("box"), [])
        # All archives beside the first item, though the others lie elsewhere.
        first = self.path("一")
        self.assertEqual(sorted(os.listdir(first)),
                         sorted(["report.final.doc", "report.final.zip", "old.photos.zip", "表ソ.zip"]))
        self.assertArchive(os.path.join(first, "report.final.zip"), {"report.final.doc": b"report"}, "秘密 pass")
        self.assertArchive(os.path.join(first, "old.photos.zip"),
                           {"old.photos/": None, "old.photos/a b.jpg": photo}, "秘密 pass")
        self.assertArchive(os.path.join(first, "表ソ.zip"),
                           {"表ソ": b"no extension, 0x5C and 0x7C trail bytes"}, "秘密 pass")
        with zipfile.ZipFile(os.path.join(first, "表ソ.zip")) as z:
            self.assertTrue(z.infolist()[0].flag_bits & 1, "not encrypted")
        self.assertEqual(self.saved(), {"OutputMode": "2", "OutDir": "C:\\kept", "Singles": "1", "Tray": "1",
                                        "Msg": "0"})
        # The password moves to the top.
        self.assertEqual(self.read(self.history), "秘密 pass\r\na\r\nb\r\n".encode("cp932"))


class FailureTest(CmdLineCase):
    def test_missing_path_stops_the_batch_and_keeps_what_was_packed(self):
        items = [self.write("元/a.txt", b"first"), self.path("元", "無い 表.txt"), self.write("元/c.txt", b"third")]
        ini = self.settings(OutputMode=3)
        out = self.path("out")
        r = self.drive([
            self.start(items),
            ["dialog"],
            ["set", FILENAME, "束"],
            ["set", OUTDIR, win(out)],
            ["set", PASS, "p w\"1"],
            ["click", START],
            ["box"],
            ["state"],
            ["click", CANCEL],
            ["exit", 0],
        ])
        self.assertEqual(r.code, 0, str(r))
        box = r.first("box")
        self.assertEqual(box[1], win(items[1]), str(r))
        self.assertIn("圧縮エラーが発生しました", box[2:])
        # The window is back as it was before the message appears (which
        # disables it, as any message box does its owner).
        self.assertEqual(r.first("during")[1:], ("Tarnel", "1", "0", "0"))
        self.assertEqual(r.first("state")[1:], ("Tarnel", "1", "1", "0"))
        self.assertEqual(r.first("exit")[2], "0")
        self.assertArchive(os.path.join(out, "束.zip"), {"a.txt": b"first"}, "p w\"1")
        self.assertEqual(self.read(self.ini), ini)
        self.assertEqual(self.read(self.history), b"")


class ArchiverFailureTest(CmdLineCase):
    # The library's twin that fails on request (ZIP32J_FAULT).
    archiver = os.path.join(BIN, "faults", "zip32j.dll")

    def test_archiver_failure_keeps_the_earlier_archive_valid(self):
        small = b"small file\r\n" * 10
        big = random.Random(7).randbytes(600000)
        items = [self.write("元/small.txt", small), self.write("元/big.bin", big)]
        self.settings(OutputMode=1, OutDir=win(self.path("out")), Tray=1)
        r = self.drive([
            self.start(items),
            ["dialog"],
            ["set", FILENAME, "束"],
            ["click", START],
            ["box"],
            ["state"],
            ["click", CANCEL],
            ["exit", 0],
        ], env={"ZIP32J_FAULT": "write:200000"})
        self.assertEqual(r.code, 0, str(r))
        box = r.first("box")
        self.assertEqual(box[1], win(items[1]), str(r))
        self.assertIn("圧縮エラーが発生しました", box[2:])
        # Shown again from the notification area before the message.
        self.assertEqual(r.first("during")[1:], ("Tarnel", "1", "0", "0"))
        self.assertEqual(r.first("state")[1:], ("Tarnel", "1", "1", "0"))
        self.assertArchive(self.path("out", "束.zip"), {"small.txt": small})


class CancelTest(CmdLineCase):
    def test_cancel_writes_nothing(self):
        items = [self.write("元/a.txt", b"a")]
        ini = self.settings(OutputMode=1, OutDir=win(self.path("out")), Singles=0, Tray=0, Msg=0)
        with open(self.history, "wb") as f:
            f.write(b"one\ntwo")
        r = self.drive([
            self.start(items),
            ["dialog"],
            ["set", FILENAME, "名前"],
            ["set", OUTDIR, win(self.path("elsewhere"))],
            ["set", PASS, "typed"],
            ["click", SINGLES],
            ["click", TRAY],
            ["click", MSG],
            ["click", CANCEL],
            ["exit", 0],
        ])
        self.assertEqual(r.code, 0, str(r))
        self.assertEqual(r.first("exit")[2], "0")
        self.assertEqual(self.read(self.ini), ini)
        self.assertEqual(self.read(self.history), b"one\ntwo")
        self.assertFalse(os.path.exists(self.path("out")))
        self.assertFalse(os.path.exists(self.path("elsewhere")))


class StartTest(CmdLineCase):
    def test_a_second_start_activates_the_first_and_packs_nothing(self):
        first = [self.write("元/a.txt", b"a")]
        second = [self.write("元/b.txt", b"b")]
        self.settings(OutputMode=1, OutDir=win(self.path("out")), Singles=1)
        r = self.drive([
            self.start(first),
            ["dialog"],
            ["away"],
            ["run", 1, win(self.exe), " ".join(quoted(p) for p in second)],
            ["exit", 1],
            ["foreground"],
            ["state"],
            ["click", START],
            ["exit", 0],
        ])
        self.assertEqual(r.code, 0, str(r))
        exits = r.all("exit")
        self.assertEqual(exits[0][1:3], ("1", "0"))
        self.assertLess(int(exits[0][3]), 10000)
        self.assertEqual(r.first("away")[1], "1", "the driver could not take the foreground")
        self.assertEqual(r.first("foreground")[1], "1", str(r))
        self.assertEqual(r.first("state")[1:], ("Tarnel", "1", "1", "0"))
        # Only the first start's path was packed, once.
        self.assertEqual(os.listdir(self.path("out")), ["a.zip"])
        self.assertArchive(self.path("out", "a.zip"), {"a.txt": b"a"})

    def test_an_argument_too_long_for_a_path_is_refused_whole(self):
        long_name = "表" * 130  # 260 bytes in code page 932
        r = self.drive([
            ["run", 0, win(self.exe), quoted(self.path("元")) + " C:\\" + long_name],
            ["box"],
            ["exit", 0],
        ])
        self.assertEqual(r.code, 0, str(r))
        box = r.first("box")
        self.assertEqual(box[1], "Tarnel")
        self.assertIn("圧縮するファイルのパスが長すぎます\\nC:\\" + long_name, box[2:], str(r))
        self.assertEqual(r.first("during")[1], "none")
        self.assertFalse(os.path.exists(self.ini))


if __name__ == "__main__":
    unittest.main(verbosity=2)
