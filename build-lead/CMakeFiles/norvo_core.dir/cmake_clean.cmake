file(REMOVE_RECURSE
  "CMakeFiles/norvo_core_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/norvo_core_autogen.dir/ParseCache.txt"
  "norvo_core_autogen"
  "CMakeFiles/norvo_core.dir/app/atom_lock.cpp.o"
  "CMakeFiles/norvo_core.dir/app/atom_lock.cpp.o.d"
  "CMakeFiles/norvo_core.dir/app/config.cpp.o"
  "CMakeFiles/norvo_core.dir/app/config.cpp.o.d"
  "CMakeFiles/norvo_core.dir/link/bootframe.cpp.o"
  "CMakeFiles/norvo_core.dir/link/bootframe.cpp.o.d"
  "CMakeFiles/norvo_core.dir/link/commandset.cpp.o"
  "CMakeFiles/norvo_core.dir/link/commandset.cpp.o.d"
  "CMakeFiles/norvo_core.dir/link/seriallink.cpp.o"
  "CMakeFiles/norvo_core.dir/link/seriallink.cpp.o.d"
  "CMakeFiles/norvo_core.dir/norvo_core_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/norvo_core.dir/norvo_core_autogen/mocs_compilation.cpp.o.d"
  "libnorvo_core.a"
  "libnorvo_core.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/norvo_core.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
