"""ZIP64: more than 65,535 entries, an entry over 4 GiB (a sparse file), and
entries that start past 4 GiB; each also added to afterwards. Minutes and a
few GB of disk: skipped (exit 77) unless TARNEL_HEAVY_TESTS=1."""

import os
import subprocess
import sys
import unittest
import zipfile
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ziptest import ArchiverCase, command, run_zip, seven_zip_ok, bsdtar_names

GIB = 1024 ** 3


def crc_of_entry(archive, name):
    crc, size = 0, 0
    with zipfile.ZipFile(archive) as z, z.open(name) as f:  # zipfile checks the CRC at the end
        while True:
            block = f.read(1 << 22)
            if not block:
                return crc, size
            crc = zlib.crc32(block, crc)
            size += len(block)


def crc_of_file(path):
    crc = 0
    with open(path, "rb") as f:
        while True:
            block = f.read(1 << 22)
            if not block:
                return crc
            crc = zlib.crc32(block, crc)


class Zip64Test(ArchiverCase):
    def check_tools(self, archive):
        ok, text = seven_zip_ok(archive)
        self.assertTrue(ok, text[-2000:])
        return bsdtar_names(archive)

    def test_many_entries(self):
        count = 66000
        folder = self.path("src", "多数")
        os.makedirs(folder)
        for i in range(count):
            with open(os.path.join(folder, "f%05d.txt" % i), "wb") as f:
                f.write(b"%d" % i)
        archive = self.path("many.zip")
        r = run_zip(command(archive, self.path("src"), "多数"))
        self.assertEqual(r.code, 0, r.text)
        self.write("src/追加.txt", b"one more")
        r = run_zip(command(archive, self.path("src"), "追加.txt"))
        self.assertEqual(r.code, 0, r.text)
        with zipfile.ZipFile(archive) as z:
            infos = z.infolist()
            self.assertEqual(len(infos), count + 2)
            self.assertEqual(z.read("多数/f65999.txt".encode("cp932").decode("cp437")), b"65999")
            self.assertIsNone(z.testzip())
        self.assertEqual(len(self.check_tools(archive)), count + 2)

    def test_entry_over_4_gib_and_offsets_past_4_gib(self):
        base = self.path("src")
        os.makedirs(base)
        # Sparse: mostly zeros, a few marks to make the CRC count.
        sparse = os.path.join(base, "sparse.bin")
        with open(sparse, "wb") as f:
            f.truncate(4 * GIB + 300 * 1024 * 1024)
            for at in (0, GIB, 4 * GIB + 1):
                f.seek(at)
                f.write(b"mark %d" % at)
        # Incompressible and over 4 GiB: a random block repeated beyond deflate's window.
        noise = os.path.join(base, "noise.bin")
        block = os.urandom(1 << 20)
        with open(noise, "wb") as f:
            for _ in range(4 * 1024 + 64):
                f.write(block)
        self.write("src/after.txt", b"past 4 GiB")

        archive = self.path("big.zip")
        r = run_zip(command(archive, base, "sparse.bin"), command(archive, base, "noise.bin"),
                    command(archive, base, "after.txt"))
        self.assertEqual(r.rcs, [0, 0, 0], r.text)
        with zipfile.ZipFile(archive) as z:
            after = z.getinfo("after.txt")
            self.assertGreater(after.header_offset, 4 * GIB)
            self.assertEqual(z.read("after.txt"), b"past 4 GiB")
            self.assertEqual(z.getinfo("noise.bin").compress_type, zipfile.ZIP_STORED)
        for name, path in (("sparse.bin", sparse), ("noise.bin", noise)):
            crc, size = crc_of_entry(archive, name)
            self.assertEqual((crc, size), (crc_of_file(path), os.path.getsize(path)), name)
        self.assertEqual(self.check_tools(archive), {"sparse.bin", "noise.bin", "after.txt"})
        # Replacing the small entry copies the big ones as they are.
        self.write("src/after.txt", b"replaced")
        r = run_zip(command(archive, base, "after.txt"))
        self.assertEqual(r.code, 0, r.text)
        with zipfile.ZipFile(archive) as z:
            self.assertEqual(z.read("after.txt"), b"replaced")
        self.assertEqual(crc_of_entry(archive, "noise.bin")[0], crc_of_file(noise))
        self.check_tools(archive)


if __name__ == "__main__":
    if os.environ.get("TARNEL_HEAVY_TESTS") != "1":
        print("skipped: set TARNEL_HEAVY_TESTS=1 to run the ZIP64 test")
        sys.exit(77)
    unittest.main(verbosity=2)
