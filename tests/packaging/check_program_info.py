#!/usr/bin/env python3
"""Runs a program's information options as a user (or a packager) would.

  check_program_info.py version PROGRAM NAME VERSION
      `PROGRAM --version` exits 0, prints exactly "NAME VERSION" and nothing
      on stderr; it must also work with no display and an empty environment.
  check_program_info.py help PROGRAM WORD...
      `PROGRAM --help` exits 0 and its text names every WORD (the options,
      variables and files a user looks for there).
"""
import subprocess
import sys


def run(program, option):
    # No DISPLAY, no HOME: the information options must not need either.
    done = subprocess.run([program, option], capture_output=True, text=True,
                          env={"PATH": "/usr/bin:/bin"}, timeout=60)
    return done.returncode, done.stdout, done.stderr


def main(argv):
    mode, program = argv[1], argv[2]
    faults = []
    if mode == "version":
        name, version = argv[3], argv[4]
        code, out, err = run(program, "--version")
        if code != 0:
            faults.append(f"--version exited {code}")
        if out != f"{name} {version}\n":
            faults.append(f"--version printed {out!r}, expected {name} {version}")
        if err:
            faults.append(f"--version wrote to stderr: {err!r}")
    elif mode == "help":
        code, out, err = run(program, "--help")
        if code != 0:
            faults.append(f"--help exited {code}")
        for word in argv[3:]:
            if word not in out:
                faults.append(f"--help does not mention {word}")
    else:
        faults.append(f"unknown mode {mode}")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
