#!/usr/bin/env bash
# Every file the program writes goes through dateischreiben (ui/dateischreiben.h).
# Lists the writers that call it and fails on any other way of writing a file in
# the program's sources (the layers and the tools; tests and benchmarks may
# write their fixtures as they like). In-memory buffers open as QBuffer::WriteOnly
# and images are saved onto the routine's device (`save(&datei, ...)`), so
# neither looks like a file write here.
set -euo pipefail
wurzel=${1:-$(dirname "$0")/..}
cd "$wurzel"

routine=ui/dateischreiben.cpp
# One alternative per way of writing a file.
muster=(
  '\bQSaveFile\b'
  '\bQTemporaryFile\b'
  '(?<!QBuffer)::(WriteOnly|ReadWrite|Append|Truncate|NewOnly)\b'
  'QPdfWriter\s+\w+\s*\((?!\s*&)'
  'new\s+QPdfWriter\s*\((?!\s*&)'
  '\.save\s*\((?!\s*&)'
  '\b(fopen|freopen|popen)\s*\([^)]*"[wa+]'
  '\b(open|openat|open64)\s*\([^)]*\b(O_WRONLY|O_RDWR|O_CREAT|O_TMPFILE|O_TRUNC)\b'
  '\b(creat|mkstemp|mkostemp|truncate|ftruncate)\s*\('
  '::\s*(rename|renameat|linkat|creat|mkstemp)\s*\('
  '\bstd::(ofstream|fstream)\b'
  'QFile::(copy|rename|link)\s*\('
  )
regel=$(IFS='|'; echo "${muster[*]}")

# The rule itself is checked on lines it must and must not find.
umgehungen=$'QSaveFile datei(name);\nQTemporaryFile t;\nf.open(QIODevice::WriteOnly);\nf.open(QFile::ReadWrite | QFile::Truncate);\nQPdfWriter pdf(name);\nbild.save(pfad, "PNG");\nstd::FILE* f = std::fopen(n, "wb");\nint fd = ::open(n, O_WRONLY | O_CREAT, 0644);\n::rename(a, b);\nstd::ofstream aus(n);\nQFile::copy(a, b);'
erlaubt=$'puffer.open(QBuffer::WriteOnly);\nbild.save(&datei, "PNG");\nQPdfWriter pdf(&datei);\nf.open(QIODevice::ReadOnly);\nconst int fd = ::open(name, O_RDONLY | O_NONBLOCK);'
while IFS= read -r zeile; do
  grep -qP "$regel" <<<"$zeile" || { echo "rule misses a bypass: $zeile"; exit 1; }
done <<<"$umgehungen"
while IFS= read -r zeile; do
  ! grep -qP "$regel" <<<"$zeile" || { echo "rule flags an allowed line: $zeile"; exit 1; }
done <<<"$erlaubt"

quellen=$(find termeval derive analysis state plot ui tools -name '*.cpp' -o -name '*.h' | grep -v "^$routine$" | sort)

echo "writers through dateischreiben:"
# shellcheck disable=SC2086
grep -nP '\bdateischreiben\s*\(' $quellen | grep -v '^ui/dateischreiben.h:' | sed 's/^/  /' || true

# shellcheck disable=SC2086
if umgehend=$(grep -nP "$regel" $quellen | grep -vP '^\S+:\d+:\s*//'); then
  echo "writes that go round dateischreiben:"
  echo "$umgehend" | sed 's/^/  /'
  exit 1
fi
echo "no file is written another way"
