CMakeFiles/norvo_core.dir/norvo_core_autogen/mocs_compilation.cpp.o: \
 /work/main/build-lead/norvo_core_autogen/mocs_compilation.cpp \
 /usr/include/stdc-predef.h
