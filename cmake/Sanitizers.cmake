# TOLVANE_SANITIZE=address,undefined or thread turns the sanitizers on for every target.
if(TOLVANE_SANITIZE)
  add_compile_options(-fsanitize=${TOLVANE_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=${TOLVANE_SANITIZE})
endif()

# tolvane_sanitizer_suppressions(<target> <sanitizer> <file>): compiles a suppression list into
# the target only when the build uses that sanitizer ("thread", or "address" for LeakSanitizer),
# so the programs of other builds carry none.
function(tolvane_sanitizer_suppressions target sanitizer file)
  if(TOLVANE_SANITIZE MATCHES "${sanitizer}")
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY" OR type STREQUAL "STATIC_LIBRARY")
      target_sources(${target} INTERFACE ${file})
    else()
      target_sources(${target} PRIVATE ${file})
    endif()
  endif()
endfunction()
