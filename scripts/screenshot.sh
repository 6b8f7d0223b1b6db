#!/usr/bin/env bash
# Renders docs/mainwindow.png: the main window with the serial dialog open, under Xvfb.
exec "$(dirname "$0")/render-pictures.sh" mainwindow
