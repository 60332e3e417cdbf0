#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds every release artefact of the commit checked out (HEAD, not the
# working tree) into OUT_DIR (dist/ by default):
#   titletype_VERSION_amd64.deb                the Debian package
#   titletype-VERSION-linux-x86_64.tar.gz      the install tree, for other distributions
#   titletype-VERSION-windows-x86_64.zip       the .exe with README, LICENSE and NEWS
#   titletype-VERSION-web.zip                  the browser page, for any static web host
#   titletype-VERSION-source.tar.gz            the source
#   SHA256SUMS
# The same commit gives the same bytes wherever and whenever it is built:
# times come from the commit, owners and modes are fixed, paths are mapped.
# Usage: scripts/release.sh [OUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --release
out=$(realpath -m "${1:-dist}")

version=$(sed -n 's/^project(titletype VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
release_date=$(sed -n 's/^set(TITLETYPE_RELEASE_DATE \(.*\))$/\1/p' CMakeLists.txt)
[[ -n $version && -n $release_date ]] || { echo "release.sh: no version in CMakeLists.txt" >&2; exit 1; }
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct HEAD)
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C.UTF-8
name=titletype-$version

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
rm -f "$out"/titletype[-_]* "$out/SHA256SUMS"

# Owners, modes and times that do not depend on who builds, with which
# umask, or when.
normalise() {
  chmod -R u+rwX,go=rX "$@"
  find "$@" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
}
tar_gz() {  # tar_gz ARCHIVE DIR NAME: NAME inside DIR, sorted
  tar -C "$2" --sort=name --format=gnu --owner=0 --group=0 --numeric-owner \
    --mtime="@$SOURCE_DATE_EPOCH" -cf - "$3" | gzip -9n >"$1"
}

echo "== source"
git archive --format=tar --prefix="$name/" HEAD | gzip -9n >"$out/$name-source.tar.gz"
tar -C "$work" -xzf "$out/$name-source.tar.gz"
src=$work/$name
# The build folders' paths must not reach the programs.
reproducible=(-DCMAKE_BUILD_TYPE=MinSizeRel -DTITLETYPE_TESTS=OFF
  "-DCMAKE_CXX_FLAGS=-ffile-prefix-map=$work=/build")

echo "== Linux"
cmake -S "$src" -B "$work/linux" "${reproducible[@]}" -DCMAKE_INSTALL_PREFIX=/usr \
  -DTITLETYPE_BINDIR=games >/dev/null
cmake --build "$work/linux" -j "$(nproc)" >/dev/null

echo "== Debian package"
deb=$work/deb
DESTDIR=$deb cmake --install "$work/linux" --strip >/dev/null
strip --remove-section=.comment "$deb/usr/games/titletype"  # the compiler's name and version
doc=$deb/usr/share/doc/titletype
rm "$doc/LICENSE"  # the copyright file holds it
gzip -9n "$deb/usr/share/man/man6/titletype.6"
debian_date=$(date -u -R -d "$release_date 00:00:00")
sed -e "s/@VERSION@/$version/g" -e "s/@DATE@/$debian_date/" packaging/debian/changelog.in |
  gzip -9n >"$doc/changelog.gz"
{ sed "s/@VERSION@/$version/" packaging/debian/copyright.in
  sed -n '3,$p' LICENSE | sed 's/^$/./; s/^/ /'; } >"$doc/copyright"
# Dependencies as the binary needs them; dpkg-shlibdeps reads a control file.
# The windows' libraries, which the game loads when a window opens, are
# named in control.in (Recommends: the terminal game needs none of them).
mkdir -p "$work/shlibs/debian"
printf 'Source: titletype\n\nPackage: titletype\nArchitecture: amd64\n' >"$work/shlibs/debian/control"
depends=$(cd "$work/shlibs" && dpkg-shlibdeps -O "$deb/usr/games/titletype" 2>/dev/null |
  sed -n 's/^shlibs:Depends=//p')
mkdir -p "$deb/DEBIAN"
(cd "$deb" && find usr -type f | sort | xargs md5sum) >"$deb/DEBIAN/md5sums"
sed -e "s/@VERSION@/$version/" -e "s/@DEPENDS@/$depends/" \
  -e "s/@INSTALLED_SIZE@/$(du -sk --apparent-size "$deb/usr" | cut -f1)/" \
  packaging/debian/control.in >"$deb/DEBIAN/control"
normalise "$deb"
dpkg-deb --root-owner-group -Zxz --build "$deb" "$out/titletype_${version}_amd64.deb" >/dev/null

echo "== Linux tarball"
tree=$work/tree/$name-linux-x86_64
cmake -S "$src" -B "$work/linux" -DTITLETYPE_BINDIR=bin >/dev/null
cmake --install "$work/linux" --prefix "$tree" --strip >/dev/null
normalise "$tree"
tar_gz "$out/$name-linux-x86_64.tar.gz" "$work/tree" "$name-linux-x86_64"

echo "== Windows"
cmake -S "$src" -B "$work/windows" "${reproducible[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64-x86_64.cmake" \
  "-DCMAKE_EXE_LINKER_FLAGS=-Wl,--no-insert-timestamp" >/dev/null
cmake --build "$work/windows" -j "$(nproc)" --target titletype >/dev/null
zipdir=$work/zip/$name-windows-x86_64
mkdir -p "$zipdir"
cp "$work/windows/titletype.exe" "$zipdir/"
for text in README.md:README.txt LICENSE:LICENSE.txt NEWS.md:NEWS.txt; do
  sed 's/$/\r/' "${text%%:*}" >"$zipdir/${text##*:}"  # Windows line ends
done
normalise "$work/zip"
(cd "$work/zip" && find "$name-windows-x86_64" -type f | sort |
  zip -X -9 -q "$out/$name-windows-x86_64.zip" -@)

echo "== browser page"
cmake -S "$src" -B "$work/web" "${reproducible[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$src/cmake/wasm32-wasi.cmake" -DTITLETYPE_WEB=ON -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build "$work/web" -j "$(nproc)" --target titletype_page >/dev/null
mkdir -p "$work/page"
cp -r "$work/web/site" "$work/page/$name-web"
cp LICENSE "$work/page/$name-web/LICENSE.txt"
normalise "$work/page"
(cd "$work/page" && find "$name-web" -type f | sort | zip -X -9 -q "$out/$name-web.zip" -@)

(cd "$out" && sha256sum titletype[-_]* >SHA256SUMS)
echo "== $out"
(cd "$out" && ls -l titletype[-_]* SHA256SUMS | awk '{print $5, $9}')
