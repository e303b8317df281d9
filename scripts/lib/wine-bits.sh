# Sourced by the scripts: which Wine runs a program of each bitness here, found out by running
# things (never by guessing), and why a bitness cannot run, in words a newcomer understands.

# wine_loader BITS: the Wine loader for a program of that bitness.
wine_loader() {
  if [ "$1" = 64 ]; then echo /usr/lib/wine/wine64; else echo /usr/lib/wine/wine; fi
}

# host_runs_32_bit: true when this host runs 32-bit x86 code. It runs a 94-byte 32-bit program that
# only exits with status 42; a host without IA-32 emulation refuses it ("Exec format error").
# PELMOR_PROBE_32 replaces the program (setup's tests pretend either kind of host with it).
host_runs_32_bit() {
  if [ -n "${PELMOR_PROBE_32:-}" ]; then
    "$PELMOR_PROBE_32" >/dev/null 2>&1
    return
  fi
  local dir status
  dir=$(mktemp -d) || return 1
  # ELF header, one loadable segment at 0x08048000, then: mov eax,1; mov ebx,42; int 0x80 (exit).
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00'\
'\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00'\
'\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'\
'\x5e\x00\x00\x00\x5e\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'\
'\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' > "$dir/probe32"
  chmod +x "$dir/probe32"
  status=0
  "$dir/probe32" >/dev/null 2>&1 || status=$?
  rm -rf "$dir"
  [ "$status" -eq 42 ]
}

# Where setup notes why it could not install the 32-bit Wine (and when it last tried).
WINE32_NOTE=${PELMOR_WINE32_NOTE:-${XDG_CACHE_HOME:-$HOME/.cache}/pelmor/wine32-not-installed}

# wine_runs BITS: true when the Wine for that bitness starts here; otherwise wine_why says why.
wine_runs() {
  local loader out
  loader=$(wine_loader "$1")
  wine_why=""
  if [ ! -x "$loader" ]; then
    if [ "$1" = 32 ] && ! host_runs_32_bit; then
      wine_why="the 32-bit Wine is not installed: this host runs no 32-bit code, so it could not run"
    elif [ "$1" = 32 ] && [ -f "$WINE32_NOTE" ]; then
      wine_why="the 32-bit Wine is not installed: $(head -n 1 "$WINE32_NOTE")"
    else
      wine_why="the $1-bit Wine is not installed ($loader is missing; scripts/setup installs it)"
    fi
    return 1
  fi
  if out=$(WINEDEBUG=-all "$loader" --version 2>&1); then
    return 0
  fi
  out=$(printf '%s' "$out" | tail -n 1 | sed -E 's/^.*line [0-9]+: //')
  if [ "$1" = 32 ] && ! host_runs_32_bit; then
    wine_why="the 32-bit Wine is installed but this host runs no 32-bit code ($out)"
  else
    wine_why="the $1-bit Wine does not start here ($loader: $out)"
  fi
  return 1
}
