#!/usr/bin/env bash
# Runs a Windows program under 64-bit Wine for the tests:
#   run-under-wine.sh PREFIX PROGRAM.exe [ARGUMENTS...]
# PREFIX is a Wine prefix of the build tree's own, set up on first use. Wine
# prints no debug output, and the program gets a virtual X display when
# there is none (for the window tests). The exit code is the program's.
set -euo pipefail
prefix=$(realpath -m "$1")
shift

export WINEPREFIX=$prefix
export WINEDEBUG=-all
# No prompts to install Wine's .NET or HTML engines into the prefix.
export WINEDLLOVERRIDES="mscoree=;mshtml="
# A fixed language, so the ANSI code page is 1252 whatever the machine's locale;
# TAVRO_WINE_LANG picks another (ja_JP.UTF-8: code page 932). Wine takes its
# code page from the Unix locale, so one the system lacks is compiled from
# the locales package's sources beside the prefix.
export LANG=${TAVRO_WINE_LANG:-en_US.UTF-8}
unset LC_ALL
if [ -n "$(LC_ALL=$LANG locale 2>&1 >/dev/null)" ]; then
  export LOCPATH="$prefix.locales"
  if [ ! -d "$LOCPATH/$LANG" ]; then
    mkdir -p "$LOCPATH"
    localedef -i "${LANG%%.*}" -f "${LANG#*.}" "$LOCPATH/$LANG" >/dev/null 2>&1 || true
  fi
fi
wine=/usr/lib/wine/wine64

if [ -z "${DISPLAY:-}" ]; then
  # The display must outlive Wine's own processes, so wait for them inside.
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c \
    '"$0" "$@"; status=$?; wineserver -w; exit $status' "$0" "$prefix" "$@"
fi

# First use: create the prefix, once, even when ctest runs programs in parallel.
if [ ! -f "$prefix/.tavro-ready" ]; then
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    if [ ! -f "$prefix/.tavro-ready" ]; then
      "$wine" wineboot --init >/dev/null 2>&1
      # Wine draws the window frames itself: a virtual display has no window manager.
      "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
      wineserver -w
      touch "$prefix/.tavro-ready"
    fi
  ) 9>"$prefix.lock"
fi

exec "$wine" "$@"
