# tolvane_module_includes(<target> <folder>...): the target's include path holds the named source
# folders and nothing else, each at its own place ("game/engine/actor.h", "presentation/..."), so
# an include from a folder the module may not use does not compile. The folders are linked into
# a view of the target's own in the build tree. The path is public: whoever links the target
# may use what it uses (the layers only ever link downwards).
function(tolvane_module_includes target)
  set(view ${CMAKE_BINARY_DIR}/include-views/${target})
  file(REMOVE_RECURSE ${view})
  foreach(folder ${ARGN})
    get_filename_component(parent ${view}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${view}/${folder} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${view})
endfunction()
