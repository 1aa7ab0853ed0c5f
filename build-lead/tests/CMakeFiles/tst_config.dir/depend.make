# Empty dependencies file for tst_config.
# This may be replaced when dependencies are built.
