# Empty dependencies file for norvo_core.
# This may be replaced when dependencies are built.
