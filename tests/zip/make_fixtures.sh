#!/usr/bin/env bash
# Makes the archives of the interoperability tests with Info-ZIP zip and Python's zipfile:
#   make_fixtures.sh OUTPUT_FOLDER
# OUTPUT_FOLDER/tree holds the source files, manifest.txt lists them ("d path" for a folder,
# "f path" for a file), and every *.zip beside them holds the whole tree.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 OUTPUT_FOLDER" >&2; exit 2; }
out=$1
python=/usr/bin/python3
[ -x "$python" ] || python=python3

rm -rf "$out"
mkdir -p "$out/tree"
cd "$out/tree"

"$python" - <<'PYTHON'
import os, random
rng = random.Random(1234)
words = [b"archive ", b"entry ", b"folder ", b"volume ", b"data\r\n", b"zip "]
def text(size):
    return b"".join(rng.choice(words) for _ in range(size // 4))[:size]
def noise(size):
    return bytes(rng.getrandbits(8) for _ in range(size))
files = {
    "text.txt": text(200000),
    "noise.bin": noise(100000),
    "empty.txt": b"",
    "name with space.txt": b"spaces\n",
    "sub/a.txt": text(1000),
    "sub/deeper/b.bin": noise(70000),
    "sub/deeper/mixed.dat": text(300000) + noise(65536) + text(1),
}
for name, data in files.items():
    os.makedirs(os.path.dirname(name) or ".", exist_ok=True)
    with open(name, "wb") as f:
        f.write(data)
os.makedirs("empty-folder", exist_ok=True)
PYTHON

find . -mindepth 1 -type d | sed 's|^\./|d |' | sort >../manifest.txt
find . -type f | sed 's|^\./|f |' | sort >>../manifest.txt

# Info-ZIP: deflated, stored, without folder entries, and prefixed by a stub it knows nothing of.
zip -q -r -X ../infozip-deflated.zip .
zip -q -r -X -0 ../infozip-stored.zip .
zip -q -r -X -D ../infozip-nofolders.zip .
head -c 4096 noise.bin | cat - ../infozip-deflated.zip >../infozip-prefixed.zip

# Python's zipfile: deflated and stored, and written to a pipe, which makes it use data
# descriptors.
"$python" - <<'PYTHON'
import os, sys, zipfile
def add_tree(archive):
    for folder, dirs, files in sorted(os.walk(".")):
        dirs.sort()
        for name in sorted(dirs):
            archive.write(os.path.join(folder, name)[2:])
        for name in sorted(files):
            archive.write(os.path.join(folder, name)[2:])
for name, method in (("python-deflated.zip", zipfile.ZIP_DEFLATED), ("python-stored.zip", zipfile.ZIP_STORED)):
    with zipfile.ZipFile(os.path.join("..", name), "w", method) as archive:
        add_tree(archive)
PYTHON
"$python" - <<'PYTHON' | cat >../python-streamed.zip
import os, sys, zipfile
with zipfile.ZipFile(sys.stdout.buffer, "w", zipfile.ZIP_DEFLATED) as archive:
    for folder, dirs, files in sorted(os.walk(".")):
        dirs.sort()
        for name in sorted(files):
            path = os.path.join(folder, name)[2:]
            with open(path, "rb") as source, archive.open(path, "w") as target:
                target.write(source.read())
PYTHON
