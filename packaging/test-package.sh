#!/usr/bin/env bash
# Builds the Debian package from a built Release tree, takes it apart into a throw-away root
# and checks it as an installed system would use it: control fields, the file list, libraries,
# the programs, manual pages, desktop entry, AppStream file, MIME type and completion.
# usage: test-package.sh RELEASE-TREE PACKAGING-SOURCE-DIR      exit 77: skipped
set -uo pipefail
release=$(realpath "$1")
here=$(realpath "$2")
skip() {
    echo "SKIP: $*"
    exit 77
}
for tool in cpack dpkg-deb dpkg-shlibdeps ldd; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/install-deps)"
done
[[ -f $release/CPackConfig.cmake && -x $release/app/qt/plumex && -x $release/cli/plumex-cli ]] ||
    skip "no built Release tree in $release (make build)"

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
# Optional validators: a missing one is named, the rest of the test goes on.
have() {
    command -v "$1" >/dev/null && return 0
    echo "note: $1 is not installed, its check is left out"
    return 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$release/CMakeCache.txt")
[[ -n $version ]] || fail "no project version in $release/CMakeCache.txt"

(cd "$work" && cpack --config "$release/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1) ||
    {
        cat "$work/cpack.log"
        echo "FAIL: cpack"
        exit 1
    }
deb=$(ls "$work"/out/plumex_*.deb 2>/dev/null | head -n 1)
[[ -f $deb ]] || {
    echo "FAIL: cpack made no plumex_*.deb"
    exit 1
}
echo "package: $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == plumex ]] || fail "Package is '$(field Package)'"
[[ $(field Version) == "$version" ]] || fail "Version '$(field Version)' is not $version"
[[ $(field Section) == graphics ]] || fail "Section is '$(field Section)'"
[[ $(field Recommends) == *povray* ]] || fail "povray is not recommended"
[[ $(field Maintainer) == *"<"*@*">" ]] || fail "Maintainer '$(field Maintainer)' has no address"
for lib in libc6 libqt6widgets6 libfreetype6; do
    [[ $(field Depends) == *"$lib"* ]] || fail "Depends lacks $lib: $(field Depends)"
done
[[ $(field Description | wc -l) -ge 3 ]] || fail "no long description"

root=$work/root
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"
share=$root/usr/share
for f in usr/bin/plumex usr/bin/plumex-cli usr/share/applications/plumex.desktop \
    usr/share/icons/hicolor/scalable/apps/plumex.svg usr/share/mime/packages/plumex.xml \
    usr/share/metainfo/io.github.plumex.Plumex.metainfo.xml usr/share/plumex/English.pll \
    usr/share/man/man1/plumex.1.gz usr/share/man/man1/plumex-cli.1.gz \
    usr/share/bash-completion/completions/plumex-cli usr/share/doc/plumex/copyright \
    usr/share/doc/plumex/changelog.gz usr/share/doc/plumex/examples/goblet.plx \
    usr/share/doc/plumex/examples/letter_p.plx usr/share/doc/plumex/examples/scene.pov; do
    [[ -f $root/$f ]] || fail "$f is not in the package"
done
for size in 16 22 24 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x$size/apps/plumex.png
    if [[ ! -f $png ]]; then
        fail "no $size px icon"
    elif [[ $(od -An -tx1 -j16 -N8 "$png" | tr -d ' \n') != \
        $(printf '%08x%08x' "$size" "$size") ]]; then
        fail "the $size px icon is not $size by $size"
    fi
done
[[ -z $(find "$root" -path "$root/usr" -prune -o -print | grep -vx "$root") ]] ||
    fail "files outside /usr: $(find "$root" -path "$root/usr" -prune -o -print)"

# The programs find every library and run without a display.
for exe in plumex plumex-cli; do
    missing=$(ldd "$root/usr/bin/$exe" | grep 'not found')
    [[ -z $missing ]] || fail "$exe: unresolved libraries: $missing"
done
cli=$root/usr/bin/plumex-cli
[[ $("$cli" --version) == "plumex-cli $version" ]] || fail "plumex-cli --version: $("$cli" --version)"
[[ $(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/plumex" --version) == "plumex $version" ]] ||
    fail "plumex --version without a display"
info=$("$cli" info "$share/doc/plumex/examples/goblet.plx") || fail "plumex-cli info on an example"
[[ $info == *"paths: "[1-9]* ]] || fail "plumex-cli info says: $info"
grep -q '^Load=no' "$share/plumex/English.pll" && grep -q '^Name=English' "$share/plumex/English.pll" ||
    fail "English.pll is not a language template"

# Manual pages render without warnings and document every command.
if have man; then
    for page in plumex plumex-cli; do
        warnings=$(MANWIDTH=80 man --warnings -l "$share/man/man1/$page.1.gz" 2>&1 >"$work/$page.txt")
        [[ -z $warnings ]] || fail "man $page warns: $warnings"
    done
    for command in $("$cli" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z0-9]*\) .*/\1/p'); do
        grep -q "^   plumex-cli $command\$" "$work/plumex-cli.txt" ||
            fail "man plumex-cli has no section for $command"
    done
    grep -q -- '--point-form' "$work/plumex-cli.txt" || fail "man plumex-cli lacks pov's options"
fi

# Desktop metadata passes its validators and the MIME type is found by name and by content.
if have desktop-file-validate; then
    desktop-file-validate "$share/applications/plumex.desktop" || fail "desktop-file-validate"
fi
if have appstreamcli; then
    appstreamcli validate --no-net "$share/metainfo/io.github.plumex.Plumex.metainfo.xml" ||
        fail "appstreamcli validate"
fi
if have update-desktop-database; then
    update-desktop-database "$share/applications" &&
        grep -q '^application/x-plumex=plumex.desktop;' "$share/applications/mimeinfo.cache" ||
        fail "update-desktop-database does not tie the MIME type to plumex.desktop"
fi
if have update-mime-database; then
    export XDG_DATA_DIRS=$share XDG_DATA_HOME=$work/home
    update-mime-database "$share/mime" || fail "update-mime-database"
    cp "$share/doc/plumex/examples/letter_p.plx" "$work/no-extension"
    if have xdg-mime && have mimetype; then
        type=$(xdg-mime query filetype "$share/doc/plumex/examples/goblet.plx")
        [[ $type == application/x-plumex ]] || fail "xdg-mime says $type for goblet.plx"
        type=$(mimetype --brief --magic-only "$work/no-extension")
        [[ $type == application/x-plumex ]] || fail "the magic bytes give $type"
        printf 'PlumexDatum\0\0\0\0\0' >"$work/not-a-drawing"
        type=$(mimetype --brief --magic-only "$work/not-a-drawing" 2>/dev/null)
        [[ $type != application/x-plumex ]] || fail "a near miss of the magic counts as a drawing"
    fi
    unset XDG_DATA_DIRS XDG_DATA_HOME
fi

# The installed completion against the installed program.
bash "$here/test-completion.sh" "$cli" "$share/bash-completion/completions/plumex-cli"
case $? in
    0 | 77) ;;
    *) fail "bash completion" ;;
esac

if have lintian; then
    lintian --fail-on error --suppress-tags-from-file "$here/lintian-accepted" "$deb" ||
        fail "lintian reports errors"
fi

if ((failures)); then
    echo "$failures package check(s) failed"
    exit 1
fi
echo "package: all checks passed"
