# The pixels per inch of every Wine prefix that shows the panel, sourced by
# scripts/run-viewer.sh and tests/window/run-under-wine.sh.
#
# Wine draws the dialog's font ＭＳ Ｐゴシック with IPAゴシック, whose 9-point
# line is 13 pixels at 96 pixels per inch, a pixel taller than on Windows:
# the slide rows would stand 26 pixels apart and the panel load the large
# pictures. From 86 to 90 pixels per inch the line is 12 pixels, and the
# rows stand 24 pixels apart as on Windows at 96 (measured with the typical
# road's window test; at 92 they are 26 apart again).
REELCTL_WINE_DPI=88
