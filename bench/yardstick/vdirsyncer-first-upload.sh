#!/usr/bin/env bash
# Yardstick for tavoro-bench sync's first upload: the time vdirsyncer (Debian's package) takes to
# upload the same number of contacts and events to a fresh Radicale. Not a test; run by hand:
#   bench/yardstick/vdirsyncer-first-upload.sh [COUNT]
set -euo pipefail
count=${1:-300}
command -v vdirsyncer >/dev/null || { echo "needs vdirsyncer (apt-get install vdirsyncer)" >&2; exit 2; }
work=$(mktemp -d)
trap 'kill "$server" 2>/dev/null || true; rm -rf "$work"' EXIT
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
mkdir -p "$work/store" "$work/local/contacts" "$work/local/calendar" "$work/status"
printf '[server]\nhosts = 127.0.0.1:%s\n[auth]\ntype = none\n[storage]\nfilesystem_folder = %s\n[logging]\nlevel = warning\n' \
    "$port" "$work/store" >"$work/radicale.conf"
radicale --config "$work/radicale.conf" >"$work/radicale.log" 2>&1 &
server=$!
python3 - "$work/local" "$count" <<'PY'
import sys, uuid
root, count = sys.argv[1], int(sys.argv[2])
for i in range(count):
    uid = str(uuid.uuid4())
    with open(f"{root}/contacts/{uid}.vcf", "w", newline="\r\n") as f:
        f.write(f"BEGIN:VCARD\nVERSION:3.0\nUID:urn:uuid:{uid}\nFN:Anna Meyer{i}\nN:Meyer{i};Anna;;;\n"
                f"EMAIL:anna{i}@example.org\nTEL;TYPE=HOME:(555) 01{10 + i % 90}\n"
                f"ADR;TYPE=HOME:;;{1 + i % 200} Main Street;Springfield;;;\nEND:VCARD\n")
    uid = str(uuid.uuid4())
    day, hour = 1 + (i // 8) % 28, 8 + i % 8
    with open(f"{root}/calendar/{uid}.ics", "w", newline="\r\n") as f:
        f.write(f"BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//yardstick//EN\nBEGIN:VEVENT\nUID:{uid}\n"
                f"DTSTAMP:20260101T000000Z\nDTSTART:202601{day:02d}T{hour:02d}0000\n"
                f"DTEND:202601{day:02d}T{hour:02d}3000\nSUMMARY:Meeting {i}\nEND:VEVENT\nEND:VCALENDAR\n")
PY
for _ in $(seq 50); do curl -s "http://127.0.0.1:$port/" >/dev/null && break; sleep 0.1; done
cat >"$work/config" <<CFG
[general]
status_path = "$work/status"
[pair contacts]
a = "contacts_local"
b = "contacts_remote"
collections = null
[storage contacts_local]
type = "filesystem"
path = "$work/local/contacts"
fileext = ".vcf"
[storage contacts_remote]
type = "carddav"
url = "http://127.0.0.1:$port/bench/contacts/"
username = "bench"
password = "bench"
[pair calendar]
a = "calendar_local"
b = "calendar_remote"
collections = null
[storage calendar_local]
type = "filesystem"
path = "$work/local/calendar"
fileext = ".ics"
[storage calendar_remote]
type = "caldav"
url = "http://127.0.0.1:$port/bench/calendar/"
username = "bench"
password = "bench"
CFG
# The collections must exist before a pair without discovery can write to them.
curl -s -X MKCOL -u bench:bench "http://127.0.0.1:$port/bench/" >/dev/null || true
curl -s -X MKCOL -u bench:bench -H 'Content-Type: application/xml' --data \
  '<?xml version="1.0"?><mkcol xmlns="DAV:" xmlns:C="urn:ietf:params:xml:ns:carddav"><set><prop><resourcetype><collection/><C:addressbook/></resourcetype></prop></set></mkcol>' \
  "http://127.0.0.1:$port/bench/contacts/" >/dev/null
curl -s -X MKCALENDAR -u bench:bench "http://127.0.0.1:$port/bench/calendar/" >/dev/null
vdirsyncer -c "$work/config" discover </dev/null >"$work/discover.log" 2>&1 || { cat "$work/discover.log" >&2; exit 1; }
start=$(date +%s.%N)
vdirsyncer -c "$work/config" sync >"$work/vdirsyncer.log" 2>&1 || { cat "$work/vdirsyncer.log" >&2; exit 1; }
end=$(date +%s.%N)
uploaded=$(find "$work/store" -path '*/.Radicale*' -prune -o \( -name '*.vcf' -o -name '*.ics' \) -print | grep -c . || true)
python3 -c "print(f'vdirsyncer first upload of {$count} + {$count}: {($end - $start) * 1000:.0f} ms wall, {$uploaded} objects on the server')"
