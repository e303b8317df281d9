"""Harness that runs Pelmor.exe under Wine in a virtual display and drives it as a user would."""
