# What the installer tests share, sourced after process/lib.sh: a fresh Wine
# prefix at $WINEPREFIX, removed again when the test ends; checks named after
# the suite; registry values.

# fresh_prefix SUITE
fresh_prefix() {
    suite=$1
    export WINEDEBUG=-all WINEARCH=win64
    # No Linux menu entries for Start-menu shortcuts: the prefix holds it all.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    trap 'wineserver -k 2>/dev/null; chmod -R u+w "$WINEPREFIX" 2>/dev/null; rm -rf "$WINEPREFIX"' EXIT
    wineboot -u >/dev/null 2>&1
}

check() {  # NAME COMMAND...
    if "${@:2}"; then pass "$suite: $1"; else fail "$suite: $1" "failed"; fi
}

reg_value() {  # KEY NAME: the value, or nothing (status 1) when it is missing
    wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
        awk -v n="$2" 'tolower($1) == tolower(n) { sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]+/, ""); print; f = 1 } END { exit !f }'
}

# reg_becomes KEY NAME VALUE: whether the value reads VALUE within 20 s, for
# a change made by a program the test cannot wait for (a Start-menu entry
# started through the shell may run on after `start /wait` returns). When
# it does not, what it reads is printed.
reg_becomes() {
    local end=$((SECONDS + 20)) now
    while now=$(reg_value "$1" "$2"); [ "$now" != "$3" ]; do
        [ $SECONDS -lt $end ] || { echo "  $2 reads '$now'"; return 1; }
        sleep 0.3
    done
}
