#!/usr/bin/env bash
# Builds the Debian package from an existing build, unpacks it into a scratch root and
# checks what it holds: the programs run from there, the desktop entry, the AppStream
# metainfo and the manual pages.
#   check_package.sh BUILD_DIR VERSION EXPECTED_RESULT_FILE EXIT_STATUS_HEADER
set -uo pipefail
build="$(cd "$1" && pwd)"
version="$2"
expected_result="$3"
exit_status_header="$4"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
export LC_ALL=C

failures=0
fail() {
  echo "package: $*"
  failures=$((failures + 1))
}

# The package, from the install rules of the build, written into the scratch directory
# so that the build directory keeps no package of a test run.
if ! (cd "$build" && cpack -G DEB -B "$scratch/out") >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"
  echo "package: cpack failed"
  exit 1
fi
deb="$scratch/out/fluxeta_${version}_$(dpkg --print-architecture).deb"
if [ ! -f "$deb" ]; then
  echo "package: no $(basename "$deb"); cpack wrote: $(cd "$scratch/out" && ls ./*.deb 2>/dev/null)"
  exit 1
fi

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = fluxeta ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)'"
[ "$(field Section)" = science ] || fail "Section is '$(field Section)'"
# dpkg-shlibdeps names the libraries of both programs: the C++ runtime and Qt.
depends="$(field Depends)"
for library in libc6 libstdc++6 libqt6widgets6; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: '$depends'"
done

root="$scratch/root"
dpkg-deb -x "$deb" "$root" || { echo "package: dpkg-deb -x failed"; exit 1; }
for file in usr/bin/fluxeta usr/bin/fluxeta-batch \
            usr/share/applications/org.fluxeta.Fluxeta.desktop \
            usr/share/metainfo/org.fluxeta.Fluxeta.metainfo.xml \
            usr/share/icons/hicolor/scalable/apps/org.fluxeta.Fluxeta.svg \
            usr/share/icons/hicolor/32x32/apps/org.fluxeta.Fluxeta.png \
            usr/share/man/man1/fluxeta.1.gz usr/share/man/man1/fluxeta-batch.1.gz \
            usr/share/doc/fluxeta/copyright usr/share/fluxeta/die-document.schema.json; do
  [ -f "$root/$file" ] || fail "the package lacks /$file"
done

# The unpacked command line on the default case writes the expected result file.
mkdir "$scratch/run"
if ! (cd "$scratch/run" && "$root/usr/bin/fluxeta-batch" </dev/null) >"$scratch/batch.log" 2>&1; then
  fail "the unpacked fluxeta-batch failed: $(cat "$scratch/batch.log")"
elif ! cmp -s "$scratch/run/Result.txt" "$expected_result"; then
  fail "the unpacked fluxeta-batch wrote another result file than $expected_result"
fi

# The Python module, when the package holds one, imports from the unpacked root.
module_dirs="$(find "$root" -maxdepth 6 -regextype posix-extended \
                 -regex '.*-packages/fluxeta(\.py|[.a-z0-9_-]*\.so)?' -printf '%h\n' | sort -u)"
if [ -z "$module_dirs" ]; then
  echo "package: the package holds no Python module fluxeta; the import is not checked"
elif [ "$(echo "$module_dirs" | wc -l)" -ne 1 ]; then
  fail "the Python module fluxeta lies in more than one directory: $module_dirs"
else
  imported="$(cd "$scratch/run" && PYTHONNOUSERSITE=1 PYTHONPATH="$module_dirs" \
                python3 -c "import fluxeta; print(fluxeta.__file__)" 2>&1)"
  if [ $? -ne 0 ]; then
    fail "python3 -c 'import fluxeta' failed: $imported"
  elif [[ "$imported" != "$module_dirs"/* ]]; then
    fail "import fluxeta found $imported, not the module in the package"
  else
    echo "package: import fluxeta from ${module_dirs#"$root"}"
  fi
fi

desktop_entry="$root/usr/share/applications/org.fluxeta.Fluxeta.desktop"
if ! desktop-file-validate "$desktop_entry" >"$scratch/desktop.log" 2>&1 ||
   [ -s "$scratch/desktop.log" ]; then
  fail "desktop-file-validate: $(cat "$scratch/desktop.log")"
fi
metainfo="$root/usr/share/metainfo/org.fluxeta.Fluxeta.metainfo.xml"
if ! appstreamcli validate --no-net --no-color "$metainfo" >"$scratch/appstream.log" 2>&1; then
  fail "appstreamcli validate: $(cat "$scratch/appstream.log")"
fi
launchable="$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")"
[ -f "$root/usr/share/applications/$launchable" ] ||
  fail "the metainfo launches '$launchable', which the package does not hold"

# Both manual pages render, without a warning of the formatter.
for page in fluxeta fluxeta-batch; do
  file="$root/usr/share/man/man1/$page.1.gz"
  if ! MANWIDTH=80 man --warnings -l -P cat "$file" >"$scratch/$page.txt" 2>"$scratch/$page.err"; then
    fail "man -l $page.1.gz failed: $(cat "$scratch/$page.err")"
  elif [ ! -s "$scratch/$page.txt" ] || [ -s "$scratch/$page.err" ]; then
    fail "man -l $page.1.gz rendered $(wc -c <"$scratch/$page.txt") bytes: $(cat "$scratch/$page.err")"
  fi
done

# fluxeta-batch(1) documents every exit status the program has.
exit_statuses="$(sed -n 's/^ *k[A-Za-z]* = \([0-9]*\),.*/\1/p' "$exit_status_header")"
[ -n "$exit_statuses" ] || fail "no exit status found in $exit_status_header"
exit_section="$(sed -n '/^EXIT STATUS/,/^[A-Z]/p' "$scratch/fluxeta-batch.txt")"
for status in $exit_statuses; do
  grep -Eq "^ +$status +[A-Z]" <<<"$exit_section" ||
    fail "fluxeta-batch(1) does not document exit status $status"
done

echo "package: $failures failed"
[ "$failures" -eq 0 ]
