// The one source of test_headers (tests/CMakeLists.txt), the target that compiles the test
// programs' shared precompiled header; it has nothing of its own to build.
