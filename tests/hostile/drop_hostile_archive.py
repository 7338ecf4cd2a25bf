#!/usr/bin/env python3
"""Drops one archive of the hostile corpus onto the running program.

The archive is made by tests/archive/make_hostile_corpus.py inside a scratch
folder; tolvanex-scenario runs there (HOME set to it, offscreen platform) and
drops it. Then:
  - the transcript is the one of an accepted drop (the information message
    with the path) when the corpus table says files are written flattened,
    else the one of a refused drop (the warning);
  - Test/ holds exactly that many files, directly, no folders and no links
    (and there is no Test/ when nothing was written);
  - nothing else in the scratch folder, nor in a sibling folder beside it,
    changed: every path, type, size, mode and modification time is as before;
  - no /tmp/tolvanex-hostile-* file appeared (the names the corpus aims at).

usage: drop_hostile_archive.py BINDIR ARCHIVE_NAME
"""
import glob
import os
import shutil
import stat
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ARCHIVE_TESTS = os.path.join(HERE, "..", "archive")
sys.path.insert(0, ARCHIVE_TESTS)
import make_hostile_corpus as hostile  # noqa: E402

ACCEPTED = ('message plain "Information" " Выбран файл:\\r\\r{path}" unowned\n'
            "buttons 0:on 1:on 2:on 3:on 4:off 5:off 6:off\n")
REFUSED = ('message warning "Внимание!" "Выбранный Вами файл не является JAD '
           'файлом, или испорчен!"\n'
           "buttons 0:off 1:on 2:off 3:on 4:off 5:off 6:off\n")
REST_OF_STATE = 'view ""\nprogress 0\nicon-view 32x32+10+30\n'


def flattened_count(name):
    with open(os.path.join(ARCHIVE_TESTS, "hostile_corpus_expected.txt")) as table:
        for line in table:
            fields = line.split()
            if fields and not line.startswith("#") and fields[0] == name:
                return int(fields[1])
    sys.exit("not in the corpus table: " + name)


def snapshot(root, left_out):
    """Every path under root but those under left_out, with what an
    extraction could change about it."""
    seen = {}
    for folder, folders, files in os.walk(root):
        folders[:] = [f for f in folders
                      if os.path.join(folder, f) != left_out]
        for name in folders + files:
            path = os.path.join(folder, name)
            info = os.lstat(path)
            # A folder's own time changes with its entries, which are
            # compared one by one anyway.
            when = None if stat.S_ISDIR(info.st_mode) else info.st_mtime_ns
            seen[os.path.relpath(path, root)] = (info.st_mode, info.st_size, when)
    return seen


def aimed_at():
    return set(glob.glob("/tmp/tolvanex-hostile-*"))


def check_work_folder(test_folder, expected):
    """What is wrong with Test/ after the drop, or None."""
    if not os.path.lexists(test_folder):
        return None if expected == 0 else "no Test/ folder"
    names = os.listdir(test_folder)
    odd = [n for n in names
           if not stat.S_ISREG(os.lstat(os.path.join(test_folder, n)).st_mode)]
    if odd:
        return "not plain files in Test/: %r" % odd
    if len(names) != expected:
        return "Test/ holds %d files, expected %d: %r" % (len(names), expected, sorted(names))
    return None


def main():
    bindir, name = os.path.abspath(sys.argv[1]), sys.argv[2]
    expected = flattened_count(name)
    root = tempfile.mkdtemp(prefix="tolvanex-drop-")
    try:
        work = os.path.join(root, "work")
        outside = os.path.join(root, "outside")
        os.makedirs(os.path.join(outside, "sub"))
        os.makedirs(work, mode=0o700)  # also the runtime folder Qt wants private
        for path, text in ((os.path.join(outside, "keep.txt"), "beside\n"),
                           (os.path.join(outside, "sub", "good.txt"), "good\n"),
                           (os.path.join(work, "good.txt"), "mine\n")):
            with open(path, "w") as out:
                out.write(text)
        archive = os.path.join(work, name)
        with open(archive, "wb") as out:
            out.write(hostile.CORPUS[name]())

        test_folder = os.path.join(work, "Test")
        before, targets_before = snapshot(root, test_folder), aimed_at()
        env = dict(os.environ, HOME=work, XDG_RUNTIME_DIR=work,
                   QT_QPA_PLATFORM="offscreen", LC_ALL="C.UTF-8")
        script = 'start\ndrop "%s"\nstate\n' % archive
        run = subprocess.run([os.path.join(bindir, "tolvanex-scenario")],
                             input=script.encode(), cwd=work, env=env,
                             capture_output=True, timeout=240)
        got = run.stdout.decode("utf-8", "replace")
        want = (ACCEPTED.format(path=archive) if expected else REFUSED) + REST_OF_STATE

        faults = []
        if run.returncode != 0:
            faults.append("exit code %d" % run.returncode)
        if got != want:
            faults.append("transcript:\n--- expected\n%s--- got\n%s" % (want, got))
        if run.stderr:
            faults.append("standard error:\n" + run.stderr.decode("utf-8", "replace"))
        fault = check_work_folder(test_folder, expected)
        if fault:
            faults.append(fault)
        after = snapshot(root, test_folder)
        if after != before:
            changed = sorted(p for p in set(before) | set(after)
                             if before.get(p) != after.get(p))
            faults.append("changed outside Test/: %r" % changed)
        if aimed_at() != targets_before:
            faults.append("appeared in /tmp: %r" % sorted(aimed_at() - targets_before))
        for fault in faults:
            print(fault)
        print("%s: %d files expected, %s" % (name, expected, "FAILED" if faults else "handled"))
        return 1 if faults else 0
    finally:
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
