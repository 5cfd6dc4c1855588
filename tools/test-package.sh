#!/bin/sh
# Installs the player's .deb from the build folder with apt, checks what it installed, plays a demo game
# from the installed data headless, and removes the package again. Run as root by `make test-package`.
set -eu
build=${1:-build}
deb=$(ls "$build"/zebora_*.deb | head -n 1)
fail() {
    echo "test-package: $*" >&2
    exit 1
}
[ "$(id -u)" = 0 ] || fail "run as root: it installs $deb"
# Someone's own zebora is never replaced nor removed.
if dpkg-query -W -f='${Status}' zebora 2>/dev/null | grep -q "install ok installed"; then
    fail "a zebora package is installed already; remove it first"
fi
work=$(mktemp -d)
trap 'apt-get remove -y -qq zebora >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$(realpath "$deb")" >/dev/null

for file in /usr/bin/zebora /usr/share/zebora/function.dat /usr/share/zebora/system.bmp \
    /usr/share/zebora/qmlogo.bmp /usr/share/zebora/zeb.bmp /usr/share/applications/zebora.desktop \
    /usr/share/icons/hicolor/48x48/apps/zebora.png /usr/share/man/man6/zebora.6 \
    /usr/share/doc/zebora/scripting.md /usr/share/mime/packages/zebora.xml \
    /usr/share/metainfo/io.github.zebora.Zebora.metainfo.xml; do
    [ -f "$file" ] || fail "$file is not installed"
done
version=$(zebora --version)
case "$version" in zebora\ *) ;; *) fail "zebora --version said \"$version\"" ;; esac

# From a folder without function.dat the player takes its installed data: the demo game named plays at
# once, and ends the program when the reader closes its window.
cd "$work"
printf 'wait 8000\nshot played\n' > reader.txt
status=0
HOME="$work" XDG_CONFIG_HOME="$work" zebora --headless --reader reader.txt --shots "$work" \
    --transcript transcript.txt /usr/share/zebora/hanami 2> errors.txt || status=$?
[ "$status" = 1 ] || fail "the demo game ended with status $status"
[ ! -s errors.txt ] || fail "the demo game said: $(cat errors.txt)"
[ -s played.png ] || fail "the demo game left no picture"
[ -s transcript.txt ] || fail "the demo game typed no text"
apt-get remove -y -qq zebora >/dev/null
[ ! -e /usr/bin/zebora ] || fail "the package left /usr/bin/zebora behind"
echo "test-package: $deb installs, plays a demo game from /usr/share/zebora and removes cleanly"
