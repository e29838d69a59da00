#!/usr/bin/env python3
"""Runs a checking tool over a file; exit 77 (a skipped test) without the tool.

  run_tool.py [--fail-on-output] [--skip-unless-runs] TOOL ARG...

--fail-on-output  warnings count as faults even when the tool exits 0 (groff
                  and desktop-file-validate warn on stderr and still succeed).
--skip-unless-runs  skip when the tool cannot work here at all (systemd-analyze
                  in a container without a system manager says so and fails).
"""
import shutil
import subprocess
import sys

SKIP = 77
# What systemd-analyze says when it is not the file but the machine it runs on.
CANNOT_RUN = ("Failed to initialize manager", "Failed to create", "Operation not permitted",
              "System has not been booted with systemd")


def main(argv):
    args = argv[1:]
    fail_on_output = skip_unless_runs = False
    while args and args[0].startswith("--") and args[0] in ("--fail-on-output",
                                                            "--skip-unless-runs"):
        fail_on_output |= args[0] == "--fail-on-output"
        skip_unless_runs |= args[0] == "--skip-unless-runs"
        args = args[1:]
    if shutil.which(args[0]) is None:
        print(f"{args[0]} is not installed; skipped")
        return SKIP
    done = subprocess.run(args, capture_output=True, text=True, timeout=120)
    output = (done.stdout + done.stderr).strip()
    if skip_unless_runs and done.returncode != 0 and any(s in output for s in CANNOT_RUN):
        print(f"{args[0]} cannot run here; skipped:\n{output}")
        return SKIP
    if output:
        print(output)
    if done.returncode != 0:
        return 1
    if fail_on_output and output:
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
