# Writes OUTPUT: index.html from PAGE_DIR with its style sheet and every
# script put inline, the module (MODULE, linked with its wasm inside) in
# place of lorvex-web.js. Run as cmake -P.
file(READ ${PAGE_DIR}/index.html page)

string(REGEX MATCHALL "<link rel=\"stylesheet\" href=\"[^\"]+\">" sheets "${page}")
foreach(tag IN LISTS sheets)
  string(REGEX REPLACE ".*href=\"([^\"]+)\".*" "\\1" name "${tag}")
  file(READ ${PAGE_DIR}/${name} text)
  string(REPLACE "${tag}" "<style>\n${text}</style>" page "${page}")
endforeach()

string(REGEX MATCHALL "<script src=\"[^\"]+\"></script>" scripts "${page}")
foreach(tag IN LISTS scripts)
  string(REGEX REPLACE ".*src=\"([^\"]+)\".*" "\\1" name "${tag}")
  if(name STREQUAL "lorvex-web.js")
    file(READ ${MODULE} text)
  else()
    file(READ ${PAGE_DIR}/${name} text)
  endif()
  # A script's text may not hold its own end tag.
  string(REPLACE "</script" "<\\/script" text "${text}")
  string(REPLACE "${tag}" "<script>\n${text}</script>" page "${page}")
endforeach()

file(WRITE ${OUTPUT} "${page}")
