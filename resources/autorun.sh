#!/bin/sh
# Starts Vitrina, the menu of this disc, in the disc's root folder. Desktops offer to
# run this file when the disc is inserted; it may also be started by hand, from any
# folder, as `sh /media/…/autorun.sh`. Nothing is written on the disc.

disc=$(CDPATH='' cd -- "$(dirname -- "$0")" && pwd -P) || exit 1
cd "$disc" || exit 1

# Settings of the desktop's own Qt would load its plugins into ours.
unset QT_PLUGIN_PATH QT_QPA_PLATFORMTHEME
case "${QT_QPA_PLATFORM:-}" in
wayland*) [ -e "$disc/.vitrina/plugins/platforms/libqwayland-generic.so" ] || QT_QPA_PLATFORM=xcb ;;
esac

if [ -x "$disc/.vitrina/bin/vitrina" ]; then
  "$disc/.vitrina/bin/vitrina"
  status=$?
  # 126: the system would not run it (a disc mounted noexec).
  [ "$status" -ne 126 ] && exit "$status"
fi

# Run a copy of the program from a temporary folder instead; the disc stays the
# working folder.
for base in "${XDG_RUNTIME_DIR:-}" "${TMPDIR:-/tmp}" "${HOME:-}/.cache"; do
  [ -n "$base" ] && [ -d "$base" ] && [ -w "$base" ] || continue
  copy=$(mktemp -d "$base/vitrina.XXXXXX") || continue
  trap 'rm -rf "$copy"' EXIT INT TERM
  if cp -R "$disc/.vitrina/." "$copy/" && chmod -R u+rwX "$copy" && chmod u+x "$copy/bin/vitrina"; then
    "$copy/bin/vitrina"
    status=$?
    rm -rf "$copy"
    trap - EXIT INT TERM
    [ "$status" -ne 126 ] && exit "$status"
  else
    rm -rf "$copy"
    trap - EXIT INT TERM
  fi
done
echo "autorun.sh: this system does not let Vitrina run from $disc or from a temporary folder" >&2
exit 126
