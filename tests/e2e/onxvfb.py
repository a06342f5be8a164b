"""Runs a program under its own Xvfb server: onxvfb.py program [argument...]."""

import subprocess
import sys

from zeldriver import XServer

with XServer() as x:
    sys.exit(subprocess.run(sys.argv[1:], env=x.env(), timeout=240).returncode)
