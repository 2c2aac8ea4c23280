"""Checks a Windows executable's header: a 64-bit console program that imports no DLL
beyond those every Windows has, with at least the given default thread stack.

usage: windows_exe_check.py <objdump> <exe> <minimum stack reserve in bytes>
"""

import re
import subprocess
import sys

SYSTEM_DLLS = re.compile(r"^(kernel32|msvcrt|api-ms-win-[a-z0-9-]+)\.dll$", re.IGNORECASE)


def problems(header, minimum_stack):
    found = []
    if "file format pei-x86-64" not in header:
        found.append("not a 64-bit Windows executable")
    if not re.search(r"^Subsystem\s+\S+\s+\(Windows CUI\)", header, re.MULTILINE):
        found.append("not a console program")
    dlls = re.findall(r"DLL Name: (\S+)", header)
    if not dlls:
        found.append("no import table found")
    found += [f"imports {dll}" for dll in dlls if not SYSTEM_DLLS.match(dll)]
    stack = re.search(r"^SizeOfStackReserve\s+([0-9a-fA-F]+)", header, re.MULTILINE)
    if stack is None or int(stack.group(1), 16) < minimum_stack:
        found.append(f"stack reserve {stack and int(stack.group(1), 16)} < {minimum_stack}")
    return found


def main():
    objdump, exe, minimum_stack = sys.argv[1], sys.argv[2], int(sys.argv[3])
    header = subprocess.run([objdump, "-p", exe], check=True, capture_output=True, text=True)
    found = problems(header.stdout, minimum_stack)
    for problem in found:
        print(f"{exe}: {problem}")
    if not found:
        print(f"{exe}: 64-bit console program, system DLLs only, stack reserve ok")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
