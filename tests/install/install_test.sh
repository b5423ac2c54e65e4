#!/usr/bin/env bash
# Installs a configured and built tree into a scratch prefix and checks that
# the installed program runs on its own and that its documents are in place.
#
# usage: install_test.sh CMAKE BUILD_DIR SOURCE_DIR BINDIR MANDIR DATADIR
#   CMAKE                the cmake program that configured BUILD_DIR
#   BINDIR MANDIR DATADIR the install directories, relative to the prefix
set -euo pipefail

if [ $# -ne 6 ]; then
  echo "usage: $0 CMAKE BUILD_DIR SOURCE_DIR BINDIR MANDIR DATADIR" >&2
  exit 2
fi
cmake=$1 build=$2 source=$3 bindir=$4 mandir=$5 datadir=$6

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

# A DESTDIR from the caller's environment would move the staging tree.
env -u DESTDIR "$cmake" --install "$build" --prefix "$prefix" >/dev/null

program=$prefix/$bindir/lorvex
if [ ! -x "$program" ]; then
  fail "$bindir/lorvex was not installed"
else
  # Run from elsewhere, so nothing is found through the build or source tree.
  cd "$prefix"
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

page=$prefix/$mandir/man1/lorvex.1
[ -s "$page" ] || fail "$mandir/man1/lorvex.1 was not installed"

completion=$prefix/$datadir/bash-completion/completions/lorvex
if [ ! -s "$completion" ]; then
  fail "$datadir/bash-completion/completions/lorvex was not installed"
elif ! bash -c 'source "$1" && complete -p lorvex >/dev/null' _ "$completion"; then
  fail "the installed completion does not register itself for lorvex"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "installed tree is complete and runs"
