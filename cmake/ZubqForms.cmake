# Layout files of forms: zubq_add_forms(<target> <layout.dfm...>) converts each text layout to the binary
# component form at build time (tools/dfm2cpp.cpp) and adds a generated source to <target> that registers the
# bytes under the root's class name, where InitInheritedComponent finds them.
function(zubq_add_forms target)
  set(generated)
  foreach(layout IN LISTS ARGN)
    get_filename_component(abs ${layout} ABSOLUTE)
    get_filename_component(name ${layout} NAME_WE)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/zubq_forms/${target}/${name}_dfm.cpp)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/zubq_forms/${target}
      COMMAND zubq_dfm2cpp ${abs} ${out}
      DEPENDS zubq_dfm2cpp ${abs}
      COMMENT "Converting layout ${name}.dfm"
      VERBATIM)
    list(APPEND generated ${out})
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "STATIC_LIBRARY")
    # Nothing references the registration objects, so an archive would drop them: link them into every
    # program that uses the library instead.
    add_library(${target}_forms OBJECT ${generated})
    target_link_libraries(${target}_forms PRIVATE zubplatform)
    target_sources(${target} INTERFACE $<TARGET_OBJECTS:${target}_forms>)
  else()
    target_sources(${target} PRIVATE ${generated})
  endif()
endfunction()
