#!/usr/bin/env bash
# The Debian package CPack makes from the build folder: its name, version, section, maintainer and
# dependencies (the libraries its programs link, found by dpkg-shlibdeps, and fonts-liberation),
# exactly the expected files under /usr, and no error from lintian (its warnings are printed).
# Usage: deb_check.sh <build folder> <package version>; exits 77 (skipped) when a tool is missing.
set -uo pipefail
here=$(cd "${BASH_SOURCE[0]%/*}" && pwd)
build=$1
version=$2

for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/deps.sh test installs it)"
    exit 77
  fi
done
work=$(mktemp -d "${TMPDIR:-/tmp}/tallyman-deb.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
  echo "FAIL: $*" >&2
  failed=1
}

if ! (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out") >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  fail "cpack could not build the package"
  exit 1
fi
deb=$work/out/tallyman_${version}_$(dpkg --print-architecture).deb
[[ -f "$deb" ]] || { fail "no $deb; cpack made: $(ls "$work/out")"; exit 1; }

field() { dpkg-deb --field "$deb" "$1"; }
[[ "$(field Package)" == tallyman ]] || fail "package name \"$(field Package)\""
[[ "$(field Version)" == "$version" ]] || fail "version \"$(field Version)\", expected $version"
[[ "$(field Section)" == math ]] || fail "section \"$(field Section)\""
[[ "$(field Maintainer)" == *"<"*"@"*">" ]] || fail "maintainer \"$(field Maintainer)\" has no e-mail address"
depends=$(field Depends)
for dependency in libc6 libstdc++6 libqt6widgets6 libqt6printsupport6 libx11-6 fonts-liberation; do
  [[ ", $depends," == *", $dependency"[\ ,]* ]] || fail "Depends lacks $dependency: $depends"
done

contents=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print substr($6, 3)}' | LC_ALL=C sort)
expected=$(sed 's|^|usr/|' "$here/expected_files.txt" | LC_ALL=C sort)
[[ "$contents" == "$expected" ]] ||
  fail "the package's files differ from expected_files.txt: $(diff <(echo "$expected") <(echo "$contents"))"

lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1
status=$?
echo "lintian on $(basename "$deb"):"
sed 's/^/  /' "$work/lintian.log"
# 1: tags of error severity; anything above: lintian itself failed.
((status <= 1)) || fail "lintian could not check the package (exit $status)"
if ((status == 1)) || grep -q '^E: ' "$work/lintian.log"; then fail "lintian reports errors"; fi
exit "$failed"
