# Empty dependencies file for tst_crcframes.
# This may be replaced when dependencies are built.
