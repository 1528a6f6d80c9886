# rx041_add_component_server(<target> SOURCES...)
# Builds an in-process component server (a shared library publishing its classes
# through rx041_server_info) and registers it in the build's class registry after
# every link, so tests and programs of this build tree create its classes by ProgID.
function(rx041_add_component_server target)
  add_library(${target} SHARED ${ARGN})
  target_link_libraries(${target} PRIVATE rx041_component)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND rx041-regsvr --registry ${RX041_REGISTRY_FILE} $<TARGET_FILE:${target}>
    COMMENT "Registering the classes of ${target}"
    VERBATIM)
  add_dependencies(${target} rx041-regsvr)
endfunction()
