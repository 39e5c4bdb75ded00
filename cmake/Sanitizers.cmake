# TOLVANE_SANITIZE=address,undefined or thread turns the sanitizers on for every target.
if(TOLVANE_SANITIZE)
  add_compile_options(-fsanitize=${TOLVANE_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=${TOLVANE_SANITIZE})
endif()
