tests/CMakeFiles/tst_config.dir/tst_config_autogen/mocs_compilation.cpp.o: \
 /work/main/build-lead/tests/tst_config_autogen/mocs_compilation.cpp \
 /usr/include/stdc-predef.h
