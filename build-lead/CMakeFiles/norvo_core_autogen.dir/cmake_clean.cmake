file(REMOVE_RECURSE
  "CMakeFiles/norvo_core_autogen"
  "norvo_core_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/norvo_core_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
