"""Shared pieces of the archiver tests: run zip32j.dll through zipcall.exe
under Wine, build fixtures, and read archives back with independent tools
(Python's zipfile, 7z, bsdtar) as black boxes."""

import os
import shutil
import subprocess
import tempfile
import unittest
import zipfile

WINE_RUN = os.environ.get("ZIPTEST_WINE_RUN", "")
PREFIX = os.environ.get("ZIPTEST_PREFIX", "")
BIN = os.environ.get("ZIPTEST_BIN", "")
FAULTS_DLL = "faults\\zip32j.dll"


def win(path):
    """Host path as Wine sees it (drive Z: is /), as code page 932 bytes."""
    return ("Z:" + os.path.abspath(path).replace("/", "\\")).encode("cp932")


def quoted(b):
    return b'"' + b + b'"'


def command(archive, base, item, options=b"-qrS", password=None):
    """The command line exactly as the program builds it."""
    if password is not None:
        if any(c in password for c in b' \t"'):
            password = b'"' + password.replace(b'"', b'""') + b'"'
        options = options + b"P " + password
    base_text = win(base)
    if not base_text.endswith(b"\\"):
        base_text += b"\\"
    return b" ".join([options, quoted(win(archive)), quoted(base_text), quoted(item.encode("cp932"))])


class Result:
    def __init__(self, code, text):
        self.code = code
        self.text = text
        self.rcs = [int(l.split()[0][3:]) for l in text.splitlines() if l.startswith("rc=")]
        self.outputs = [l[4:] for l in text.splitlines() if l.startswith("out=")]


def run_program(exe, args, env=None):
    full_env = dict(os.environ)
    full_env.update(env or {})
    p = subprocess.run([WINE_RUN, PREFIX, os.path.join(BIN, exe)] + args, env=full_env,
                       stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=900)
    return p.returncode, p.stdout.decode("cp932", "replace")


def run_zip(*commands, faults=None, dll=None, outsize=None, stats=False):
    """One Zip call per command line (raw bytes), each loading the library afresh."""
    with tempfile.NamedTemporaryFile(delete=False, suffix=".txt") as f:
        f.write(b"\n".join(commands) + b"\n")
        name = f.name
    try:
        args = ["--file", "Z:" + name.replace("/", "\\")]
        if faults:
            dll = dll or FAULTS_DLL
        if dll:
            args = ["--dll", dll] + args
        if outsize is not None:
            args = ["--outsize", str(outsize)] + args
        if stats:
            args = ["--stats"] + args
        env = {"ZIP32J_FAULT": faults} if faults else {"ZIP32J_FAULT": ""}
        code, text = run_program("zipcall.exe", args, env)
        return Result(code, text)
    finally:
        os.unlink(name)


def stored_name(info):
    """The entry's name as the archive stores it: CP932 unless flagged UTF-8."""
    if info.flag_bits & 0x800:
        return info.filename
    return info.filename.encode("cp437").decode("cp932")


def extras(raw):
    """Extra fields of a record: {id: body}."""
    out, at = {}, 0
    while at + 4 <= len(raw):
        fid = int.from_bytes(raw[at:at + 2], "little")
        size = int.from_bytes(raw[at + 2:at + 4], "little")
        out[fid] = raw[at + 4:at + 4 + size]
        at += 4 + size
    return out


def read_all(path, pwd=None):
    """{stored name: bytes or None for folders}, through Python's zipfile."""
    out = {}
    with zipfile.ZipFile(path) as z:
        for info in z.infolist():
            name = stored_name(info)
            out[name] = None if info.is_dir() else z.read(info, pwd=pwd)
    return out


def seven_zip_ok(path, password=None):
    args = ["7z", "t", "-p" + (password or "")] + [path]
    p = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    return p.returncode == 0 and b"Everything is Ok" in p.stdout, p.stdout.decode("utf-8", "replace")


def bsdtar_names(path, password=None):
    args = ["bsdtar", "-tf", path]
    if password:
        args[1:1] = ["--passphrase", password]
    p = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if p.returncode != 0:
        raise AssertionError("bsdtar failed: " + p.stderr.decode("utf-8", "replace"))
    return set(p.stdout.decode("utf-8").splitlines())


def set_hidden(path):
    """Marks a file hidden the Windows way, through Wine's attrib."""
    subprocess.run([WINE_RUN, PREFIX, "attrib", "+h", "Z:" + os.path.abspath(path).replace("/", "\\")],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)


def snapshot(folder):
    """Every file below folder with its bytes, to prove nothing changed."""
    out = {}
    for root, dirs, files in os.walk(folder):
        for f in files:
            p = os.path.join(root, f)
            with open(p, "rb") as fh:
                out[os.path.relpath(p, folder)] = fh.read()
    return out


class ArchiverCase(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="ziptest-")

    def tearDown(self):
        shutil.rmtree(self.tmp, ignore_errors=True)

    def path(self, *parts):
        return os.path.join(self.tmp, *parts)

    def write(self, rel, data=b""):
        p = self.path(rel)
        os.makedirs(os.path.dirname(p), exist_ok=True)
        with open(p, "wb") as f:
            f.write(data)
        return p

    def assertReadable(self, archive, password=None):
        pwd = password.encode("cp932") if password else None
        with zipfile.ZipFile(archive) as z:
            for info in z.infolist():
                z.read(info, pwd=pwd)  # checks the CRC
        if password is None or password.isascii():
            ok, text = seven_zip_ok(archive, password)
            self.assertTrue(ok, text)
        return bsdtar_names(archive, password if password and password.isascii() else None)
