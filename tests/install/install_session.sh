#!/usr/bin/env bash
# The program installed into a fresh prefix as a user installs it: the files in their places, the
# desktop files valid, the installed tool computing, the installed window working with its JPEG,
# characteristics and printer modules. Usage: install_session.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || fail "$(cat "$work/install.log")"
desktop=share/applications/io.github.tavro.nozzle.desktop
metainfo=share/metainfo/io.github.tavro.nozzle.metainfo.xml
for f in bin/tavro-nozzle bin/tavro-nozzle-cli lib/tavro-nozzle/libsavtojpg.so \
    lib/tavro-nozzle/libtavrocharts.so lib/tavro-nozzle/libtavroprint.so "$desktop" "$metainfo" share/icons/hicolor/scalable/apps/tavro-nozzle.svg share/doc/tavro-nozzle/copyright; do
    [[ -f $prefix/$f ]] || fail "not installed: $f"
done
[[ ! -e $prefix/bin/libsavtojpg.so ]] || fail "the JPEG module lies in bin/"
[[ ! -e $prefix/bin/libtavrocharts.so ]] || fail "the characteristics module lies in bin/"
[[ ! -e $prefix/bin/libtavroprint.so ]] || fail "the printer module lies in bin/"
# Qt Charts is loaded with the characteristics window and Qt Print Support with the first print,
# not at every start; the printer module brings Qt Print Support itself.
if readelf -d "$prefix/bin/tavro-nozzle" | grep -q 'NEEDED.*libQt6\(Charts\|OpenGL\|PrintSupport\)'; then
    fail "the program links Qt Charts or Print Support: $(readelf -d "$prefix/bin/tavro-nozzle" | grep NEEDED)"
fi
readelf -d "$prefix/lib/tavro-nozzle/libtavroprint.so" | grep -q 'NEEDED.*libQt6PrintSupport' ||
    fail "the printer module does not link Qt Print Support"

# The menu entry starts the program by name and shows its icon.
grep -qx 'Exec=tavro-nozzle' "$prefix/$desktop" || fail "the menu entry does not start tavro-nozzle"
grep -qx 'Icon=tavro-nozzle' "$prefix/$desktop" || fail "the menu entry has another icon"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/$desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/$metainfo" >"$work/appstream.log" ||
        fail "appstreamcli: $(cat "$work/appstream.log")"
fi

# The installed tool computes the example design.
out=$("$prefix/bin/tavro-nozzle-cli" calc Rkr=10 Qa=10 k=1.24 Pk=5 H=0 Rc=30 Qc=45)
[[ $out == *$'\n19\t50.42\n20\t76.63\n'*$'outcome\tok' ]] || fail "installed tool: $out"

# The installed window in a session: open, edit, save, a JPEG through the installed module, exit.
"$source/tests/e2e/window_session.sh" "$prefix/bin" "$source/tests/docs/golden/worked_example.dat"
echo "install passed"
