file(REMOVE_RECURSE
  "CMakeFiles/tst_crcframes_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/tst_crcframes_autogen.dir/ParseCache.txt"
  "tst_crcframes_autogen"
  "CMakeFiles/tst_crcframes.dir/tst_crcframes.cpp.o"
  "CMakeFiles/tst_crcframes.dir/tst_crcframes.cpp.o.d"
  "CMakeFiles/tst_crcframes.dir/tst_crcframes_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/tst_crcframes.dir/tst_crcframes_autogen/mocs_compilation.cpp.o.d"
  "tst_crcframes"
  "tst_crcframes.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/tst_crcframes.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
