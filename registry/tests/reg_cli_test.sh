#!/usr/bin/env bash
# The reg program itself: the suite's own store by default, exit codes, one-line errors,
# and REG_SZ (Chinese too), REG_DWORD and REG_BINARY through add, query, export, import;
# help and version without a store, hostile imports, an export onto a full disk, the manual.
set -u
reg="${SUITE_BIN_DIR:?}/reg"
work="${TMPDIR:?}"
failures=0

fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}

# expect_error DESCRIPTION COMMAND...: exit status 1 and exactly one "ERROR: " line on stderr.
expect_error() {
    local what="$1"
    shift
    "$@" >"$work/out" 2>"$work/err"
    local status=$?
    [ "$status" -eq 1 ] || fail "$what: exit status $status"
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$what: stderr is not one line: $(cat "$work/err")"
    grep -q '^ERROR: ' "$work/err" || fail "$what: no ERROR line"
}

key='HKCU\Software\测试'
out=$("$reg" query 'HKCU\Control Panel\desktop\WindowMetrics' /v MinAnimate) || fail "query of a seeded value"
[[ "$out" == *"    MinAnimate    REG_SZ    1"* ]] || fail "seeded value shown as: $out"
[ -f "$XDG_DATA_HOME/shellstyle-suite/registry.db" ] || fail "the store is not in the suite's data folder"

"$reg" add "$key" /v 名字 /d '你好，世界 "1"' >/dev/null || fail "add REG_SZ"
"$reg" add "$key" /v Count /t REG_DWORD /d 30 >/dev/null || fail "add REG_DWORD"
"$reg" add "$key" /v Bytes /t REG_BINARY /d 3030ff00 >/dev/null || fail "add REG_BINARY"
"$reg" query "$key" >"$work/before.txt" || fail "query"
expected=$'\nHKEY_CURRENT_USER\\Software\\测试\n    Bytes    REG_BINARY    3030FF00\n    Count    REG_DWORD    0x1e\n    名字    REG_SZ    你好，世界 "1"'
[ "$(cat "$work/before.txt")" == "$expected" ] || fail "query output: $(cat "$work/before.txt")"

"$reg" export "$key" "$work/a.reg" >/dev/null || fail "export"
[ "$(head -c 2 "$work/a.reg" | od -An -tx1 | tr -d ' ')" = fffe ] || fail "export has no UTF-16LE mark"
iconv -f UTF-16 -t UTF-8 "$work/a.reg" >"$work/a.txt" || fail "export is not UTF-16 text"
head -1 "$work/a.txt" | grep -q '^Windows Registry Editor Version 5.00'$'\r''$' || fail "Version 5.00 header"
grep -q '^"名字"="你好，世界 \\"1\\""' "$work/a.txt" || fail "text in the export"
grep -q '^"Count"=dword:0000001e' "$work/a.txt" || fail "dword in the export"
grep -q '^"Bytes"=hex:30,30,ff,00' "$work/a.txt" || fail "hex in the export"
"$reg" export "$key" "$work/a4.reg" /a >/dev/null || fail "export /a"
iconv -f CP936 -t UTF-8 "$work/a4.reg" | grep -q '^"名字"="你好，世界 \\"1\\""' || fail "export /a is not code page 936 text"
head -1 "$work/a4.reg" | grep -q '^REGEDIT4'$'\r''$' || fail "REGEDIT4 header"

XDG_DATA_HOME="$work/other" "$reg" import "$work/a.reg" >/dev/null || fail "import into an empty store"
XDG_DATA_HOME="$work/other" "$reg" query "$key" >"$work/after.txt" || fail "query after import"
cmp -s "$work/before.txt" "$work/after.txt" || fail "imported store differs: $(cat "$work/after.txt")"
XDG_DATA_HOME="$work/other" "$reg" export "$key" "$work/b.reg" >/dev/null || fail "export of the copy"
cmp -s "$work/a.reg" "$work/b.reg" || fail "export of the copy differs"
XDG_DATA_HOME="$work/other4" "$reg" import "$work/a4.reg" >/dev/null || fail "import of /a into an empty store"
XDG_DATA_HOME="$work/other4" "$reg" query "$key" /s >"$work/after4.txt" || fail "query after import of /a"
"$reg" query "$key" /s | cmp -s - "$work/after4.txt" || fail "REGEDIT4 copy differs: $(cat "$work/after4.txt")"

# Standard output and pipes get the export itself; the /dev/stdout link stays a link.
"$reg" export "$key" - | cat >"$work/piped.reg" || fail "export to a pipe"
cmp -s "$work/a.reg" "$work/piped.reg" || fail "export through - differs"
"$reg" export "$key" /dev/stdout /y | cat >"$work/piped2.reg" || fail "export to /dev/stdout"
cmp -s "$work/a.reg" "$work/piped2.reg" || fail "export through /dev/stdout differs"
"$reg" export "$key" /dev/stdout /y >"$work/redirected.reg" || fail "export to /dev/stdout as a file"
cmp -s "$work/a.reg" "$work/redirected.reg" || fail "export to a redirected /dev/stdout differs"
[ -L /dev/stdout ] || [ ! -e /dev/stdout ] || fail "/dev/stdout is no longer a link"
ln -s a.reg "$work/link.reg"
expect_error "export onto a link" "$reg" export "$key" "$work/link.reg" /y
[ -L "$work/link.reg" ] || fail "the link was replaced"

expect_error "missing key" "$reg" query 'HKCU\Nowhere'
expect_error "missing value" "$reg" query "$key" /v nothing
expect_error "bad root" "$reg" add 'HKXY\Software' /f
expect_error "bad dword" "$reg" add "$key" /v Count /t REG_DWORD /d ten /f
expect_error "no arguments" "$reg"
"$reg" /? >/dev/null || fail "help"

mkdir -p "$work/bad/shellstyle-suite"
head -c 6000 /dev/urandom >"$work/bad/shellstyle-suite/registry.db"
cp "$work/bad/shellstyle-suite/registry.db" "$work/garbage.copy"
XDG_DATA_HOME="$work/bad" expect_error "garbage store" "$reg" query HKCU
grep -q 'registry.db' "$work/err" || fail "the garbage store's message does not name the file: $(cat "$work/err")"
XDG_DATA_HOME="$work/bad" expect_error "write to a garbage store" "$reg" add 'HKCU\x' /v a /d b /f
cmp -s "$work/bad/shellstyle-suite/registry.db" "$work/garbage.copy" || fail "the garbage store was changed"

# Help and the version need no store.
XDG_DATA_HOME="$work/nostore" "$reg" --version | grep -Eq '^reg [0-9]+(\.[0-9]+)+$' || fail "--version"
for cmd in query add delete export import; do
    XDG_DATA_HOME="$work/nostore" "$reg" "$cmd" /? >"$work/out" || fail "$cmd /? exit status"
    head -1 "$work/out" | grep -q "^reg $cmd " || fail "$cmd /? shows: $(head -1 "$work/out")"
done
[ ! -e "$work/nostore" ] || fail "help made a store"

# A device or a pipe is refused at once with one line, not read until memory runs out.
expect_error "import of /dev/zero" timeout 30 "$reg" import /dev/zero
mkfifo "$work/pipe.reg"
expect_error "import of a pipe" timeout 30 "$reg" import "$work/pipe.reg"

# An export that a full disk cannot hold leaves the earlier export whole. A private
# mount namespace holds the small disk, so nothing outside this test sees it.
if unshare --mount true 2>/dev/null; then
    mkdir -p "$work/full"
    big=$(head -c 40000 /dev/urandom | od -An -v -tx1 | tr -d ' \n')
    "$reg" add 'HKCU\Big' /v b /t REG_BINARY /d "$big" /f >/dev/null || fail "add of a big value"
    unshare --mount bash -c '
        mount -t tmpfs -o size=64k tmpfs "$1" || exit 2
        printf "earlier export" >"$1/keep.reg"
        "$2" export "HKCU\Big" "$1/keep.reg" /y 2>"$3/full.err"
        echo $? >"$3/full.status"
        cat "$1/keep.reg" >"$3/full.after"
        ls "$1" >"$3/full.ls"' _ "$work/full" "$reg" "$work"
    [ "$(cat "$work/full.status" 2>/dev/null)" = 1 ] || fail "export onto a full disk: status $(cat "$work/full.status" 2>/dev/null)"
    [ "$(cat "$work/full.after" 2>/dev/null)" = "earlier export" ] || fail "the earlier export was damaged"
    [ "$(cat "$work/full.ls" 2>/dev/null)" = "keep.reg" ] || fail "a temporary file was left: $(cat "$work/full.ls")"
    [ "$(wc -l <"$work/full.err")" -eq 1 ] || fail "full disk message: $(cat "$work/full.err")"
else
    echo "SKIPPED: full-disk export (no private mount namespace for a small tmpfs here)"
fi

[ "$failures" -eq 0 ] && echo "all reg checks passed"
exit $((failures > 0))
