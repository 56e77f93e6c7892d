"""zip32j.dll end to end: command lines as the program sends them, archives
read back by zipfile, 7z and bsdtar; appends and every failure path."""

import io
import os
import sys
import time
import unittest
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ziptest import (ArchiverCase, command, extras, read_all, run_program, run_zip, set_hidden, snapshot,
                     stored_name, win)

TEXT = b"".join(b"line %d of the sample text\r\n" % i for i in range(20000))


class Tree(ArchiverCase):
    """A folder with Japanese names (表 and ソ carry a 0x5C trail byte), an empty
    folder, a zero-byte file, a hidden file and an incompressible file."""

    def setUp(self):
        super().setUp()
        self.base = self.path("src")
        self.files = {
            "写真/表ソ能.txt": TEXT,
            "写真/ソース/a.txt": b"hello",
            "写真/zero.bin": b"",
            "写真/noise.bin": os.urandom(300000),
            "写真/.dotfile": b"dot",
            "写真/隠し.txt": b"hidden",
        }
        for rel, data in self.files.items():
            self.write(os.path.join("src", rel), data)
        os.makedirs(self.path("src", "写真", "空"))
        set_hidden(self.path("src", "写真", "隠し.txt"))
        self.folders = {"写真/", "写真/ソース/", "写真/空/"}

    def pack(self, options=b"-qrS", password=None, archive=None):
        archive = archive or self.path("out", "写真.zip")
        os.makedirs(os.path.dirname(archive), exist_ok=True)
        r = run_zip(command(archive, self.base, "写真", options, password))
        return archive, r


class PackTest(Tree):
    def test_folder_round_trip(self):
        archive, r = self.pack()
        self.assertEqual(r.code, 0, r.text)
        got = read_all(archive)
        expected = {name: data for name, data in self.files.items()}
        expected.update({f: None for f in self.folders})
        self.assertEqual(got, expected)
        names = self.assertReadable(archive)
        # bsdtar shows the Unicode names: it read the 0x7075 fields.
        self.assertIn("写真/表ソ能.txt", names)
        self.assertIn("写真/空/", names)

        with zipfile.ZipFile(archive) as z:
            for info in z.infolist():
                name = stored_name(info)
                self.assertEqual(info.flag_bits & 0x800, 0, name)
                ex = extras(info.extra)
                self.assertIn(0x5455, ex, name)
                mtime = int.from_bytes(ex[0x5455][1:5], "little")
                source = os.path.join(self.base, name.rstrip("/"))
                self.assertAlmostEqual(mtime, os.stat(source).st_mtime, delta=1)
                dos = time.mktime(info.date_time + (0, 0, -1))
                self.assertAlmostEqual(dos, os.stat(source).st_mtime, delta=2)
                if name.isascii():
                    self.assertNotIn(0x7075, ex, name)
                else:
                    self.assertEqual(ex[0x7075][5:].decode("utf-8"), name)
                if name.endswith("/"):
                    self.assertTrue(info.external_attr & 0x10, name)
            noise = z.getinfo("写真/noise.bin".encode("cp932").decode("cp437"))
            self.assertEqual(noise.compress_type, zipfile.ZIP_STORED)
            text = z.getinfo("写真/表ソ能.txt".encode("cp932").decode("cp437"))
            self.assertEqual(text.compress_type, zipfile.ZIP_DEFLATED)
            self.assertLess(text.compress_size, len(TEXT) // 5)

    def test_hidden_and_system_only_with_S(self):
        archive, r = self.pack(options=b"-qr")
        self.assertEqual(r.code, 0, r.text)
        got = set(read_all(archive))
        self.assertNotIn("写真/隠し.txt", got)
        self.assertNotIn("写真/.dotfile", got)
        self.assertIn("写真/表ソ能.txt", got)

    def test_without_r_only_the_folder(self):
        archive, r = self.pack(options=b"-qS")
        self.assertEqual(r.code, 0, r.text)
        self.assertEqual(set(read_all(archive)), {"写真/"})

    def test_option_forms(self):
        cases = [b"-q -r -S", b"-S -rq", b"-qrS"]
        for i, options in enumerate(cases):
            with self.subTest(options=options):
                archive, r = self.pack(options=options, archive=self.path("o%d" % i, "a.zip"))
                self.assertEqual(r.code, 0, r.text)
                self.assertIn("写真/隠し.txt", read_all(archive))
        # Separate -P with the password as the next word.
        archive = self.path("sep", "a.zip")
        os.makedirs(os.path.dirname(archive))
        line = b'-q -r -S -P pw "' + win(archive) + b'" "' + win(self.base) + b'\\" "\x8e\xca\x90\x5e"'
        r = run_zip(line)
        self.assertEqual(r.code, 0, r.text)
        self.assertEqual(read_all(archive, pwd=b"pw")["写真/ソース/a.txt"], b"hello")

    def test_passwords(self):
        for i, password in enumerate(["secret", "pa ss", 'a"b', "表ソ能パス", ' "x" ']):
            with self.subTest(password=password):
                archive, r = self.pack(password=password.encode("cp932"), archive=self.path("p%d" % i, "a.zip"))
                self.assertEqual(r.code, 0, r.text)
                pwd = password.encode("cp932")
                got = read_all(archive, pwd=pwd)
                self.assertEqual(got["写真/表ソ能.txt"], TEXT)
                self.assertEqual(got["写真/zero.bin"], b"")
                self.assertReadable(archive, password)
                with zipfile.ZipFile(archive) as z:
                    for info in z.infolist():
                        self.assertEqual(bool(info.flag_bits & 1), not info.is_dir(), stored_name(info))
                    with self.assertRaises(RuntimeError):
                        z.read("写真/ソース/a.txt".encode("cp932").decode("cp437"), pwd=b"wrong")

    def test_encryption_headers_are_random(self):
        one, r1 = self.pack(password=b"pw", archive=self.path("r1", "a.zip"))
        two, r2 = self.pack(password=b"pw", archive=self.path("r2", "a.zip"))
        self.assertEqual((r1.code, r2.code), (0, 0))
        with open(one, "rb") as a, open(two, "rb") as b:
            self.assertNotEqual(a.read(), b.read())

    def test_drive_root_base_and_nested_item(self):
        # A base of just "Z:\" with the item below it, as for a drive root.
        archive = self.path("root.zip")
        item = os.path.relpath(os.path.join(self.base, "写真", "ソース"), "/").replace("/", "\\")
        line = b'-qrS "' + win(archive) + b'" "Z:\\" "' + item.encode("cp932") + b'"'
        r = run_zip(line)
        self.assertEqual(r.code, 0, r.text)
        prefix = item.replace("\\", "/")
        self.assertEqual(read_all(archive), {prefix + "/": None, prefix + "/a.txt": b"hello"})

    def test_archive_inside_the_packed_folder_is_left_out(self):
        archive = self.path("src", "写真", "中.zip")
        for attempt in range(2):  # new, then every entry replaced
            r = run_zip(command(archive, self.base, "写真"))
            self.assertEqual(r.code, 0, r.text)
            got = read_all(archive)
            self.assertNotIn("写真/中.zip", got)
            self.assertEqual(got["写真/表ソ能.txt"], TEXT)
        self.assertEqual([n for n in os.listdir(self.path("src", "写真")) if n.endswith((".tmp", ".rollback"))], [])

    def test_single_file_item(self):
        archive = self.path("one.zip")
        r = run_zip(command(archive, os.path.join(self.base, "写真"), "表ソ能.txt"))
        self.assertEqual(r.code, 0, r.text)
        self.assertEqual(read_all(archive), {"表ソ能.txt": TEXT})
        self.assertEqual(self.assertReadable(archive), {"表ソ能.txt"})


class AppendTest(Tree):
    def test_append_keeps_old_entries_byte_for_byte(self):
        archive = self.path("out", "all.zip")
        os.makedirs(self.path("out"))
        self.write("src/後から.txt", b"later" * 1000)
        r = run_zip(command(archive, self.base, "写真"))
        self.assertEqual(r.code, 0, r.text)
        with open(archive, "rb") as f:
            before = f.read()
        with zipfile.ZipFile(archive) as z:
            entries_end = z.start_dir
        r = run_zip(command(archive, self.base, "後から.txt"))
        self.assertEqual(r.code, 0, r.text)
        with open(archive, "rb") as f:
            after = f.read()
        # The entries already there were neither moved nor recompressed.
        self.assertEqual(after[:entries_end], before[:entries_end])
        got = read_all(archive)
        self.assertEqual(got["後から.txt"], b"later" * 1000)
        self.assertEqual(got["写真/表ソ能.txt"], TEXT)
        self.assertReadable(archive)

    def test_same_name_is_replaced_others_copied_raw(self):
        archive = self.path("out", "all.zip")
        os.makedirs(self.path("out"))
        self.write("src/メモ.txt", b"old")
        r = run_zip(command(archive, self.base, "写真"), command(archive, self.base, "メモ.txt"))
        self.assertEqual(r.rcs, [0, 0], r.text)
        with zipfile.ZipFile(archive) as z:
            raw_before = {stored_name(i): raw_data(archive, i) for i in z.infolist()}
        self.write("src/メモ.txt", b"new text")
        r = run_zip(command(archive, self.base, "メモ.txt"))
        self.assertEqual(r.code, 0, r.text)
        got = read_all(archive)
        self.assertEqual(got["メモ.txt"], b"new text")
        self.assertEqual(len(got), len(self.files) + len(self.folders) + 1)
        with zipfile.ZipFile(archive) as z:
            for info in z.infolist():
                name = stored_name(info)
                if name != "メモ.txt":
                    self.assertEqual(raw_data(archive, info), raw_before[name], name)
        self.assertReadable(archive)
        self.assertEqual(sorted(os.listdir(self.path("out"))), ["all.zip"])

    def test_append_to_archive_made_elsewhere(self):
        archive = self.path("other.zip")
        with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED) as z:
            z.writestr("readme.txt", b"made by another tool" * 50)
            z.writestr("dir/", b"")
            z.comment = b"kept comment"
        r = run_zip(command(archive, self.base, "写真"))
        self.assertEqual(r.code, 0, r.text)
        got = read_all(archive)
        self.assertEqual(got["readme.txt"], b"made by another tool" * 50)
        self.assertEqual(got["写真/表ソ能.txt"], TEXT)
        with zipfile.ZipFile(archive) as z:
            self.assertEqual(z.comment, b"kept comment")
        self.assertReadable(archive)

    def test_batch_into_one_encrypted_archive(self):
        archive = self.path("out", "batch.zip")
        os.makedirs(self.path("out"))
        for name in ["一.txt", "二.txt", "三.txt"]:
            self.write(os.path.join("src", name), name.encode("cp932") * 100)
        lines = [command(archive, self.base, n, password=b"pw") for n in ["写真", "一.txt", "二.txt", "三.txt"]]
        r = run_zip(*lines)
        self.assertEqual(r.rcs, [0, 0, 0, 0], r.text)
        got = read_all(archive, pwd=b"pw")
        self.assertEqual(got["二.txt"], "二.txt".encode("cp932") * 100)
        self.assertEqual(got["写真/表ソ能.txt"], TEXT)
        self.assertReadable(archive, "pw")


def raw_data(archive, info):
    """An entry's stored bytes (after its local header), as written."""
    with open(archive, "rb") as f:
        f.seek(info.header_offset)
        head = f.read(30)
        skip = 30 + int.from_bytes(head[26:28], "little") + int.from_bytes(head[28:30], "little")
        f.seek(info.header_offset + skip)
        return f.read(info.compress_size)


class FailureTest(Tree):
    """Every failure: a non-zero result, a reason, and the archive's folder
    exactly as it was (no half-written archive, no temporary file)."""

    def existing(self):
        out = self.path("out")
        os.makedirs(out, exist_ok=True)
        archive = os.path.join(out, "old.zip")
        r = run_zip(command(archive, self.base, "写真"))
        self.assertEqual(r.code, 0, r.text)
        self.write("src/新しい.txt", TEXT)
        self.write("src/big.bin", os.urandom(3 * 1024 * 1024))  # several pieces, stored again
        return archive

    def assertFailsUnchanged(self, folder, result):
        self.assertEqual(result.code, 1, result.text)
        self.assertEqual(result.rcs, [1], result.text)
        self.assertTrue(result.outputs[0].startswith("zip32j: "), result.text)

    def test_failures_leave_existing_archive_unchanged(self):
        cases = [
            # (name, faults, item)
            ("disk full at once", "write:0", "新しい.txt"),
            ("disk full in the data", "write:20000", "新しい.txt"),
            ("disk full in a big file", "write:2000000", "big.bin"),
            ("disk full in the directory", "directory:1", "新しい.txt"),
            ("source unreadable", "read:1", "新しい.txt"),
            ("source shrinks", "short:2", "big.bin"),
            ("flush fails", "commit:2", "新しい.txt"),
            ("source missing", None, "無い.txt"),
            ("replace: disk full", "write:5000", "写真"),
            ("replace: rename fails", "commit:1", "写真"),
            ("replace: source unreadable", "read:3", "写真"),
        ]
        for name, faults, item in cases:
            with self.subTest(case=name):
                archive = self.existing()
                before = snapshot(self.path("out"))
                r = run_zip(command(archive, self.base, item), faults=faults)
                self.assertFailsUnchanged(self.path("out"), r)
                self.assertEqual(snapshot(self.path("out")), before)
                self.assertReadable(archive)
                os.unlink(archive)

    def test_bad_commands(self):
        archive = self.existing()
        before = snapshot(self.path("out"))
        a, b = win(archive), win(self.base) + b"\\"
        cases = [
            ("unknown option", b'-qrX "' + a + b'" "' + b + b'" "a"'),
            ("no item", b'-qrS "' + a + b'" "' + b + b'"'),
            ("no archive", b"-qrS"),
            ("empty line", b" "),
            ("unterminated quote", b'-qrS "' + a + b'" "' + b + b'" "\x8e\xca'),
            ("item leaves the base", b'-qrS "' + a + b'" "' + b + b'" "..\\src"'),
            ("password missing", b'-qrSP'),
            ("target not a zip", b'-qrS "' + win(self.path("src", "写真", "表ソ能.txt")) + b'" "' + b + b'" "' + "写真".encode("cp932") + b'"'),
        ]
        for name, line in cases:
            with self.subTest(case=name):
                src_before = snapshot(self.base)
                r = run_zip(line)
                self.assertFailsUnchanged(self.path("out"), r)
                self.assertEqual(snapshot(self.path("out")), before)
                self.assertEqual(snapshot(self.base), src_before)

    def test_new_archive_failures_leave_nothing(self):
        out = self.path("new")
        os.makedirs(out)
        for faults in ["write:1000", "read:2", "commit:1"]:
            with self.subTest(faults=faults):
                r = run_zip(command(os.path.join(out, "n.zip"), self.base, "写真"), faults=faults)
                self.assertFailsUnchanged(out, r)
                self.assertEqual(os.listdir(out), [])

    def test_interrupted_append_is_rolled_back_next_time(self):
        archive = self.existing()
        before = snapshot(self.path("out"))
        # The write fails and so does putting the old directory back, as on a dying disk.
        r = run_zip(command(archive, self.base, "新しい.txt"), faults="write:20000,restore:1")
        self.assertEqual(r.code, 1, r.text)
        self.assertIn("old.zip.rollback", os.listdir(self.path("out")))
        r = run_zip(command(archive, self.base, "big.bin"))
        self.assertEqual(r.code, 0, r.text)
        self.assertEqual(sorted(os.listdir(self.path("out"))), ["old.zip"])
        got = read_all(archive)
        self.assertNotIn("新しい.txt", got)
        self.assertEqual(len(got["big.bin"]), 3 * 1024 * 1024)
        self.assertReadable(archive)
        # Everything before the old directory is as it was.
        old = before["old.zip"]
        with zipfile.ZipFile(io.BytesIO(old)) as z:
            start = z.start_dir
        with open(archive, "rb") as f:
            self.assertEqual(f.read(start), old[:start])

    def test_rollback_file_without_its_archive_is_dropped(self):
        archive = self.existing()
        r = run_zip(command(archive, self.base, "新しい.txt"), faults="write:20000,restore:1")
        self.assertEqual(r.code, 1, r.text)
        os.unlink(archive)  # the user removed the damaged archive
        r = run_zip(command(archive, self.base, "新しい.txt"))
        self.assertEqual(r.code, 0, r.text)
        self.assertEqual(os.listdir(self.path("out")), ["old.zip"])
        self.assertEqual(read_all(archive), {"新しい.txt": TEXT})

    def test_output_never_past_its_size(self):
        for size in [1, 2, 9, 40]:
            with self.subTest(size=size):
                r = run_zip(b"-qrX", outsize=size)
                self.assertEqual(r.code, 1, r.text)  # 3 would mean an overrun
                self.assertLessEqual(len(r.outputs[0].encode("cp932")), size - 1)


class ProgramCallTest(Tree):
    def test_version(self):
        code, text = run_program("zipcall.exe", ["--version"])
        self.assertEqual(code, 0, text)
        self.assertGreaterEqual(int(text.split("=")[1]), 25)

    def test_program_call_packs_a_folder(self):
        """The program's own ZipItem and CheckArchiver against our library."""
        archive = self.path("出力", "写真")  # ".zip" is appended by the program
        os.makedirs(self.path("出力"))
        for password in ["", "pa ss"]:
            with self.subTest(password=password):
                lines = self.path("item.txt")
                with open(lines, "wb") as f:
                    f.write(win(os.path.join(self.base, "写真")) + b"\\\n" + win(archive) + b"\n" +
                            password.encode("cp932"))
                code, text = run_program("zipitem.exe", ["Z:" + lines.replace("/", "\\")])
                self.assertEqual((code, text.strip()), (0, "check=ok zip=ok"))
                got = read_all(archive + ".zip", pwd=password.encode() or None)
                self.assertEqual(got["写真/表ソ能.txt"], TEXT)
                self.assertIn("写真/空/", got)
                self.assertReadable(archive + ".zip", password or None)
                os.unlink(archive + ".zip")

    def test_main_window_packs_a_dropped_folder(self):
        """Tarnel's own main window, our library beside it, a folder dropped on it."""
        for password in ["", "pa ss"]:
            with self.subTest(password=password):
                source = os.path.join(self.base, "写真")
                env = {"ZIPTEST_DROP_SOURCE": "Z:" + source.replace("/", "\\"), "ZIPTEST_DROP_PASSWORD": password}
                code, text = run_program("droppack.exe", [], env)
                self.assertEqual(code, 0, text)
                self.assertIn("[  PASSED  ] 1", text)
                archive = source + ".zip"
                got = read_all(archive, pwd=password.encode() or None)
                self.assertEqual(got["写真/表ソ能.txt"], TEXT)
                self.assertIn("写真/空/", got)
                self.assertIn("写真/隠し.txt", got)
                self.assertReadable(archive, password or None)
                os.unlink(archive)


if __name__ == "__main__":
    unittest.main(verbosity=2)
