# Sourced by the scripts that run Windows programs under Wine: a fresh prefix of their
# own with nothing installed, on an Xvfb display of their own, both gone at exit.
#   wine_session_start    sets WINEPREFIX and DISPLAY
wine_session_start() {
  wine_session=$(mktemp -d "${TMPDIR:-/tmp}/vitrina-wine.XXXXXX")
  export WINEPREFIX=$wine_session/prefix WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
  # No offers to install .NET or a web engine into the new prefix.
  export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$wine_session/display" 2>/dev/null &
  wine_xvfb=$!
  for _ in $(seq 100); do [ -s "$wine_session/display" ] && break; sleep 0.1; done
  export DISPLAY=:$(cat "$wine_session/display")
  trap wine_session_end EXIT
  wineboot --init >/dev/null 2>&1
  wineserver --wait
  # One server for the whole session: one that quits between two programs can leave the
  # next one's connection reset. The services it starts with the first program stay
  # too, so that program is a quiet one: they would hold its output open.
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

wine_session_end() {
  WINEPREFIX=$WINEPREFIX wineserver --kill 2>/dev/null || true
  kill "$wine_xvfb" 2>/dev/null || true
  wait "$wine_xvfb" 2>/dev/null || true
  rm -rf "$wine_session"
}
