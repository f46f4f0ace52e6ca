#!/bin/sh
# Runs a Qt Test program under wine. Qt Test writes nothing to a pipe there, so its results go
# to a file, printed afterwards; the exit code is the test's.
exe=$1
shift
out=$(mktemp -d)
wine "$exe" -o "Z:$(printf '%s' "$out/result.txt" | tr / '\\'),txt" "$@"
status=$?
cat "$out/result.txt" 2>/dev/null || echo "no results from $exe"
rm -rf "$out"
exit $status
