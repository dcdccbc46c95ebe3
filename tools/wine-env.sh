# The environment of every Wine run of ours, sourced by the scripts that start Wine, with
# WINEPREFIX set: a 64-bit prefix of our own, no Wine chatter, no Mono or Gecko installers, and
# no debugger (a crashing program would otherwise wait for it forever).
export WINEPREFIX
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
