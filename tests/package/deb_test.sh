#!/bin/bash
# The Debian package of the build tree.
#   deb_test.sh build    BUILD OUT  makes OUT/corvane_*.deb with CPack (under a
#                                   loose umask, which must not show)
#   deb_test.sh contents BUILD OUT  paths, owners, modes, dependencies, lintian
#   deb_test.sh install  BUILD OUT  as root: installs it, runs it as a plain
#                                   user under Xvfb (as_user.sh), removes and
#                                   purges it; the package never stays
set -uo pipefail
export LC_ALL=C
mode=$1 build=$2 out=$3
here=$(cd "$(dirname "$0")" && pwd)
user=corvane-pkg
failures=0
check() {  # DESCRIPTION COMMAND...
    if "${@:2}"; then echo "ok   - $1"; else echo "FAIL - $1"; failures=$((failures + 1)); fi
}
finish() { echo "$failures failure(s)"; [ $failures -eq 0 ]; exit; }
deb() { ls "$out"/corvane_*.deb 2>/dev/null | head -1; }

case $mode in
build)
    rm -rf "$out" && mkdir -p "$out"
    umask 002
    cpack -G DEB -B "$out" --config "$build/CPackConfig.cmake" >"$out/cpack.log" 2>&1 ||
        { cat "$out/cpack.log"; exit 1; }
    check "CPack made the package" test -n "$(deb)"
    finish
    ;;
contents)
    [ -n "$(deb)" ] || { echo "no package in $out"; exit 1; }
    dpkg-deb -c "$(deb)" >"$out/listing"
    # "MODE OWNER PATH [-> TARGET]" for every entry.
    awk '{ p = $6; sub(/^\./, "", p); sub(/\/$/, "", p); if (p == "") p = "/"
           line = $1 " " $2 " " p; if ($7 == "->") line = line " -> " $8; print line }' \
        "$out/listing" >"$out/entries"
    entry() { grep -qxF -- "$1" "$out/entries"; }
    for e in "-rwxr-xr-x root/root /usr/libexec/corvane/Corvane" \
        "-rwxr-xr-x root/root /usr/libexec/corvane/Tellwell" \
        "lrwxrwxrwx root/root /usr/bin/Corvane -> ../libexec/corvane/Corvane" \
        "lrwxrwxrwx root/root /usr/libexec/xscreensaver/Corvane -> ../corvane/Corvane" \
        "-rw-r--r-- root/root /usr/share/corvane/corvane.ini" \
        "-rw-r--r-- root/root /usr/share/xscreensaver/config/corvane.xml" \
        "-rw-r--r-- root/root /usr/share/applications/corvane-settings.desktop" \
        "-rw-r--r-- root/root /usr/share/applications/screensavers/corvane.desktop" \
        "-rw-r--r-- root/root /usr/share/metainfo/com.vantrelsoftware.Corvane.metainfo.xml" \
        "-rw-r--r-- root/root /usr/share/icons/hicolor/48x48/apps/corvane.png" \
        "-rw-r--r-- root/root /usr/share/icons/hicolor/256x256/apps/corvane.png" \
        "-rw-r--r-- root/root /usr/share/man/man6/Corvane.6.gz" \
        "-rwxr-xr-x root/root /usr/bin/corvane-xscreensaver" \
        "-rw-r--r-- root/root /usr/share/man/man1/corvane-xscreensaver.1.gz" \
        "-rw-r--r-- root/root /usr/share/doc/corvane/copyright" \
        "drwxr-xr-x root/root /usr/share/corvane/vantrelsoftware/corvane"; do
        check "$e" entry "$e"
    done
    for f in flag_background logo flag_small flag_med flag_large flag_xlarge; do
        check "picture $f.bmp" entry "-rw-r--r-- root/root /usr/share/corvane/vantrelsoftware/corvane/$f.bmp"
    done
    check "every entry belongs to root" test -z "$(awk '$2 != "root/root"' "$out/entries")"
    check "nothing but links is writable by group or others" \
        test -z "$(awk '$1 !~ /^l/ && (substr($1, 6, 1) == "w" || substr($1, 9, 1) == "w")' "$out/entries")"
    check "everything under /usr, no captured desktop" \
        test -z "$(awk '$3 !~ /^\/usr(\/|$)/ && $3 != "/" || $3 ~ /\/background\.bmp$/' "$out/entries")"
    # Every library the programs load comes from a package the package depends on.
    depends=$(dpkg-deb -f "$(deb)" Depends)
    echo "  Depends: $depends"
    arch=$(dpkg --print-architecture) multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null)
    for lib in $(objdump -p "$build/Corvane" "$build/Tellwell" | awk '/NEEDED/{print $2}' | sort -u); do
        pkg=$(dpkg -S "*/$multiarch/$lib" 2>/dev/null | grep -- ":$arch: " | head -1 | cut -d: -f1)
        check "needs $lib: ${pkg:-(no package)} declared" grep -qw -- "${pkg:-?}" <<<"$depends"
    done
    for pkg in libsdl2-2.0-0 libfltk1.3 libx11-6; do
        check "depends on $pkg" grep -qw -- "$pkg" <<<"$depends"
    done
    exec_line=$(dpkg-deb --fsys-tarfile "$(deb)" | tar -xO ./usr/share/applications/corvane-settings.desktop | grep '^Exec=')
    check "the menu entry runs Corvane /C from the PATH" test "$exec_line" = 'Exec="Corvane" /C'
    if command -v appstreamcli >/dev/null; then
        dpkg-deb --fsys-tarfile "$(deb)" | tar -xO ./usr/share/metainfo/com.vantrelsoftware.Corvane.metainfo.xml \
            >"$out/metainfo.xml"
        check "the AppStream metainfo validates" appstreamcli validate --no-net "$out/metainfo.xml"
    fi
    for f in corvane-settings.desktop screensavers/corvane.desktop; do
        dpkg-deb --fsys-tarfile "$(deb)" | tar -xO "./usr/share/applications/$f" >"$out/entry.desktop"
        check "$f validates, with an icon and keywords" bash -c \
            "desktop-file-validate '$out/entry.desktop' && grep -q '^Icon=corvane' '$out/entry.desktop' && grep -q '^Keywords=' '$out/entry.desktop'"
    done
    if command -v lintian >/dev/null; then
        # Every tag, pedantic ones too, except those that cannot go: the
        # maker's folder name inside the product's (the programs read their
        # pictures from vantrelsoftware/corvane/).
        lintian -EvIL +pedantic --tag-display-limit 0 "$(deb)" 2>/dev/null |
            grep -E '^[EWIPX]: ' | grep -v 'repeated-path-segment corvane' >"$out/lintian-all.log"
        sed 's/^/  lintian (all): /' "$out/lintian-all.log"
        check "lintian, pedantic tags included, reports nothing else" test ! -s "$out/lintian-all.log"
        lintian --fail-on error --tag-display-limit 0 "$(deb)" >"$out/lintian.log" 2>&1
        rc=$?
        sed 's/^/  lintian: /' "$out/lintian.log"
        check "lintian reports no error" test $rc -eq 0
    else
        echo "  (lintian is not installed)"
    fi
    finish
    ;;
install) ;;
*) echo "usage: $0 build|contents|install BUILD OUT"; exit 2 ;;
esac

# --- install: root only, one run at a time on this machine ---------------
[ "$(id -u)" -eq 0 ] || { echo "SKIP: installing the package needs root"; exit 77; }
[ -n "$(deb)" ] || { echo "no package in $out"; exit 1; }
exec 9>/var/lock/corvane-package-test.lock
flock -w 600 9 || { echo "another package test holds the lock"; exit 1; }
if dpkg-query -W -f='${Status}' corvane 2>/dev/null | grep -q installed; then
    echo "SKIP: corvane is installed on this machine already; leaving it alone"
    exit 77
fi
# dpkg, waiting while another dpkg or apt on this machine holds its lock.
dpkg_waiting() {
    local n msg
    for n in $(seq 120); do
        msg=$(dpkg "$@" 2>&1) && return 0
        grep -qi 'lock' <<<"$msg" || { echo "$msg"; return 1; }
        sleep 1
    done
    echo "$msg"
    return 1
}
uid=""
cleanup() {
    if dpkg-query -W -f='${Status}' corvane 2>/dev/null | grep -qv not-installed; then
        dpkg_waiting -P corvane >/dev/null || echo "FAIL - could not purge the package"
    fi
    if id "$user" >/dev/null 2>&1; then
        userdel -r "$user" 2>/dev/null
    fi
    [ -n "$uid" ] && rm -rf "/tmp/corvane-$uid"
}
trap cleanup EXIT
id "$user" >/dev/null 2>&1 && userdel -r "$user" 2>/dev/null

dpkg_waiting -i "$(deb)" >"$out/dpkg-install.log" || { cat "$out/dpkg-install.log"; exit 1; }
dpkg -L corvane | sort >"$out/installed"
check "installed files and folders belong to root, none writable by group or others" \
    test -z "$(grep -v '^/\.$' "$out/installed" | xargs stat -c '%U %a %F %n' |
        awk '$3 != "symbolic" && ($1 != "root" || substr($2, length($2) - 1, 1) ~ /[2367]/ || substr($2, length($2), 1) ~ /[2367]/)')"
check "Corvane is on the PATH" test "$(command -v Corvane)" = /usr/bin/Corvane

useradd -m -s /bin/bash "$user" || exit 1
uid=$(id -u "$user")
home=$(getent passwd "$user" | cut -d: -f6)
runuser -u "$user" -- env -i HOME="$home" USER="$user" PATH=/usr/bin:/bin LANG=C.UTF-8 \
    bash "$here/as_user.sh" 2>&1 | sed 's/^/  user: /'
check "the user's runs passed" test "${PIPESTATUS[0]}" -eq 0
check "the user's folder holds the user's settings" \
    test "$(stat -c %U "$home/.local/share/corvane/corvane.ini" 2>/dev/null)" = "$user"
check "the installed files are unchanged (dpkg --verify)" test -z "$(dpkg --verify corvane)"
check "nothing was added to the installed folders" \
    test -z "$(find /usr/share/corvane /usr/libexec/corvane | sort | comm -23 - "$out/installed")"

dpkg_waiting -r corvane >"$out/dpkg-remove.log" || cat "$out/dpkg-remove.log"
left=""
while read -r path; do
    if [ -L "$path" ] || [ -f "$path" ]; then left="$left $path"; fi
done <"$out/installed"
for d in /usr/share/corvane /usr/libexec/corvane /usr/share/doc/corvane; do
    [ -e "$d" ] && left="$left $d"
done
check "dpkg -r removes every installed file${left:+ (left:$left)}" test -z "$left"
dpkg_waiting -P corvane >/dev/null
check "purged: dpkg knows no corvane" test -z "$(dpkg-query -W -f='${Status}' corvane 2>/dev/null)"
check "the user's folder stays" test -f "$home/.local/share/corvane/corvane.ini"
finish
