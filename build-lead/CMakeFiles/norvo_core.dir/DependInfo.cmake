
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/app/atom_lock.cpp" "CMakeFiles/norvo_core.dir/app/atom_lock.cpp.o" "gcc" "CMakeFiles/norvo_core.dir/app/atom_lock.cpp.o.d"
  "/work/main/app/config.cpp" "CMakeFiles/norvo_core.dir/app/config.cpp.o" "gcc" "CMakeFiles/norvo_core.dir/app/config.cpp.o.d"
  "/work/main/link/bootframe.cpp" "CMakeFiles/norvo_core.dir/link/bootframe.cpp.o" "gcc" "CMakeFiles/norvo_core.dir/link/bootframe.cpp.o.d"
  "/work/main/link/commandset.cpp" "CMakeFiles/norvo_core.dir/link/commandset.cpp.o" "gcc" "CMakeFiles/norvo_core.dir/link/commandset.cpp.o.d"
  "/work/main/link/seriallink.cpp" "CMakeFiles/norvo_core.dir/link/seriallink.cpp.o" "gcc" "CMakeFiles/norvo_core.dir/link/seriallink.cpp.o.d"
  "/work/main/build-lead/norvo_core_autogen/mocs_compilation.cpp" "CMakeFiles/norvo_core.dir/norvo_core_autogen/mocs_compilation.cpp.o" "gcc" "CMakeFiles/norvo_core.dir/norvo_core_autogen/mocs_compilation.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
