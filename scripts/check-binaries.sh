#!/usr/bin/env bash
# Checks the two exes: a PE32 (i686) and a PE32+ (x86_64) GUI program each, importing only DLLs
# that Windows itself ships.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
allowed='^(KERNEL32|USER32|GDI32|COMCTL32|SHELL32|WINMM|ADVAPI32|MSVCRT|VERSION|api-ms-win-.*)\.dll$'
status=0
for arch in i686 x86_64; do
    exe="$root/build/$arch/app/rulvio.exe"
    headers=$(${arch}-w64-mingw32-objdump -p "$exe")
    magic=$(grep -m1 '^Magic' <<<"$headers" | awk '{print $2}')
    subsystem=$(grep -m1 '^Subsystem' <<<"$headers" | awk '{print $2}')
    expected_magic=$([ "$arch" = i686 ] && echo 010b || echo 020b)
    if [ "$magic" != "$expected_magic" ] || [ "$subsystem" != 00000002 ]; then
        echo "$exe: magic $magic, subsystem $subsystem: not the expected GUI executable" >&2
        status=1
    fi
    while read -r dll; do
        if ! grep -qiE "$allowed" <<<"$dll"; then
            echo "$exe imports $dll, which Windows does not ship" >&2
            status=1
        fi
    done < <(grep 'DLL Name:' <<<"$headers" | awk '{print $3}')
done
[ $status -eq 0 ] && echo "rulvio.exe: PE32 and PE32+ GUI executables, system DLLs only"
exit $status
