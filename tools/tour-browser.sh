#!/bin/sh
# The tour's web browser, which it names in the handheld's Wine prefix as the one Wine opens pages
# in: dillo, in the screen's top strip above the dialogs, its process id written to PIDFILE so the
# tour can end it.
#   tour-browser.sh PIDFILE ADDRESS
echo $$ >"$1"
exec dillo -g 760x236+0+0 "$2" >/dev/null 2>&1
