#!/usr/bin/env python3
"""Keeps the program's texts in proper Polish.

Fails (exit 1, one line per fault) when a string literal under src/
  - holds a Polish word typed without its Polish letters ("kanaly",
    "wiadomosci", "hasla", ...), or
  - starts like an English message ("Unable to ...", "Cannot ...").

Files whose texts are written to disk or to a terminal, never shown in a
window, are listed in NOT_ON_SCREEN with the reason; their bytes must stay as
they are. The gallery's sample data is not checked.

Usage: check_screen_texts.py SOURCE_ROOT
"""
import re
import sys
from pathlib import Path

# Polish words as they come out when typed without the Polish letters. Each is
# a whole word no correct Polish text contains.
FOLDED = [
    r"kanal", r"kanaly", r"kanalu", r"kanalow",
    r"wiadomosc", r"wiadomosci", r"wiadomoscia",
    r"uzytkownik\w*",
    r"haslo", r"hasla", r"hasle",
    r"podac", r"wybrac", r"dodac", r"usunac", r"wyslac",
    r"jestes", r"mozesz", r"moze", r"sie",
    r"powiodla", r"szczegol\w*", r"jakies", r"chcialbys",
    r"nadejsciu", r"polaczen\w*", r"polaczenie", r"polacz",
    r"oplat[ay]?", r"dlugosc\w*", r"poszczegoln\w*",
    r"ilosc", r"impulsow", r"calkowity", r"swieta", r"swieto",
    r"znalazlem", r"wyslij", r"zmien", r"usun", r"wlaczony",
]
FOLDED_WORD = re.compile(r"\b(?:" + "|".join(FOLDED) + r")\b", re.IGNORECASE)

# English messages start like this; the program speaks Polish.
ENGLISH = re.compile(
    r"^(?:Unable to|Cannot|Can't|Could not|Couldn't|Error|Failed|Invalid|Please|"
    r"Severe|Warning)\b"
)

NOT_ON_SCREEN = {
    # The call report is a text file the user already has many of; it keeps
    # the wording and bytes it has always had.
    "counter/billing_report.cpp",
    # A diagnostic for the terminal when the service leaves out a field.
    "protocol/param_record.cpp",
}
SKIPPED_FOLDERS = {"gallery"}

LITERAL_OR_COMMENT = re.compile(
    r'//[^\n]*|/\*.*?\*/|"((?:[^"\\\n]|\\.)*)"|\'(?:[^\'\\\n]|\\.)*\'', re.DOTALL
)


def literals(text):
    """The string literals of a C++ source, with their line numbers; text in
    comments and character literals is passed over."""
    for match in LITERAL_OR_COMMENT.finditer(text):
        if match.group(0).startswith('"'):
            yield text.count("\n", 0, match.start()) + 1, match.group(1)


def faults_in(relative, text):
    faults = []
    for line, literal in literals(text):
        folded = FOLDED_WORD.search(literal)
        if folded:
            faults.append(f'{relative}:{line}: "{folded.group(0)}" lacks its Polish letters '
                          f'in "{literal}"')
        elif ENGLISH.search(literal):
            faults.append(f'{relative}:{line}: English text "{literal}"')
    return faults


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    src = Path(argv[1]) / "src"
    faults = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in {".h", ".cpp"}:
            continue
        relative = path.relative_to(src).as_posix()
        if relative in NOT_ON_SCREEN or relative.split("/")[0] in SKIPPED_FOLDERS:
            continue
        faults += faults_in(relative, path.read_text(encoding="utf-8"))
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
