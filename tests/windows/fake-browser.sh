#!/bin/sh
# A browser for the Windows tests, which name it in the test prefix's registry as Wine's browser:
#   fake-browser.sh LOG ADDRESS     adds the address it was asked to show to LOG.
printf '%s\n' "$2" >>"$1"
