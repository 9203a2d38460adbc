#!/usr/bin/env bash
# Peak memory of tavoro-cli importing a huge vCard file (one million tiny cards, about 48 MB) and a
# huge iCalendar file (one million to-dos, about 78 MB) into new documents. Not a test; run by hand:
#   bench/memory/exchange-peak-memory.sh [TAVORO-CLI] [COUNT]
# Prints each file's size, the command's peak resident memory and its wall-clock time.
set -euo pipefail
cli=${1:-build/tools/tavoro-cli}
count=${2:-1000000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$work" "$count" <<'PY'
import sys
root, count = sys.argv[1], int(sys.argv[2])
with open(f"{root}/cards.vcf", "w", newline="") as f:
    for i in range(count):
        f.write(f"BEGIN:VCARD\r\nVERSION:3.0\r\nFN:P {i}\r\nEND:VCARD\r\n")
with open(f"{root}/todos.ics", "w", newline="") as f:
    f.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\n")
    for i in range(count):
        f.write(f"BEGIN:VTODO\r\nUID:{i}\r\nSUMMARY:Task {i}\r\nDUE;VALUE=DATE:20260501\r\nEND:VTODO\r\n")
    f.write("END:VCALENDAR\r\n")
PY
for format in vcard ical; do
    file=$work/cards.vcf
    [ "$format" = ical ] && file=$work/todos.ics
    python3 - "$cli" "$format" "$work/$format.pgr" "$file" <<'PY'
import os, resource, subprocess, sys, time
cli, format, document, file = sys.argv[1:]
start = time.monotonic()
done = subprocess.run([cli, "import", format, document, file], capture_output=True, text=True)
seconds = time.monotonic() - start
if done.returncode != 0:
    sys.exit(f"{format}: {done.stderr.strip()}")
peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss / 1024  # KiB on Linux
size = os.path.getsize(file) / 1048576
print(f"{format:6} file {size:6.1f} MB  peak RSS {peak:7.1f} MB  {seconds:6.1f} s  ({done.stdout.splitlines()[-1]})")
PY
    rm -f "$work/$format.pgr"
done
