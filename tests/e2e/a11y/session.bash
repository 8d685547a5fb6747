# Sourced by the end-to-end scripts that read the program through the accessibility bus.
# a11y_session "$@" runs the calling script again inside a private session bus and a virtual
# display; there it starts the accessibility bus and turns Qt's accessibility bridge on.
a11y_session() {
  if [ -z "${VEXOLIN_A11Y_SESSION:-}" ]; then
    local tool
    for tool in dbus-run-session xvfb-run xdotool import /usr/bin/python3 /usr/libexec/at-spi-bus-launcher; do
      command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps installs it)"; exit 1; }
    done
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
      { echo "FAIL: python3-pyatspi is missing (scripts/install-deps installs it)"; exit 1; }
    # Start the search for a free display away from :99, where concurrent xvfb-run -a calls collide.
    # -noreset: the server would otherwise reset when its last client leaves (a tool that only
    # looked), and a program connecting during the reset is turned away.
    exec dbus-run-session -- xvfb-run -a -n $((100 + $$ % 800)) -s "-screen 0 1280x1024x24 -noreset" \
      env VEXOLIN_A11Y_SESSION=1 bash "$0" "$@" 2> >(grep -v 'Failed to set fd limit' >&2)
  fi
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  a11y_bus=$!
  trap 'kill "$a11y_bus" 2>/dev/null; wait "$a11y_bus" 2>/dev/null' EXIT
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}
