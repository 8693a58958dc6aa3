#!/usr/bin/env bash
# The Debian package: built by CPack, it holds the program's files under /usr and depends on the
# libraries its programs link. Usage: package_deb.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log") ||
    fail "cpack: $(cat "$work/cpack.log")"
debs=("$work"/out/*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "cpack made no single .deb: ${debs[*]}"
deb=${debs[0]}

dpkg-deb -c "$deb" | awk '{ print $NF }' >"$work/files"
for f in ./usr/bin/tavro-nozzle ./usr/bin/tavro-nozzle-cli ./usr/lib/tavro-nozzle/libsavtojpg.so \
    ./usr/lib/tavro-nozzle/libtavrocharts.so ./usr/lib/tavro-nozzle/libtavroprint.so \
    ./usr/share/applications/io.github.tavro.nozzle.desktop \
    ./usr/share/icons/hicolor/scalable/apps/tavro-nozzle.svg \
    ./usr/share/metainfo/io.github.tavro.nozzle.metainfo.xml ./usr/share/doc/tavro-nozzle/copyright; do
    grep -qxF "$f" "$work/files" || fail "the package lacks $f"
done

[[ $(dpkg-deb -f "$deb" Package) == tavro-nozzle ]] || fail "package name"
# Qt Print Support and Qt Charts are the modules' libraries, not the program's.
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6printsupport6 libqt6svg6 libqt6charts6 libjpeg62-turbo libc6; do
    [[ $depends == *"$lib "* || $depends == *"$lib,"* || $depends == *"$lib" ]] ||
        fail "Depends lacks $lib: $depends"
done
echo "package passed: $(basename "$deb")"
