file(REMOVE_RECURSE
  "CMakeFiles/tst_config_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/tst_config_autogen.dir/ParseCache.txt"
  "tst_config_autogen"
  "CMakeFiles/tst_config.dir/tst_config.cpp.o"
  "CMakeFiles/tst_config.dir/tst_config.cpp.o.d"
  "CMakeFiles/tst_config.dir/tst_config_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/tst_config.dir/tst_config_autogen/mocs_compilation.cpp.o.d"
  "tst_config"
  "tst_config.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/tst_config.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
