# rx041_version: the generated header rx041/version.h with the project's release,
# which every program reports with --version.
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${CMAKE_BINARY_DIR}/generated/rx041/version.h @ONLY)
add_library(rx041_version INTERFACE)
target_include_directories(rx041_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
