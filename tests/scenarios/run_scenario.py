#!/usr/bin/env python3
"""Runs one scenario file through tolvanex-scenario and compares the transcript.

A scenario file has sections, each started by a line of its own:
  %setup    shell commands run in a new scratch folder first (optional)
  %script   the runner's script
  %expect   the transcript expected on standard output
  %exit     the expected exit code (optional, default 0)
  %ignore   regular expressions, one a line: transcript lines that match any
            are left out before comparing (optional)
  %check    shell commands run in the scratch folder afterwards; they must
            all succeed (optional, run with `set -e`)
In every section @DIR@ stands for the scratch folder, @BIN@ for the folder
of the built programs and @SRC@ for the folder of the scenario files; after
the setup, @SIZE:NAME@ stands for the size in bytes of the file NAME there. The runner runs in the scratch folder with HOME set to
it, on the offscreen platform unless the scenario's first line says
"# display: x11". A line "# runner: alone" among the first three runs a copy
of the runner in a folder of its own, without the converter and the icon
library beside it.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile


def sections_of(text):
    sections, current = {}, None
    for line in text.splitlines(keepends=True):
        if line.startswith('%') and line.strip()[1:].isalpha():
            current = line.strip()[1:]
            sections[current] = ''
        elif current is not None:
            sections[current] += line
    return sections


def main():
    scenario, bindir = sys.argv[1], os.path.abspath(sys.argv[2])
    text = open(scenario, encoding='utf-8').read()
    parts = sections_of(text)
    scratch = tempfile.mkdtemp(prefix='tolvanex-scenario-')
    try:
        def fill(s):
            return (s.replace('@DIR@', scratch).replace('@BIN@', bindir)
                    .replace('@SRC@', os.path.dirname(os.path.abspath(scenario))))
        env = dict(os.environ, HOME=scratch, LC_ALL='C.UTF-8', XDG_RUNTIME_DIR=scratch)
        if not text.startswith('# display: x11'):
            env['QT_QPA_PLATFORM'] = 'offscreen'
        elif not env.get('DISPLAY'):
            print('no X display: skipped')
            return 77
        if 'setup' in parts:
            subprocess.run(['bash', '-ec', fill(parts['setup'])], cwd=scratch, env=env, check=True)
        plain_fill = fill

        def fill(s):  # noqa: F811 - after the setup, @SIZE:name@ is that file's size
            return re.sub(r'@SIZE:([^@]+)@', lambda m: str(os.path.getsize(os.path.join(scratch, m.group(1)))),
                          plain_fill(s))
        runner = os.path.join(bindir, 'tolvanex-scenario')
        if '# runner: alone' in text.splitlines()[:3]:
            # a copy of the runner with none of the programs and libraries beside it
            os.makedirs(os.path.join(scratch, 'alone'))
            runner = shutil.copy(runner, os.path.join(scratch, 'alone'))
        run = subprocess.run([runner], input=fill(parts.get('script', '')).encode(),
                             cwd=scratch, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=300)
        got = run.stdout.decode('utf-8', 'replace')
        if 'ignore' in parts:
            # lines whose order the system decides (a folder walk) are left out
            patterns = [re.compile(p) for p in fill(parts['ignore']).splitlines() if p.strip()]
            got = ''.join(line for line in got.splitlines(keepends=True)
                          if not any(p.search(line) for p in patterns))
        want = fill(parts.get('expect', ''))
        code = int(parts.get('exit', '0').strip() or 0)
        failed = False
        if got != want:
            failed = True
            print('--- expected transcript\n' + want + '--- got\n' + got)
        if run.returncode != code:
            failed = True
            print('exit code %d, expected %d' % (run.returncode, code))
        if run.stderr:
            print('--- standard error\n' + run.stderr.decode('utf-8', 'replace'))
        if 'check' in parts:
            check = subprocess.run(['bash', '-ec', fill(parts['check'])], cwd=scratch, env=env)
            if check.returncode != 0:
                failed = True
                print('the checks after the run failed')
        return 1 if failed else 0
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == '__main__':
    sys.exit(main())
