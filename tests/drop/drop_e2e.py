#!/usr/bin/env python3
"""Drops real files on the main window under Wine (drop_driver.exe) and reads
what comes out with independent tools: Python's zipfile and 7z."""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile

ARGS = None
FAILURES = []


def check(cond, what):
    if not cond:
        FAILURES.append(what)
        print("FAIL:", what)


def win(path):
    return "Z:" + path.replace("/", "\\")


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def make_sources(root):
    src = os.path.join(root, "src")
    files = {
        "報告書.txt": "報告書の本文\r\n".encode("cp932") * 50,
        "表ソ能.txt": b"trail bytes 0x5C\n" * 10,
        "data.tar.gz": os.urandom(3000),
        "空.txt": b"",
        "フォルダ 表/中身.bin": os.urandom(70000),
        "フォルダ 表/下/ソース.c": b"int main(void) { return 0; }\n" * 200,
        "別/外.txt": b"elsewhere\n",
    }
    for name, data in files.items():
        write(os.path.join(src, name), data)
    os.makedirs(os.path.join(src, "フォルダ 表", "空"), exist_ok=True)
    return src


def expected_entries(src, item):
    """name -> bytes (None for a folder) as the archive should hold them."""
    base = os.path.dirname(os.path.join(src, item))
    full = os.path.join(src, item)
    out = {}
    if os.path.isdir(full):
        for dirpath, dirnames, filenames in os.walk(full):
            rel = os.path.relpath(dirpath, base)
            out[rel + "/"] = None
            for fn in filenames:
                with open(os.path.join(dirpath, fn), "rb") as f:
                    out[os.path.join(rel, fn)] = f.read()
    else:
        with open(full, "rb") as f:
            out[os.path.basename(full)] = f.read()
    return out


def read_archive(path, password=None):
    entries = {}
    with zipfile.ZipFile(path) as z:
        for info in z.infolist():
            name = info.filename
            if not info.flag_bits & 0x800:
                name = name.encode("cp437").decode("cp932")
            if name.endswith("/"):
                entries[name] = None
            else:
                entries[name] = z.read(info, pwd=password.encode("cp932") if password else None)
    # The password is code page 932 text, as typed on Japanese Windows: 7z gets
    # those bytes unconverted in the C locale.
    pw = (password or "").encode("cp932")
    r = subprocess.run([b"7z", b"t", b"-p" + pw, path.encode()], capture_output=True,
                       env=dict(os.environ, LC_ALL="C"))
    check(r.returncode == 0 and b"Everything is Ok" in r.stdout, "7z t " + path)
    return entries


def ini_text(options):
    lines = ["[Main]"] + ["%s=%s" % kv for kv in options.items()]
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


def run_drop(root, options, drops, name=None, password=None, locks=(), history=None):
    """Copies the driver beside the libraries, runs one drop, returns the report."""
    prog = os.path.join(root, "prog")
    os.makedirs(prog, exist_ok=True)
    for f in ("drop_driver.exe", "Hobrin.dll", "zip32j.dll"):
        shutil.copy(os.path.join(ARGS.bin, f), prog)
    write(os.path.join(prog, "drop_driver.ini"), ini_text(options))
    if history is not None:
        write(os.path.join(prog, "PassList.dat"), history.encode("cp932"))
    lines = []
    if name is not None:
        lines.append("name " + name)
    if password is not None:
        lines.append("pass " + password)
    lines += ["lock " + win(p) for p in locks]
    lines += ["drop " + win(p) for p in drops]
    scenario = os.path.join(root, "scenario.txt")
    write(scenario, ("\r\n".join(lines) + "\r\n").encode("cp932"))
    result = os.path.join(root, "result.txt")
    env = dict(os.environ, DROP_SCENARIO=win(scenario), DROP_RESULT=win(result))
    r = subprocess.run([ARGS.wine_run, ARGS.prefix, os.path.join(prog, "drop_driver.exe")],
                       env=env, capture_output=True, text=True, errors="replace")
    check(r.returncode == 0, "driver failed:\n" + r.stdout[-3000:] + r.stderr[-2000:])
    report = {"boxes": [], "closed": None, "desktop": None}
    if os.path.exists(result):
        for line in open(result, encoding="utf-8"):
            line = line.rstrip("\n")
            if line.startswith("box "):
                head, text, caption = line[4:].split(" | ")
                kind, visible, title = head.split(" ", 2)
                report["boxes"].append({"type": int(kind), "visible": visible == "1", "title": title,
                                        "text": text, "caption": caption})
            elif line.startswith("closed "):
                report["closed"] = line[7:] == "1"
            elif line.startswith("desktop "):
                report["desktop"] = line[8:]
    return report


def saved_ini(root):
    with open(os.path.join(root, "prog", "drop_driver.ini"), "rb") as f:
        text = f.read().decode("cp932")
    return dict(l.split("=", 1) for l in text.split("\r\n") if "=" in l)


def history(root):
    with open(os.path.join(root, "prog", "PassList.dat"), "rb") as f:
        return f.read().decode("cp932")


def leftovers(folder):
    return [n for n in os.listdir(folder) if not n.endswith(".zip")]


def case_one_archive_to_folder(root):
    src = make_sources(root)
    out = os.path.join(root, "出力")  # missing: the drop creates it
    items = ["報告書.txt", "フォルダ 表", "表ソ能.txt", "空.txt"]
    rep = run_drop(root, {"OutputMode": 1, "OutDir": win(out) + "\\", "Msg": 1, "Singles": 0},
                   [os.path.join(src, i) for i in items], name="まとめ表", password="パス word",
                   history="古い\r\nパス word\r\n")
    expected = {}
    for i in items:
        expected.update(expected_entries(src, i))
    got = read_archive(os.path.join(out, "まとめ表.zip"), "パス word")
    check(got == expected, "one archive holds every item: %s" % sorted(set(got) ^ set(expected)))
    check([(b["text"], b["caption"], b["title"], b["visible"]) for b in rep["boxes"]] ==
          [("正常に終了しました", "完了", "処理中", True)], "completion message while busy: %s" % rep["boxes"])
    ini = saved_ini(root)
    check(ini.get("OutputMode") == "1" and ini.get("OutDir") == win(out), "settings saved: %s" % ini)
    check(history(root) == "パス word\r\n古い\r\n", "password moved to the top: %r" % history(root))


def case_singles_beside_source(root):
    src = make_sources(root)
    items = [os.path.join(src, "報告書.txt"), os.path.join(src, "フォルダ 表"),
             os.path.join(src, "data.tar.gz"), os.path.join(src, "別", "外.txt")]
    rep = run_drop(root, {"OutputMode": 2, "Singles": 1}, items, history="keep\r\n")
    check(rep["boxes"] == [], "no message without the completion option: %s" % rep["boxes"])
    for item, archive in [("報告書.txt", "報告書.zip"), ("フォルダ 表", "フォルダ 表.zip"),
                          ("data.tar.gz", "data.tar.zip"), ("別/外.txt", "外.zip")]:
        got = read_archive(os.path.join(src, archive))
        check(got == expected_entries(src, item), "archive %s beside the first item" % archive)
    check(not os.path.exists(os.path.join(src, "別", "外.zip")), "all archives go to the first item's folder")
    check(history(root) == "keep\r\n", "no password: history unchanged")


def case_desktop_with_tray(root):
    src = make_sources(root)
    rep = run_drop(root, {"OutputMode": 3, "Singles": 1, "Tray": 1, "Msg": 1}, [os.path.join(src, "表ソ能.txt")],
                   password="secret")
    desktop = rep["desktop"]
    check(bool(desktop), "desktop folder known")
    if desktop:
        got = read_archive(os.path.join(desktop, "表ソ能.zip"), "secret")
        check(got == expected_entries(src, "表ソ能.txt"), "archive on the desktop")
        os.remove(os.path.join(desktop, "表ソ能.zip"))
    check([(b["text"], b["visible"]) for b in rep["boxes"]] == [("正常に終了しました", False)],
          "completion message while hidden in the notification area: %s" % rep["boxes"])


def case_failure_mid_batch_singles(root):
    src = make_sources(root)
    out = os.path.join(root, "out")
    os.makedirs(out)
    items = [os.path.join(src, "報告書.txt"), os.path.join(src, "無い.txt"), os.path.join(src, "表ソ能.txt")]
    rep = run_drop(root, {"OutputMode": 1, "OutDir": win(out), "Singles": 1, "Msg": 1, "AutoFinish": 1},
                   items, password="pw", history="old\r\n")
    check(read_archive(os.path.join(out, "報告書.zip"), "pw") == expected_entries(src, "報告書.txt"),
          "the archive before the failure stays valid")
    check(sorted(os.listdir(out)) == ["報告書.zip"], "nothing of the failing or later items: %s" % os.listdir(out))
    check([(b["text"], b["type"], b["title"], b["visible"]) for b in rep["boxes"]] ==
          [("圧縮エラーが発生しました", 0x10, "Tarnel", True)], "error after the window came back: %s" % rep["boxes"])
    check(rep["closed"] is False, "a failed drop does not quit")
    check(history(root) == "old\r\n", "a failed drop leaves the history")


def case_failure_mid_batch_one_archive(root):
    src = make_sources(root)
    out = os.path.join(root, "out")
    os.makedirs(out)
    locked = os.path.join(src, "表ソ能.txt")
    items = [os.path.join(src, "報告書.txt"), locked, os.path.join(src, "data.tar.gz")]
    rep = run_drop(root, {"OutputMode": 1, "OutDir": win(out)}, items, name="束", locks=[locked])
    check(read_archive(os.path.join(out, "束.zip")) == expected_entries(src, "報告書.txt"),
          "the shared archive keeps what was packed before the failure, whole")
    check(leftovers(out) == [], "no temporary file left: %s" % os.listdir(out))
    check([b["text"] for b in rep["boxes"]] == ["圧縮エラーが発生しました"], "error message: %s" % rep["boxes"])


def case_quit_after_packing(root):
    src = make_sources(root)
    out = os.path.join(root, "out")
    rep = run_drop(root, {"OutputMode": 1, "OutDir": win(out), "AutoFinish": 1, "Msg": 0, "Singles": 1},
                   [os.path.join(src, "フォルダ 表")], password="終了後", history="a\r\nb")
    check(rep["closed"] is True, "the window closed itself")
    check(read_archive(os.path.join(out, "フォルダ 表.zip"), "終了後") == expected_entries(src, "フォルダ 表"),
          "archive written before quitting")
    ini = saved_ini(root)
    keys = ["OutputMode", "Singles", "Tray", "Msg", "AutoFinish", "OutDir",
            "Rect_top", "Rect_bottom", "Rect_left", "Rect_right"]
    check(all(k in ini for k in keys) and ini["AutoFinish"] == "1" and ini["Singles"] == "1",
          "settings saved on quitting: %s" % ini)
    check(history(root) == "終了後\r\na\r\nb\r\n", "history saved on quitting: %r" % history(root))


def case_checks_before_packing(root):
    src = make_sources(root)
    item = [os.path.join(src, "報告書.txt")]
    rep = run_drop(root, {"OutputMode": 1, "OutDir": ""}, item, name="x")
    check([b["text"] for b in rep["boxes"]] == ["出力先が指定されていません"], "empty folder field: %s" % rep["boxes"])
    rep = run_drop(root, {"OutputMode": 3, "Singles": 0}, item)
    check([b["text"] for b in rep["boxes"]] == ["出力ファイル名を入力してください"], "empty name: %s" % rep["boxes"])


CASES = [case_one_archive_to_folder, case_singles_beside_source, case_desktop_with_tray,
         case_failure_mid_batch_singles, case_failure_mid_batch_one_archive, case_quit_after_packing,
         case_checks_before_packing]


def main():
    global ARGS
    p = argparse.ArgumentParser()
    p.add_argument("--wine-run", required=True)
    p.add_argument("--prefix", required=True)
    p.add_argument("--bin", required=True)
    p.add_argument("-k", default="")
    ARGS = p.parse_args()
    for case in CASES:
        if ARGS.k not in case.__name__:
            continue
        before = len(FAILURES)
        with tempfile.TemporaryDirectory(prefix="tarnel-drop-") as root:
            case(root)
        print(("ok   " if len(FAILURES) == before else "FAIL ") + case.__name__)
    if FAILURES:
        print("%d failure(s)" % len(FAILURES))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
