# Included from bench/CMakeLists.txt.
add_executable(bench_history ${CMAKE_CURRENT_LIST_DIR}/bench_history.cpp)
target_link_libraries(bench_history PRIVATE benchmark::benchmark gavora_history)
