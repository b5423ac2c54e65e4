#!/usr/bin/env bash
# Installs a configured and built tree into a scratch prefix and checks that
# the installed programs run on their own and that their documents are in
# place, compressed as Debian's packages have them.
#
# usage: install_test.sh CMAKE BUILD_DIR SOURCE_DIR BINDIR MANDIR DATADIR DOCDIR PROGRAM...
#   CMAKE                        the cmake program that configured BUILD_DIR
#   BINDIR MANDIR DATADIR DOCDIR the install directories, relative to the prefix
#   PROGRAM...                   the programs the install carries
set -euo pipefail

if [ $# -lt 8 ]; then
  echo "usage: $0 CMAKE BUILD_DIR SOURCE_DIR BINDIR MANDIR DATADIR DOCDIR PROGRAM..." >&2
  exit 2
fi
cmake=$1 build=$2 source=$3 bindir=$4 mandir=$5 datadir=$6 docdir=$7
shift 7
programs=("$@")

prefix=$(mktemp -d -t lorvex-install.XXXXXX)
# cmake --install records what it copied in the build tree; a manifest that
# this test made is removed again with the prefix.
manifest=$build/install_manifest.txt
had_manifest=no
[ -e "$manifest" ] && had_manifest=yes
cleanup() {
  rm -rf "$prefix"
  if [ "$had_manifest" = no ]; then rm -f "$manifest"; fi
}
trap cleanup EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# check_packed PATH ORIGINAL: PATH (relative to the prefix) is what gzip -9n
# makes of ORIGINAL. -n: no file name (flag bit 3) and no time stamp (bytes
# 4-7), so rebuilds give the same package; -9: the extra-flags byte says 2.
check_packed() {
  local path=$1 original=$2 header
  if [ ! -s "$prefix/$path" ]; then
    fail "$path was not installed"
    return
  fi
  if ! gzip -t "$prefix/$path" 2>/dev/null; then
    fail "$path is not gzip data"
    return
  fi
  read -r -a header < <(od -An -tu1 -N9 "$prefix/$path")
  ((header[3] & 8)) && fail "$path keeps the name of the file it was made from"
  [ "${header[4]}${header[5]}${header[6]}${header[7]}" = 0000 ] || fail "$path keeps a time stamp"
  [ "${header[8]}" = 2 ] || fail "$path was not compressed at the highest level"
  cmp -s <(gzip -dc "$prefix/$path") "$original" || fail "$path does not unpack to $original"
}

# A DESTDIR from the caller's environment would move the staging tree.
env -u DESTDIR "$cmake" --install "$build" --prefix "$prefix" >/dev/null

# Run from elsewhere, so nothing is found through the build or source tree.
cd "$prefix"

for program in "${programs[@]}"; do
  [ -x "$prefix/$bindir/$program" ] || fail "$bindir/$program was not installed"
  check_packed "$mandir/man1/$program.1.gz" "$source/docs/$program.1"
  [ ! -e "$prefix/$mandir/man1/$program.1" ] || fail "$mandir/man1/$program.1 is not compressed"
  completion=$datadir/bash-completion/completions/$program
  if [ ! -s "$prefix/$completion" ]; then
    fail "$completion was not installed"
  elif ! bash -c 'source "$1" && complete -p "$2" >/dev/null' _ "$prefix/$completion" "$program"; then
    fail "the installed completion does not register itself for $program"
  fi
done

program=$prefix/$bindir/lorvex
version=
if [ -x "$program" ]; then
  if version=$("$program" --version); then
    case $version in
      "Lorvex v1.3.1 "*) ;;
      *) fail "--version printed: $version" ;;
    esac
  else
    fail "--version exited with status $?"
  fi
  if id=$("$program" -I "$source/examples/hello.src"); then
    [ "$id" = 'Vorda Assembler (macro; $8000)' ] || fail "-I printed: $id"
  else
    fail "-I exited with status $?"
  fi
fi

cmp -s "$prefix/$docdir/copyright" "$source/LICENSE" ||
  fail "$docdir/copyright is not the licence"
changelog=$docdir/changelog.Debian.gz
check_packed "$changelog" "$source/packaging/changelog"
# The changelog's top entry is for the version the program reports.
if [ -s "$prefix/$changelog" ] && [ -n "$version" ]; then
  upstream=${version#Lorvex v}
  upstream=${upstream%% *}
  top=$(gzip -dc "$prefix/$changelog" | head -n 1)
  case $top in
    "lorvex ($upstream-"*) ;;
    *) fail "the changelog's top entry is not for $upstream: $top" ;;
  esac
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "installed tree is complete and runs"
