tests/CMakeFiles/tst_crcframes.dir/tst_crcframes_autogen/mocs_compilation.cpp.o: \
 /work/main/build-lead/tests/tst_crcframes_autogen/mocs_compilation.cpp \
 /usr/include/stdc-predef.h
