# CMake generated Testfile for 
# Source directory: /work/main/tests
# Build directory: /work/main/build-lead/tests
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
add_test(tst_crcframes "/work/main/build-lead/tests/tst_crcframes")
set_tests_properties(tst_crcframes PROPERTIES  ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT "120" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;9;add_test;/work/main/tests/CMakeLists.txt;15;norvo_add_test;/work/main/tests/CMakeLists.txt;0;")
add_test(tst_config "/work/main/build-lead/tests/tst_config")
set_tests_properties(tst_config PROPERTIES  ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT "120" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;9;add_test;/work/main/tests/CMakeLists.txt;16;norvo_add_test;/work/main/tests/CMakeLists.txt;0;")
