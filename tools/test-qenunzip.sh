#!/usr/bin/env bash
# Runs qenunzip.exe under Wine on archives made here by Info-ZIP zip and Python's zipfile, and checks
# its listing, testing, extraction, error lines and exit status.
#   tools/test-qenunzip.sh QENUNZIP.EXE WINEPREFIX
set -uo pipefail

[ $# -eq 2 ] || { echo "usage: $0 QENUNZIP.EXE WINEPREFIX" >&2; exit 2; }
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
prefix=$2
top=$(cd "$(dirname "$0")/.." && pwd)

# One X server for every run instead of one per run; Wine must be done with it before it goes.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" \
       bash -c '"$0" "$@"; rc=$?; WINEPREFIX="$2" wineserver -w; exit $rc' "$0" "$@"
fi

work=$(mktemp -d /tmp/qenunzip-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 2

passed=0
failed=0

winpath() { printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"; }

# qenunzip ARGS...: runs the program; leaves rc, out (stdout) and err (stderr) without CRs.
qenunzip() {
  "$top/tools/winerun" --prefix "$prefix" "$exe" "$@" >"$work/stdout.raw" 2>"$work/stderr.raw"
  rc=$?
  out=$(tr -d '\r' <"$work/stdout.raw")
  err=$(tr -d '\r' <"$work/stderr.raw")
}

check() {
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $what" >&2
    echo "  exit status $rc" >&2
    printf '  stdout: %s\n' "$out" | head -20 >&2
    printf '  stderr: %s\n' "$err" | head -20 >&2
  fi
}

status_is() { [ "$rc" -eq "$1" ]; }
stderr_is() { [ "$err" = "$1" ]; }
stderr_matches() { [[ "$err" =~ $1 ]]; }

# Deterministic sample files: text, incompressible bytes, an empty file, a name with a space,
# and nested folders.
mkdir -p src/tree/sub/deeper
python3 - <<'EOF'
import random
rng = random.Random(7)
words = ["archive", "entry", "folder", "zip", "data", "\u5b89\u88c5"]
with open("src/tree/text.txt", "w", encoding="utf-8") as f:
    for i in range(4000):
        f.write(" ".join(rng.choice(words) for _ in range(12)) + "\n")
with open("src/tree/random.bin", "wb") as f:
    f.write(bytes(rng.getrandbits(8) for _ in range(150000)))
open("src/tree/empty.txt", "wb").close()
with open("src/tree/with space.txt", "wb") as f:
    f.write(b"spaces in names survive\r\n" * 50)
with open("src/tree/sub/deeper/note.txt", "wb") as f:
    f.write(b"x" * 65535 * 2)
EOF
(cd src && zip -qr -X ../infozip.zip tree)

# The listing a correct reader must print, computed from Python's reading of the same archive.
expected_listing() {
  python3 - "$1" <<'EOF'
import sys, zipfile
for i in zipfile.ZipFile(sys.argv[1]).infolist():
    method = {0: "stored", 8: "deflated"}.get(i.compress_type, "m%d" % i.compress_type)
    attrs = "".join(l if i.external_attr & b else "-"
                    for l, b in zip("RHSDA", (0x01, 0x02, 0x04, 0x10, 0x20)))
    y, mo, d, h, mi, s = i.date_time
    print("%10d %10d %-8s %08x %04d-%02d-%02d %02d:%02d:%02d %s %s" % (
        i.file_size, i.compress_size, method, i.CRC, y, mo, d, h, mi, s, attrs,
        i.filename.replace("/", "\\")))
EOF
}

# Listing, testing and extraction of an Info-ZIP archive.
qenunzip -l "$(winpath "$work/infozip.zip")"
check "-l exits 0" status_is 0
check "-l prints nothing on standard error" stderr_is ""
check "-l lists every entry in its columns" [ "$out" = "$(expected_listing infozip.zip)" ]

qenunzip -t "$(winpath "$work/infozip.zip")"
check "-t exits 0" status_is 0
check "-t reports every file entry" [ "$(printf '%s\n' "$out" | grep -c '^OK ')" -eq 5 ]
check "-t names the entry it verified" grep -qx 'OK tree\\sub\\deeper\\note.txt' <<<"$out"

qenunzip "$(winpath "$work/infozip.zip")" -d "$(winpath "$work/out")"
check "extraction exits 0" status_is 0
check "extraction reproduces the tree byte for byte" diff -r src/tree out/tree

echo "stale" >out/tree/text.txt
qenunzip -d "$(winpath "$work/out")" "$(winpath "$work/infozip.zip")"
check "extraction over existing files exits 0" status_is 0
check "extraction replaces existing files" cmp -s src/tree/text.txt out/tree/text.txt

# Info-ZIP writing to a pipe puts CRC and sizes in a data descriptor after the data.
head -c 100000 src/tree/text.txt >streamed.txt
zip -q -fz- - - <streamed.txt | cat >streamed.zip
qenunzip -t "$(winpath "$work/streamed.zip")"
check "-t verifies an entry with a data descriptor" [ "$rc" -eq 0 -a "$out" = "OK -" ]
qenunzip "$(winpath "$work/streamed.zip")" -d "$(winpath "$work/streamed")"
check "an entry with a data descriptor extracts byte for byte" cmp -s streamed.txt streamed/-

# Archives written by Python: mixed methods, an empty archive, an unsupported method, names that
# try to leave the target folder, and a damaged entry.
python3 - <<'EOF'
import zipfile
with zipfile.ZipFile("python.zip", "w") as z:
    z.writestr("stored.txt", b"plain bytes\n" * 100, zipfile.ZIP_STORED)
    z.writestr("deflated/data.txt", b"compress me " * 5000, zipfile.ZIP_DEFLATED)
zipfile.ZipFile("empty.zip", "w").close()
with zipfile.ZipFile("bzip2.zip", "w") as z:
    z.writestr("b.txt", b"bzip2 data " * 100, zipfile.ZIP_BZIP2)
with zipfile.ZipFile("slip.zip", "w") as z:
    z.writestr("good.txt", b"inside\n", zipfile.ZIP_DEFLATED)
    z.writestr("../escaped.txt", b"outside\n")
    z.writestr("dir/../../escaped2.txt", b"outside\n")
    z.writestr("sub/a.txt:stream", b"alternate stream\n")
    z.writestr("last.txt", b"still extracted\n", zipfile.ZIP_DEFLATED)
with zipfile.ZipFile("crc.zip", "w") as z:
    z.writestr("first.txt", b"first entry is fine\n")
    z.writestr("victim.txt", b"this entry will be damaged\n", zipfile.ZIP_STORED)
data = bytearray(open("crc.zip", "rb").read())
info = zipfile.ZipFile("crc.zip").getinfo("victim.txt")
data[info.header_offset + 30 + len("victim.txt") + 3] ^= 0xFF
open("crc.zip", "wb").write(data)
with open("notzip.zip", "wb") as f:
    f.write(b"this is not an archive\n" * 40)
EOF

qenunzip -l "$(winpath "$work/python.zip")"
check "-l of a Python archive lists stored and deflated entries" \
  [ "$out" = "$(expected_listing python.zip)" ]
qenunzip "$(winpath "$work/python.zip")" -d "$(winpath "$work/py")"
check "Python archive extracts with exit 0" status_is 0
check "Python archive extracts byte for byte" \
  python3 -c '
import sys, zipfile
z = zipfile.ZipFile("python.zip")
sys.exit(any(open("py/" + n, "rb").read() != z.read(n) for n in z.namelist()))'

qenunzip -l "$(winpath "$work/empty.zip")"
check "-l of an empty archive exits 0 with no lines" [ "$rc" -eq 0 -a -z "$out" ]

qenunzip -l "$(winpath "$work/bzip2.zip")"
check "-l shows an unknown method by number" [ "$rc" -eq 0 -a "$out" = "$(expected_listing bzip2.zip)" ]
qenunzip -t "$(winpath "$work/bzip2.zip")"
check "-t of an unsupported method is a ZIP error" status_is 2
check "unsupported method reported as a corrupt archive" \
  stderr_is "error: CorruptArchive (10): $(winpath "$work/bzip2.zip")"

mkdir slip
qenunzip "$(winpath "$work/slip.zip")" -d "$(winpath "$work/slip/target")"
check "names leaving the folder make the exit status 1" status_is 1
check "each refused entry is named on standard error" \
  stderr_is $'refused: ..\\escaped.txt\nrefused: dir\\..\\..\\escaped2.txt\nrefused: sub\\a.txt:stream'
check "the other entries are extracted" \
  [ "$(cat slip/target/good.txt)" = inside -a "$(cat slip/target/last.txt)" = "still extracted" ]
check "nothing is written outside the folder" \
  [ -z "$(find "$work" -name 'escaped*')" -a ! -e slip/target/sub/a.txt ]

qenunzip -t "$(winpath "$work/crc.zip")"
check "-t of a damaged entry is a ZIP error" status_is 2
check "CRC mismatch is reported with its cause and the archive" \
  stderr_is "error: ChecksumMismatch (11): $(winpath "$work/crc.zip")"
check "-t writes nothing" [ -z "$(find "$work" -name victim.txt)" ]

mkdir crc
echo "the good copy" >crc/victim.txt
qenunzip "$(winpath "$work/crc.zip")" -d "$(winpath "$work/crc")"
check "extracting a damaged entry exits 2" status_is 2
check "extracting a damaged entry reports the cause" \
  stderr_is "error: ChecksumMismatch (11): $(winpath "$work/crc.zip")"
check "a damaged entry leaves the earlier file intact" [ "$(cat crc/victim.txt)" = "the good copy" ]
check "a damaged entry leaves no other file behind" \
  [ "$(find crc -type f | sort | tr '\n' ' ')" = "crc/first.txt crc/victim.txt " ]

qenunzip -l "$(winpath "$work/notzip.zip")"
check "a file that is no archive is a ZIP error" status_is 2
check "no end record is a corrupt archive" \
  stderr_is "error: CorruptArchive (10): $(winpath "$work/notzip.zip")"

# Several threads: the same report, exit status and files as one thread, for archives that extract
# well, that have refused entries, that fail part way, and whose names clash.
python3 - <<'EOF'
import zipfile
with zipfile.ZipFile("clash.zip", "w", zipfile.ZIP_DEFLATED) as z:
    for i in range(60):
        z.writestr("d%d/shared/f%d.txt" % (i % 3, i), b"entry %d\n" % i * (i * 50 + 1))
    z.writestr("d0/shared/same.txt", b"first\n")
    z.writestr("D0/SHARED/SAME.TXT", b"second and last\n")
    # Two spellings of one target, the two largest entries: on threads of their own the first
    # would finish last.
    z.writestr("abs/big.txt", b"first and larger\n" * 200000)
    z.writestr(zipfile.ZipInfo("/abs/big.txt"), b"second and last\n" * 50000)
with zipfile.ZipFile("failing.zip", "w", zipfile.ZIP_STORED) as z:
    for i in range(30):
        z.writestr("f%02d.txt" % i, b"data %d\n" % i * 2000)
data = bytearray(open("failing.zip", "rb").read())
info = zipfile.ZipFile("failing.zip").getinfo("f12.txt")
data[info.header_offset + 30 + len("f12.txt") + 5] ^= 0xFF
open("failing.zip", "wb").write(data)
EOF
for archive in infozip slip clash failing crc; do
  rm -rf "j1-$archive" "j3-$archive"
  qenunzip "$(winpath "$work/$archive.zip")" -d "$(winpath "$work/j1-$archive")" -j 1
  rc1=$rc out1=$out err1=$err
  qenunzip -j 3 "$(winpath "$work/$archive.zip")" -d "$(winpath "$work/j3-$archive")"
  check "-j 3 on $archive.zip exits as -j 1" [ "$rc" -eq "$rc1" ]
  check "-j 3 on $archive.zip reports as -j 1" [ "$out" = "$out1" -a "$err" = "$err1" ]
  if [ "$archive" = failing ]; then
    check "a failure part way stops the report at the damaged entry" \
      [ "$(printf '%s\n' "$out1" | tail -1)" = "extracted: f11.txt" -a "$rc1" -eq 2 ]
  else
    check "-j 3 on $archive.zip extracts the same files" diff -r "j1-$archive" "j3-$archive"
  fi
done
check "clashing names end with the last entry" [ "$(cat j3-clash/d0/shared/same.txt)" = "second and last" ]
check "two spellings of one target end with the last entry" [ "$(head -1 j3-clash/abs/big.txt)" = "second and last" ]

# Names flagged as UTF-8 are listed and written in the ANSI code page; one it cannot write is
# refused, never written under another name.
python3 - <<'EOF'
import zipfile
with zipfile.ZipFile("utf8.zip", "w") as z:
    z.writestr("\u4e2d\u6587.txt", b"chinese\n")
    z.writestr("\U0001F600.txt", b"emoji\n")
EOF
qenunzip -l "$(winpath "$work/utf8.zip")"
check "-l shows a UTF-8 name converted" grep -q ' 中文\.txt$' < <(iconv -f GBK -t UTF-8 <<<"$out")
mkdir utf8
qenunzip "$(winpath "$work/utf8.zip")" -d "$(winpath "$work/utf8")"
check "a name the code page cannot write makes the exit status 1" status_is 1
check "a UTF-8 name is written converted, the other refused" \
  [ "$(cat utf8/中文.txt)" = chinese -a "$(find utf8 -type f | wc -l)" -eq 1 ]

# File-system errors.
qenunzip -l "$(winpath "$work/missing.zip")"
check "a missing archive is a file-system error" status_is 3
check "a missing archive is reported with the file cause and path" \
  stderr_matches '^error: fileNotFound \(2\): .*missing\.zip$'

mkdir -p blocked/tree/text.txt
qenunzip "$(winpath "$work/infozip.zip")" -d "$(winpath "$work/blocked")"
check "a target that cannot be written is a file-system error" status_is 3
check "the unwritable target is reported with its cause and path" \
  stderr_matches '^error: [A-Za-z]+ \([0-9]+\): .*tree\\text\.txt$'

# Usage.
for args in "" "-x a.zip" "-l" "-l -t a.zip" "-l a.zip -d out" "a.zip b.zip" "a.zip -d" "-d out -d out a.zip" "a.zip -j 0" "-l -j 2 a.zip" "a.zip -j"; do
  # shellcheck disable=SC2086
  qenunzip $args
  check "bad usage '$args' exits 10" status_is 10
  check "bad usage '$args' prints the usage on standard error" grep -q '^usage: qenunzip' <<<"$err"
done
qenunzip -h
check "-h exits 0" status_is 0
check "-h documents the listing columns" grep -q 'SIZE PACKED METHOD CRC32 DATE TIME ATTRIBUTES NAME' <<<"$out"

echo "qenunzip: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
