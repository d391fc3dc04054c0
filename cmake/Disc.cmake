# Helpers that put files onto the sample disc. Every file of the disc is
# produced by the build from a readable source, so `disc` depends on them all.
add_custom_target(disc ALL)

# disc_copy(<dest dir relative to the disc> <source files...>)
function(disc_copy dest)
  foreach(src IN LISTS ARGN)
    get_filename_component(name ${src} NAME)
    set(out ${DISC_DIR}/${dest}/${name})
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${DISC_DIR}/${dest}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${src} ${out}
      DEPENDS ${src} VERBATIM)
    string(MAKE_C_IDENTIFIER "disc_${dest}_${name}" tgt)
    add_custom_target(${tgt} DEPENDS ${out})
    add_dependencies(disc ${tgt})
  endforeach()
endfunction()

# disc_generate(<name> OUTPUTS <files...> COMMAND <cmd...> [COMMAND <cmd...>] DEPENDS <deps...>)
# Everything after the outputs goes to add_custom_command as it stands; the
# folders of the outputs are made first.
function(disc_generate name)
  set(outputs)
  set(rule)
  set(inOutputs FALSE)
  foreach(arg IN LISTS ARGN)
    if(arg STREQUAL "OUTPUTS" AND NOT rule)
      set(inOutputs TRUE)
    elseif(inOutputs AND NOT arg STREQUAL "COMMAND")
      list(APPEND outputs ${arg})
    else()
      set(inOutputs FALSE)
      list(APPEND rule ${arg})
    endif()
  endforeach()
  set(dirs)
  foreach(out IN LISTS outputs)
    get_filename_component(dir ${out} DIRECTORY)
    list(APPEND dirs ${dir})
  endforeach()
  list(REMOVE_DUPLICATES dirs)
  add_custom_command(OUTPUT ${outputs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dirs}
    ${rule}
    VERBATIM)
  add_custom_target(disc_gen_${name} DEPENDS ${outputs})
  add_dependencies(disc disc_gen_${name})
endfunction()

# disc_program(<target> <folder relative to the disc>)
# A program of the disc: built into its folder there, and linked to find the
# disc's runtime (runtime/lib at the disc's root) before the machine's
# libraries. The run path is the old kind (DT_RPATH), which the loader also
# applies to everything the program's libraries and plugins load, and which
# LD_LIBRARY_PATH cannot override. Built elsewhere (the tests' copies), the
# same program finds no runtime there and takes the machine's libraries.
function(disc_program target folder)
  if(folder STREQUAL ".")
    set(runtime "\$ORIGIN/runtime/lib")
    set(output ${DISC_DIR})
  else()
    file(RELATIVE_PATH up ${DISC_DIR}/${folder} ${DISC_DIR})
    string(REGEX REPLACE "/$" "" up "${up}")
    set(runtime "\$ORIGIN/${up}/runtime/lib")
    set(output ${DISC_DIR}/${folder})
  endif()
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${output} BUILD_RPATH "${runtime}")
  target_link_options(${target} PRIVATE "LINKER:--disable-new-dtags")
  add_dependencies(disc ${target})
  set_property(GLOBAL APPEND PROPERTY DISC_PROGRAMS ${target})
endfunction()
